#include "platform/FontRaster.h"

#include "platform/Files.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::vector<uint8_t> CarlitoBytes() {
  std::vector<uint8_t> bytes;
  platform::ReadWholeFile("/usr/share/fonts/truetype/crosextra/Carlito-Regular.ttf", bytes);
  return bytes;
}

} // namespace

TEST(FontRasterTest, RendersLatin1GlyphsWithMetrics) {
  const auto bytes = CarlitoBytes();
  ASSERT_FALSE(bytes.empty());
  platform::RasterFont font;
  ASSERT_TRUE(platform::RasterizeFont(bytes.data(), bytes.size(), 20, font));
  EXPECT_EQ(font.pixelSize, 20);
  EXPECT_GT(font.ascender, 0);
  EXPECT_LT(font.descender, 0);
  EXPECT_GE(font.lineHeight, font.ascender - font.descender - 1);

  const auto& e = font.glyphs['e'];
  const auto& eAcute = font.glyphs[0xE9];
  ASSERT_GT(e.width, 0);
  ASSERT_EQ(e.coverage.size(), size_t(e.width) * e.height);
  EXPECT_EQ(eAcute.advance, e.advance);     // same letter, same width
  EXPECT_GT(eAcute.bearingY, e.bearingY);   // the accent sits above
  EXPECT_EQ(*std::max_element(e.coverage.begin(), e.coverage.end()), 255); // solid stems
  EXPECT_GT(font.glyphs['g'].height - font.glyphs['g'].bearingY, 0);       // descends below the baseline

  // Advances are whole pixels, so glyphs stay on the pixel grid.
  for (int code = 32; code < 256; ++code)
    EXPECT_EQ(font.glyphs[code].advance, float(int(font.glyphs[code].advance))) << code;
  // A space advances without ink; control codes neither.
  EXPECT_GT(font.glyphs[' '].advance, 0.0f);
  EXPECT_EQ(font.glyphs[' '].width, 0);
  EXPECT_EQ(font.glyphs['\n'].advance, 0.0f);
}

TEST(FontRasterTest, EveryGameSizeIsAcceptedAndGrows) {
  const auto bytes = CarlitoBytes();
  int previous = 0;
  for (int size : {12, 14, 16, 18, 20, 25, 34}) {
    auto font = platform::ImageFont::LoadFromMemory(bytes.data(), bytes.size(), size);
    ASSERT_TRUE(font) << size;
    EXPECT_EQ(font->PixelSize(), size); // a scalable face accepts every size
    EXPECT_GT(font->Height(), previous);
    previous = font->Height();
  }
}

TEST(FontRasterTest, RejectsWhatIsNoFont) {
  platform::RasterFont font;
  const auto bytes = CarlitoBytes();
  ASSERT_FALSE(bytes.empty());
  EXPECT_FALSE(platform::RasterizeFont(nullptr, 0, 20, font));
  EXPECT_FALSE(platform::RasterizeFont(bytes.data(), bytes.size(), 0, font));
  const std::vector<uint8_t> junk(4096, 0x5A);
  EXPECT_FALSE(platform::RasterizeFont(junk.data(), junk.size(), 20, font));
  EXPECT_FALSE(platform::RasterizeFont(bytes.data(), 2000, 20, font)); // truncated face
  EXPECT_EQ(platform::ImageFont::LoadFromMemory(junk.data(), junk.size(), 20), nullptr);
  EXPECT_EQ(platform::ImageFont::Load("/nonexistent/calibri.ttf", 20), nullptr);
}

TEST(FontRasterTest, AtlasHoldsEveryGlyphApart) {
  const auto bytes = CarlitoBytes();
  auto font = platform::ImageFont::LoadFromMemory(bytes.data(), bytes.size(), 34);
  ASSERT_TRUE(font);
  const platform::Pixmap& atlas = font->Atlas().FramePixels(0);
  // Glyph rectangles lie inside the atlas and never overlap.
  std::vector<int> owner(size_t(atlas.width) * atlas.height, -1);
  for (int code = 32; code < 256; ++code) {
    const auto& glyph = font->GlyphOf(uint8_t(code));
    if (glyph.w == 0) continue;
    ASSERT_LE(glyph.sx + glyph.w, atlas.width) << code;
    ASSERT_LE(glyph.sy + glyph.h, atlas.height) << code;
    for (int y = glyph.sy; y < glyph.sy + glyph.h; ++y)
      for (int x = glyph.sx; x < glyph.sx + glyph.w; ++x) {
        int& cell = owner[size_t(y) * atlas.width + x];
        ASSERT_EQ(cell, -1) << "glyphs " << cell << " and " << code << " overlap";
        cell = code;
      }
  }
  // Outside the glyphs the atlas is fully transparent, so filtering adds no fringes.
  for (size_t i = 0; i < owner.size(); ++i) {
    if (owner[i] == -1) {
      ASSERT_EQ(atlas.rgba[i * 4 + 3], 0);
    }
  }
}
