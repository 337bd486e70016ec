#include "platform/Collision.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace platform;

namespace {

// A card-sized picture: opaque everywhere, or with a transparent border.
std::shared_ptr<Picture> MakeCard(int width = 72, int height = 96, int clearBorder = 0) {
  Pixmap pixmap;
  pixmap.width = width;
  pixmap.height = height;
  pixmap.rgba.assign(size_t(width) * height * 4, 255);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (x < clearBorder || y < clearBorder || x >= width - clearBorder || y >= height - clearBorder)
        pixmap.Pixel(x, y)[3] = 0;
  auto picture = Picture::FromPixmap(pixmap, 0);
  picture->MidHandle(true);
  return picture;
}

bool HitsPoint(float x, float y, uint32_t mask = 1) { return CollideRect(x, y, 1, 1, mask, 0, nullptr); }

class CollisionTest : public ::testing::Test {
protected:
  void SetUp() override { ResetCollisions(); }
  void TearDown() override { ResetCollisions(); }
  int owner1 = 1, owner2 = 2, owner3 = 3;
};

TEST_F(CollisionTest, RectanglesTouchOnlyWhenTheyShareAPixel) {
  CollideRect(100, 100, 50, 20, 0, 1, &owner1);
  EXPECT_TRUE(HitsPoint(100, 100));
  EXPECT_TRUE(HitsPoint(149, 119));
  EXPECT_FALSE(HitsPoint(150, 110)); // right edge is exclusive
  EXPECT_FALSE(HitsPoint(120, 120));
  EXPECT_FALSE(HitsPoint(99, 110));
  EXPECT_TRUE(CollideRect(140, 115, 30, 30, 1, 0, nullptr));
  EXPECT_FALSE(CollideRect(150, 90, 30, 100, 1, 0, nullptr));
  EXPECT_FALSE(CollideRect(120, 110, 0, 5, 1, 1, nullptr)); // empty rectangles touch nothing
}

TEST_F(CollisionTest, UnrotatedCardCoversItsRectangleAroundTheHandle) {
  auto card = MakeCard();
  CollidePicture(*card, 0, {400, 300}, 0, 1, &owner1);
  // Handle (36, 48): the card covers x 364..435, y 252..347.
  EXPECT_TRUE(HitsPoint(364, 252));
  EXPECT_TRUE(HitsPoint(435, 347));
  EXPECT_FALSE(HitsPoint(363, 300));
  EXPECT_FALSE(HitsPoint(436, 300));
  EXPECT_FALSE(HitsPoint(400, 251));
  EXPECT_FALSE(HitsPoint(400, 348));
}

TEST_F(CollisionTest, TransparentPixelsNeverCollide) {
  auto framed = MakeCard(72, 96, 10);
  CollidePicture(*framed, 0, {400, 300}, 0, 1, &owner1);
  EXPECT_FALSE(HitsPoint(366, 300)); // inside the picture, but clear
  EXPECT_TRUE(HitsPoint(374, 300));
  // Two framed cards whose clear borders overlap but opaque parts do not.
  auto other = MakeCard(72, 96, 10);
  EXPECT_FALSE(CollidePicture(*other, 0, {400 + 72 - 18, 300}, 1, 0, &owner2));
  EXPECT_TRUE(CollidePicture(*other, 0, {400 + 72 - 22, 300}, 1, 0, &owner2));
}

TEST_F(CollisionTest, RotatedCardLeavesItsOldCornersFree) {
  auto card = MakeCard();
  CollidePicture(*card, 0, {400, 300, 45}, 0, 1, &owner1);
  // The corners of the unrotated rectangle are no longer covered...
  EXPECT_FALSE(HitsPoint(366, 254));
  EXPECT_FALSE(HitsPoint(433, 254));
  EXPECT_FALSE(HitsPoint(366, 345));
  EXPECT_FALSE(HitsPoint(433, 345));
  // ...while the centre and points along the turned long axis are.
  EXPECT_TRUE(HitsPoint(400, 300));
  // The long axis (down the card) turns clockwise: towards the lower left.
  EXPECT_TRUE(HitsPoint(400 - 30, 300 + 30));
  EXPECT_FALSE(HitsPoint(400 + 38, 300 + 38));
  // A pixel beyond the unrotated rectangle but under the turned card's corner.
  EXPECT_TRUE(HitsPoint(400 - 55, 300 + 8));
}

TEST_F(CollisionTest, RotationIsClockwiseAboutTheHandle) {
  // A 40 x 4 bar with its handle at the left end, turned by 90 degrees,
  // points straight down on a y-down screen.
  auto bar = MakeCard(40, 4);
  bar->SetHandle(0, 2);
  CollidePicture(*bar, 0, {200, 200, 90}, 0, 1, &owner1);
  EXPECT_TRUE(HitsPoint(199, 230));
  EXPECT_FALSE(HitsPoint(199, 170));
  EXPECT_FALSE(HitsPoint(230, 199));
  ResetCollisions();
  CollidePicture(*bar, 0, {200, 200, -90}, 0, 1, &owner1);
  EXPECT_TRUE(HitsPoint(199, 170));
  EXPECT_FALSE(HitsPoint(199, 230));
}

TEST_F(CollisionTest, ScaleGrowsTheOutlineAroundTheHandle) {
  auto card = MakeCard(20, 20);
  CollidePicture(*card, 0, {100, 100, 0, 2, 0.5f}, 0, 1, &owner1);
  EXPECT_TRUE(HitsPoint(81, 100));  // 20 wide -> 40 wide around x = 100
  EXPECT_FALSE(HitsPoint(79, 100));
  EXPECT_TRUE(HitsPoint(100, 95));  // 20 high -> 10 high around y = 100
  EXPECT_FALSE(HitsPoint(100, 94));
  EXPECT_FALSE(CollidePicture(*card, 0, {100, 100, 0, 0, 1}, 1, 1, &owner2)); // a flat picture touches nothing
}

TEST_F(CollisionTest, CardPairsOverlapExactlyWhenTheirOutlinesDo) {
  auto card = MakeCard();
  CollidePicture(*card, 0, {300, 300}, 0, 1, &owner1);
  EXPECT_TRUE(CollidePicture(*card, 0, {371, 300}, 1, 0, &owner2));  // one column shared
  EXPECT_FALSE(CollidePicture(*card, 0, {372, 300}, 1, 0, &owner2)); // edge to edge
  EXPECT_TRUE(CollidePicture(*card, 0, {300 + 40, 300 + 80, 30}, 1, 0, &owner2));  // turned corner inside
  EXPECT_FALSE(CollidePicture(*card, 0, {300 + 60, 300 + 90, 30}, 1, 0, &owner2)); // boxes overlap, card does not
  // Far apart in x beyond a 64-bit word, same rows: no false hit from the word arithmetic.
  EXPECT_FALSE(CollidePicture(*card, 0, {300 + 72 + 64, 300, 0}, 1, 0, &owner2));
  // Diagonal neighbours: boxes overlap, turned outlines do not.
  ResetCollisions();
  CollidePicture(*card, 0, {300, 300, 45}, 0, 1, &owner1);
  EXPECT_FALSE(CollidePicture(*card, 0, {300 + 80, 300 - 80, 45}, 1, 0, &owner2));
  EXPECT_TRUE(CollidePicture(*card, 0, {300 + 40, 300 - 40, 45}, 1, 0, &owner2));
}

TEST_F(CollisionTest, ReportsEveryOwnerTouchedOnce) {
  auto card = MakeCard();
  CollidePicture(*card, 0, {100, 100}, 0, 1, &owner1);
  CollidePicture(*card, 0, {150, 100}, 0, 1, &owner2);
  CollidePicture(*card, 0, {160, 110}, 0, 1, &owner2); // owner 2 twice
  CollidePicture(*card, 0, {600, 500}, 0, 1, &owner3);
  std::vector<CollisionOwner> hits;
  EXPECT_TRUE(CollideRect(120, 100, 30, 5, 1, 0, nullptr, &hits));
  ASSERT_EQ(hits.size(), 2u);
  EXPECT_NE(std::find(hits.begin(), hits.end(), &owner1), hits.end());
  EXPECT_NE(std::find(hits.begin(), hits.end(), &owner2), hits.end());
  // Owners already in the list are not added again.
  EXPECT_TRUE(CollideRect(100, 100, 1, 1, 1, 0, nullptr, &hits));
  EXPECT_EQ(hits.size(), 2u);
  // A miss leaves the list alone and reports false even when it is not empty.
  EXPECT_FALSE(CollideRect(10, 500, 5, 5, 1, 0, nullptr, &hits));
  EXPECT_EQ(hits.size(), 2u);
}

TEST_F(CollisionTest, LayersAreSeparateAndClearIndependently) {
  auto card = MakeCard();
  CollidePicture(*card, 0, {100, 100}, 0, 1, &owner1);      // layer 1
  CollidePicture(*card, 0, {100, 100}, 0, 4, &owner2);      // layer 3
  CollidePicture(*card, 0, {300, 300}, 0, 2 | 8, &owner3); // layers 2 and 4
  EXPECT_TRUE(HitsPoint(100, 100, 1));
  EXPECT_FALSE(HitsPoint(100, 100, 2));
  std::vector<CollisionOwner> hits;
  EXPECT_TRUE(CollideRect(100, 100, 1, 1, 1 | 4, 0, nullptr, &hits));
  EXPECT_EQ(hits.size(), 2u);
  EXPECT_TRUE(HitsPoint(300, 300, 8));
  EXPECT_FALSE(HitsPoint(300, 300, 0)); // an empty test mask tests nothing

  ResetCollisions(1 | 2);
  EXPECT_FALSE(HitsPoint(100, 100, 1));
  EXPECT_TRUE(HitsPoint(100, 100, 4));
  EXPECT_FALSE(HitsPoint(300, 300, 2));
  EXPECT_TRUE(HitsPoint(300, 300, 8));
  ResetCollisions();
  EXPECT_FALSE(HitsPoint(100, 100, 0xFFFFFFFFu));
  EXPECT_FALSE(HitsPoint(300, 300, 0xFFFFFFFFu));
}

TEST_F(CollisionTest, TestsBeforeWritingSoAPictureDoesNotHitItself) {
  auto card = MakeCard();
  EXPECT_FALSE(CollidePicture(*card, 0, {100, 100}, 1, 1, &owner1));
  EXPECT_TRUE(CollidePicture(*card, 0, {110, 100}, 1, 1, &owner2));
}

TEST_F(CollisionTest, OutlineFollowsTheFrameAndChangedPixels) {
  // Two frames: the left half opaque, then the right half.
  Pixmap strip;
  strip.width = 40;
  strip.height = 10;
  strip.rgba.assign(40 * 10 * 4, 0);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      strip.Pixel(x, y)[3] = 255;
      strip.Pixel(30 + x, y)[3] = 255;
    }
  auto picture = Picture::FromPixmapCells(strip, 20, 10, 0, 2, 0);
  ASSERT_NE(picture, nullptr);
  CollidePicture(*picture, 0, {0, 0}, 0, 1, &owner1);
  CollidePicture(*picture, 1, {100, 0}, 0, 1, &owner2);
  EXPECT_TRUE(HitsPoint(5, 5));
  EXPECT_FALSE(HitsPoint(15, 5));
  EXPECT_FALSE(HitsPoint(105, 5));
  EXPECT_TRUE(HitsPoint(115, 5));

  // New pixels (a render target read back) give a new outline.
  ResetCollisions();
  Pixmap& pixels = picture->MutableFramePixels(0);
  for (int y = 0; y < 10; ++y) pixels.Pixel(15, y)[3] = 255;
  picture->PixelsChanged();
  CollidePicture(*picture, 0, {0, 0}, 0, 1, &owner1);
  EXPECT_TRUE(HitsPoint(15, 5));
}

TEST_F(CollisionTest, SteadyStateNeedsNoNewOutlines) {
  // The same card written and tested many times keeps giving the same answers
  // (the cached outline is reused, the layer storage is recycled).
  auto card = MakeCard();
  for (int round = 0; round < 50; ++round) {
    ResetCollisions(1);
    for (int i = 0; i < 20; ++i) CollidePicture(*card, 0, {40.0f + i * 30, 100, 30}, 0, 1, &owner1);
    ASSERT_TRUE(HitsPoint(40, 100));
    ASSERT_FALSE(HitsPoint(40, 300));
  }
}

} // namespace
