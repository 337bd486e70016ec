#include "resources/TImageBank.h"

#include "platform/Picture.h"
#include "platform/Pixmap.h"
#include "resources/TPakFileManager.h"
#include "support/GameWorld.h"
#include "support/TempFolder.h"
#include "support/ThrowingErrorHandler.h"

#include <gtest/gtest.h>

#include "support/Pictures.h"

#include <functional>
#include <stdexcept>

namespace {

platform::Pixmap SolidPixmap(int w, int h, uint8_t r = 10, uint8_t g = 200, uint8_t b = 30) {
  return test_support::SolidPixmap(w, h, r, g, b);
}

void WritePng(const std::string& path, int w, int h) { ASSERT_TRUE(platform::SavePng(SolidPixmap(w, h), path)); }

std::string ErrorOf(const std::function<void()>& action) {
  test_support::ThrowingErrorHandler throwing;
  try {
    action();
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "";
}

class ImageBankTest : public test_support::GameWorld {
protected:
  TImageBank bank;
  void SetUp() override {
    GameWorld::SetUp();
    bank.SetPath(folder.Path());
  }
};

using AddImageToBankTest = test_support::GameWorld;

} // namespace

TEST_F(ImageBankTest, NameWithoutExtensionGetsDefaultAndIsFoundIgnoringCase) {
  WritePng(folder.File("cardmo.png"), 12, 8);
  bank.Load("cardmo");
  ASSERT_EQ(bank.Map.size(), 1u);
  EXPECT_EQ(bank.Map.begin()->first, "CARDMO");
  auto image = bank.Find("cardMo");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->name, "CARDMO");
  EXPECT_EQ(image->w, 12);
  EXPECT_EQ(image->h, 8);
  EXPECT_EQ(bank.FindTImage("CARDMO"), image->image);
}

TEST_F(ImageBankTest, NameWithItsOwnExtensionKeepsIt) {
  // The decoder goes by content, so a PNG under a ".jpg" name shows which file was read.
  WritePng(folder.File("titlescreen.jpg"), 20, 10);
  WritePng(folder.File("titlescreen.png"), 5, 5);
  bank.Load("titlescreen.jpg");
  auto image = bank.Find("TITLESCREEN");
  EXPECT_EQ(image->w, 20);
  EXPECT_EQ(image->h, 10);
}

TEST_F(ImageBankTest, FileNameCaseDoesNotMatterOnDisk) {
  WritePng(folder.File("buttonmo.png"), 6, 6);
  bank.Load("buttonMO");
  EXPECT_TRUE(bank.FindTImage("buttonmo"));
}

TEST_F(ImageBankTest, AliasReplacesNameAndLaterLoadReplacesEarlier) {
  WritePng(folder.File("one.png"), 4, 4);
  WritePng(folder.File("two.png"), 9, 9);
  bank.Load("one", "shared");
  bank.Load("two", "Shared");
  EXPECT_EQ(bank.Map.size(), 1u);
  EXPECT_EQ(bank.Find("SHARED")->w, 9);
  EXPECT_FALSE(bank.FindTImage("one"));
}

TEST_F(ImageBankTest, HandlePlacement) {
  WritePng(folder.File("odd.png"), 15, 9);
  bank.Load("odd", "", -1, 1);
  auto centred = bank.Find("odd");
  EXPECT_EQ(centred->midhandled, 1);
  EXPECT_FLOAT_EQ(centred->w2, 7.0f);
  EXPECT_FLOAT_EQ(centred->h2, 4.0f);
  EXPECT_FLOAT_EQ(centred->image->HandleX(), 7.0f);
  EXPECT_FLOAT_EQ(centred->image->HandleY(), 4.0f);

  bank.LoadNoMid("odd", "corner");
  auto corner = bank.Find("corner");
  EXPECT_EQ(corner->midhandled, 0);
  EXPECT_FLOAT_EQ(corner->image->HandleX(), 0.0f);
  EXPECT_FLOAT_EQ(corner->image->HandleY(), 0.0f);
}

TEST_F(ImageBankTest, MemoryEstimates) {
  WritePng(folder.File("panel.png"), 100, 60);
  bank.Load("panel");
  auto image = bank.Find("panel");
  EXPECT_EQ(image->CalcRAM(), 24000);
  EXPECT_EQ(image->CalcVRAM(), 128 * 64 * 4);

  // A strip of three 32 x 20 cells: frames multiply, sides already powers of two except 20.
  WritePng(folder.File("strip.png"), 96, 20);
  bank.LoadAnim("strip", 32, 20, 0, 3);
  auto strip = bank.Find("strip");
  ASSERT_EQ(strip->image->Frames(), 3);
  EXPECT_EQ(strip->w, 32);
  EXPECT_EQ(strip->CalcRAM(), 32 * 20 * 4 * 3);
  EXPECT_EQ(strip->CalcVRAM(), 32 * 32 * 4 * 3);

  // Bank totals in whole kilobytes.
  EXPECT_EQ(bank.CalcRAM(), (24000 + 7680) / 1024);
  EXPECT_EQ(bank.CalcVRAM(), (32768 + 12288) / 1024);
}

TEST_F(ImageBankTest, SetPathAddsOneSlash) {
  TImageBank other;
  other.SetPath("data/graphics");
  EXPECT_EQ(other.Path, "data/graphics/");
  other.SetPath("data/graphics/");
  EXPECT_EQ(other.Path, "data/graphics/");
  other.SetPath("data\\graphics\\");
  EXPECT_EQ(other.Path, "data\\graphics\\");
}

TEST_F(ImageBankTest, LoadFailuresAreFatalWithThePath) {
  EXPECT_EQ(ErrorOf([&] { bank.Load("missing"); }), "Error loading bitmap " + folder.Path() + "missing.png");
  folder.Write("broken.png", "not a picture at all");
  EXPECT_EQ(ErrorOf([&] { bank.Load("broken"); }), "Error loading bitmap " + folder.Path() + "broken.png");
  EXPECT_EQ(ErrorOf([&] { bank.LoadAnim("missing", 8, 8, 0, 2); }),
            "Error loading anim bitmap " + folder.Path() + "missing.png");
  // Asking for more cells than the strip holds is a failed load too.
  WritePng(folder.File("short.png"), 16, 8);
  EXPECT_EQ(ErrorOf([&] { bank.LoadAnim("short", 8, 8, 0, 5); }),
            "Error loading anim bitmap " + folder.Path() + "short.png");
  EXPECT_TRUE(bank.Map.empty());
}

TEST_F(ImageBankTest, FindMissIsFatalButFindTImageIsNot) {
  EXPECT_EQ(ErrorOf([&] { bank.Find("nowhere"); }), "Image 'NOWHERE' was Not found in the ImageBank");
  EXPECT_EQ(bank.FindTImage("nowhere"), nullptr);
}

TEST(GameImageTest, CreateAutoPicksSingleOrAnimated) {
  test_support::TempFolder folder;
  WritePng(folder.File("cells.png"), 40, 10);
  auto single = TGameImage::CreateAuto(folder.File("cells.png"), 10, 10, 0, 1, -1, 0);
  EXPECT_EQ(single->image->Frames(), 1);
  EXPECT_EQ(single->w, 40);
  auto animated = TGameImage::CreateAuto(folder.File("cells.png"), 10, 10, 1, 3, -1, 0);
  EXPECT_EQ(animated->image->Frames(), 3);
  EXPECT_EQ(animated->w, 10);
  EXPECT_EQ(animated->name, "CELLS");
}

TEST_F(AddImageToBankTest, WrapsPictureUnderUpperCaseName) {
  auto picture = platform::Picture::FromPixmap(SolidPixmap(30, 20));
  TImageBank own;
  auto image = AddImageToBank(picture, "gamescreen1", 1, &own);
  EXPECT_EQ(own.Find("GameScreen1"), image);
  EXPECT_EQ(image->name, "GAMESCREEN1");
  EXPECT_EQ(image->w, 30);
  EXPECT_EQ(image->midhandled, 1);
  EXPECT_FLOAT_EQ(picture->HandleX(), 15.0f);

  // Without a bank the picture goes to the game's interface bank.
  AddImageToBank(picture, "particle1", 0, nullptr);
  EXPECT_EQ(Images->FindTImage("PARTICLE1"), picture);
  Images->Map.erase("PARTICLE1");
}

TEST_F(AddImageToBankTest, MissingPictureIsFatal) {
  TImageBank own;
  EXPECT_EQ(ErrorOf([&] { AddImageToBank(nullptr, "titlescreen", 1, &own); }), "Error loading bitmap titlescreen");
  EXPECT_TRUE(own.Map.empty());
}

TEST_F(ImageBankTest, PackSetIsSearchedBeforeTheImageFolder) {
  test_support::TempFolder resources;
  WritePng(resources.File("backdrop.png"), 7, 7);
  WritePng(folder.File("backdrop.png"), 3, 3);
  WritePng(folder.File("only.png"), 5, 5);
  auto saved = PakFiles;
  PakFiles = TPakFileManager::Create(resources.Path(), ".pak");
  bank.Load("backdrop");
  bank.Load("only");
  PakFiles = saved;
  EXPECT_EQ(bank.Find("backdrop")->w, 7);
  EXPECT_EQ(bank.Find("only")->w, 5);
}
