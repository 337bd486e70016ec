#pragma once
#include "platform/Pixmap.h"

#include <cstdint>

namespace test_support {

// A w x h pixmap of one colour.
inline platform::Pixmap SolidPixmap(int w, int h, uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
  platform::Pixmap pixmap;
  pixmap.width = w;
  pixmap.height = h;
  pixmap.rgba.resize(size_t(w) * h * 4);
  for (size_t i = 0; i < pixmap.rgba.size(); i += 4) {
    pixmap.rgba[i] = r;
    pixmap.rgba[i + 1] = g;
    pixmap.rgba[i + 2] = b;
    pixmap.rgba[i + 3] = a;
  }
  return pixmap;
}

} // namespace test_support
