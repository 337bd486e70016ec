#pragma once
#include "support/GameDriver.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

class TButton;
class TCard;
class TDialog;
class TMenu;
class TScreen;

// What the screens soak counted.
struct ScreenFigures {
  int sessions = 0, quits = 0, frames = 0, drawn = 0;
  std::map<std::string, int> visits;              // arrivals per screen name
  std::map<std::string, int> games, won, moves;   // per variant ("klondike", "tripeaks", "matching", "editor")
  int hints = 0, undos = 0, restarts = 0, reshuffles = 0, nextLayouts = 0, resumes = 0, backToMenu = 0;
  int saves = 0, loads = 0, deletes = 0, layoutsSaved = 0, layoutsLoaded = 0, customPlayed = 0, pagesTurned = 0;
  int playersAdded = 0, playersChosen = 0, playersDeleted = 0;
  int sliders = 0, toggles = 0, optionsWritten = 0, helpPages = 0, scoreTables = 0, tablesCleared = 0;
  int expectedMessages = 0;
  // Every table the bot came to rest on, folded into one number: two runs
  // with one seed played the same games when their digests agree.
  uint64_t tables = 0, digest = 14695981039346656037ull;
  std::vector<std::string> failures; // "session N: what broke"
};

// The real game on the headless backend, started and ended as the program
// does (start-up with its splash and loading screen, the main loop's frames,
// the orderly end), played only through the player's pointer and keys. Each
// frame is 20 ms of the game's clock (four whole logic ticks). Drawing is
// most of a frame's cost on the headless surface, and nothing the game does
// waits for it: every frame runs its logic, but only every drawEvery-th one
// is drawn, besides the first on each screen reached and every table at
// rest. Error reports are caught and counted as failures; a fatal one ends
// the soak.
class ScreenWorld : public test_support::GameDriver {
public:
  // The player's folders live under `home` (XDG_DATA_HOME is set to it).
  explicit ScreenWorld(std::string home);
  void TestBody() override {}

  // Start-up as at program entry, up to the first frame of the loading screen.
  void StartUp();
  // The orderly end after the main loop said the program is over: the
  // good-exit marker and the session options written, every object dropped.
  void EndProgram();
  // Frames of the main loop; false once the program has ended.
  bool Frame(int count = 1);
  // Frames until `done` holds; false when it did not within maxFrames.
  bool FrameUntil(const std::function<bool()>& done, int maxFrames);
  bool Ended() const { return ended_; }
  // The next frame is drawn whatever its number.
  void DrawNextFrame() { drawNext_ = true; }
  // A player points at what the screen shows, and some places (a menu's
  // buttons) are laid out as they are drawn: a frame is drawn first when the
  // last one was not. Every gesture begins with it.
  void Look();
  int drawEvery = 1;

  // The screen shown, fades over; waits until `name` is (false and a failure when it is not).
  std::string ScreenName() const;
  bool Arrive(const std::string& name, int maxFrames = 400);

  // Gestures: the pointer moved, pressed and released, a frame after each step.
  void Click(int x, int y, int button = 1);
  void DoubleClick(int x, int y);
  void Drag(int fromX, int fromY, int toX, int toY);
  // A menu's button clicked at its centre; false (and a failure) when the menu has none of that name.
  bool ClickButton(const std::shared_ptr<TMenu>& menu, const std::string& name);
  // A dialog opened and fully in; its button clicked.
  bool WaitOpen(std::shared_ptr<TDialog> dialog);
  bool ClickDialogButton(std::shared_ptr<TDialog> dialog, const std::string& name);
  void Key(const std::string& keyName);
  void TypeText(const std::string& text);

  // Seeded choices.
  std::mt19937 random;
  bool Chance(double percent) { return std::uniform_real_distribution<double>(0, 100)(random) < percent; }
  int Pick(int count) { return count <= 0 ? 0 : std::uniform_int_distribution<int>(0, count - 1)(random); }

  // A table at rest folded into the digest.
  void Record(const std::string& table);
  // A failure, with where the soak was.
  void Fail(const std::string& what);
  // Error reports since the last call (and forgets them).
  std::vector<std::string> TakeErrorReports();

  ScreenFigures figures;
  std::string where; // what the soak is doing, for the failure lines
  std::string home;

private:
  bool ended_ = false;
  bool drawNext_ = false, lastDrawn_ = false;
};
