// The debug overlay: the timing counters and the panel of figures drawn over
// the frame while Debug is on.
#include "app/AppGlobals.h"
#include "app/TGame.h"
#include "app/TScreen.h"
#include "app/TTrackingVar.h"
#include "platform/Graphics.h"

#include <string>
#include <vector>

int TGame::DebugReset() {
  FixedRateLogic.maximum = 0;
  LogicTime.Init();
  DrawTime.Init();
  CodeTime.Init();
  FPS.Init();
  return 1;
}

int TGame::DebugPrint() {
  if (Debug != 1) return 0;
  FPS.Calc();
  if (!DebugTextHook) return 1;
  std::vector<std::string> lines;
  if (DebugShowFPSOnly == 1) {
    lines.push_back(FPS.GetDisplay());
  } else {
    auto onOff = [](int v) { return std::string(v ? "on" : "off"); };
    lines = {LogicTime.GetDisplay(), DrawTime.GetDisplay(), FPS.GetDisplay(),
             "Desk Hz " + std::to_string(DesktopRefreshRate), "Game Hz " + std::to_string(GameRefreshRate),
             FixedRateLogic.GetDisplay(), "Flip    " + std::to_string(FlipSync), "Fast    " + std::to_string(Fast),
             "Slow    " + std::to_string(SlowMotion), "VSync   " + std::to_string(VSync),
             "Timing  " + std::to_string(NoTiming == 0 ? 1 : 0),
             Driver == 1 ? std::string("Gfx Drv OpenGL") : "Gfx Drv DirectX " + DirectXVersion,
             "Snd Drv " + SoundDriver, "Os Ver  " + OSVersion,
             "M. Vol. " + std::to_string(MusicVolume) + " (" + onOff(Music) + ")",
             "S. Vol. " + std::to_string(SoundVolume) + " (" + onOff(Sound) + ")",
             "Sp. Vol." + std::to_string(SpeechVolume) + " (" + onOff(Speech) + ")",
             "Mouse X " + std::to_string(Mouse->x), "Mouse Y " + std::to_string(Mouse->y),
             "Screen  " + (CurrentTScreen ? CurrentTScreen->name : std::string()),
             "Handle  " + std::to_string(WindowHandle), "Debug1  " + std::to_string(Debug1),
             "Debug2  " + std::to_string(Debug2), "Debug3  " + std::to_string(Debug3),
             "Debug4  " + std::to_string(Debug4)};
    if (GraphicPlacement == 1) {
      lines.push_back("GP X    " + std::to_string(gpX));
      lines.push_back("GP Y    " + std::to_string(gpY));
    }
  }
  platform::SetBlend(platform::Blend::Alpha);
  platform::SetColor(0, 0, 0);
  platform::SetAlpha(DebugPanel);
  platform::DrawRect(float(DebugDisplayX - 5), float(DebugDisplayY - 5), 350.0f,
                     float(lines.size() * DebugImageFontGap + 10));
  platform::SetAlpha(1.0f);
  int y = DebugDisplayY;
  for (const auto& line : lines) {
    if (DebugShadow == 1) {
      platform::SetColor(0, 0, 0);
      DebugTextHook(DebugDisplayX + 1, y + 1, line);
    }
    platform::SetColor(255, 255, 255);
    DebugTextHook(DebugDisplayX, y, line);
    y += DebugImageFontGap;
  }
  return 1;
}
