#include "app/ErrorReporter.h"

#include "app/AppGlobals.h"
#include "app/TGame.h"
#include "platform/Audio.h"
#include "platform/ErrorReport.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/System.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

std::function<void()> ExitProgramHook;
std::function<void(int, int, const std::string&)> ErrorTextHook;

namespace {

// The 600 x 100 box in the middle of the screen, shown until a key or button.
void ShowErrorInWindow(const std::string& message) {
  const float left = (ScreenWidth - 600) / 2.0f, top = (ScreenHeight - 100) / 2.0f;
  platform::FlushEvents();
  for (;;) {
    platform::ResetDrawState();
    platform::SetColor(0, 0, 0);
    platform::DrawRect(left + 4, top + 4, 600, 100);
    platform::SetColor(150, 150, 150);
    platform::DrawRect(left, top, 600, 100);
    platform::SetColor(220, 220, 200);
    platform::DrawRect(left + 1, top + 1, 598, 98);
    if (ErrorTextHook) {
      platform::SetColor(0, 220, 220);
      ErrorTextHook(ScreenWidth / 2, int(top) + 10 + 8, message);
      platform::SetColor(0, 220, 0);
      ErrorTextHook(ScreenWidth / 2, int(top) + 100 - 10 - 8, "<press any key>");
    }
    platform::SetColor(255, 255, 255);
    platform::Flip(true);
    platform::Event event;
    while (platform::PollEvent(event)) {
      if (event.type == platform::EventType::KeyDown || event.type == platform::EventType::MouseDown ||
          event.type == platform::EventType::Close)
        return;
    }
  }
}

} // namespace

std::string ErrorLogText(const std::string& message) {
  std::time_t now = std::time(nullptr);
  std::tm local = *std::localtime(&now);
  char date[32], time[32];
  std::strftime(date, sizeof date, "%d %b %Y", &local);
  std::strftime(time, sizeof time, "%H:%M:%S", &local);
  return std::string("Date: ") + date + "\nTime: " + time + "\n" + message + "\n";
}

void GameShowError(const std::string& message, int fatal) {
  // Before the drawing surface exists there is no window to draw the box in.
  if (ErrorsInGraphics == 1 && platform::GraphicsOpen()) ShowErrorInWindow(message);
  else platform::ShowSystemMessage("Marrowdeck", message);
  if (ErrorLogEnabled == 1) platform::WriteFileAtomic(ErrorLogFolder + "ErrorLog.txt", ErrorLogText(message));
  if (fatal != 0) {
    std::fflush(nullptr);
    std::_Exit(1);
  }
}

void InstallErrorReporter() { SetErrorHandler(GameShowError); }

void ExitProgram(int status) {
  if (Game) {
    Game->MakeGoodExit();
    Game->Kill();
  }
  platform::ShowSystemCursor(true);
  if (ExitProgramHook) ExitProgramHook();
  platform::CloseGraphics();
  platform::audio::Shutdown();
  std::fflush(nullptr);
  std::_Exit(status);
}

std::string UncaughtErrorMessage(const std::string& text) {
  if (StartupStage != 0) return "(" + std::to_string(StartupStage) + ") " + text;
  return text;
}

void ReportUncaughtError(const std::exception& error) { ReportUncaughtError(std::string(error.what())); }

void ReportUncaughtError(const std::string& text) {
  platform::CloseGraphics();
  platform::ShowSystemCursor(true);
  platform::ShowSystemMessage("Marrowdeck", UncaughtErrorMessage(text));
  ExitProgram(1);
}
