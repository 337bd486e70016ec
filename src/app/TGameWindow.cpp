// The window and the drawing: opening the surface full screen or windowed,
// the window's place on the desktop, priorities, the frame's drawing and
// flip, the paused picture, vertical sync and screenshots.
#include "app/AppGlobals.h"
#include "app/InputTables.h"
#include "app/TGame.h"
#include "app/TScreen.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Pixmap.h"
#include "platform/System.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

// The system messages of GraphicsCreate end the process at once, without the
// steps of ExitProgram.
[[noreturn]] void EndWithMessage(const std::string& message) {
  platform::ShowSystemMessage("Marrowdeck", message);
  std::fflush(nullptr);
  std::_Exit(1);
}

platform::GraphicsConfig Config(bool fullScreen) {
  platform::GraphicsConfig config;
  config.title = "Marrowdeck";
  config.width = ScreenWidth;
  config.height = ScreenHeight;
  config.fullScreen = fullScreen;
  config.vsync = FlipSync != 0;
  return config;
}

} // namespace
// Only the OpenGL-class renderer exists here, so the first start takes the
// "other driver" branch: Driver becomes 1 and is saved at once.
int TGame::GraphicsCreate() {
  StartupStage = 100;
  if (platform::CountGraphicsModes() == 0) EndWithMessage("No 3D Hardware Found (could not count graphics modes.)");

  if (Driver == 0) {
    StartupStage = 101;
    StartupStage = 103;
    StartupStage = 104;
    Driver = 1;
    StartupStage = 105;
    IniUpdate(1);
  } else {
    StartupStage = 106;
    StartupStage = 107;
  }

  if (FirstTime == 1) {
    StartupStage = 112;
    FirstTime = 0;
    DesktopRefreshRate = 60;
    StartupStage = 113;
    DesktopWidth = platform::DesktopWidth();
    DesktopHeight = platform::DesktopHeight();
  }

  bool opened = false;
  if (FullScreen == 1) {
    StartupStage = 114;
    opened = platform::GraphicsOpen() ? platform::SetFullScreen(true) : platform::OpenGraphics(Config(true));
    if (opened) {
      Depth = 32;
    } else {
      // No full-screen mode: play in a window and refuse later switches.
      StartupStage = 117;
      ForceWindowedMode = 1;
      FullScreen = 0;
    }
    StartupStage = 133;
    WindowHandle = 1;
  }
  if (FullScreen == 0) {
    StartupStage = 118;
    opened = platform::GraphicsOpen() ? platform::SetFullScreen(false) || !platform::IsFullScreen()
                                      : platform::OpenGraphics(Config(false));
    Depth = 0;
    if (!opened) {
      StartupStage = 28;
      EndWithMessage("Cannot create Windowed Mode at " + std::to_string(ScreenWidth) + "x" +
                     std::to_string(ScreenHeight) + " " + std::to_string(DesktopRefreshRate) + "Hz");
    }
    StartupStage = 119;
    WindowHandle = 1;
    StartupStage = 130;
    platform::CentreWindow();
    StartupStage = 131;
    SetWindowCoords();
    SetClientCoords();
    StartupStage = 132;
  }

  StartupStage = 134;
  FlushKeys();
  FlushMouse();
  platform::FlushEvents();
  StartupStage = 135;
  SetPriority();
  GameRefreshRate = -1;
  StartupStage = 138;
  std::string icon = platform::ResolvePath(DataPrefix + "data/graphics/icon.png");
  platform::Pixmap iconPixels;
  if (platform::FileExists(icon) && platform::LoadPixmap(icon, iconPixels)) platform::SetWindowIcon(iconPixels);
  StartupStage = 139;
  return 1;
}

int TGame::SetPriority() {
  if (FullScreen == 1) platform::SetProcessPriority(FullScreenProcess, FullScreenThread);
  else platform::SetProcessPriority(WindowedProcess, WindowedThread);
  return 1;
}

int TGame::ToggleFullScreen() {
  if (FullScreen == 0 && ForceWindowedMode == 1) return 0;
  FullScreen = FullScreen == 1 ? 0 : 1;
  SavedFullScreen = -1; // the player's choice is saved from now on
  if (FullScreen == 1) platform::ShowSystemCursor(false);
  Mouse->ClearButtons();
  GraphicsCreate();
  RestoreMouseCoords();
  IniUpdate(1);
  FixedRateLogic.Init();
  FixedRateLogic.HistoryClear();
  return 1;
}

int TGame::SetDriver(int driver) {
  driver = driver != 0 ? 1 : 0;
  if (driver == Driver) return 0;
  Driver = driver;
  platform::CloseGraphics();
  GraphicsCreate();
  platform::MoveMouse(Mouse->x, Mouse->y);
  IniUpdate(1);
  FixedRateLogic.Init();
  FixedRateLogic.HistoryClear();
  FlushKeys();
  FlushMouse();
  return 1;
}

int TGame::SetWindowCoords() {
  if (platform::GraphicsOpen()) platform::GetWindowPosition(WindowX, WindowY);
  return 1;
}

int TGame::SetClientCoords() {
  if (platform::GraphicsOpen()) platform::GetClientPosition(ClientX, ClientY);
  return 1;
}

int TGame::RestoreMouseCoords() {
  if (FullScreen == 1) {
    Mouse->x = std::clamp(Mouse->x, 0, ScreenWidth - 1);
    Mouse->y = std::clamp(Mouse->y, 0, ScreenHeight - 1);
  }
  platform::MoveMouse(Mouse->x, Mouse->y);
  return 1;
}

int TGame::TakeScreenshot() {
  platform::Pixmap shot;
  if (!platform::GrabBackBuffer(shot)) return 0;
  std::time_t now = std::time(nullptr);
  char name[64];
  std::strftime(name, sizeof name, "%Y-%m-%d %H%M%S screenshot.png", std::localtime(&now));
  std::string folder = UseCorrectPath == 1 ? SubPath : std::string();
  return platform::SavePng(shot, folder + name, 9) ? 1 : 0;
}

int TGame::SetGP(int x, int y) {
  gpX = x;
  gpY = y;
  return 1;
}

int TGame::ScreenDraw() {
  DrawTime.Start();
  if (NoDraw == 1) {
    NoDraw = 0;
    return 0;
  }
  if (CurrentTScreen) CurrentTScreen->Draw();
  else platform::Cls();
  if (Fading() == 0) ShowPaused();
  if (FadeMouse == 1) Mouse->Draw();
  GameFade.Draw();
  if (Fading() == 1) ShowPaused();
  if (FadeMouse == 0) Mouse->Draw();
  DrawTime.Calc();
  DebugPrint();
  PostDraw();
  return 1;
}

int TGame::PostDraw() {
  platform::Flip(FlipSync != 0);
  return 1;
}

int TGame::ShowPaused() {
  if ((Paused == 0 && Suspended == 0) || !SpritePaused || !SpritePaused->image) return 0;
  platform::SetBlend(platform::Blend::Alpha);
  if (DimWhenPaused == 1) {
    platform::SetColor(0, 0, 0);
    platform::SetAlpha(0.5f);
    platform::DrawRect(0, 0, float(ScreenWidth), float(ScreenHeight));
  }
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  // Centred on the screen whatever the picture's handle.
  auto& picture = *SpritePaused->image;
  float x = (ScreenWidth - SpritePaused->w) / 2.0f + picture.HandleX();
  float y = (ScreenHeight - SpritePaused->h) / 2.0f + picture.HandleY();
  platform::DrawPicture(picture, x, y);
  return 1;
}

int TGame::SpritePausedCreate(std::shared_ptr<TGameImage> image) {
  SpritePaused = std::move(image);
  return SpritePaused ? 1 : 0;
}

int TGame::SetFlipSync() {
  FlipSync = VSync != 0 ? 1 : 0;
  return 1;
}

int TGame::ToggleVSync() {
  VSync = VSync == 1 ? 0 : 1;
  IniUpdate(1);
  SetFlipSync();
  platform::SetVSync(VSync == 1);
  FixedRateLogic.Init();
  FixedRateLogic.HistoryClear();
  return 1;
}
