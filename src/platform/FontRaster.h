#pragma once
#include "platform/Pixmap.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// TrueType rasterising with FreeType: a face loaded from memory rendered at a
// pixel size into smoothed glyph coverage for codes 0..255 (Latin-1), with
// advances, bearings and kerning, ready to pack into an atlas.
namespace platform {

struct GlyphBitmap {
  int width = 0, height = 0;  // coverage bitmap size
  int bearingX = 0;           // from pen position to the bitmap's left edge
  int bearingY = 0;           // from baseline up to the bitmap's top edge
  float advance = 0;          // pen advance in pixels
  std::vector<uint8_t> coverage; // width * height, 0..255
};

struct RasterFont {
  int pixelSize = 0;          // the size the face accepted
  int ascender = 0, descender = 0, lineHeight = 0;
  std::array<GlyphBitmap, 256> glyphs;
  std::vector<float> kerning; // 256 * 256, kerning[left * 256 + right], empty when none
};

// Renders the face at the largest pixel height not above `size` that it
// accepts. False when the data is not a usable font.
bool RasterizeFont(const uint8_t* data, size_t size, int pixelSize, RasterFont& out);

} // namespace platform
