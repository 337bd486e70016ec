#include "ScreenWorld.h"

#include "app/AppGlobals.h"
#include "app/Clock.h"
#include "app/ErrorReporter.h"
#include "app/TGame.h"
#include "app/TScreen.h"
#include "platform/ErrorReport.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "screens/GameGlobals.h"
#include "screens/GameSetup.h"
#include "ui/TButton.h"
#include "ui/TDialog.h"
#include "ui/TMenu.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Error reports of the running game; a fatal one ends the soak as it ends the game.
std::vector<std::string> Reports;

void RecordError(const std::string& message, int fatal) {
  Reports.push_back(message);
  if (fatal) {
    std::printf("soak: fatal error report: %s\n", message.c_str());
    std::fflush(nullptr);
    std::_Exit(1);
  }
}

// The logo splash runs on the real clock; the soak lets it run ten times as fast.
constexpr double SplashSpeed = 10;
constexpr double FrameMs = 20; // four whole logic ticks

} // namespace

ScreenWorld::ScreenWorld(std::string homeFolder) : home(std::move(homeFolder)) {
  setenv("XDG_DATA_HOME", home.c_str(), 1);
  setenv("MARROWDECK_NO_MESSAGE_BOX", "1", 1);
}

void ScreenWorld::StartUp() {
  CreateGameGlobals();
  SetErrorHandler(RecordError);
  ScreenWidth = 800;
  ScreenHeight = 600;
  const double start = double(platform::Millisecs()), from = now;
  SetClockSource([start, from] { return from + (double(platform::Millisecs()) - start) * SplashSpeed; });
  TRunOptions options;
  options.FullScreen = 0;
  GameSetup(options);
  now = AppMillisecs();
  UseTestClock();
  // Frames as fast as they can be drawn: no waiting for a refresh that the headless surface does not have.
  Game->VSync = 0;
  Game->SetFlipSync();
  platform::SetVSync(false);
  platform::SetFramePacing(false);
  Game->FixedRateLogic.Init();
  Game->NoTimingTicks = 3;
  ended_ = false;
  ++figures.sessions;
}

void ScreenWorld::EndProgram() {
  // What ExitProgram does before the process ends.
  if (Game) {
    Game->MakeGoodExit();
    Game->Kill();
  }
  if (ExitProgramHook) ExitProgramHook();
  ResetGameGlobals();
  platform::FlushEvents();
}

bool ScreenWorld::Frame(int count) {
  for (int i = 0; i < count && !ended_; ++i) {
    ++figures.frames;
    lastDrawn_ = drawNext_ || figures.frames % drawEvery == 0;
    if (lastDrawn_) ++figures.drawn;
    else Game->NoDraw = 1; // the main loop's own way of leaving out one frame's drawing
    drawNext_ = false;
    if (Frames(1, FrameMs) == -1) ended_ = true;
  }
  return !ended_;
}

void ScreenWorld::Look() {
  if (lastDrawn_) return;
  DrawNextFrame();
  Frame();
}

bool ScreenWorld::FrameUntil(const std::function<bool()>& done, int maxFrames) {
  for (int i = 0; i < maxFrames; ++i) {
    if (done()) return true;
    if (!Frame()) return false;
  }
  return done();
}

std::string ScreenWorld::ScreenName() const {
  return Game && Game->CurrentTScreen ? Game->CurrentTScreen->name : std::string();
}

bool ScreenWorld::Arrive(const std::string& name, int maxFrames) {
  const bool arrived = FrameUntil(
      [&] { return ScreenName() == name && !Game->GameFade.Active; }, maxFrames);
  if (!arrived) {
    Fail("expected the " + name + " screen, on the " + ScreenName() + " screen" + (ended_ ? " (the game ended)" : ""));
    return false;
  }
  DrawNextFrame();
  ++figures.visits[name];
  return true;
}

void ScreenWorld::Click(int x, int y, int button) {
  Look();
  MoveMouse(x, y);
  Frame();
  PressButton(button);
  Frame();
  ReleaseButton(button);
  Frame();
}

void ScreenWorld::DoubleClick(int x, int y) {
  Look();
  MoveMouse(x, y);
  Frame();
  for (int i = 0; i < 2; ++i) {
    PressButton();
    Frame();
    ReleaseButton();
    Frame();
  }
}

void ScreenWorld::Drag(int fromX, int fromY, int toX, int toY) {
  Look();
  MoveMouse(fromX, fromY);
  Frame();
  PressButton();
  Frame();
  MoveMouse(fromX + 3, fromY); // past the pixels that start a drag, still on the card
  Frame();
  for (int i = 1; i <= 5; ++i) {
    MoveMouse(fromX + 3 + (toX - fromX - 3) * i / 5, fromY + (toY - fromY) * i / 5);
    Frame();
  }
  ReleaseButton();
  Frame();
}

bool ScreenWorld::ClickButton(const std::shared_ptr<TMenu>& menu, const std::string& name) {
  Look();
  const auto button = menu ? menu->FindButton(name) : nullptr;
  if (!button) {
    Fail("no button " + name);
    return false;
  }
  Click(int(button->x) + button->w / 2, int(button->y) + button->h / 2);
  return true;
}

bool ScreenWorld::WaitOpen(std::shared_ptr<TDialog> dialog) {
  if (!dialog) return false;
  if (!FrameUntil([&] { return dialog->Transitioning == 0; }, 200)) {
    Fail("a dialog never finished opening");
    return false;
  }
  return true;
}

bool ScreenWorld::ClickDialogButton(std::shared_ptr<TDialog> dialog, const std::string& name) {
  return WaitOpen(dialog) && ClickButton(dialog->Menu, name);
}

void ScreenWorld::Key(const std::string& keyName) {
  TapKey(keyName);
  Frame(2);
}

void ScreenWorld::TypeText(const std::string& text) {
  for (char ch : text) {
    Type(std::string(1, ch));
    Frame();
  }
}

void ScreenWorld::Record(const std::string& table) {
  ++figures.tables;
  // SOAK_TRACE=1 prints every table at rest, to find where two runs part.
  static const bool trace = std::getenv("SOAK_TRACE") != nullptr;
  if (trace) std::fprintf(stderr, "%d %s: %s\n", figures.frames, where.c_str(), table.c_str());
  for (unsigned char byte : table) figures.digest = (figures.digest ^ byte) * 1099511628211ull; // FNV-1a
}

void ScreenWorld::Fail(const std::string& what) {
  figures.failures.push_back("session " + std::to_string(figures.sessions) + ", " + where + ": " + what);
}

std::vector<std::string> ScreenWorld::TakeErrorReports() {
  std::vector<std::string> taken;
  taken.swap(Reports);
  return taken;
}
