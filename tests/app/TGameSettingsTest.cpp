#include "support/GameWorld.h"
#include "CountingScreen.h"
#include "app/InputTables.h"
#include "app/TGame.h"

#include "app/AppGlobals.h"
#include "app/ErrorReporter.h"
#include "platform/Files.h"
#include "support/TempFolder.h"

#include <cerrno>
#include <regex>
#include <sys/resource.h>

namespace {

const char* const DefaultIni =
    "FULL SCREEN=0\r\nSOUND=1\r\nMUSIC=1\r\nSPEECH=1\r\nSOUND VOLUME=70\r\nMUSIC VOLUME=60\r\n"
    "SPEECH VOLUME=100\r\nFADE=1\r\nPARTICLES=80\r\nPORTAL SPLASH=0\r\nPORTAL SPLASH2=0\r\nINTRO=0\r\n"
    "VSYNC=1\r\nDRIVER=0\r\nSOUND DRIVER=FreeAudio\r\nFULL SCREEN PROCESS PRIORITY=0\r\n"
    "FULL SCREEN THREAD PRIORITY=0\r\nWINDOWED PROCESS PRIORITY=0\r\nWINDOWED THREAD PRIORITY=0\r\n"
    "PROFILE NAME=\r\nREGION=0\r\nSUB-REGION=0\r\n";

const char* const KeyOrder[] = {"FULL SCREEN", "SOUND", "MUSIC", "SPEECH", "SOUND VOLUME", "MUSIC VOLUME",
                                "SPEECH VOLUME", "FADE", "PARTICLES", "PORTAL SPLASH", "PORTAL SPLASH2", "INTRO",
                                "VSYNC", "DRIVER", "SOUND DRIVER", "FULL SCREEN PROCESS PRIORITY",
                                "FULL SCREEN THREAD PRIORITY", "WINDOWED PROCESS PRIORITY",
                                "WINDOWED THREAD PRIORITY", "PROFILE NAME", "REGION", "SUB-REGION"};

std::string ReadText(const std::string& path) {
  std::string text;
  platform::ReadWholeFile(path, text);
  return text;
}

// A game whose shared data folder and data tree are temporary folders.
class GameSettingsTest : public test_support::GameWorld {
protected:
  void SetUp() override {
    test_support::GameWorld::SetUp();
    platform::CreateFolders(data.Path() + "data");
    Game->DataPrefix = data.Path();
    Game->SetDefaultPaths();
    Game->UseCorrectPath = 1;
    Game->SubPath = shared.Path();
    Game->ApplySubPath();
    Game->ProgramName = "marrowdeck";
    settings = shared.Path() + "marrowdeck.ini";
  }
  void WriteDefaults() { data.Write("data/Default.ini", DefaultIni); }
  // What a run that changed a setting and was then killed leaves behind.
  void CrashedRunWith(const std::string& profile) {
    std::string text = DefaultIni;
    text.replace(text.find("PROFILE NAME=\r\n"), 15, "PROFILE NAME=" + profile + "\r\n");
    text.replace(text.find("SOUND VOLUME=70"), 15, "SOUND VOLUME=5");
    shared.Write("marrowdeck.ini", text);
    shared.Write("inichanged.dat", "");
  }
  int Recover() {
    testing::internal::CaptureStderr();
    int restored = Game->CheckGoodExit();
    message = testing::internal::GetCapturedStderr();
    return restored;
  }

  test_support::TempFolder shared, data;
  std::string settings, message;
};

TEST_F(GameSettingsTest, FirstStartWritesAllKeysInOrderAndMakesProfiles) {
  ASSERT_EQ(Game->Init(0), 1);
  std::string text = ReadText(settings);
  std::string expected;
  for (const char* key : KeyOrder) {
    size_t at = text.find(std::string(key) + "=");
    ASSERT_NE(at, std::string::npos) << key;
  }
  int lines = 0;
  size_t position = 0;
  for (const char* key : KeyOrder) {
    std::string line = std::string(key) + "=";
    ASSERT_EQ(text.compare(position, line.size(), line), 0) << "expected " << key << " at line " << lines;
    position = text.find("\r\n", position) + 2;
    ++lines;
  }
  EXPECT_EQ(position, text.size());
  EXPECT_TRUE(platform::FolderExists(shared.Path() + "profiles"));
}

TEST_F(GameSettingsTest, ShippedDefaultsAreCopiedOnFirstStart) {
  WriteDefaults();
  Game->Init(0);
  EXPECT_EQ(Game->SoundVolume, 70);
  EXPECT_EQ(Game->MusicVolume, 60);
}

TEST_F(GameSettingsTest, GoodExitMeansNoRecovery) {
  CrashedRunWith("Ada");
  shared.Write("GoodExit.dat", "");
  WriteDefaults();
  EXPECT_EQ(Recover(), 0);
  EXPECT_EQ(message.find("Default ini file restored!"), std::string::npos);
  EXPECT_FALSE(platform::FileExists(shared.Path() + "GoodExit.dat"));
  EXPECT_FALSE(platform::FileExists(shared.Path() + "inichanged.dat"));
  EXPECT_NE(ReadText(settings).find("SOUND VOLUME=5\r\n"), std::string::npos) << "settings untouched";
}

TEST_F(GameSettingsTest, CrashAfterASettingsChangeRestoresDefaultsKeepingTheProfile) {
  CrashedRunWith("Ada Lovelace");
  WriteDefaults();
  EXPECT_EQ(Recover(), 1);
  EXPECT_NE(message.find("Default ini file restored!"), std::string::npos);
  EXPECT_FALSE(platform::FileExists(shared.Path() + "inichanged.dat"));
  std::string text = ReadText(settings);
  EXPECT_NE(text.find("SOUND VOLUME=70\r\n"), std::string::npos);
  EXPECT_NE(text.find("PROFILE NAME=Ada Lovelace\r\n"), std::string::npos);

  Game->Init(0);
  EXPECT_EQ(Game->SoundVolume, 70);
  EXPECT_EQ(Game->ProfileName, "Ada Lovelace");
}

TEST_F(GameSettingsTest, CrashRecoveryWithoutDefaultFileStillKeepsTheProfile) {
  CrashedRunWith("Grace");
  EXPECT_EQ(Recover(), 1);
  EXPECT_NE(message.find("Default ini file restored!"), std::string::npos);
  Game->Init(0);
  EXPECT_EQ(Game->ProfileName, "Grace");
  EXPECT_EQ(Game->SoundVolume, 100) << "built-in default, not the crashed run's 5";
  EXPECT_NE(ReadText(settings).find("SOUND VOLUME=100\r\n"), std::string::npos);
}

TEST_F(GameSettingsTest, CleanStartWithoutMarkersSaysNothing) {
  EXPECT_EQ(Recover(), 0);
  EXPECT_TRUE(message.empty()) << message;
}

TEST_F(GameSettingsTest, SettingsUpdateMarksTheChangeBeforeWriting) {
  Game->Init(0);
  Game->IniUpdate(0);
  EXPECT_FALSE(platform::FileExists(shared.Path() + "inichanged.dat"));
  Game->SoundVolume = 33;
  Game->IniUpdate(1);
  EXPECT_TRUE(platform::FileExists(shared.Path() + "inichanged.dat"));
  EXPECT_NE(ReadText(settings).find("SOUND VOLUME=33\r\n"), std::string::npos);
  Game->MakeGoodExit();
  EXPECT_TRUE(platform::FileExists(shared.Path() + "GoodExit.dat"));
}

TEST_F(GameSettingsTest, OutOfRangeValuesAreLimitedAndSavedLimited) {
  shared.Write("marrowdeck.ini",
               "FULL SCREEN=7\r\nSOUND VOLUME=250\r\nMUSIC VOLUME=-4\r\nPARTICLES=1000000\r\nDRIVER=9\r\n"
               "VSYNC=$10\r\nSOUND DRIVER=None\r\nPROFILE NAME=Bob\r\n"
               "WINDOWED PROCESS PRIORITY=2147483647\r\nWINDOWED THREAD PRIORITY=2147483647\r\n"
               "FULL SCREEN THREAD PRIORITY=-2\r\n");
  Game->Init(0);
  // Numbers that are no priority level read as normal, and the game runs at normal priority.
  EXPECT_EQ(Game->WindowedProcess, 0);
  EXPECT_EQ(Game->WindowedThread, 0);
  EXPECT_EQ(Game->FullScreenThread, -2);
  errno = 0;
  const int niceBefore = getpriority(PRIO_PROCESS, 0);
  Game->FullScreen = 0; // the windowed pair is the damaged one
  Game->SetPriority();
  EXPECT_EQ(getpriority(PRIO_PROCESS, 0), niceBefore);
  Game->FullScreen = 1;
  EXPECT_EQ(Game->FullScreen, 1);
  EXPECT_EQ(Game->SoundVolume, 100);
  EXPECT_EQ(Game->MusicVolume, 0);
  EXPECT_EQ(Game->Particles, 100);
  EXPECT_EQ(Game->Driver, 1);
  EXPECT_EQ(Game->VSync, 1);
  EXPECT_EQ(Game->ProfileName, "Bob");
  Game->IniUpdate(0);
  std::string text = ReadText(settings);
  EXPECT_NE(text.find("PARTICLES=100\r\n"), std::string::npos);
  EXPECT_NE(text.find("MUSIC VOLUME=0\r\n"), std::string::npos);
  EXPECT_NE(text.find("WINDOWED THREAD PRIORITY=0\r\n"), std::string::npos);
}

TEST_F(GameSettingsTest, FoldersFollowTheDataPrefixAndSharedFolder) {
  EXPECT_EQ(Game->ImagePath, data.Path() + "Data/graphics/");
  EXPECT_EQ(Game->TextPath, data.Path() + "Data/text/");
  EXPECT_EQ(Game->ProfilePath, shared.Path() + "profiles/");
  EXPECT_EQ(AddSlash("a\\"), "a\\");
  EXPECT_EQ(AddSlash("a"), "a/");
}

TEST_F(GameSettingsTest, ErrorLogHoldsTheLastErrorWithDateAndTime) {
  ErrorLogFolder = shared.Path();
  ErrorsInGraphics = 0; // the system message (standard error when headless)
  testing::internal::CaptureStderr();
  GameShowError("first problem", 0);
  GameShowError("second problem", 0);
  std::string shown = testing::internal::GetCapturedStderr();
  EXPECT_NE(shown.find("second problem"), std::string::npos);
  std::string log = ReadText(shared.Path() + "ErrorLog.txt");
  std::regex format("Date: \\d\\d [A-Z][a-z]{2} \\d{4}\nTime: \\d\\d:\\d\\d:\\d\\d\nsecond problem\n");
  EXPECT_TRUE(std::regex_match(log, format)) << log;

  // A log that cannot be written never stops the message.
  ErrorLogFolder = shared.Path() + "missing/folder/";
  testing::internal::CaptureStderr();
  GameShowError("third problem", 0);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("third problem"), std::string::npos);
  ErrorLogFolder.clear();
  ErrorsInGraphics = 1;
}

TEST_F(GameSettingsTest, UncaughtErrorsCarryTheStartupStage) {
  StartupStage = 5001;
  EXPECT_EQ(UncaughtErrorMessage("bad"), "(5001) bad");
  StartupStage = 0;
  EXPECT_EQ(UncaughtErrorMessage("bad"), "bad");
}

} // namespace

namespace {

TEST_F(GameSettingsTest, CommandLineFullScreenIsNotSaved) {
  Game->Init(0);
  Game->SavedFullScreen = 0; // the saved setting
  Game->FullScreen = 1;      // --fullscreen for this run
  Game->IniUpdate(1);
  EXPECT_NE(ReadText(settings).find("FULL SCREEN=0\r\n"), std::string::npos);
  Game->SavedFullScreen = -1;
  Game->IniUpdate(1);
  EXPECT_NE(ReadText(settings).find("FULL SCREEN=1\r\n"), std::string::npos);
}

} // namespace
