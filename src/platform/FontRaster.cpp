#include "platform/FontRaster.h"

#include "platform/Files.h"
#include "platform/Graphics.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <memory>
#include <type_traits>

namespace platform {

namespace {

// Owns the FreeType library and one face for the length of a call.
struct FreeTypeDeleter {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDeleter {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using LibraryPtr = std::unique_ptr<std::remove_pointer_t<FT_Library>, FreeTypeDeleter>;
using FacePtr = std::unique_ptr<std::remove_pointer_t<FT_Face>, FaceDeleter>;

// 26.6 fixed point to whole pixels.
int RoundPixels(FT_Pos value) { return int((value + 32) >> 6); }

constexpr int FirstCode = 32; // control codes have no glyphs
constexpr int AtlasPadding = 2; // keeps filtered neighbours from bleeding in

void RenderGlyph(FT_Face face, unsigned code, GlyphBitmap& glyph) {
  glyph = GlyphBitmap{};
  FT_UInt index = FT_Get_Char_Index(face, code);
  if (index == 0) return; // no glyph for this code: nothing drawn, no advance
  if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT) != 0) return;
  if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) return;
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  glyph.advance = float(RoundPixels(slot->advance.x));
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.width == 0 || bitmap.rows == 0) return;
  glyph.width = int(bitmap.width);
  glyph.height = int(bitmap.rows);
  glyph.bearingX = slot->bitmap_left;
  glyph.bearingY = slot->bitmap_top;
  glyph.coverage.resize(size_t(glyph.width) * glyph.height);
  for (int row = 0; row < glyph.height; ++row) {
    const unsigned char* source = bitmap.buffer + std::ptrdiff_t(row) * bitmap.pitch;
    std::copy(source, source + glyph.width, glyph.coverage.begin() + std::ptrdiff_t(row) * glyph.width);
  }
}

void ReadKerning(FT_Face face, RasterFont& out) {
  out.kerning.clear();
  if (!FT_HAS_KERNING(face)) return;
  std::array<FT_UInt, 256> index{};
  for (int code = FirstCode; code < 256; ++code) index[code] = FT_Get_Char_Index(face, code);
  std::vector<float> table(256 * 256, 0.0f);
  bool any = false;
  for (int left = FirstCode; left < 256; ++left) {
    if (index[left] == 0) continue;
    for (int right = FirstCode; right < 256; ++right) {
      if (index[right] == 0) continue;
      FT_Vector delta{};
      if (FT_Get_Kerning(face, index[left], index[right], FT_KERNING_DEFAULT, &delta) != 0) continue;
      if (delta.x != 0) {
        table[size_t(left) * 256 + right] = float(RoundPixels(delta.x));
        any = true;
      }
    }
  }
  if (any) out.kerning = std::move(table);
}

} // namespace

bool RasterizeFont(const uint8_t* data, size_t size, int pixelSize, RasterFont& out) {
  if (!data || size == 0 || pixelSize < 1) return false;
  FT_Library rawLibrary = nullptr;
  if (FT_Init_FreeType(&rawLibrary) != 0) return false;
  LibraryPtr library(rawLibrary);
  FT_Face rawFace = nullptr;
  if (FT_New_Memory_Face(library.get(), data, FT_Long(size), 0, &rawFace) != 0) return false;
  FacePtr face(rawFace);
  if (FT_Select_Charmap(face.get(), FT_ENCODING_UNICODE) != 0) return false;

  // The largest pixel height not above the request that the face accepts.
  int accepted = 0;
  for (int s = pixelSize; s >= 1; --s) {
    if (FT_Set_Pixel_Sizes(face.get(), 0, FT_UInt(s)) == 0) {
      accepted = s;
      break;
    }
  }
  if (accepted == 0) return false;

  out.pixelSize = accepted;
  const FT_Size_Metrics& metrics = face->size->metrics;
  out.ascender = int((metrics.ascender + 63) >> 6);   // round up: nothing pokes out of the top
  out.descender = int(-((-metrics.descender + 63) >> 6));
  out.lineHeight = RoundPixels(metrics.height);
  for (int code = 0; code < 256; ++code) {
    if (code < FirstCode) out.glyphs[code] = GlyphBitmap{};
    else RenderGlyph(face.get(), unsigned(code), out.glyphs[code]);
  }
  ReadKerning(face.get(), out);
  return true;
}

std::shared_ptr<ImageFont> ImageFont::FromRaster(const RasterFont& raster, bool smooth) {
  // Shelf packing into a fixed-width atlas; glyphs in code order.
  const int atlasWidth = raster.pixelSize > 20 ? 512 : 256;
  int penX = AtlasPadding, penY = AtlasPadding, shelf = 0;
  std::array<Glyph, 256> glyphs{};
  for (int code = 0; code < 256; ++code) {
    const GlyphBitmap& source = raster.glyphs[code];
    Glyph& glyph = glyphs[code];
    glyph.advance = source.advance;
    if (source.width <= 0 || source.height <= 0) continue;
    if (source.width + 2 * AtlasPadding > atlasWidth) continue; // absurdly wide glyph: skipped
    if (penX + source.width + AtlasPadding > atlasWidth) {
      penX = AtlasPadding;
      penY += shelf + AtlasPadding;
      shelf = 0;
    }
    glyph.sx = penX;
    glyph.sy = penY;
    glyph.w = source.width;
    glyph.h = source.height;
    glyph.offsetX = source.bearingX;
    glyph.offsetY = raster.ascender - source.bearingY;
    penX += source.width + AtlasPadding;
    shelf = std::max(shelf, source.height);
  }
  const int atlasHeight = std::max(1, penY + shelf + AtlasPadding);
  if (atlasHeight > MaxPictureSide) return nullptr;

  Pixmap pixels;
  pixels.width = atlasWidth;
  pixels.height = atlasHeight;
  // White everywhere with the coverage as alpha: the drawing colour tints it and
  // filtering never pulls in dark fringes.
  pixels.rgba.assign(size_t(atlasWidth) * atlasHeight * 4, 255);
  for (size_t i = 3; i < pixels.rgba.size(); i += 4) pixels.rgba[i] = 0;
  for (int code = 0; code < 256; ++code) {
    const Glyph& glyph = glyphs[code];
    const GlyphBitmap& source = raster.glyphs[code];
    if (glyph.w == 0) continue;
    for (int row = 0; row < glyph.h; ++row)
      for (int col = 0; col < glyph.w; ++col)
        pixels.Pixel(glyph.sx + col, glyph.sy + row)[3] = source.coverage[size_t(row) * glyph.w + col];
  }

  auto atlas = Picture::FromPixmap(pixels, smooth ? picture_flags::Filter : 0);
  if (!atlas) return nullptr;
  auto font = std::make_shared<ImageFont>(Token{});
  font->pixelSize_ = raster.pixelSize;
  font->ascender_ = raster.ascender;
  font->descender_ = raster.descender;
  font->lineHeight_ = raster.lineHeight;
  font->glyphs_ = glyphs;
  font->kerning_ = raster.kerning;
  font->atlas_ = std::move(atlas);
  return font;
}

std::shared_ptr<ImageFont> ImageFont::LoadFromMemory(const uint8_t* data, size_t size, int pixelSize, bool smooth) {
  RasterFont raster;
  if (!RasterizeFont(data, size, pixelSize, raster)) return nullptr;
  return FromRaster(raster, smooth);
}

std::shared_ptr<ImageFont> ImageFont::Load(const std::string& path, int pixelSize, bool smooth) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(ResolvePath(path), bytes, 64ll << 20)) return nullptr;
  return LoadFromMemory(bytes.data(), bytes.size(), pixelSize, smooth);
}

float ImageFont::TextWidth(const std::string& text) const {
  float width = 0;
  uint8_t previous = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const uint8_t code = uint8_t(text[i]);
    if (i > 0) width += Kerning(previous, code);
    width += glyphs_[code].advance;
    previous = code;
  }
  return width;
}

void ImageFont::Draw(const std::string& text, float x, float y) {
  if (text.empty() || !atlas_) return;
  // Glyph rectangles are placed here with the scale applied, so the drawing
  // layer must not scale or rotate them again about each glyph.
  float scaleX = 1, scaleY = 1;
  GetScale(scaleX, scaleY);
  const float rotation = GetRotation();
  SetScale(1, 1);
  SetRotation(0);
  float pen = 0;
  uint8_t previous = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const uint8_t code = uint8_t(text[i]);
    if (i > 0) pen += Kerning(previous, code);
    const Glyph& glyph = glyphs_[code];
    if (glyph.w > 0)
      DrawSubPicture(*atlas_, x + (pen + glyph.offsetX) * scaleX, y + glyph.offsetY * scaleY, glyph.w * scaleX,
                     glyph.h * scaleY, float(glyph.sx), float(glyph.sy), float(glyph.w), float(glyph.h));
    pen += glyph.advance;
    previous = code;
  }
  SetRotation(rotation);
  SetScale(scaleX, scaleY);
}

} // namespace platform
