// Replays the settings reader's fuzzing corpus (fuzz/corpus/ini_reader/) in
// the ordinary build, checking what every settings file must satisfy.
#include "support/TestPaths.h"
#include "app/TIniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

void Fill(TIniFile& ini) {
  for (const char* key : {"Full Screen", "Sound", "Music", "Sound Volume", "Particles", "Driver", "Sound Driver",
                          "Profile Name", "Sub-Region", "ShowTimer", "FirstRun", "Sound"})
    ini.Add(key, "1");
}

TEST(TIniFileCorpusTest, EverySeedKeepsTheKeysAndRoundTrips) {
  const fs::path folder = test_support::SourcePath("fuzz/corpus/ini_reader");
  ASSERT_TRUE(fs::is_directory(folder)) << folder;
  int seen = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    SCOPED_TRACE(entry.path().filename().string());
    TIniFile ini, again;
    Fill(ini);
    Fill(again);
    ini.LoadFromBytes(bytes.str());
    ASSERT_EQ(ini.Count(), 12u);
    EXPECT_EQ(ini.Lines()[0]->Name, "FULL SCREEN");
    EXPECT_EQ(ini.Lines()[10]->Name, "FIRSTRUN");
    EXPECT_EQ(ini.Lines()[1]->Value, ini.Lines()[11]->Value); // both "SOUND" lines
    again.LoadFromBytes(ini.ToBytes());
    EXPECT_EQ(again.ToBytes(), ini.ToBytes());
    ++seen;
  }
  EXPECT_GE(seen, 5);
}

TEST(TIniFileCorpusTest, ShippedSettingsSeedReadsItsValues) {
  std::ifstream in(test_support::SourcePath("fuzz/corpus/ini_reader/valid-settings.ini"), std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  TIniFile ini;
  Fill(ini);
  ini.LoadFromBytes(bytes.str());
  EXPECT_EQ(ini.GetString("Profile Name"), "Ann Lee");
  EXPECT_EQ(ini.GetInt("Sound Volume"), 50);
  EXPECT_EQ(ini.GetInt("Particles"), 80);
}

} // namespace
