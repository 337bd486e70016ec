// The generator's drawing surface: PNG encoding keeps visible pixels off the
// mask colours at every opacity without changing how they look, and JPEG encoding gives a decodable opaque picture.
#include "Canvas.h"

#include "platform/Pixmap.h"

#include <gtest/gtest.h>

namespace {

platform::Pixmap Decode(const std::vector<uint8_t>& bytes) {
  platform::Pixmap p;
  std::string error;
  EXPECT_TRUE(platform::DecodePicture(bytes.data(), bytes.size(), p, &error)) << error;
  return p;
}

TEST(Canvas, PngNeverHoldsAVisibleMaskColour) {
  // One column per alpha level; row 0 pure black, row 1 pure magenta.
  assetgen::Canvas canvas(256, 2);
  cairo_t* cr = canvas.Cr();
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  for (int a = 0; a < 256; ++a) {
    cairo_set_source_rgba(cr, 0, 0, 0, a / 255.0);
    cairo_rectangle(cr, a, 0, 1, 1);
    cairo_fill(cr);
    cairo_set_source_rgba(cr, 1, 0, 1, a / 255.0);
    cairo_rectangle(cr, a, 1, 1, 1);
    cairo_fill(cr);
  }
  platform::Pixmap p = Decode(canvas.EncodePng());
  ASSERT_EQ(p.width, 256);
  for (int a = 1; a < 256; ++a) {
    const uint8_t* black = p.Pixel(a, 0);
    const uint8_t* magenta = p.Pixel(a, 1);
    EXPECT_EQ(black[3], a);
    EXPECT_FALSE(black[0] == 0 && black[1] == 0 && black[2] == 0) << "alpha " << a;
    EXPECT_LE(black[0], 4) << "alpha " << a; // still looks black
    EXPECT_EQ(magenta[3], a);
    EXPECT_FALSE(magenta[0] == 255 && magenta[1] == 0 && magenta[2] == 255) << "alpha " << a;
    EXPECT_GE(magenta[0], 250) << "alpha " << a; // still looks magenta
  }
  // Fully transparent pixels are left alone.
  EXPECT_EQ(p.Pixel(0, 0)[3], 0);
}

TEST(Canvas, OtherColoursSurviveTheRoundTrip) {
  assetgen::Canvas canvas(4, 1);
  cairo_t* cr = canvas.Cr();
  const uint32_t colours[4] = {0x102030, 0xFFFFFF, 0x01FF01, 0xFE00FF};
  for (int i = 0; i < 4; ++i) {
    assetgen::SetRgb(cr, colours[i]);
    cairo_rectangle(cr, i, 0, 1, 1);
    cairo_fill(cr);
  }
  platform::Pixmap p = Decode(canvas.EncodePng());
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(p.Pixel(i, 0)[0], (colours[i] >> 16) & 255) << i;
    EXPECT_EQ(p.Pixel(i, 0)[1], (colours[i] >> 8) & 255) << i;
    EXPECT_EQ(p.Pixel(i, 0)[2], colours[i] & 255) << i;
    EXPECT_EQ(p.Pixel(i, 0)[3], 255) << i;
  }
}

TEST(Canvas, JpegIsOpaqueAndCloseToTheDrawing) {
  assetgen::Canvas canvas(64, 48);
  cairo_t* cr = canvas.Cr();
  assetgen::SetRgb(cr, 0x3060A0);
  cairo_paint(cr);
  std::vector<uint8_t> jpeg = canvas.EncodeJpeg(92);
  ASSERT_GE(jpeg.size(), 4u);
  EXPECT_EQ(jpeg[0], 0xFF);
  EXPECT_EQ(jpeg[1], 0xD8);
  platform::Pixmap p = Decode(jpeg);
  ASSERT_EQ(p.width, 64);
  ASSERT_EQ(p.height, 48);
  const uint8_t* c = p.Pixel(30, 20);
  EXPECT_NEAR(c[0], 0x30, 4);
  EXPECT_NEAR(c[1], 0x60, 4);
  EXPECT_NEAR(c[2], 0xA0, 4);
  EXPECT_EQ(c[3], 255);
  // Same drawing, same bytes.
  EXPECT_EQ(canvas.EncodeJpeg(92), jpeg);
}

TEST(Canvas, TransparentAreasFlattenToNearBlackInJpeg) {
  assetgen::Canvas canvas(16, 16); // nothing drawn
  platform::Pixmap p = Decode(canvas.EncodeJpeg(92));
  EXPECT_LE(p.Pixel(8, 8)[0], 6);
}

} // namespace
