#include "Canvas.h"

#include "JpegEncoder.h"

#include "platform/Pixmap.h"

#include <cmath>
#include <stdexcept>

namespace assetgen {

Canvas::Canvas(int width, int height)
    : width_(width), height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_.get())) {
  if (cairo_surface_status(surface_.get()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot create a drawing surface");
  cairo_set_antialias(cr_.get(), CAIRO_ANTIALIAS_GOOD);
}

uint8_t* Canvas::Data() {
  cairo_surface_flush(surface_.get());
  return cairo_image_surface_get_data(surface_.get());
}

int Canvas::Stride() const { return cairo_image_surface_get_stride(surface_.get()); }

void Canvas::MarkDirty() { cairo_surface_mark_dirty(surface_.get()); }

std::vector<uint8_t> Canvas::ToRgba() {
  std::vector<uint8_t> out(size_t(width_) * height_ * 4);
  const uint8_t* data = Data();
  for (int y = 0; y < height_; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * Stride());
    for (int x = 0; x < width_; ++x) {
      uint32_t p = row[x];
      int a = p >> 24, r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
      uint8_t* o = &out[(size_t(y) * width_ + x) * 4];
      if (a == 0) {
        o[0] = o[1] = o[2] = o[3] = 0;
        continue;
      }
      // The same rounding cairo's PNG writer uses.
      o[0] = uint8_t((r * 255 + a / 2) / a);
      o[1] = uint8_t((g * 255 + a / 2) / a);
      o[2] = uint8_t((b * 255 + a / 2) / a);
      o[3] = uint8_t(a);
    }
  }
  return out;
}

int Canvas::AlphaAt(int x, int y) {
  const uint8_t* data = Data();
  return reinterpret_cast<const uint32_t*>(data + size_t(y) * Stride())[x] >> 24;
}

std::vector<uint8_t> Canvas::EncodePng() {
  platform::Pixmap pixmap;
  pixmap.width = width_;
  pixmap.height = height_;
  pixmap.rgba = ToRgba();
  for (size_t i = 0; i < pixmap.rgba.size(); i += 4) {
    uint8_t* p = &pixmap.rgba[i];
    if (p[3] == 0) continue;
    if (p[0] == 0 && p[1] == 0 && p[2] == 0) p[0] = p[1] = p[2] = 1;
    else if (p[0] == 255 && p[1] == 0 && p[2] == 255) p[1] = 1;
  }
  std::vector<uint8_t> out;
  if (!platform::EncodePng(pixmap, out, 9)) throw std::runtime_error("PNG encoding failed");
  return out;
}

std::vector<uint8_t> Canvas::EncodeJpeg(int quality) {
  // Pictures stored as JPEG are opaque backgrounds: flatten over near-black.
  std::vector<uint8_t> rgba = ToRgba();
  std::vector<uint8_t> rgb(size_t(width_) * height_ * 3);
  for (size_t i = 0, n = size_t(width_) * height_; i < n; ++i) {
    int a = rgba[i * 4 + 3];
    for (int c = 0; c < 3; ++c) {
      int v = (rgba[i * 4 + c] * a + 1 * (255 - a)) / 255;
      rgb[i * 3 + c] = uint8_t(v < 1 ? 1 : v);
    }
  }
  return EncodeJpegRgb(rgb, width_, height_, quality);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void SetRgb(cairo_t* cr, uint32_t rgb, double alpha) {
  cairo_set_source_rgba(cr, ((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0,
                        (rgb & 255) / 255.0, alpha);
}

} // namespace assetgen
