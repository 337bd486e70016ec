#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Decoded pictures in memory: 8-bit RGBA, rows top to bottom, no padding.
namespace platform {

struct Pixmap {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba; // width * height * 4 bytes

  uint8_t* Pixel(int x, int y) { return &rgba[(size_t(y) * width + x) * 4]; }
  const uint8_t* Pixel(int x, int y) const { return &rgba[(size_t(y) * width + x) * 4]; }
  bool Empty() const { return width <= 0 || height <= 0; }
};

constexpr int MaxPictureSide = 8192;

// Decodes PNG (with alpha) or JPEG from memory, by content. Truncated, corrupt
// or oversized (> MaxPictureSide a side) data returns false with `error` set.
bool DecodePicture(const uint8_t* data, size_t size, Pixmap& out, std::string* error = nullptr);
bool LoadPixmap(const std::string& path, Pixmap& out, std::string* error = nullptr);

// PNG encoding (compression 0..9) for screenshots and the asset tools.
bool SavePng(const Pixmap& pixmap, const std::string& path, int compression = 9);
bool EncodePng(const Pixmap& pixmap, std::vector<uint8_t>& out, int compression = 9);
// JPEG encoding (quality 1..100, alpha dropped) for the asset tools and tests.
bool EncodeJpeg(const Pixmap& pixmap, std::vector<uint8_t>& out, int quality = 90);

// The mask colour: while masking is on, pixels of exactly that colour become
// fully transparent when a pixmap becomes a picture. The game sets magenta
// while it loads its resources and black otherwise.
void SetMaskColor(int r, int g, int b);
void GetMaskColor(int& r, int& g, int& b);
void ApplyMask(Pixmap& pixmap, int r, int g, int b);

} // namespace platform
