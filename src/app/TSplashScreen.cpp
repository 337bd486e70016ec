#include "app/TSplashScreen.h"

#include "app/InputTables.h"
#include "app/TGame.h"
#include "platform/Audio.h"
#include "platform/ErrorReport.h"
#include "platform/Files.h"
#include "platform/Graphics.h"

int TSplashScreen::Init(const std::string& imagePath, const std::string& soundPath, int sound, int fadeSound) {
  Image = TGameImage::Create(imagePath, -1, 0);
  if (Image && Image->image) Image->image->Precache();
  if (!soundPath.empty()) {
    Sample = platform::audio::Sound::Load(platform::ResolvePath(soundPath), fadeSound == 1);
    if (!Sample) ShowError("Error loading sample " + soundPath, 1);
  }
  Sound = sound;
  FadeSound = fadeSound;
  FlushKeys();
  FlushMouse();
  // The splash runs outside the main loop, so input is read straight from the
  // event queue while it shows.
  OriginalPolledInputState = UseSystemInput;
  UseSystemInput = 1;
  return 1;
}

int TSplashScreen::InitTimes(float in, float full, float out) {
  TimeIn = in;
  TimeFull = full;
  TimeOut = out;
  return 1;
}

int TSplashScreen::DoSplash() {
  platform::SetClsColor(0, 0, 0);
  platform::Cls();
  platform::Flip(true);
  if (Sound == 1 && Sample) {
    Channel = platform::audio::Channel::Allocate();
    Channel->Cue(Sample);
    if (FadeSound == 1) {
      Channel->SetRate(SampleRate);
      Channel->SetVolume(0);
    } else if (Game) {
      Channel->SetVolume(float(Game->SoundVolume) / 100.0f);
    }
    Channel->Resume();
  }
  fade.Background = background;
  fade.BackgroundXSpeed = BackgroundXSpeed;
  fade.BackgroundYSpeed = BackgroundYSpeed;
  fade.BackgroundZoomSpeed = BackgroundZoomSpeed;
  fade.BackgroundFadeTime = BackgroundFadeTime;
  fade.Init(TimeIn, Image, FadeSound == 1 ? Channel : nullptr);
  fade.CentreImage();

  int result = fade.FadeDo(0);
  if (result != -1) result = fade.WaitForTime(TimeFull);
  if (result != -1) {
    fade.Reset();
    fade.Length = TimeOut;
    result = fade.FadeDo(1);
  }
  if (result != -1) fade.Zero();
  CleanUp();
  return result == -1 ? -1 : 0;
}

int TSplashScreen::CleanUp() {
  if (Channel) Channel->Stop();
  platform::ResetDrawState();
  FlushKeys();
  FlushMouse();
  UseSystemInput = OriginalPolledInputState;
  FlushKeys();
  FlushMouse();
  return 1;
}

int ShowLogoSplash(int sound, int useBackground) {
  TSplashScreen splash;
  splash.Init(Game->DataPrefix + "data/graphics/velquorlogo.png", Game->DataPrefix + "data/sound/splash.wav", sound,
              1);
  std::string backgroundPath = platform::ResolvePath(Game->DataPrefix + "data/graphics/splashbg.jpg");
  if (useBackground == 1 && platform::FileExists(backgroundPath))
    splash.background = TGameImage::Create(backgroundPath, -1, 0);
  splash.BackgroundXSpeed = 20.0f;
  splash.BackgroundYSpeed = 10.0f;
  splash.BackgroundZoomSpeed = 0.02f;
  splash.BackgroundFadeTime = 250.0f;
  splash.SampleRate = 0.9f;
  splash.InitTimes(1250, 1500, 1250);
  return splash.DoSplash();
}
