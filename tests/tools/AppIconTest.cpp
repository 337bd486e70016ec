// The game's icon at every size the desktop asks for: painted for that size
// (sharp straight edges, nothing half-covered along the middle lines), and
// the same picture as the window icon at 64 pixels.
#include "AppIcon.h"

#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

namespace {

TEST(AppIcon, EverySizeIsSharpAcrossItsMiddle) {
  ASSERT_EQ(assetgen::AppIcon::ThemeSizes(), (std::vector<int>{16, 32, 48, 64, 128, 256, 512}));
  for (int size : assetgen::AppIcon::ThemeSizes()) {
    auto icon = assetgen::AppIcon::Paint(size);
    ASSERT_EQ(icon->Width(), size);
    ASSERT_EQ(icon->Height(), size);
    EXPECT_EQ(icon->AlphaAt(0, 0), 0) << size << ": the rounded corner is see-through";
    // The middle row and column cross the rim, the felt and both cards:
    // transparent outside the rim's outer edge, fully opaque from it on.
    const int outer = int(std::round(size / 64.0));
    const int mid = size / 2;
    for (int i = 0; i < size; ++i) {
      const int expected = i < outer || i >= size - outer ? 0 : 255;
      EXPECT_EQ(icon->AlphaAt(i, mid), expected) << size << " px, row " << mid << ", x " << i;
      EXPECT_EQ(icon->AlphaAt(mid, i), expected) << size << " px, column " << mid << ", y " << i;
    }
  }
}

TEST(AppIcon, WindowIconIsTheSixtyFourPixelIcon) {
  std::ifstream in(test_support::DataPath("data/graphics/icon.png"), std::ios::binary);
  ASSERT_TRUE(in) << "no window icon in the generated tree";
  std::vector<uint8_t> window((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(window, assetgen::AppIcon::Paint(assetgen::AppIcon::WindowSize)->EncodePng());
}

} // namespace
