#include "JpegEncoder.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include <jpeglib.h>

namespace assetgen {

namespace {
// Owns the buffer jpeg_mem_dest allocates with malloc.
struct MallocDeleter {
  void operator()(unsigned char* p) const { std::free(p); }
};
struct CompressDeleter {
  void operator()(jpeg_compress_struct* c) const { jpeg_destroy_compress(c); }
};

[[noreturn]] void FailJpeg(j_common_ptr) { throw std::runtime_error("JPEG encoding failed"); }
} // namespace

std::vector<uint8_t> EncodeJpegRgb(const std::vector<uint8_t>& rgb, int width, int height, int quality) {
  jpeg_compress_struct info{};
  jpeg_error_mgr err{};
  info.err = jpeg_std_error(&err);
  err.error_exit = FailJpeg;
  jpeg_create_compress(&info);
  std::unique_ptr<jpeg_compress_struct, CompressDeleter> guard(&info);

  unsigned char* raw = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &raw, &size);
  std::unique_ptr<unsigned char, MallocDeleter> buffer;
  info.image_width = JDIMENSION(width);
  info.image_height = JDIMENSION(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  info.optimize_coding = TRUE;
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(&rgb[size_t(info.next_scanline) * width * 3]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  buffer.reset(raw);
  return std::vector<uint8_t>(raw, raw + size);
}

} // namespace assetgen
