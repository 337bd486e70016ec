#pragma once
#include "app/TFade.h"

#include <memory>
#include <string>

namespace platform::audio { class Sound; class Channel; }

// A blocking logo splash before loading: the picture fades in, holds and
// fades out, with an optional sound whose volume follows the picture. Any key
// or click skips the rest.
class TSplashScreen {
public:
  // Fatal "Error loading bitmap " / "Error loading sample " + path.
  int Init(const std::string& imagePath, const std::string& soundPath, int sound, int fadeSound);
  int InitTimes(float in, float full, float out);
  // 0 played through, -1 cut short.
  int DoSplash();
  int CleanUp();

  std::shared_ptr<TGameImage> Image;
  std::shared_ptr<platform::audio::Sound> Sample;
  int Sound = 1;
  float SampleRate = 1.0f;
  int FadeSound = 0;
  std::shared_ptr<platform::audio::Channel> Channel;
  TFade fade;
  float TimeIn = 2000, TimeFull = 1000, TimeOut = 2000;
  int OriginalPolledInputState = 0;
  std::shared_ptr<TGameImage> background;
  float BackgroundXSpeed = 0, BackgroundYSpeed = 0, BackgroundZoomSpeed = 0, BackgroundFadeTime = 0;
};

// The maker's logo splash shown at start-up when fades are on.
int ShowLogoSplash(int sound, int useBackground);
