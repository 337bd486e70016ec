#include "platform/Pixmap.h"
#include "platform/Files.h"

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>
#include <jerror.h>
#include <png.h>

namespace platform {

namespace {

int maskR = 0, maskG = 0, maskB = 0;

void SetError(std::string* error, const std::string& text) {
  if (error) *error = text;
}

// ---- PNG -------------------------------------------------------------------

struct PngSource {
  const uint8_t* data;
  size_t size;
  size_t offset;
};

void PngRead(png_structp png, png_bytep out, png_size_t length) {
  auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
  if (length > source->size - source->offset) png_error(png, "unexpected end of data");
  std::memcpy(out, source->data + source->offset, length);
  source->offset += length;
}

struct PngFailure {
  char message[200];
};

void PngError(png_structp png, png_const_charp message) {
  auto* failure = static_cast<PngFailure*>(png_get_error_ptr(png));
  std::snprintf(failure->message, sizeof(failure->message), "%s", message);
  png_longjmp(png, 1);
}

void PngWarning(png_structp, png_const_charp) {}

// Every chunk up to the end chunk lies whole within the data. libpng sizes some
// chunks' buffers by their declared length before reading them, so a few
// damaged bytes could otherwise ask for gigabytes; a file failing this would
// fail to decode all the same.
bool PngChunksFit(const uint8_t* data, size_t size) {
  size_t at = 8; // past the signature
  while (size - at >= 12) {
    const size_t length =
        size_t(data[at]) << 24 | size_t(data[at + 1]) << 16 | size_t(data[at + 2]) << 8 | data[at + 3];
    const bool end = std::memcmp(data + at + 4, "IEND", 4) == 0;
    if (length > size - at - 12) return false; // its data and checksum
    at += 12 + length;
    if (end) return true;
  }
  return false;
}

// Only plain C objects live in this frame: libpng leaves it by longjmp on any error.
bool DecodePng(const uint8_t* data, size_t size, Pixmap& out, std::vector<png_bytep>& rows, PngFailure& failure) {
  PngSource source{data, size, 0};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &failure, PngError, PngWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &source, PngRead);
  png_set_user_limits(png, MaxPictureSide, MaxPictureSide);
  png_read_info(png, info);
  png_uint_32 width = png_get_image_width(png, info);
  png_uint_32 height = png_get_image_height(png, info);
  if (width == 0 || height == 0 || width > png_uint_32(MaxPictureSide) || height > png_uint_32(MaxPictureSide))
    png_error(png, "picture too large");
  int colorType = png_get_color_type(png, info);
  png_set_expand(png);
  png_set_strip_16(png);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != size_t(width) * 4) png_error(png, "unsupported pixel layout");
  out.width = int(width);
  out.height = int(height);
  out.rgba.assign(size_t(width) * height * 4, 0);
  rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = out.rgba.data() + size_t(y) * width * 4;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

void PngWrite(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void PngFlush(png_structp) {}

bool EncodePngFrame(const Pixmap& pixmap, std::vector<uint8_t>& out, int compression,
                    std::vector<png_bytep>& rows, PngFailure& failure) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &failure, PngError, PngWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &out, PngWrite, PngFlush);
  png_set_compression_level(png, compression);
  png_set_IHDR(png, info, png_uint_32(pixmap.width), png_uint_32(pixmap.height), 8, PNG_COLOR_TYPE_RGB_ALPHA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

// ---- JPEG ------------------------------------------------------------------

struct JpegFailure {
  jpeg_error_mgr manager;
  jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void JpegErrorExit(j_common_ptr info) {
  auto* failure = reinterpret_cast<JpegFailure*>(info->err);
  info->err->format_message(info, failure->message);
  longjmp(failure->jump, 1);
}

void JpegMessage(j_common_ptr info, int level) {
  // A file that ends early, or whose picture data stops at a marker before the
  // picture is complete, would be padded with grey by the decoder: it is
  // broken, so stop here rather than decode the rest of the picture (up to
  // its largest size) from nothing.
  if (level < 0 && (info->err->msg_code == JWRN_JPEG_EOF || info->err->msg_code == JWRN_HIT_MARKER)) {
    auto* failure = reinterpret_cast<JpegFailure*>(info->err);
    std::snprintf(failure->message, sizeof(failure->message), "unexpected end of data");
    longjmp(failure->jump, 1);
  }
}

bool DecodeJpeg(const uint8_t* data, size_t size, Pixmap& out, JpegFailure& failure) {
  jpeg_decompress_struct info;
  info.err = jpeg_std_error(&failure.manager);
  failure.manager.error_exit = JpegErrorExit;
  failure.manager.emit_message = JpegMessage;
  jpeg_create_decompress(&info);
  if (setjmp(failure.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  if (info.image_width == 0 || info.image_height == 0 || info.image_width > JDIMENSION(MaxPictureSide) ||
      info.image_height > JDIMENSION(MaxPictureSide)) {
    std::snprintf(failure.message, sizeof(failure.message), "picture too large");
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space = JCS_EXT_RGBA;
  jpeg_start_decompress(&info);
  if (info.output_components != 4) {
    std::snprintf(failure.message, sizeof(failure.message), "unsupported colour layout");
    jpeg_destroy_decompress(&info);
    return false;
  }
  out.width = int(info.output_width);
  out.height = int(info.output_height);
  // Rows are added as they are decoded, so a picture that breaks off early
  // never costs its whole size.
  const size_t rowBytes = size_t(out.width) * 4;
  out.rgba.reserve(rowBytes * size_t(out.height));
  while (info.output_scanline < info.output_height) {
    out.rgba.resize(rowBytes * (size_t(info.output_scanline) + 1));
    JSAMPROW row = out.rgba.data() + size_t(info.output_scanline) * rowBytes;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

bool EncodeJpegRows(const Pixmap& pixmap, int quality, unsigned char*& buffer, unsigned long& size,
                    JpegFailure& failure) {
  jpeg_compress_struct info;
  info.err = jpeg_std_error(&failure.manager);
  failure.manager.error_exit = JpegErrorExit;
  jpeg_create_compress(&info);
  if (setjmp(failure.jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = JDIMENSION(pixmap.width);
  info.image_height = JDIMENSION(pixmap.height);
  info.input_components = 4;
  info.in_color_space = JCS_EXT_RGBA;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(pixmap.Pixel(0, int(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

} // namespace

bool EncodeJpeg(const Pixmap& pixmap, std::vector<uint8_t>& out, int quality) {
  out.clear();
  if (pixmap.Empty() || pixmap.rgba.size() != size_t(pixmap.width) * pixmap.height * 4) return false;
  unsigned char* buffer = nullptr; // grown by the library with malloc
  unsigned long size = 0;
  JpegFailure failure{};
  bool ok = EncodeJpegRows(pixmap, std::clamp(quality, 1, 100), buffer, size, failure);
  if (ok) out.assign(buffer, buffer + size);
  std::free(buffer);
  return ok;
}

bool DecodePicture(const uint8_t* data, size_t size, Pixmap& out, std::string* error) {
  out = Pixmap();
  static const uint8_t pngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  bool ok = false;
  if (data && size >= 8 && std::memcmp(data, pngSignature, 8) == 0) {
    PngFailure failure{};
    std::snprintf(failure.message, sizeof(failure.message), "cannot decode PNG");
    std::vector<png_bytep> rows;
    if (!PngChunksFit(data, size))
      std::snprintf(failure.message, sizeof(failure.message), "a chunk runs past the end of the data");
    else
      ok = DecodePng(data, size, out, rows, failure);
    if (!ok) SetError(error, std::string("PNG: ") + failure.message);
  } else if (data && size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) {
    JpegFailure failure{};
    std::snprintf(failure.message, sizeof(failure.message), "cannot decode JPEG");
    ok = DecodeJpeg(data, size, out, failure);
    if (!ok) SetError(error, std::string("JPEG: ") + failure.message);
  } else {
    SetError(error, "not a PNG or JPEG picture");
  }
  if (!ok) out = Pixmap();
  return ok;
}

bool LoadPixmap(const std::string& path, Pixmap& out, std::string* error) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, bytes, 256ll << 20)) {
    out = Pixmap();
    SetError(error, "cannot read " + path);
    return false;
  }
  return DecodePicture(bytes.data(), bytes.size(), out, error);
}

bool EncodePng(const Pixmap& pixmap, std::vector<uint8_t>& out, int compression) {
  out.clear();
  if (pixmap.Empty() || pixmap.rgba.size() != size_t(pixmap.width) * pixmap.height * 4) return false;
  if (compression < 0) compression = 0;
  if (compression > 9) compression = 9;
  std::vector<png_bytep> rows(size_t(pixmap.height));
  for (int y = 0; y < pixmap.height; ++y) rows[y] = const_cast<png_bytep>(pixmap.Pixel(0, y));
  PngFailure failure{};
  bool ok = EncodePngFrame(pixmap, out, compression, rows, failure);
  if (!ok) out.clear();
  return ok;
}

bool SavePng(const Pixmap& pixmap, const std::string& path, int compression) {
  std::vector<uint8_t> bytes;
  return EncodePng(pixmap, bytes, compression) && WriteFileAtomic(path, bytes.data(), bytes.size());
}

void SetMaskColor(int r, int g, int b) {
  maskR = r;
  maskG = g;
  maskB = b;
}

void GetMaskColor(int& r, int& g, int& b) {
  r = maskR;
  g = maskG;
  b = maskB;
}

void ApplyMask(Pixmap& pixmap, int r, int g, int b) {
  for (size_t i = 0; i + 3 < pixmap.rgba.size(); i += 4) {
    uint8_t* p = &pixmap.rgba[i];
    if (p[0] == r && p[1] == g && p[2] == b) p[3] = 0;
  }
}

} // namespace platform
