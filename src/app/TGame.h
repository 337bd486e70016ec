#pragma once
#include "app/TFixedRateLogic.h"
#include "app/TGameAudio.h"
#include "app/TGameFade.h"
#include "app/TIniFile.h"
#include "app/TMousePointer.h"
#include "app/TTrackingVar.h"
#include "resources/TGameImage.h"

#include <functional>
#include <memory>
#include <string>

class TScreen;
class VQLoadingScreen;

// The application object: settings and folders, the drawing surface, the
// fixed-rate main loop with its input, pause and focus handling, and the
// screen changes. One exists, `Game`, made at start-up. Audio fields and
// operations come from TGameAudio.
class TGame : public TGameAudio {
public:
  TGame();
  ~TGame() override;

  // The program file's name without folder and extension (names the settings file).
  std::string ProgramName;

  // Start-up, settings and folders (TGameSettings.cpp); every Set...Path
  // stores its argument with a slash.
  virtual int Init(int soundDriverChoice);
  virtual int IniFill();
  virtual int IniExtract();
  int IniUpdate(int markChanged) override;
  virtual int MakeGoodExit();
  virtual int CheckGoodExit();
  std::string SettingsFileName() const; // without ".ini"
  std::string GoodExitMarker() const;
  std::string IniChangedMarker() const;
  virtual int SetDefaultPaths();
  virtual int SetSubPath(const std::string& path);
  virtual int SetSubPathWrapper(const std::string& path);
  virtual int ApplySubPath();
  virtual int SetImagePath(const std::string& path);
  virtual int SetSoundPath(const std::string& path);
  virtual int SetMusicPath(const std::string& path);
  virtual int SetSpeechPath(const std::string& path);
  virtual int SetMenuPath(const std::string& path);
  virtual int SetProfilePath(const std::string& path);
  virtual int SetTextPath(const std::string& path);
  virtual int SetLevelsPath(const std::string& path);
  virtual int ParticlesSet(int value, int save);
  virtual int ParticlesChange(int delta);

  // Window and drawing (TGameWindow.cpp): the surface, the frame's drawing
  // and flip, the paused picture, vertical sync, screenshots.
  virtual int GraphicsCreate();
  virtual int SetPriority();
  virtual int ToggleFullScreen();
  virtual int ToggleVSync();
  virtual int SetDriver(int driver);
  virtual int SetWindowCoords();
  virtual int SetClientCoords();
  virtual int RestoreMouseCoords();
  virtual int TakeScreenshot();
  virtual int SetGP(int x, int y);
  virtual int ScreenDraw();
  virtual int PostDraw();
  virtual int ShowPaused();
  virtual int SpritePausedCreate(std::shared_ptr<TGameImage> image);
  virtual int SetFlipSync();

  // Main loop and input (TGameLoop.cpp): ticks, events, keys, focus, pause,
  // speed, tick lengths and the screen changes.
  virtual int MainLogicLoop();
  virtual int LogicWrapper();
  virtual int DoPeekEvent();
  virtual int ReadKeys();
  virtual int CheckWindow();
  virtual int GameTerminated();
  virtual int Pause();
  virtual int UnPause();
  virtual int FastOn();
  virtual int FastOff();
  virtual int SlowMotionOn();
  virtual int SlowMotionOff();
  float CalcAnimLength(float ms) override;
  virtual float CalcAnimLengthFromFloat(float ms); // the same as CalcAnimLength
  virtual int CalcMilliSecsFromFrames(float ticks);
  void ResetLogicTimer() override;
  int IsPaused() const override;
  float EffectFadeRatio() const override;
  virtual int ScreenChange();
  virtual int Fading();
  virtual int FadeOff();
  virtual int MoveBar();

  // Debug overlay (TGameDebug.cpp).
  virtual int DebugReset();
  virtual int DebugPrint();

  // Stops the reserved channels and the channel pool at exit (TGame.cpp).
  virtual int Kill();

  TIniFile Ini;
  int FullScreen = 1;
  // The saved "Full Screen" value while a command-line option overrides it for
  // this run (saves keep writing it); -1 when nothing overrides it.
  int SavedFullScreen = -1;
  int ForceWindowedMode = 0;
  int Hertz = 60;
  int Depth = 0;
  int DesktopRefreshRate = 0;
  int GameRefreshRate = 0;
  int Fast = 0;
  int LastFlipSync = 0;
  int SlowMotion = 0;
  float SlowMotionSpeed = 0.25f;
  float CurrentSpeed = 1.0f;
  int WindowHandle = 0;
  int WindowX = 0, WindowY = 0, ClientX = 0, ClientY = 0;
  float ScrollX = 0, ScrollY = 0;
  std::shared_ptr<TScreen> CurrentTScreen, DestinationTScreen, LastTScreen;
  int VSync = 1;
  int FadeOnExit = 1;
  int NoTiming = 0;
  int NoTimingTicks = 1;
  int Driver = 0;
  std::string DirectXVersion;
  int FadeMouse = 0;
  int DesktopWidth = 0, DesktopHeight = 0;
  int FullScreenProcess = 0, FullScreenThread = 0, WindowedProcess = 0, WindowedThread = 0;
  int UseCorrectPath = 1;
  std::string SubPath = "HalvornGames/My Game/";
  std::string DataPrefix;
  std::string ImagePath, MenuPath, ProfilePath, TextPath, LevelsPath; // sound folders: TGameAudio
  std::shared_ptr<TGameImage> SpritePaused;
  int FirstTime = 1;
  int InstantExit = 0;
  int Fade = 1;
  int NoFade = 0;
  int NoDraw = 0;
  int Particles = 80;
  int PortalSplash = 0, PortalSplash2 = 0;
  int IntroShow = 0;
  int Paused = 0;
  int DimWhenPaused = 1;
  int PauseOnLossOfFocus = 0;
  int PausedMusicState = 1;
  int PausedSpeechState = 1;
  int Suspended = 0;
  int BlockKeys = 0;
  int TerminatedEvent = 0;
  std::function<int()> TerminatedUserFunction = [] { return 0; };
  int SuspendedEvent = 0;
  // Where the pointer went after a button came up in the same tick: the
  // tick sees the release where it happened, the next tick this position.
  bool HasMovedAfterRelease = false;
  int MovedAfterReleaseX = 0, MovedAfterReleaseY = 0;
  // A button that went down and came up within one tick (a quick click on a
  // busy machine) comes up at the next tick, so that every tick-sampled
  // reader of the buttons sees the press: its button and where it came up.
  int HeldReleaseButton = 0, HeldReleaseX = 0, HeldReleaseY = 0;
  int IgnoreEscapeKey = 0, IgnoreFrameworkKeys = 0, IgnorePauseKey = 0, IgnoreDebugKey = 0;
  std::string OSVersion = "Mac OSX";
  std::function<int()> PausedUserFunction, UserSuspendFunction, UserResumeFunction;
  TFixedRateLogic FixedRateLogic;
  int Debug = 0;
  int DebugShowFPSOnly = 0;
  int DebugImageFontGap = 12;
  int DebugShadow = 1;
  float DebugPanel = 0.4f;
  int DebugDisplayX = 0, DebugDisplayY = 0;
  int Debug1 = 0, Debug2 = 0, Debug3 = 0, Debug4 = 0;
  TDebugVar LogicTime, DrawTime, CodeTime;
  TFPSCounter FPS;
  int GraphicPlacement = 0, gpX = 0, gpY = 0;
  std::shared_ptr<VQLoadingScreen> LoadingScreen;
  std::shared_ptr<TScreen> ExitScreen;
  TGameFade GameFade;
  std::shared_ptr<TMousePointer> Mouse;
  std::string ProfileName;
  int Region = 0, SubRegion = 0;

  // Hooks the layers above install: whether a player profile is loaded and
  // saving it (used when the window is closed during play).
  std::function<bool()> ProfileLoadedFunction;
  std::function<void()> SaveProfileFunction;

protected:
  // The framework's developer and debug keys, read by ReadKeys after the
  // pause, Escape and Alt+Enter keys; this product switches them off.
  void FrameworkKeys();
};

// The application object, built by GameSetup.
extern std::shared_ptr<TGame> Game;

// Appends "/" unless the path ends in "/" or "\".
std::string AddSlash(const std::string& path);
