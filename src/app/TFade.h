#pragma once
#include "resources/TGameImage.h"

#include <memory>

namespace platform::audio { class Channel; }

// A blocking fader used by the logo splash: it draws and flips by itself
// (outside the main loop) until its time is up or a key or button is pressed.
// Times are milliseconds of the app clock.
class TFade {
public:
  int Init(float length, std::shared_ptr<TGameImage> image, std::shared_ptr<platform::audio::Channel> channel);
  int Reset();
  int CentreImage();
  // Fades in (out 0) or out (out 1); 0 when done, -1 when cut short.
  int FadeDo(int out);
  int MoveBackground(float now, float elapsed);
  // Holds the picture at full visibility for `ms`; -1 when cut short.
  int WaitForTime(float ms);
  int Draw();
  int Full();
  int Zero();

  std::shared_ptr<platform::audio::Channel> Channel;
  std::shared_ptr<TGameImage> Image;
  int X = 0, Y = 0;
  float Length = 0;
  float StartTime = 0, Elapsed = 0, LastTime = 0;
  float Ratio = 0;
  std::shared_ptr<TGameImage> Background;
  float BackgroundX = 0, BackgroundY = 0;
  float BackgroundZoom = 1.0f;
  float BackgroundXSpeed = 0, BackgroundYSpeed = 0, BackgroundZoomSpeed = 0;
  float BackgroundFadeTime = 0;
  float BackgroundAlpha = 0;
  int Out = 0;

private:
  int Run(float length);
  static bool InputHit();
};
