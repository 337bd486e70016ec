// Start-up and settings: the shared data folder, the settings file with its
// crash recovery, and the game's folders.
#include "app/AppGlobals.h"
#include "app/Clock.h"
#include "app/TGame.h"
#include "platform/ErrorReport.h"
#include "platform/Files.h"
#include "platform/System.h"

#include <algorithm>
#include <cstdlib>

namespace {

int Clamp(int value, int low, int high) { return std::clamp(value, low, high); }

// A priority is a level from -2 (lowest) to 2 (highest); any other number is
// no level at all and reads as normal, so a damaged file cannot ask for an
// extreme priority.
int PriorityLevel(int value) { return value >= -2 && value <= 2 ? value : 0; }
int Flag(int value) { return value != 0 ? 1 : 0; }

} // namespace

int TGame::Init(int soundDriverChoice) {
  StartupStage = 1;
  std::srand(unsigned(AppMillisecs()));
  FixedRateLogic.Label = "Ticks   ";
  LogicTime.Label = "Logic   ";
  DrawTime.Label = "Draw    ";
  CodeTime.Label = "Code    ";
  FPS.Label = "FPS     ";

  if (UseCorrectPath == 1) {
    StartupStage = 1001;
    if (!platform::FolderExists(SubPath)) {
      StartupStage = 1002;
      if (!platform::CreateFolders(SubPath)) ShowError("Cannot create shared data folder " + SubPath, 1);
    }
    StartupStage = 1003;
    std::string os = platform::GetOSVersionName();
    if (os != "Windows 95" && os != "Windows 98" && os != "Windows ME") {
      StartupStage = 1004;
      // Walk from the shared data folder up to (not including) the per-user
      // data folder it lives in.
      std::string top = platform::CommonAppDataFolder();
      std::string path = SubPath;
      while (!path.empty() && AddSlash(path) != AddSlash(top)) {
        if (!platform::SetFolderFullAccess(path)) ShowError("Cannot give shared data folder full access!", 1);
        path.pop_back();
        size_t sep = path.find_last_of("/\\");
        if (sep == std::string::npos) break;
        path = path.substr(0, sep + 1);
      }
    }
  }

  StartupStage = 3;
  Ini.FileName = SettingsFileName();
  StartupStage = 4;
  IniFill();
  StartupStage = 5;
  std::string defaults = platform::ResolvePath(DataPrefix + "data/Default.ini");
  if (!platform::FileExists(Ini.Path()) && platform::FileExists(defaults)) {
    StartupStage = 5012;
    platform::CopyFile(defaults, Ini.Path());
  }
  StartupStage = 5001;
  Ini.Load();
  StartupStage = 6;
  IniExtract();

  StartupStage = 6001;
  if (!platform::FolderExists(ProfilePath)) {
    StartupStage = 6002;
    if (!platform::CreateFolder(ProfilePath)) ShowError("Cannot create shared profiles folder " + ProfilePath, 1);
  }

  StartupStage = 7;
  SetFlipSync();
  StartupStage = 8001;
  StartupStage = 8002;
  OSVersion = platform::GetOSVersionName();
  ChooseSoundDriver(soundDriverChoice, OSVersion);
  StartupStage = 8004;
  FixedRateLogic.Create();
  StartupStage = 2;
  ReservedChannelsCreate();
  return 1;
}

std::string TGame::SettingsFileName() const {
  if (UseCorrectPath == 1) return SubPath + ProgramName;
  return platform::ExecutableFolder() + ProgramName;
}

std::string TGame::GoodExitMarker() const {
  return UseCorrectPath == 1 ? SubPath + "GoodExit.dat" : DataPrefix + "data/GoodExit.dat";
}

std::string TGame::IniChangedMarker() const {
  return UseCorrectPath == 1 ? SubPath + "inichanged.dat" : DataPrefix + "data/inichanged.dat";
}

int TGame::IniFill() {
  Ini.Clear();
  Ini.Add("Full Screen", SavedFullScreen >= 0 ? SavedFullScreen : FullScreen);
  Ini.Add("Sound", Sound);
  Ini.Add("Music", Music);
  Ini.Add("Speech", Speech);
  Ini.Add("Sound Volume", SoundVolume);
  Ini.Add("Music Volume", MusicVolume);
  Ini.Add("Speech Volume", SpeechVolume);
  Ini.Add("Fade", Fade);
  Ini.Add("Particles", Particles);
  Ini.Add("Portal Splash", PortalSplash);
  Ini.Add("Portal Splash2", PortalSplash2);
  Ini.Add("Intro", IntroShow);
  Ini.Add("VSync", VSync);
  Ini.Add("Driver", Driver);
  Ini.Add("Sound Driver", SoundDriver);
  Ini.Add("Full Screen Process Priority", FullScreenProcess);
  Ini.Add("Full Screen Thread Priority", FullScreenThread);
  Ini.Add("Windowed Process Priority", WindowedProcess);
  Ini.Add("Windowed Thread Priority", WindowedThread);
  Ini.Add("Profile Name", ProfileName);
  Ini.Add("Region", Region);
  Ini.Add("Sub-Region", SubRegion);
  return 1;
}

// Copies the known keys back into their fields. Values a hand-edited file
// could push out of range are limited here, so the next save writes them
// limited: volumes and particles 0..100, switches and the driver 0 or 1.
int TGame::IniExtract() {
  for (const auto& line : Ini) {
    const std::string& key = line->Name;
    const std::string& text = line->Value;
    int value = IniTextToInt(text);
    if (key == "FULL SCREEN") FullScreen = Flag(value);
    else if (key == "SOUND") Sound = Flag(value);
    else if (key == "MUSIC") Music = Flag(value);
    else if (key == "SPEECH") Speech = Flag(value);
    else if (key == "SOUND VOLUME") SoundVolume = Clamp(value, 0, 100);
    else if (key == "MUSIC VOLUME") MusicVolume = Clamp(value, 0, 100);
    else if (key == "SPEECH VOLUME") SpeechVolume = Clamp(value, 0, 100);
    else if (key == "FADE") Fade = Flag(value);
    else if (key == "PARTICLES") Particles = Clamp(value, 0, 100);
    else if (key == "PORTAL SPLASH") PortalSplash = Flag(value);
    else if (key == "PORTAL SPLASH2") PortalSplash2 = Flag(value);
    else if (key == "INTRO") IntroShow = Flag(value);
    else if (key == "VSYNC") VSync = Flag(value);
    else if (key == "DRIVER") Driver = Flag(value);
    else if (key == "SOUND DRIVER") SoundDriver = text;
    else if (key == "FULL SCREEN PROCESS PRIORITY") FullScreenProcess = PriorityLevel(value);
    else if (key == "FULL SCREEN THREAD PRIORITY") FullScreenThread = PriorityLevel(value);
    else if (key == "WINDOWED PROCESS PRIORITY") WindowedProcess = PriorityLevel(value);
    else if (key == "WINDOWED THREAD PRIORITY") WindowedThread = PriorityLevel(value);
    else if (key == "PROFILE NAME") ProfileName = text;
    else if (key == "REGION") Region = value;
    else if (key == "SUB-REGION") SubRegion = value;
  }
  return 1;
}

// The settings-changed marker is made before the file is replaced, so a
// crash during the write still leads to recovery on the next start.
int TGame::IniUpdate(int markChanged) {
  if (markChanged != 0) platform::CreateEmptyFile(IniChangedMarker());
  IniFill();
  Ini.Save();
  return 1;
}

int TGame::MakeGoodExit() { return platform::CreateEmptyFile(GoodExitMarker()) ? 1 : 0; }

// Crash recovery: a run that changed the settings and did not end through
// ExitProgram leaves the settings-changed marker without the good-exit marker.
// The default settings then replace the file, keeping the player's name. The
// replacement is built whole before it replaces the file; when the default
// file cannot be read, the new file holds only the player's name and Init
// fills in the built-in defaults.
int TGame::CheckGoodExit() {
  int restored = 0;
  if (platform::FileExists(GoodExitMarker())) {
    platform::DeleteFile(platform::ResolvePath(GoodExitMarker()));
  } else if (platform::FileExists(IniChangedMarker())) {
    std::string settings = SettingsFileName() + ".ini";
    std::string profile = ReadIniValue(settings, "profile name");
    std::string defaults = platform::ResolvePath(DataPrefix + "data/default.ini");
    CopyIniReplacingValue(defaults, settings, "profile name", profile);
    platform::ShowSystemMessage("Marrowdeck", "Default ini file restored!");
    restored = 1;
  }
  platform::DeleteFile(platform::ResolvePath(IniChangedMarker()));
  return restored;
}

int TGame::SetDefaultPaths() {
  SetImagePath(DataPrefix + "Data/graphics");
  SetSoundPath(DataPrefix + "Data/sound");
  SetMusicPath(DataPrefix + "Data/music");
  SetSpeechPath(DataPrefix + "Data/speech");
  SetMenuPath(DataPrefix + "Data/menus");
  SetProfilePath(UseCorrectPath == 1 ? std::string("profiles") : DataPrefix + "Data/profiles");
  SetTextPath(DataPrefix + "Data/text");
  SetLevelsPath(DataPrefix + "Data/levels");
  return 1;
}

int TGame::SetSubPath(const std::string& path) {
  SubPath = path.empty() ? std::string() : AddSlash(path);
  if (UseCorrectPath == 1) {
    SubPath = platform::CommonAppDataFolder() + SubPath;
    ApplySubPath();
  }
  ErrorLogFolder = SubPath;
  return 1;
}

int TGame::SetSubPathWrapper(const std::string& path) {
  SetDefaultPaths();
  return SetSubPath(path);
}

int TGame::ApplySubPath() {
  ProfilePath = SubPath + ProfilePath;
  return 1;
}

int TGame::SetImagePath(const std::string& path) { ImagePath = AddSlash(path); return 1; }

int TGame::SetSoundPath(const std::string& path) { SoundPath = AddSlash(path); return 1; }

int TGame::SetMusicPath(const std::string& path) { MusicPath = AddSlash(path); return 1; }

int TGame::SetSpeechPath(const std::string& path) { SpeechPath = AddSlash(path); return 1; }

int TGame::SetMenuPath(const std::string& path) { MenuPath = AddSlash(path); return 1; }

int TGame::SetProfilePath(const std::string& path) { ProfilePath = AddSlash(path); return 1; }

int TGame::SetTextPath(const std::string& path) { TextPath = AddSlash(path); return 1; }

int TGame::SetLevelsPath(const std::string& path) { LevelsPath = AddSlash(path); return 1; }

int TGame::ParticlesSet(int value, int save) {
  Particles = Clamp(value, 0, 100);
  if (save == 1) {
    IniUpdate(1);
    FixedRateLogic.Init();
  }
  return 1;
}

int TGame::ParticlesChange(int delta) { return ParticlesSet(Particles + delta, 1); }
