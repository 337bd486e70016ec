// data.pak as the game reads it, the font and its licence, and a rerun of
// the generator that must give byte-identical files.
#include "PictureTestHelpers.h"
#include "support/TempFolder.h"

#include "platform/Files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

namespace {

const char* CarlitoRegular = "/usr/share/fonts/truetype/crosextra/Carlito-Regular.ttf";

TEST(DataPak, HoldsTheNineLargePicturesAndTheFontAsVersion11) {
  std::string path = test_support::DataPath("data/resources/data.pak");
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(platform::ReadWholeFile(path, bytes));
  ASSERT_GE(bytes.size(), 8u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "!PAK");
  EXPECT_EQ(bytes[4] | bytes[5] << 8 | bytes[6] << 16 | bytes[7] << 24, TPakFile::Version11);

  auto pack = TPakFile::Create(path);
  ASSERT_TRUE(pack);
  std::set<std::string> names;
  for (const auto& item : pack->Items) names.insert(item->Name);
  EXPECT_EQ(names, (std::set<std::string>{"calibri.ttf", "gamescreen1.jpg", "gamescreen2.jpg", "gamescreen3.jpg",
                                          "gamescreen4.jpg", "gamescreen5.jpg", "particle1.png", "particle2.png",
                                          "playscreen.jpg", "titlescreen.jpg"}));
  for (const auto& item : pack->Items) {
    if (item->Name == "calibri.ttf") {
      std::vector<uint8_t> font;
      ASSERT_TRUE(platform::ReadWholeFile(CarlitoRegular, font));
      EXPECT_EQ(item->Data, font);
      EXPECT_EQ(item->VarType, 3);
    } else {
      platform::Pixmap p;
      std::string error;
      EXPECT_TRUE(platform::DecodePicture(item->Data.data(), item->Data.size(), p, &error)) << item->Name << error;
      EXPECT_EQ(item->VarType, 2) << item->Name;
    }
    // A loose copy beside the pack would override the packed item.
    EXPECT_FALSE(std::filesystem::exists(test_support::DataPath("data/resources/" + item->Name))) << item->Name;
  }
}

TEST(DataPak, FontLicenceShipsBesideTheData) {
  std::string licence;
  ASSERT_TRUE(platform::ReadWholeFile(test_support::DataPath("data/resources/carlito-LICENSE.txt"), licence));
  EXPECT_NE(licence.find("Carlito"), std::string::npos);
  EXPECT_NE(licence.find("OFL"), std::string::npos);
}

// Every file the generator writes, relative to `root`.
std::set<std::string> FilesUnder(const std::string& root) {
  std::set<std::string> out;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
    if (entry.is_regular_file()) out.insert(std::filesystem::relative(entry.path(), root).string());
  return out;
}

TEST(Assetgen, RerunGivesByteIdenticalFilesAndReviewSheets) {
  test_support::TempFolder temp;
  std::string out = temp.File("tree"), sheet = temp.File("review/sheet.png");
  std::string command = std::string("\"") + ASSETGEN_PATH + "\" --out \"" + out + "\" --contact-sheet \"" + sheet +
                        "\" > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);

  std::set<std::string> files = FilesUnder(out);
  EXPECT_GE(files.size(), 220u); // pictures, pack, licence, sounds, music
  for (const std::string& f : files) {
    std::vector<uint8_t> fresh, built;
    ASSERT_TRUE(platform::ReadWholeFile(out + "/" + f, fresh)) << f;
    ASSERT_TRUE(platform::ReadWholeFile(test_support::DataPath(f), built)) << f << " missing from the data tree";
    EXPECT_TRUE(fresh == built) << f << " differs between two runs";
  }
  // One review sheet per group of pictures, each a readable picture.
  std::set<std::string> sheets = FilesUnder(temp.File("review"));
  EXPECT_GE(sheets.size(), 5u);
  for (const std::string& s : sheets) {
    platform::Pixmap p;
    EXPECT_TRUE(platform::LoadPixmap(temp.File("review/" + s), p)) << s;
    EXPECT_GT(p.width, 500) << s;
  }
}

TEST(Assetgen, RefusesBadArguments) {
  EXPECT_NE(std::system((std::string("\"") + ASSETGEN_PATH + "\" 2> /dev/null").c_str()), 0);
  EXPECT_NE(std::system((std::string("\"") + ASSETGEN_PATH + "\" --bogus x 2> /dev/null").c_str()), 0);
  test_support::TempFolder temp;
  // Without the font the generator fails loudly instead of writing a partial tree.
  std::string command = std::string("\"") + ASSETGEN_PATH + "\" --out \"" + temp.File("tree") + "\" --fonts \"" +
                        temp.File("nofonts") + "\" 2> /dev/null";
  EXPECT_NE(std::system(command.c_str()), 0);
  EXPECT_FALSE(std::filesystem::exists(temp.File("tree/data/resources/data.pak")));
}

} // namespace
