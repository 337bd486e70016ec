#pragma once
#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A cairo drawing surface (premultiplied ARGB) with its context, owned by the
// generator. Every generated picture is painted into one of these, then
// encoded clear of the game's mask colours.
namespace assetgen {

// Adds a colour stop given as 0xRRGGBB with an alpha to a cairo gradient.
inline void Stop(cairo_pattern_t* p, double at, uint32_t rgb, double alpha = 1) {
  cairo_pattern_add_color_stop_rgba(p, at, ((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0,
                                    (rgb & 255) / 255.0, alpha);
}

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};

class Canvas {
public:
  Canvas(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  cairo_t* Cr() const { return cr_.get(); }
  cairo_surface_t* Surface() const { return surface_.get(); }

  // Raw premultiplied pixels (B, G, R, A in memory on little-endian), after a flush.
  uint8_t* Data();
  int Stride() const;
  void MarkDirty();

  // Un-premultiplied RGBA, rows top to bottom.
  std::vector<uint8_t> ToRgba();
  // Alpha of one pixel, 0..255.
  int AlphaAt(int x, int y);

  // PNG of the un-premultiplied pixels. Every visible pixel of exactly one
  // of the game's two mask colours (pure black, magenta) is nudged by one
  // step first, so no drawn pixel is keyed out at load time.
  std::vector<uint8_t> EncodePng();
  std::vector<uint8_t> EncodeJpeg(int quality);

private:
  int width_, height_;
  std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface_;
  std::unique_ptr<cairo_t, ContextDeleter> cr_;
};

// Path helpers shared by every painter.
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void SetRgb(cairo_t* cr, uint32_t rgb, double alpha = 1.0);

} // namespace assetgen
