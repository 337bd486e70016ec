#pragma once
#include "app/Clock.h"
#include "app/Delta.h"
#include "app/InputTables.h"
#include "app/TGame.h"
#include "app/VQMouse.h"
#include "resources/TImageBank.h"
#include "solitaire/CardPictures.h"
#include "solitaire/TGameMode.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/TState.h"
#include "support/TestPaths.h"

#include <functional>
#include <memory>
#include <string>

// Plays a game mode headless: a fresh application object, card games'
// mouse, session record and state flags; the table's pictures from the
// build's game data; a clock that runs 5 ms per logic tick. Tests move the
// pointer, press and release the left button and keys through the pointer's
// and key tables' own entry points, and step logic ticks (GameMouse's update,
// then the mode's Logic, as the main loop does) and frames (the mode's Draw).
namespace test_support {

// The card pictures, the suit faces and the table's other pictures, loaded
// once per test binary into the image banks.
inline void EnsureTablePictures() {
  if (Images && Images->Map.count("CARDBACK1") && Images->Map.count("SCOREPLUS")) return;
  const std::string folder = DataPath("data/graphics/");
  Images = std::make_shared<TImageBank>();
  Images->SetPath(folder);
  for (const char* name : {"cardback1", "cardback2", "cardback3", "cardback4", "cardback5", "cardback6", "cardempty",
                           "cardfoundationempty", "cardstockempty", "carddenied", "cardflip", "cardhint1",
                           "cardhint2", "cardmarked", "cardmo", "scoreplus", "scoreminus1", "scoreminus2",
                           "helptextback"})
    Images->Load(name);
  std::shared_ptr<TImageBank>* banks[] = {&HeartsImages, &DiamondsImages, &SpadesImages, &ClubsImages};
  const char* words[] = {"hearts", "diamonds", "spades", "clubs"};
  for (int suit = 0; suit < 4; ++suit) {
    *banks[suit] = std::make_shared<TImageBank>();
    (*banks[suit])->SetPath(folder);
    for (int rank = 1; rank <= 13; ++rank) (*banks[suit])->Load(words[suit] + std::to_string(rank));
  }
  ForgetCardPictures();
}

class GameModeHarness {
public:
  static constexpr double TickMs = 5;

  GameModeHarness() {
    EnsureTablePictures();
    Game = std::make_shared<TGame>();
    Game->SetMenuPath(DataPath("data/menus"));
    Game->SetImagePath(DataPath("data/graphics"));
    Game->SetSoundPath(DataPath("data/sound"));
    GameMouse = std::make_shared<VQMouse>();
    GameMouse->DraggingPixels = 2;
    GamePlay = std::make_shared<TGamePlay>();
    GameState = std::make_shared<TState>();
    Delta = 1.0f;
    now_ = std::make_shared<double>(100000);
    auto now = now_;
    SetClockSource([now] { return *now; });
    FlushKeys();
  }
  ~GameModeHarness() {
    if (GamePlay) GamePlay->GameMode.reset();
    SetClockSource(nullptr);
    FlushKeys();
    GameState.reset();
    GamePlay.reset();
    GameMouse.reset();
    Game.reset();
  }
  GameModeHarness(const GameModeHarness&) = delete;
  GameModeHarness& operator=(const GameModeHarness&) = delete;

  // A new mode of type Mode made the session's mode.
  template <class Mode> std::shared_ptr<Mode> Create() {
    auto mode = std::make_shared<Mode>();
    GamePlay->GameMode = mode;
    return mode;
  }
  TGameMode& Mode() const { return *GamePlay->GameMode; }

  // Input through the pointer's and the key tables' entry points.
  void MoveTo(int x, int y) { Game->Mouse->MoveTo(x, y); }
  void Press() { Game->Mouse->ButtonDown(1); }
  void Release() { Game->Mouse->ButtonUp(1); }
  void HitKey(int code) { KeyHits[size_t(code)] = 1; }
  void HoldKey(int code, bool down) { KeyDowns[size_t(code)] = down ? 1 : 0; }

  // One logic tick (5 ms of the clock), or n of them; until `done` holds (at most maxTicks; false when it never did).
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) {
      *now_ += TickMs;
      GameMouse->UpdateMouseClicks();
      if (GamePlay->GameMode) GamePlay->GameMode->Logic();
    }
  }
  bool TickUntil(const std::function<bool()>& done, int maxTicks) {
    for (int i = 0; i < maxTicks; ++i) {
      if (done()) return true;
      Tick();
    }
    return done();
  }
  void Wait(double ms) { *now_ += ms; }
  // One frame of the mode on the current drawing surface.
  void Frame() {
    if (GamePlay->GameMode) GamePlay->GameMode->Draw();
  }

  // Gestures as a player makes them, with the ticks between.
  void Click(int x, int y) {
    MoveTo(x, y);
    Tick();
    Press();
    Tick();
    Release();
    Tick();
  }
  void DoubleClick(int x, int y) {
    Click(x, y);
    Click(x, y);
  }
  // Press at `from`, move in steps to `to` (each a tick), release there.
  void Drag(int fromX, int fromY, int toX, int toY, int steps = 8) {
    MoveTo(fromX, fromY);
    Tick();
    Press();
    Tick(2);
    for (int i = 1; i <= steps; ++i) {
      MoveTo(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps);
      Tick();
    }
    Release();
    Tick();
  }

private:
  std::shared_ptr<double> now_;
};

} // namespace test_support
