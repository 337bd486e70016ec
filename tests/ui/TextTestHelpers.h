#pragma once
#include "platform/FontRaster.h"
#include "platform/Graphics.h"
#include "platform/Pixmap.h"

#include <algorithm>
#include <memory>
#include <string>

// Helpers for the text tests: the system's Carlito face (the game's font is a
// metric-compatible face of it) and ink boxes read back from the back buffer.
namespace text_test {

inline const char* CarlitoPath = "/usr/share/fonts/truetype/crosextra/Carlito-Regular.ttf";

inline std::shared_ptr<platform::ImageFont> Carlito(int size) {
  return platform::ImageFont::Load(CarlitoPath, size, true);
}

struct InkBox {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1; // inclusive
  bool Empty() const { return right < left; }
  int Width() const { return Empty() ? 0 : right - left + 1; }
  int Height() const { return Empty() ? 0 : bottom - top + 1; }
};

// The box of pixels whose channels pass `test`, inside the given region.
template <typename Test>
InkBox FindInk(const platform::Pixmap& pixels, Test test, int x0 = 0, int y0 = 0, int x1 = 1 << 30,
               int y1 = 1 << 30) {
  InkBox box;
  for (int y = std::max(0, y0); y < std::min(pixels.height, y1); ++y)
    for (int x = std::max(0, x0); x < std::min(pixels.width, x1); ++x) {
      const uint8_t* p = pixels.Pixel(x, y);
      if (!test(p)) continue;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
    }
  return box;
}

// Anything drawn on the black background.
inline InkBox FindInk(const platform::Pixmap& pixels) {
  return FindInk(pixels, [](const uint8_t* p) { return p[0] > 40 || p[1] > 40 || p[2] > 40; });
}

inline platform::Pixmap Grab() {
  platform::Pixmap pixels;
  platform::GrabBackBuffer(pixels);
  return pixels;
}

} // namespace text_test
