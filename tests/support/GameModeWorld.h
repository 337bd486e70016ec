#pragma once
#include "app/InputTables.h"
#include "app/TGame.h"
#include "app/TScreen.h"
#include "app/VQMouse.h"
#include "resources/TImageBank.h"
#include "solitaire/CardPictures.h"
#include "solitaire/TGameMode.h"
#include "solitaire/TGamePlay.h"
#include "support/GameWorld.h"
#include "support/TestPaths.h"

#include <functional>
#include <memory>
#include <string>

// The game world with a game mode on the table: the card pictures and the
// table's other pictures, menu buttons and sounds from the build's data tree,
// and a stand-in for the game screen that runs the session's mode (its Logic
// every tick, its Draw every frame). Input goes through GameDriver, so the
// mode sees it as in the game: the event pump, the pointer, GameMouse's
// update, then the screen's logic. A logic tick here also moves the clock by
// its 5 ms, as the main loop's ticks do.
namespace test_support {

// The screen a game mode is played on until the session's game screen exists.
class GameModeScreen : public TScreen {
public:
  GameModeScreen() { name = "gamemode"; }
  int Logic() override { return GamePlay && GamePlay->GameMode ? GamePlay->GameMode->Logic() : 0; }
  int Draw() override { return GamePlay && GamePlay->GameMode ? GamePlay->GameMode->Draw() : 0; }
};

class GameModeWorld : public GameWorld {
public:
  static constexpr double TickMs = 5;

  // A new mode of type Mode made the session's mode.
  template <class Mode> std::shared_ptr<Mode> Create() {
    auto mode = std::make_shared<Mode>();
    GamePlay->GameMode = mode;
    return mode;
  }

  // n logic ticks, each 5 ms of the clock; until `done` holds (false when it did not within maxTicks).
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) {
      now += TickMs;
      Ticks(1);
    }
  }
  bool TickUntil(const std::function<bool()>& done, int maxTicks) {
    for (int i = 0; i < maxTicks; ++i) {
      if (done()) return true;
      Tick();
    }
    return done();
  }
  void Wait(double ms) { now += ms; }

  // Gestures as a player makes them, a tick after each step.
  void Click(int x, int y) {
    MoveMouse(x, y);
    Tick();
    PressButton();
    Tick();
    ReleaseButton();
    Tick();
  }
  void DoubleClick(int x, int y) {
    Click(x, y);
    Click(x, y);
  }
  // Presses at (x, y) and moves past the 2 pixels that start a drag, the button held.
  void PickUp(int x, int y) {
    MoveMouse(x, y);
    Tick();
    PressButton();
    Tick(2);
    MoveMouse(x + 3, y);
    Tick();
  }
  // Picks up at `from`, carries to `to` in `steps` ticks and lets go there.
  void Drag(int fromX, int fromY, int toX, int toY, int steps = 1) {
    PickUp(fromX, fromY);
    for (int i = 1; i <= steps; ++i) {
      MoveMouse(fromX + 3 + (toX - fromX - 3) * i / steps, fromY + (toY - fromY) * i / steps);
      Tick();
    }
    ReleaseButton();
    Tick();
  }

protected:
  void SetUp() override {
    GameWorld::SetUp();
    LoadCardPictures();
    for (const char* name : {"scoreplus", "scoreminus1", "scoreminus2", "helptextback"}) Images->Load(name);
    ForgetCardPictures();
    Game->MenuPath = DataPath("data/menus/");
    Game->SoundPath = DataPath("data/sound/");
    GameMouse->DraggingPixels = 2;
    Game->IgnoreDebugKey = 1; // as in the game: D turns the stock, it opens no debug view
    Game->IgnoreFrameworkKeys = 1;
    screen_ = std::make_shared<GameModeScreen>();
    Game->CurrentTScreen = screen_;
  }

private:
  std::shared_ptr<GameModeScreen> screen_;
};

} // namespace test_support
