#include "platform/Picture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// A 4 x 2 grid of 8 x 6 cells, each filled with its own number in red.
Pixmap Grid() {
  Pixmap pixmap;
  pixmap.width = 32;
  pixmap.height = 12;
  pixmap.rgba.assign(32 * 12 * 4, 255);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 32; ++x) pixmap.Pixel(x, y)[0] = uint8_t((y / 6) * 4 + x / 8);
  return pixmap;
}

TEST(PictureTest, CellsAreCutRowByRowFromTheFirstCell) {
  auto picture = Picture::FromPixmapCells(Grid(), 8, 6, 2, 5, 0);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Frames(), 5);
  EXPECT_EQ(picture->Width(), 8);
  EXPECT_EQ(picture->Height(), 6);
  for (int frame = 0; frame < 5; ++frame) {
    EXPECT_EQ(picture->FramePixels(frame).Pixel(0, 0)[0], 2 + frame);
    EXPECT_EQ(picture->FramePixels(frame).Pixel(7, 5)[0], 2 + frame);
  }
  EXPECT_EQ(picture->FramePixels(99).Pixel(0, 0)[0], 6); // clamped to the last frame
  EXPECT_EQ(picture->FramePixels(-1).Pixel(0, 0)[0], 2);
  // More cells than the pixmap holds, or no sensible cell size: nothing.
  EXPECT_EQ(Picture::FromPixmapCells(Grid(), 8, 6, 2, 7, 0), nullptr);
  EXPECT_EQ(Picture::FromPixmapCells(Grid(), 0, 6, 0, 1, 0), nullptr);
  EXPECT_EQ(Picture::FromPixmapCells(Grid(), 40, 6, 0, 1, 0), nullptr);
}

TEST(PictureTest, HandlesAreCentredWithIntegerHalves) {
  Pixmap odd;
  odd.width = 71;
  odd.height = 95;
  odd.rgba.assign(71 * 95 * 4, 255);
  auto picture = Picture::FromPixmap(odd);
  picture->MidHandle(true);
  EXPECT_EQ(picture->HandleX(), 35);
  EXPECT_EQ(picture->HandleY(), 47);
  picture->MidHandle(false);
  EXPECT_EQ(picture->HandleX(), 0);
  EXPECT_EQ(picture->HandleY(), 0);
}

TEST(PictureTest, MaskFlagClearsTheCurrentMaskColour) {
  Pixmap pixmap;
  pixmap.width = 2;
  pixmap.height = 1;
  pixmap.rgba = {255, 0, 255, 255, 0, 0, 0, 255};
  SetMaskColor(255, 0, 255);
  auto masked = Picture::FromPixmap(pixmap, picture_flags::All);
  auto plain = Picture::FromPixmap(pixmap, picture_flags::Filter);
  SetMaskColor(0, 0, 0);
  auto blackMasked = Picture::FromPixmap(pixmap, picture_flags::Mask);
  EXPECT_EQ(masked->FramePixels(0).Pixel(0, 0)[3], 0);
  EXPECT_EQ(masked->FramePixels(0).Pixel(1, 0)[3], 255);
  EXPECT_EQ(plain->FramePixels(0).Pixel(0, 0)[3], 255);
  EXPECT_EQ(blackMasked->FramePixels(0).Pixel(0, 0)[3], 255);
  EXPECT_EQ(blackMasked->FramePixels(0).Pixel(1, 0)[3], 0);
}

TEST(PictureTest, LoadFindsFilesIgnoringCaseAndReportsFailures) {
  test_support::TempFolder folder;
  std::vector<uint8_t> png;
  ASSERT_TRUE(EncodePng(Grid(), png));
  folder.Write("Data/Graphics/Cards.png", std::string(png.begin(), png.end()));
  folder.Write("data/graphics/broken.png", std::string(png.begin(), png.begin() + long(png.size() / 2)));
  auto picture = Picture::Load(folder.Path() + "data/graphics/cards.png", 0);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Width(), 32);
  std::string error;
  EXPECT_EQ(Picture::Load(folder.Path() + "data/graphics/broken.png", 0, &error), nullptr);
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(Picture::Load(folder.Path() + "data/graphics/absent.png", 0, &error), nullptr);
  EXPECT_EQ(Picture::LoadFromMemory(png.data(), 10, 0, &error), nullptr);
  EXPECT_NE(Picture::LoadFromMemory(png.data(), png.size(), 0, &error), nullptr);
}

TEST(PictureTest, EveryPictureHasItsOwnSerial) {
  auto a = Picture::FromPixmap(Grid(), 0);
  auto b = Picture::FromPixmap(Grid(), 0);
  EXPECT_NE(a->Serial(), b->Serial());
  uint64_t before = a->Serial();
  a->PixelsChanged();
  EXPECT_NE(a->Serial(), before);
  EXPECT_EQ(Picture::CreateRenderTarget(0, 10), nullptr);
  EXPECT_EQ(Picture::CreateRenderTarget(MaxPictureSide + 1, 10), nullptr);
}

} // namespace
