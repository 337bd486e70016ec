#pragma once
#include "platform/Picture.h"
#include "platform/Pixmap.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// TrueType rasterising with FreeType: a face loaded from memory rendered at a
// pixel size into smoothed glyph coverage for codes 0..255 (Latin-1), with
// advances, bearings and kerning, ready to pack into an atlas.
namespace platform {

struct GlyphBitmap {
  int width = 0, height = 0;  // coverage bitmap size
  int bearingX = 0;           // from pen position to the bitmap's left edge
  int bearingY = 0;           // from baseline up to the bitmap's top edge
  float advance = 0;          // pen advance in pixels (whole pixels, so glyphs stay crisp)
  std::vector<uint8_t> coverage; // width * height, 0..255
};

struct RasterFont {
  int pixelSize = 0;          // the size the face accepted
  int ascender = 0, descender = 0, lineHeight = 0; // descender is negative (below the baseline)
  std::array<GlyphBitmap, 256> glyphs;
  std::vector<float> kerning; // 256 * 256, kerning[left * 256 + right], empty when none
};

// Renders the face at the largest pixel height not above `size` that it
// accepts. False when the data is not a usable font.
bool RasterizeFont(const uint8_t* data, size_t size, int pixelSize, RasterFont& out);

// An "image font": one size of a face with every glyph packed into a single
// atlas picture, so a string draws as one picture's sub-rectangles. Strings are
// 8-bit: each byte is a Latin-1 code. Text is drawn with its top-left corner at
// the given point, using the current drawing colour, alpha, blend and scale.
class ImageFont {
public:
  // `smooth` turns on linear filtering of the atlas (smooth scaling).
  static std::shared_ptr<ImageFont> FromRaster(const RasterFont& raster, bool smooth = true);
  // nullptr when the bytes are no usable font or no size up to `size` is accepted.
  static std::shared_ptr<ImageFont> LoadFromMemory(const uint8_t* data, size_t size, int pixelSize,
                                                   bool smooth = true);
  static std::shared_ptr<ImageFont> Load(const std::string& path, int pixelSize, bool smooth = true);

  // Metrics in unscaled pixels.
  int PixelSize() const { return pixelSize_; }
  int Height() const { return ascender_ - descender_; } // the height of any line of text
  int Ascender() const { return ascender_; }
  int LineHeight() const { return lineHeight_; }
  float Advance(uint8_t code) const { return glyphs_[code].advance; }
  float Kerning(uint8_t left, uint8_t right) const {
    return kerning_.empty() ? 0.0f : kerning_[size_t(left) * 256 + right];
  }
  float TextWidth(const std::string& text) const;  // advances plus kerning
  float TextHeight(const std::string&) const { return float(Height()); }

  // Draws `text` with its top-left corner at (x, y).
  void Draw(const std::string& text, float x, float y);

  Picture& Atlas() { return *atlas_; }
  // The atlas rectangle of a glyph (0 x 0 for codes without a glyph).
  struct Glyph {
    int sx = 0, sy = 0, w = 0, h = 0; // atlas rectangle
    int offsetX = 0, offsetY = 0;     // from pen position / line top to the rectangle
    float advance = 0;
  };
  const Glyph& GlyphOf(uint8_t code) const { return glyphs_[code]; }

private:
  struct Token {};

public:
  explicit ImageFont(Token) {} // made only through the factories above

private:
  int pixelSize_ = 0, ascender_ = 0, descender_ = 0, lineHeight_ = 0;
  std::array<Glyph, 256> glyphs_{};
  std::vector<float> kerning_;
  std::shared_ptr<Picture> atlas_;
};

} // namespace platform
