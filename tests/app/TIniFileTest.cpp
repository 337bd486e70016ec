#include "app/AppGlobals.h"
#include "app/TIniFile.h"
#include "app/VQIniFile.h"
#include "platform/ErrorReport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct ErrorThrown : std::runtime_error {
  ErrorThrown(const std::string& message, int fatal) : std::runtime_error(message), Fatal(fatal) {}
  int Fatal;
};

void ThrowingHandler(const std::string& message, int fatal) { throw ErrorThrown(message, fatal); }

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

class TIniFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("inifile-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    previous_ = GetErrorHandler();
    SetErrorHandler(ThrowingHandler);
  }
  void TearDown() override {
    SetErrorHandler(previous_);
    fs::remove_all(folder_);
  }
  // A file object over "<folder>/<name>.ini" filled like the game's settings.
  TIniFile Settings(const std::string& name = "settings") {
    TIniFile ini((folder_ / name).string());
    ini.Add("Full Screen", 0);
    ini.Add("Sound", 1);
    ini.Add("Sound Volume", 50);
    ini.Add("Sound Driver", "FreeAudio");
    ini.Add("Profile Name", "");
    return ini;
  }
  fs::path folder_;
  ErrorHandler previous_ = nullptr;
};

TEST_F(TIniFileTest, SaveWritesUpperCaseKeysInOrderWithCrLf) {
  TIniFile ini = Settings();
  ini.Add("Sub-Region", -3);
  ini.Add("mixed äöü key", "Value Kept As Is");
  EXPECT_EQ(ini.Save(), 1);
  EXPECT_EQ(ReadFile(folder_ / "settings.ini"),
            "FULL SCREEN=0\r\nSOUND=1\r\nSOUND VOLUME=50\r\nSOUND DRIVER=FreeAudio\r\nPROFILE NAME=\r\n"
            "SUB-REGION=-3\r\nMIXED äöü KEY=Value Kept As Is\r\n");
}

TEST_F(TIniFileTest, LoadMatchesKeysCaseInsensitivelyAndRewritesTheFile) {
  WriteFile(folder_ / "settings.ini", "sound volume=75\nFull screen=1\r\nprofile NAME=Ann Lee\n");
  TIniFile ini = Settings();
  EXPECT_EQ(ini.Load(), 1);
  EXPECT_EQ(ini.GetInt("SOUND VOLUME"), 75);
  EXPECT_EQ(ini.GetInt("Full Screen"), 1);
  EXPECT_EQ(ini.GetString("Profile Name"), "Ann Lee");
  EXPECT_EQ(ReadFile(folder_ / "settings.ini"),
            "FULL SCREEN=1\r\nSOUND=1\r\nSOUND VOLUME=75\r\nSOUND DRIVER=FreeAudio\r\nPROFILE NAME=Ann Lee\r\n");
}

TEST_F(TIniFileTest, LineRulesOfTheReader) {
  TIniFile ini = Settings();
  // Spaces around "=" belong to key and value; a key without "=" gets an
  // empty value; unknown keys and blank lines are dropped; only the first "="
  // splits; a zero byte ends a line like a line feed.
  std::string bytes = "SOUND = 0\r\nSOUND\r\n\r\nUNKNOWN=9\nSOUND DRIVER=a=b\nSOUND VOLUME=1";
  bytes += '\0';
  bytes += "FULL SCREEN=1";
  ini.LoadFromBytes(bytes);
  EXPECT_EQ(ini.GetString("Sound", "unset"), "");
  EXPECT_EQ(ini.GetInt("Sound", 7), 0);
  EXPECT_EQ(ini.GetString("Sound Driver"), "a=b");
  EXPECT_EQ(ini.GetInt("Sound Volume"), 1);
  EXPECT_EQ(ini.GetInt("Full Screen"), 1);
  EXPECT_FALSE(ini.Has("UNKNOWN"));
  EXPECT_EQ(ini.Count(), 5u);

  // "SOUND = 0" alone sets nothing: its key is "SOUND " with a trailing space.
  TIniFile spaced = Settings();
  spaced.LoadFromBytes("SOUND = 0\n");
  EXPECT_EQ(spaced.GetString("Sound"), "1");
  EXPECT_EQ(spaced.GetString("Sound "), "");
}

TEST_F(TIniFileTest, IntegerTextInEveryBase) {
  EXPECT_EQ(IniTextToInt("$10"), 16);
  EXPECT_EQ(IniTextToInt("$ff"), 255);
  EXPECT_EQ(IniTextToInt("%101"), 5);
  EXPECT_EQ(IniTextToInt("-42"), -42);
  EXPECT_EQ(IniTextToInt("12abc"), 12);
  EXPECT_EQ(IniTextToInt("abc"), 0);
  EXPECT_EQ(IniTextToInt(""), 0);
  EXPECT_EQ(IniTextToInt("$"), 0);
  EXPECT_EQ(IniTextToInt("%102"), 2);
  EXPECT_EQ(IniTextToInt("$FFFFFFFF"), -1);
  // Too many digits wrap to 32 bits instead of overflowing.
  EXPECT_EQ(IniTextToInt("4294967297"), 1);

  TIniFile ini = Settings();
  ini.LoadFromBytes("SOUND VOLUME=$10\nFULL SCREEN=%101\n");
  EXPECT_EQ(ini.GetInt("Sound Volume"), 16);
  EXPECT_EQ(ini.GetInt("Full Screen"), 5);
}

TEST_F(TIniFileTest, KeyAddedTwiceIsWrittenTwiceAndUpdatedTwice) {
  TIniFile ini((folder_ / "twice").string());
  ini.Add("Sound", 1);
  ini.Add("sound", 2);
  ini.Save();
  EXPECT_EQ(ReadFile(folder_ / "twice.ini"), "SOUND=1\r\nSOUND=2\r\n");
  WriteFile(folder_ / "twice.ini", "SOUND=9\r\n");
  ini.Load();
  EXPECT_EQ(ReadFile(folder_ / "twice.ini"), "SOUND=9\r\nSOUND=9\r\n");
}

TEST_F(TIniFileTest, MissingFileKeepsDefaultsAndWritesThem) {
  TIniFile ini = Settings("fresh");
  EXPECT_EQ(ini.Load(), 0);
  EXPECT_EQ(ini.GetInt("Sound Volume"), 50);
  EXPECT_EQ(ReadFile(folder_ / "fresh.ini"), ini.ToBytes());
}

TEST_F(TIniFileTest, VQIniFileSavesOnlyWhenAsked) {
  WriteFile(folder_ / "vq.ini", "sound=0\nextra=1\n");
  VQIniFile ini((folder_ / "vq").string());
  ini.Add("Sound", 1);
  EXPECT_EQ(ini.Load(0), 1);
  EXPECT_EQ(ini.GetInt("Sound"), 0);
  EXPECT_EQ(ReadFile(folder_ / "vq.ini"), "sound=0\nextra=1\n");
  EXPECT_EQ(ini.Load(1), 1);
  EXPECT_EQ(ReadFile(folder_ / "vq.ini"), "SOUND=0\r\n");
}

TEST_F(TIniFileTest, UnwritableFileIsFatalWithThePath) {
  TIniFile ini = Settings();
  ini.FileName = (folder_ / "no such folder" / "settings").string();
  try {
    ini.Save();
    FAIL() << "Save into a missing folder must report";
  } catch (const ErrorThrown& error) {
    EXPECT_EQ(std::string(error.what()), "Failed to save file " + ini.FileName + ".ini");
    EXPECT_EQ(error.Fatal, 1);
    EXPECT_EQ(StartupStage, 5009); // the write step, for the start-up error report
  }
}

TEST_F(TIniFileTest, CrashDuringSavesLeavesAWholeFile) {
  // A child saves two different files over and over and is killed at a
  // different moment each round; the file left must always be one of the two
  // whole versions.
  TIniFile small = Settings();
  TIniFile large = Settings();
  for (int i = 0; i < 400; ++i) large.Add("Padding " + std::to_string(i), std::string(40, 'x'));
  small.Save();
  const std::string smallBytes = small.ToBytes();
  const std::string largeBytes = large.ToBytes();
  for (int round = 0; round < 12; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (;;) {
        large.Save();
        small.Save();
      }
    }
    ::usleep(useconds_t(2000 + round * 1500));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    const std::string left = ReadFile(folder_ / "settings.ini");
    EXPECT_TRUE(left == smallBytes || left == largeBytes) << "round " << round << ": " << left.size() << " bytes";
    TIniFile reread = Settings();
    EXPECT_EQ(reread.Load(), 1);
    EXPECT_EQ(reread.GetString("Sound Driver"), "FreeAudio");
  }
}

TEST_F(TIniFileTest, ReadIniValueFindsKeysIgnoringCase) {
  WriteFile(folder_ / "game.ini", "SOUND=1\r\nprofile name=Bo Vane\r\nPROFILE NAME=second\r\n");
  EXPECT_EQ(ReadIniValue((folder_ / "game.ini").string(), "Profile Name"), "Bo Vane");
  EXPECT_EQ(ReadIniValue((folder_ / "game.ini").string(), "Region"), "");
  EXPECT_EQ(ReadIniValue((folder_ / "missing.ini").string(), "Profile Name"), "");
}

TEST_F(TIniFileTest, CopyIniReplacingValueKeepsTheProfileName) {
  const fs::path source = folder_ / "Default.ini";
  const fs::path target = folder_ / "game.ini";
  WriteFile(source, "FULL SCREEN=0\r\nProfile Name=\r\nSOUND=1\n");
  WriteFile(target, "stale contents");
  EXPECT_EQ(CopyIniReplacingValue(source.string(), target.string(), "profile name", "Cy Moor"), 1);
  EXPECT_EQ(ReadFile(target), "FULL SCREEN=0\r\nPROFILE NAME=Cy Moor\r\nSOUND=1\r\n");

  // A default file without the key still keeps the player.
  WriteFile(source, "SOUND=0\r\n");
  EXPECT_EQ(CopyIniReplacingValue(source.string(), target.string(), "Profile Name", "Cy Moor"), 1);
  EXPECT_EQ(ReadFile(target), "SOUND=0\r\nPROFILE NAME=Cy Moor\r\n");

  // No default file at all: only the profile line, so the built-in defaults
  // fill the rest at the next load.
  EXPECT_EQ(CopyIniReplacingValue((folder_ / "gone.ini").string(), target.string(), "Profile Name", "Cy Moor"), 1);
  EXPECT_EQ(ReadFile(target), "PROFILE NAME=Cy Moor\r\n");

  // A target that cannot be written reports 0 and creates nothing.
  EXPECT_EQ(CopyIniReplacingValue(source.string(), (folder_ / "nowhere" / "x.ini").string(), "A", "b"), 0);
  EXPECT_FALSE(fs::exists(folder_ / "nowhere"));
}

} // namespace
