#include "app/TFade.h"

#include "app/AppGlobals.h"
#include "app/Clock.h"
#include "app/InputTables.h"
#include "app/TGame.h"
#include "platform/Audio.h"
#include "platform/Graphics.h"

#include <algorithm>

int TFade::Init(float length, std::shared_ptr<TGameImage> image, std::shared_ptr<platform::audio::Channel> channel) {
  Length = length;
  Image = std::move(image);
  Channel = std::move(channel);
  Reset();
  return 1;
}

int TFade::Reset() {
  StartTime = float(AppMillisecs());
  LastTime = StartTime;
  Elapsed = 0;
  Ratio = 0;
  return 1;
}

int TFade::CentreImage() {
  if (!Image) return 0;
  X = (ScreenWidth - Image->w) / 2;
  Y = (ScreenHeight - Image->h) / 2;
  return 1;
}

bool TFade::InputHit() {
  if (SystemInputPump) SystemInputPump();
  bool key = FirstKeyHit() >= 0;
  bool click = Game && Game->Mouse && Game->Mouse->GetMh(1) > 0;
  return key || click;
}

// Runs until `length` ms have passed, drawing every frame; -1 on input.
int TFade::Run(float length) {
  Reset();
  while (Elapsed <= length) {
    if (InputHit()) return -1;
    float now = float(AppMillisecs());
    Elapsed = now - StartTime;
    if (Out == -1) {
      Ratio = 1.0f;
    } else {
      float ratio = length > 0 ? std::clamp(Elapsed / length, 0.0f, 1.0f) : 1.0f;
      Ratio = Out == 1 ? 1.0f - ratio : ratio;
    }
    MoveBackground(now, Elapsed);
    Draw();
  }
  return 0;
}

int TFade::FadeDo(int out) {
  Out = out;
  return Run(Length);
}

int TFade::WaitForTime(float ms) {
  Out = -1;
  return Run(ms);
}

int TFade::MoveBackground(float now, float elapsed) {
  float seconds = (now - LastTime) / 1000.0f;
  LastTime = now;
  BackgroundX += seconds * BackgroundXSpeed;
  BackgroundY += seconds * BackgroundYSpeed;
  BackgroundZoom += seconds * BackgroundZoomSpeed;
  if (Out == -1 || BackgroundFadeTime <= 0) BackgroundAlpha = 1.0f;
  else if (Out == 0) BackgroundAlpha = std::min(1.0f, elapsed / BackgroundFadeTime);
  else BackgroundAlpha = std::max(0.0f, 1.0f - (elapsed - (Length - BackgroundFadeTime)) / BackgroundFadeTime);
  return 1;
}

int TFade::Draw() {
  platform::SetClsColor(0, 0, 0);
  platform::Cls();
  platform::SetBlend(platform::Blend::Alpha);
  platform::SetColor(255, 255, 255);
  if (Background && Background->image) {
    platform::SetScale(BackgroundZoom, BackgroundZoom);
    platform::SetAlpha(BackgroundAlpha);
    platform::DrawPicture(*Background->image, -BackgroundX * BackgroundZoom, -BackgroundY * BackgroundZoom);
    platform::SetScale(1.0f, 1.0f);
  }
  if (Image && Image->image) {
    platform::SetAlpha(Ratio);
    platform::DrawPicture(*Image->image, float(X) + Image->image->HandleX(), float(Y) + Image->image->HandleY());
  }
  platform::SetAlpha(1.0f);
  if (Channel && Game) Channel->SetVolume(Ratio * float(Game->SoundVolume) / 100.0f);
  platform::Flip(FlipSync != 0);
  return 1;
}

int TFade::Full() {
  Ratio = 1.0f;
  return Draw();
}

int TFade::Zero() {
  Ratio = 0;
  return Draw();
}
