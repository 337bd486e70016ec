// The main loop and input: fixed-rate logic ticks, the event pump, the
// framework keys, focus handling, pause, speed and the screen changes.
#include "app/AppGlobals.h"
#include "app/Clock.h"
#include "app/Delta.h"
#include "app/InputTables.h"
#include "app/TGame.h"
#include "app/TLoadingScreen.h"
#include "app/TScreen.h"
#include "platform/ErrorReport.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Keys.h"
#include "platform/System.h"

#include <cmath>

namespace keys = platform::keys;

int TGame::MainLogicLoop() {
  FixedRateLogic.Calc();
  if (NoTiming == 1) FixedRateLogic.NumTicks = NoTimingTicks;
  LogicTime.Start();
  double whole = std::floor(FixedRateLogic.NumTicks);
  for (int tick = 0; tick < int(whole); ++tick) {
    FixedRateLogic.SetDelta(1.0f);
    if (LogicWrapper() == -1) return -1;
  }
  double fraction = FixedRateLogic.NumTicks - whole;
  if (fraction > 0) {
    FixedRateLogic.SetDelta(float(fraction));
    if (LogicWrapper() == -1) return -1;
  }
  LogicTime.Calc();
  return 1;
}

int TGame::LogicWrapper() {
  Mouse->ClearMouseHit();
  Mouse->Manage();
  DoPeekEvent();
  ReadKeys();
  if (InstantExit == 1) return -1;
  if (Paused == 1 || Suspended == 1) return 0;
  GameFade.Manage();
  if (Fading() == 0 || GameFade.AllowAnim == 1) {
    ScreenChange();
    if (CurrentTScreen) CurrentTScreen->Logic();
  }
  return 1;
}

int TGame::DoPeekEvent() {
  if (HasMovedAfterRelease) {
    Mouse->x = MovedAfterReleaseX;
    Mouse->y = MovedAfterReleaseY;
    HasMovedAfterRelease = false;
  }
  bool released = false;
  int releaseX = 0, releaseY = 0;
  bool pressedThisTick[4] = {};
  platform::Event event;
  bool held = HeldReleaseButton != 0;
  if (held) {
    event.type = platform::EventType::MouseUp;
    event.button = HeldReleaseButton;
    event.x = HeldReleaseX, event.y = HeldReleaseY;
    HeldReleaseButton = 0;
  }
  while (held || platform::PollEvent(event)) {
    held = false;
    if (event.type == platform::EventType::MouseUp && event.button >= 1 && event.button <= 3 &&
        pressedThisTick[event.button]) {
      HeldReleaseButton = event.button;
      HeldReleaseX = event.x, HeldReleaseY = event.y;
      break; // what follows the release waits for the next tick with it
    }
    switch (event.type) {
    case platform::EventType::Suspend: SuspendedEvent = 1; break;
    case platform::EventType::Resume: SuspendedEvent = 0; break;
    case platform::EventType::Close: TerminatedEvent = 1; break;
    case platform::EventType::KeyDown:
      if (event.key >= 0 && event.key < keys::KeyCount) {
        KeyDowns[event.key] = 1;
        ++KeyHits[event.key];
      }
      break;
    case platform::EventType::KeyUp:
      if (event.key >= 0 && event.key < keys::KeyCount) KeyDowns[event.key] = 0;
      break;
    case platform::EventType::Char:
      CharQueue.Put(event.ch);
      break;
    case platform::EventType::MouseDown:
      released = false;
      if (event.button >= 1 && event.button <= 3) pressedThisTick[event.button] = true;
      Mouse->ClearMouseHit();
      if (event.button == 1) { Mouse->b1 = 1; ++Mouse->h1; }
      else if (event.button == 2) { Mouse->b2 = 1; ++Mouse->h2; }
      else if (event.button == 3) { Mouse->b3 = 1; ++Mouse->h3; }
      Mouse->x = event.x;
      Mouse->y = event.y;
      Mouse->CalcButtonTotals();
      break;
    case platform::EventType::MouseUp:
      if (event.button == 1) Mouse->b1 = 0;
      else if (event.button == 2) Mouse->b2 = 0;
      else if (event.button == 3) Mouse->b3 = 0;
      Mouse->CalcButtonTotals();
      released = true;
      releaseX = event.x, releaseY = event.y;
      break;
    case platform::EventType::MouseMove:
      Mouse->x = event.x;
      Mouse->y = event.y;
      break;
    case platform::EventType::MouseWheel:
      Mouse->z += event.wheel;
      break;
    }
  }
  // A drop is judged where the button came up, not where a move that
  // arrived with it in the same tick took the pointer.
  if (released && (Mouse->x != releaseX || Mouse->y != releaseY)) {
    HasMovedAfterRelease = true;
    MovedAfterReleaseX = Mouse->x, MovedAfterReleaseY = Mouse->y;
    Mouse->x = releaseX, Mouse->y = releaseY;
  }
  // A lost resume event must not leave the game suspended.
  if (Suspended == 1 && SuspendedEvent == 1 && platform::GraphicsOpen() && platform::AppHasFocus())
    SuspendedEvent = 0;
  return 1;
}

int TGame::ReadKeys() {
  if (CheckWindow() == -1) {
    // Paused or in the background no logic runs, so an exit fade would never
    // end: the game ends at once (InstantExit stays set).
    if (FadeOnExit == 0 || Paused == 1 || Suspended == 1) return -1;
    InstantExit = 0;
    // A close request during a fade in would otherwise be lost: the fade in
    // is finished so the exit fade can start.
    if (GameFade.Active == 1 && GameFade.Out == 0) GameFade.Finish();
    GameFade.Init(float(DefaultFadeLength), 1, MusicChannel);
    DestinationTScreen = ExitScreen;
  }
  if (BlockKeys == 1) return 0;

  if (IgnorePauseKey == 0) {
    bool toggle = KeyHit(keys::A + ('P' - 'A')) == 1;
    if (!toggle && Paused == 1 && Mouse->GetMh(1) > 0) toggle = true;
    if (toggle) {
      Paused = Paused == 1 ? 0 : 1;
      if (Paused == 1) Pause();
      else UnPause();
      FlushKeys();
      FlushMouse();
    }
  }

  if (KeyHit(keys::Escape) == 1) {
    if (GameFade.Active == 1) {
      if (GameFade.Out == 0) {
        GameFade.FadeInAborted = 1;
        GameFade.AbortKey = 0;
      }
      GameFade.Finish();
    } else if (Paused == 1) {
      Paused = 0;
      UnPause();
      FlushKeys();
      FlushMouse();
    } else if (IgnoreEscapeKey == 1) {
      ++KeyHits[keys::Escape]; // left for the screen to read
    } else {
      EscapeSoundPlay();
      int length = CurrentTScreen ? CurrentTScreen->SetEscDestination() : 0;
      if (length == 0) length = DefaultFadeLength;
      if (FadeMusic == 0) GameFade.Init(float(length), 1, nullptr);
      else GameFade.Init(float(length), 1, MusicChannel);
    }
  }

  if ((KeyDown(keys::LeftAlt) == 1 || KeyDown(keys::RightAlt) == 1) && KeyHit(keys::Enter) == 1) {
    ToggleFullScreen();
    FlushKeys();
  }

  FrameworkKeys();

  if (GraphicPlacement == 1) {
    if (KeyHit(keys::Left)) --gpX;
    if (KeyHit(keys::Right)) ++gpX;
    if (KeyHit(keys::Up)) --gpY;
    if (KeyHit(keys::Down)) ++gpY;
  }

  if (Paused == 0 && Suspended == 0 && CurrentTScreen) CurrentTScreen->SpecificKeys();
  return 1;
}

// Developer keys; this product switches them off with IgnoreFrameworkKeys and
// IgnoreDebugKey.
void TGame::FrameworkKeys() {
  auto letter = [](char c) { return keys::A + (c - 'A'); };
  if (IgnoreFrameworkKeys == 0) {
    if (KeyHit(keys::Minus)) {
      SoundChangeVolume(-10);
      MusicChangeVolume(-10);
      SpeechChangeVolume(-10);
    }
    if (KeyHit(keys::Equals)) {
      SoundChangeVolume(10);
      MusicChangeVolume(10);
      SpeechChangeVolume(10);
    }
    if ((KeyDown(keys::LeftControl) || KeyDown(keys::RightControl)) && KeyHit(letter('X'))) {
      InstantExit = 1;
      if (CurrentTScreen && CurrentTScreen->name == "game" && ProfileLoadedFunction && ProfileLoadedFunction() &&
          SaveProfileFunction)
        SaveProfileFunction();
    }
    if (KeyHit(letter('F'))) ToggleFullScreen();
    if (KeyHit(letter('M'))) ToggleMusic();
    if (KeyHit(letter('S'))) ToggleSound();
    if (KeyHit(letter('T'))) Fast == 1 ? FastOff() : FastOn();
    if (KeyHit(letter('L'))) SlowMotion == 1 ? SlowMotionOff() : SlowMotionOn();
    if (KeyHit(keys::F12)) TakeScreenshot();
    if (KeyHit(letter('I'))) FlipSync = FlipSync == 1 ? -1 : FlipSync == -1 ? 0 : 1;
    if (KeyHit(letter('N'))) NoTiming = NoTiming == 1 ? 0 : 1;
    if (KeyHit(letter('V'))) ToggleVSync();
    if (KeyHit(letter('G'))) SetDriver(Driver == 1 ? 0 : 1);
    if (KeyHit(letter('H'))) {
      std::string next = SoundDriver == "FreeAudio" ? "DirectSound"
                         : SoundDriver == "DirectSound" ? "OpenAL Generic Software"
                                                        : "FreeAudio";
      ChangeSoundDriver(next, 1);
    }
  }
  if (IgnoreDebugKey == 0 && KeyHit(letter('D'))) {
    Debug = Debug == 1 ? 0 : 1;
    if (Debug == 1) {
      DebugReset();
      LogicTime.Start();
      DebugShowFPSOnly = (KeyDown(keys::LeftShift) || KeyDown(keys::RightShift)) ? 1 : 0;
    }
  }
}

int TGame::CheckWindow() {
  if (GameTerminated() == -1) return -1;
  if (SuspendedEvent == 1 && Suspended == 0) {
    if (PauseOnLossOfFocus == 1 && Paused == 0) {
      Paused = 1;
      Pause();
    }
    if (Paused == 0) {
      PausedMusicState = Music;
      PausedSpeechState = Speech;
      if (Music == 1) MusicOff();
      if (Speech == 1) SpeechOff();
      if (PausedUserFunction) PausedUserFunction();
      platform::SetProcessPriority(0, 0);
    }
    Suspended = 1;
    if (UserSuspendFunction) UserSuspendFunction();
  } else if (SuspendedEvent == 0 && Suspended == 1) {
    if (Paused == 0) {
      if (PausedMusicState == 1) MusicOn();
      if (PausedSpeechState == 1) SpeechOn();
      SetPriority();
    }
    FixedRateLogic.Init();
    Suspended = 0;
    if (UserResumeFunction) UserResumeFunction();
    FlushKeys();
    FlushMouse();
  }
  if (Suspended == 0 && Paused == 0) AudioLogic();
  if (Suspended == 1) platform::Delay(1);
  return 1;
}

int TGame::GameTerminated() {
  if (TerminatedEvent == 0) return 1;
  TerminatedEvent = 0;
  if (TerminatedUserFunction && TerminatedUserFunction() != 0) return 1;
  InstantExit = 1;
  if (CurrentTScreen && CurrentTScreen->name == "game" && ProfileLoadedFunction && ProfileLoadedFunction() &&
      SaveProfileFunction)
    SaveProfileFunction();
  return -1;
}

int TGame::Pause() {
  PausedMusicState = Music;
  PausedSpeechState = Speech;
  if (Music == 1) MusicOff();
  if (Speech == 1) SpeechOff();
  if (PausedUserFunction) PausedUserFunction();
  platform::SetProcessPriority(0, 0);
  return 1;
}

int TGame::UnPause() {
  if (PausedMusicState == 1) MusicOn();
  if (PausedSpeechState == 1) SpeechOn();
  SetPriority();
  FixedRateLogic.Init();
  return 1;
}

int TGame::FastOn() {
  Fast = 1;
  LastFlipSync = FlipSync;
  FlipSync = 0;
  FixedRateLogic.Init();
  FixedRateLogic.HistoryClear();
  return 1;
}

int TGame::FastOff() {
  if (Fast != 1) return 0;
  Fast = 0;
  FlipSync = LastFlipSync;
  FixedRateLogic.Init();
  FixedRateLogic.HistoryClear();
  return 1;
}

int TGame::SlowMotionOn() {
  SlowMotion = 1;
  CurrentSpeed = SlowMotionSpeed;
  FixedRateLogic.Framerate = FixedRateLogic.FramerateDefault * SlowMotionSpeed;
  FixedRateLogic.CalcMS();
  FixedRateLogic.Init();
  return 1;
}

int TGame::SlowMotionOff() {
  SlowMotion = 0;
  CurrentSpeed = 1.0f;
  FixedRateLogic.Framerate = float(FixedRateLogic.FramerateDefault);
  FixedRateLogic.CalcMS();
  FixedRateLogic.Init();
  return 1;
}

float TGame::CalcAnimLength(float ms) { return ms / FixedRateLogic.MS / CurrentSpeed; }

float TGame::CalcAnimLengthFromFloat(float ms) { return CalcAnimLength(ms); }

int TGame::CalcMilliSecsFromFrames(float ticks) { return int(ticks * FixedRateLogic.MS * CurrentSpeed); }

void TGame::ResetLogicTimer() { FixedRateLogic.Init(); }

int TGame::IsPaused() const { return Paused; }

float TGame::EffectFadeRatio() const { return GameFade.Active == 1 ? GameFade.Ratio : 1.0f; }

int TGame::ScreenChange() {
  if (GameFade.GetDone() != 1 || GameFade.Out != 1) return 0;
  std::shared_ptr<TScreen> current = CurrentTScreen;
  if (current && current->StopKill == 0) current->Kill();
  if (!DestinationTScreen)
    ShowError("Screen '" + (current ? current->name : std::string()) + "' does not have a destination screen set!",
              1);
  LastTScreen = current;
  if (DestinationTScreen == ExitScreen) {
    InstantExit = 1;
    CurrentTScreen = ExitScreen;
  } else {
    DestinationTScreen->PreStart();
  }
  FlushKeys();
  FlushMouse();
  return 1;
}

int TGame::Fading() { return GameFade.Active; }

int TGame::FadeOff() {
  NoFade = 1;
  return 1;
}

int TGame::MoveBar() {
  if (!LoadingScreen) return 0;
  return LoadingScreen->MoveBar();
}
