#include "app/TGameFade.h"

#include "app/AppGlobals.h"
#include "app/Delta.h"
#include "app/InputTables.h"
#include "app/TGame.h"
#include "app/TScreen.h"
#include "platform/Audio.h"
#include "platform/Graphics.h"

#include <algorithm>

int TGameFade::Init(float length, int out, std::shared_ptr<platform::audio::Channel> channel, int allowAnim,
                    float counterStart) {
  if (Active == 1) return 0;
  if (out == 1) {
    MusicFadedOut = channel && channel == Game->MusicChannel ? 1 : 0;
  } else {
    if (!channel && MusicFadedOut == 1) channel = Game->MusicChannel;
    MusicFadedOut = 0;
  }
  Length = int(Game->CalcAnimLength(length));
  Counter = counterStart;
  Active = 1;
  Out = out;
  FlushKeys();
  FlushMouse();
  Done = 0;
  Channel = std::move(channel);
  Channel2.reset();
  AllowAnim = allowAnim;
  FadeInAborted = 0;
  FadeCounterBeforeAbort = 0;
  SetToFullOnAbort = 1;
  AbortKey = -1;
  if (Out == 1) Game->FadeMusic = 1;
  Ratio = Out == 1 ? 1.0f : 0.0f;
  if (counterStart > 0) CalcRatio();
  if (Game->Fade == 0 || Game->NoFade == 1) Finish();
  return 1;
}

int TGameFade::Manage() {
  if (Active == 0) return 0;
  int key = FirstKeyHit();
  bool clicked = Game->Mouse && Game->Mouse->GetMh(1) > 0;
  if (key >= 0 || clicked) {
    if (Out == 0) {
      FadeInAborted = 1;
      AbortKey = key >= 0 ? key : -1;
    }
    Finish();
    return -1;
  }
  Counter += Delta;
  CalcRatio();
  FadeChannels();
  if (Counter >= float(Length)) {
    Finish();
    return 1;
  }
  return 0;
}

int TGameFade::CalcRatio() {
  float ratio = Length > 0 ? Counter / float(Length) : 1.0f;
  ratio = std::clamp(ratio, 0.0f, 1.0f);
  Ratio = Out == 1 ? 1.0f - ratio : ratio;
  return 1;
}

int TGameFade::FadeChannels() {
  if (Channel) Channel->SetVolume(Ratio * float(Game->MusicVolume) / 100.0f);
  if (Channel2 && Channel2->Channel) Channel2->Channel->SetVolume(Ratio * float(Game->SoundVolume) / 100.0f);
  if (Game->SpeechChannel) Game->SpeechChannel->SetVolume(Ratio * float(Game->SpeechVolume) / 100.0f);
  return 1;
}

int TGameFade::Finish() {
  Active = 0;
  Done = 1;
  if (Out == 1) {
    Ratio = 0;
  } else {
    if (SetToFullOnAbort == 1) Ratio = 1.0f;
    if (FadeInAborted == 1) FadeCounterBeforeAbort = Counter;
  }
  FadeChannels();
  if (Out == 1) {
    if (Channel2) {
      if (Channel2IsGameChannelArray == 1 && Game->Channels) Game->Channels->StopGameChannel(Channel2);
      else if (Channel2->Channel) Channel2->Channel->Stop();
    }
    Game->SpeechStop();
  }
  if (Out == 0) {
    if (Game->CurrentTScreen) Game->CurrentTScreen->PostFadeIn();
  } else if (Game->Fade == 1 && Game->NoFade == 0 && platform::GraphicsOpen()) {
    // Black while the next screen loads.
    platform::SetClsColor(0, 0, 0);
    platform::Cls();
    if (Game->FadeMouse == 0 && Game->Mouse) Game->Mouse->Draw();
    platform::Flip(true);
  }
  Game->NoFade = 0;
  FlushKeys();
  FlushMouse();
  return 1;
}

int TGameFade::Draw() {
  if (Active == 0) return 0;
  platform::SetBlend(platform::Blend::Alpha);
  platform::SetColor(0, 0, 0);
  platform::SetAlpha(1.0f - Ratio);
  platform::DrawRect(0, 0, float(ScreenWidth), float(ScreenHeight));
  platform::SetAlpha(1.0f);
  platform::SetColor(255, 255, 255);
  return 1;
}

int TGameFade::GetDone() {
  int done = Done;
  Done = 0;
  return done;
}
