// Writing the generated files: loose files where they belong, packed ones
// only in data.pak (a stale loose copy would override the packed item).
#include "AssetSet.h"
#include "CardExtras.h"
#include "support/TempFolder.h"

#include "platform/Files.h"
#include "platform/Pixmap.h"
#include "resources/TPakFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::shared_ptr<assetgen::Canvas> Filled(int w, int h, uint32_t rgb, double alpha = 1) {
  auto c = std::make_shared<assetgen::Canvas>(w, h);
  assetgen::SetRgb(c->Cr(), rgb, alpha);
  cairo_paint(c->Cr());
  return c;
}

TEST(AssetSet, WritesLooseFilesAndPacksTheRest) {
  test_support::TempFolder temp;
  std::string root = temp.File("tree");
  // A stale loose copy of a packed item from an older build.
  ASSERT_TRUE(platform::CreateFolders(root + "/data/resources"));
  ASSERT_TRUE(platform::WriteFileAtomic(root + "/data/resources/backdrop.jpg", std::string("old")));

  assetgen::AssetSet set;
  set.AddPicture("data/graphics/dot.png", Filled(3, 2, 0xFF00FF, 0.5), "g");
  set.AddPicture("data/resources/backdrop.jpg", Filled(40, 30, 0x204080), "g", true);
  set.AddFile("data/resources/font.ttf", {1, 2, 3, 4}, true);
  set.AddFile("data/resources/notes.txt", {'h', 'i'});
  EXPECT_EQ(set.WriteAll(root), 3); // two loose files and the pack

  platform::Pixmap dot;
  ASSERT_TRUE(platform::LoadPixmap(root + "/data/graphics/dot.png", dot));
  EXPECT_EQ(dot.width, 3);
  EXPECT_FALSE(dot.Pixel(1, 1)[0] == 255 && dot.Pixel(1, 1)[1] == 0 && dot.Pixel(1, 1)[2] == 255);
  EXPECT_EQ(platform::FileSize(root + "/data/resources/notes.txt"), 2);
  EXPECT_FALSE(std::filesystem::exists(root + "/data/resources/backdrop.jpg"));
  EXPECT_FALSE(std::filesystem::exists(root + "/data/resources/font.ttf"));

  auto pack = TPakFile::Create(root + "/data/resources/data.pak");
  ASSERT_TRUE(pack);
  ASSERT_EQ(pack->Items.size(), 2u);
  EXPECT_EQ(pack->Items[0]->Name, "backdrop.jpg");
  EXPECT_EQ(pack->Items[0]->VarType, 2);
  EXPECT_EQ(pack->Items[1]->Name, "font.ttf");
  EXPECT_EQ(pack->Items[1]->VarType, 3);
  EXPECT_EQ(pack->Items[1]->Data, (std::vector<uint8_t>{1, 2, 3, 4}));
  platform::Pixmap backdrop;
  EXPECT_TRUE(platform::DecodePicture(pack->Items[0]->Data.data(), pack->Items[0]->Data.size(), backdrop));
  EXPECT_EQ(backdrop.width, 40);

  // A set with nothing to pack (the menu icons) writes no pack at all.
  assetgen::AssetSet loose;
  loose.AddPicture("16x16/apps/icon.png", Filled(16, 16, 0x204080), "icons");
  const std::string iconRoot = temp.File("icons");
  EXPECT_EQ(loose.WriteAll(iconRoot), 1);
  EXPECT_TRUE(std::filesystem::is_regular_file(iconRoot + "/16x16/apps/icon.png"));
  EXPECT_FALSE(std::filesystem::exists(iconRoot + "/data"));
}

TEST(AssetSet, FindsByPathAndFailsLoudlyOnAnUnwritableRoot) {
  assetgen::AssetSet set;
  set.AddFile("data/a.txt", {'a'});
  ASSERT_TRUE(set.Find("data/a.txt"));
  EXPECT_FALSE(set.Find("data/b.txt"));
  test_support::TempFolder temp;
  ASSERT_TRUE(platform::WriteFileAtomic(temp.File("blocker"), std::string("x")));
  // The root is a file: nothing can be created under it.
  EXPECT_ANY_THROW(set.WriteAll(temp.File("blocker")));
}

TEST(MatchOutline, ForcesTheReferenceOutlineWhateverThePictureHeld) {
  auto reference = std::make_shared<assetgen::Canvas>(20, 20);
  cairo_t* cr = reference->Cr();
  cairo_arc(cr, 10, 10, 7, 0, 6.2832);
  cairo_set_source_rgba(cr, 0.5, 0.2, 0.1, 1);
  cairo_fill(cr);
  // A faint square picture: partly outside the circle, mostly too faint inside.
  auto picture = Filled(20, 20, 0x336699, 0.3);
  assetgen::MatchOutline(*picture, *reference);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x)
      EXPECT_EQ(picture->AlphaAt(x, y) > 127, reference->AlphaAt(x, y) > 127) << x << "," << y;
  // The colour is kept where the alpha changed.
  std::vector<uint8_t> rgba = picture->ToRgba();
  const uint8_t* centre = &rgba[(10 * 20 + 10) * 4];
  EXPECT_NEAR(centre[0], 0x33, 3);
  EXPECT_NEAR(centre[2], 0x99, 3);
}

} // namespace
