// Feeds arbitrary bytes to the picture decoder (PNG or JPEG, chosen by
// content). The png_reader and jpeg_reader targets both build this file and
// differ in their seed corpora. A picture that decodes has sides within the
// limit and exactly its pixels; a small one survives being written again as
// PNG and read back unchanged. One that does not decode must say why.
#include "platform/Pixmap.h"

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::Pixmap pixmap;
  std::string error;
  if (!platform::DecodePicture(data, size, pixmap, &error)) {
    Check(!error.empty());
    return 0;
  }
  Check(pixmap.width > 0 && pixmap.height > 0);
  Check(pixmap.width <= platform::MaxPictureSide && pixmap.height <= platform::MaxPictureSide);
  Check(pixmap.rgba.size() == size_t(pixmap.width) * size_t(pixmap.height) * 4);
  if (pixmap.rgba.size() > (1u << 20)) return 0;
  std::vector<uint8_t> png;
  Check(platform::EncodePng(pixmap, png, 1));
  platform::Pixmap again;
  Check(platform::DecodePicture(png.data(), png.size(), again, &error));
  Check(again.width == pixmap.width && again.height == pixmap.height && again.rgba == pixmap.rgba);
  return 0;
}
