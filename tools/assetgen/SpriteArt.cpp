#include "SpriteArt.h"

#include "AppIcon.h"
#include "Canvas.h"

#include "SuitShapes.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {
constexpr uint32_t Gold = 0xD8B24C;

// Radial soft glow centred on (cx, cy).
void Glow(cairo_t* cr, double cx, double cy, double radius, double core) {
  cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
  Stop(g, 0, 0xFFFFFF, core);
  Stop(g, 0.25, 0xFFFFFF, core * 0.55);
  Stop(g, 0.6, 0xFFFFFF, core * 0.15);
  Stop(g, 1, 0xFFFFFF, 0);
  cairo_set_source(cr, g);
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

// A star with `points` tips, inner radius ratio `inner`.
void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points, double turn = 0) {
  cairo_new_path(cr);
  for (int i = 0; i < points * 2; ++i) {
    double a = -M_PI / 2 + turn + i * M_PI / points;
    double r = i % 2 == 0 ? outer : outer * inner;
    if (i == 0) cairo_move_to(cr, cx + std::cos(a) * r, cy + std::sin(a) * r);
    else cairo_line_to(cr, cx + std::cos(a) * r, cy + std::sin(a) * r);
  }
  cairo_close_path(cr);
}
} // namespace

std::shared_ptr<Canvas> SpriteArt::Pointer() const {
  auto canvas = std::make_shared<Canvas>(32, 32);
  cairo_t* cr = canvas->Cr();
  // The tip sits exactly on the top-left pixel (the hot spot).
  auto path = [&](double dx, double dy) {
    cairo_new_path(cr);
    cairo_move_to(cr, 0.5 + dx, 0.5 + dy);
    cairo_line_to(cr, 0.5 + dx, 21 + dy);
    cairo_line_to(cr, 5.5 + dx, 16.5 + dy);
    cairo_line_to(cr, 9.5 + dx, 25.5 + dy);
    cairo_line_to(cr, 13 + dx, 24 + dy);
    cairo_line_to(cr, 9 + dx, 15.3 + dy);
    cairo_line_to(cr, 15.5 + dx, 15.3 + dy);
    cairo_close_path(cr);
  };
  path(2, 2);
  cairo_set_source_rgba(cr, 0.02, 0.02, 0.02, 0.35);
  cairo_fill(cr);
  path(0, 0);
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 12, 24);
  Stop(fill, 0, 0xFFFFFF);
  Stop(fill, 1, 0xE8DDBE);
  cairo_set_source(cr, fill);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(fill);
  SetRgb(cr, 0x141414);
  cairo_set_line_width(cr, 1.2);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  cairo_stroke(cr);
  // Keep the hot-spot pixel solid so the tip is visible.
  cairo_rectangle(cr, 0, 0, 1, 2);
  SetRgb(cr, 0x141414);
  cairo_fill(cr);
  return canvas;
}

std::shared_ptr<Canvas> SpriteArt::ParticleSheet() const {
  auto canvas = std::make_shared<Canvas>(384, 384);
  cairo_t* cr = canvas->Cr();
  for (int frame = 0; frame < 9; ++frame) {
    double cx = (frame % 3) * 128 + 64.0, cy = (frame / 3) * 128 + 64.0;
    cairo_save(cr);
    cairo_rectangle(cr, cx - 64, cy - 64, 128, 128);
    cairo_clip(cr);
    switch (frame) {
    case 0: Glow(cr, cx, cy, 60, 1.0); break; // soft round light
    case 1: // four-point twinkle
      Glow(cr, cx, cy, 40, 0.8);
      StarPath(cr, cx, cy, 60, 0.12, 4);
      cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
      cairo_fill(cr);
      break;
    case 2: // ring
      cairo_new_path(cr);
      cairo_arc(cr, cx, cy, 44, 0, 2 * M_PI);
      for (int i = 3; i >= 0; --i) {
        cairo_set_source_rgba(cr, 1, 1, 1, i == 0 ? 0.95 : 0.2);
        cairo_set_line_width(cr, 4 + i * 5);
        cairo_stroke_preserve(cr);
      }
      cairo_new_path(cr);
      break;
    case 3: // five-point star
      Glow(cr, cx, cy, 56, 0.5);
      StarPath(cr, cx, cy, 52, 0.45, 5);
      cairo_set_source_rgba(cr, 1, 1, 1, 1);
      cairo_fill(cr);
      break;
    case 4: // small bright sparkle (the bonus trail)
      Glow(cr, cx, cy, 58, 1.0);
      StarPath(cr, cx, cy, 56, 0.1, 4, M_PI / 4);
      cairo_set_source_rgba(cr, 1, 1, 1, 0.6);
      cairo_fill(cr);
      break;
    case 5: // six-ray flare
      Glow(cr, cx, cy, 30, 1.0);
      StarPath(cr, cx, cy, 62, 0.08, 6);
      cairo_set_source_rgba(cr, 1, 1, 1, 0.75);
      cairo_fill(cr);
      break;
    case 6: { // smoke puff: clustered soft blobs
      const double blobs[][3] = {{-14, -8, 34}, {14, -6, 30}, {0, 12, 36}, {-4, -18, 26}};
      for (auto& b : blobs) {
        cairo_pattern_t* g = cairo_pattern_create_radial(cx + b[0], cy + b[1], 0, cx + b[0], cy + b[1], b[2]);
        Stop(g, 0, 0xE8E8E8, 0.45);
        Stop(g, 1, 0xE8E8E8, 0);
        cairo_set_source(cr, g);
        cairo_paint(cr);
        cairo_pattern_destroy(g);
      }
      break;
    }
    case 7: // heart
      Glow(cr, cx, cy, 60, 0.45);
      cairo_new_path(cr);
      SuitPath(cr, Suit::Hearts, cx, cy, 70);
      cairo_set_source_rgba(cr, 1, 1, 1, 0.95);
      cairo_fill(cr);
      break;
    default: // streak
      cairo_save(cr);
      cairo_translate(cr, cx, cy);
      cairo_scale(cr, 1, 0.18);
      Glow(cr, 0, 0, 62, 1.0);
      cairo_restore(cr);
      Glow(cr, cx, cy, 16, 1.0);
      break;
    }
    cairo_restore(cr);
  }
  return canvas;
}

std::shared_ptr<Canvas> SpriteArt::SoftDot(int size) const {
  auto canvas = std::make_shared<Canvas>(size, size);
  Glow(canvas->Cr(), size / 2.0, size / 2.0, size / 2.0, 1.0);
  return canvas;
}

std::shared_ptr<Canvas> SpriteArt::Star(int size) const {
  auto canvas = std::make_shared<Canvas>(size, size);
  cairo_t* cr = canvas->Cr();
  double c = size / 2.0;
  Glow(cr, c, c, c, 0.7);
  StarPath(cr, c, c, c * 0.95, 0.38, 5);
  cairo_set_source_rgba(cr, 1, 1, 1, 1);
  cairo_fill(cr);
  StarPath(cr, c, c, c * 0.98, 0.06, 4, M_PI / 4);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.6);
  cairo_fill(cr);
  return canvas;
}

std::shared_ptr<Canvas> SpriteArt::Bar(int kind) const {
  auto canvas = std::make_shared<Canvas>(BarWidth, BarHeight);
  cairo_t* cr = canvas->Cr();
  const double r = BarHeight / 2.0;
  cairo_new_path(cr);
  RoundedRect(cr, 0.5, 0.5, BarWidth - 1, BarHeight - 1, r - 0.5);
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 0, BarHeight);
  if (kind == 0) {
    Stop(fill, 0, 0x050A08, 0.75);
    Stop(fill, 1, 0x142A20, 0.8);
  } else {
    uint32_t top = kind == 1 ? 0xFFE9A0 : 0xC8FFB8, mid = kind == 1 ? 0xE0A830 : 0x4CC86A,
             bottom = kind == 1 ? 0x9C6A12 : 0x1E7A3A;
    Stop(fill, 0, top);
    Stop(fill, 0.5, mid);
    Stop(fill, 1, bottom);
  }
  cairo_set_source(cr, fill);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(fill);
  SetRgb(cr, 0xF2E6C4, 0.9);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  if (kind != 0) {
    // Gloss and fine segment ticks every 20 pixels (one loading step).
    cairo_new_path(cr);
    RoundedRect(cr, 3, 2.5, BarWidth - 6, BarHeight * 0.4, r * 0.6);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
    cairo_fill(cr);
    for (int x = 20; x < BarWidth; x += 20) {
      cairo_move_to(cr, x + 0.5, 4);
      cairo_line_to(cr, x + 0.5, BarHeight - 4);
    }
    cairo_set_source_rgba(cr, 0.25, 0.15, 0.02, 0.18);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }
  return canvas;
}

std::shared_ptr<Canvas> SpriteArt::Check() const {
  auto canvas = std::make_shared<Canvas>(36, 36);
  cairo_t* cr = canvas->Cr();
  cairo_new_path(cr);
  cairo_arc(cr, 18, 18, 16, 0, 2 * M_PI);
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, 2, 0, 34);
  Stop(fill, 0, 0x7EE08A);
  Stop(fill, 1, 0x1E8A3C);
  cairo_set_source(cr, fill);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(fill);
  SetRgb(cr, 0xF6FFF0);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  cairo_move_to(cr, 10, 18.5);
  cairo_line_to(cr, 15.5, 24);
  cairo_line_to(cr, 26, 12);
  SetRgb(cr, 0xFFFFFF);
  cairo_set_line_width(cr, 3.6);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
  return canvas;
}

std::shared_ptr<Canvas> SpriteArt::Slider() const {
  const int w = 280, h = 26;
  auto canvas = std::make_shared<Canvas>(w, h);
  cairo_t* cr = canvas->Cr();
  // The groove spans the usable range between the 22-pixel end zones.
  cairo_new_path(cr);
  RoundedRect(cr, 1, 4, w - 2, h - 8, (h - 8) / 2.0);
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, 4, 0, h - 4);
  Stop(fill, 0, 0x030806, 0.85);
  Stop(fill, 1, 0x1C3A2C, 0.85);
  cairo_set_source(cr, fill);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(fill);
  SetRgb(cr, 0xF2E6C4, 0.85);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  for (int i = 0; i <= 10; ++i) {
    double x = 22 + i * (w - 44) / 10.0;
    cairo_move_to(cr, x, h / 2.0 - (i % 5 == 0 ? 4 : 2));
    cairo_line_to(cr, x, h / 2.0 + (i % 5 == 0 ? 4 : 2));
  }
  SetRgb(cr, Gold, 0.7);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  return canvas;
}

namespace {

// A gold knob with three grip lines, upright or (`across`) lying.
std::shared_ptr<Canvas> GoldKnob(int w, int h, bool across) {
  auto canvas = std::make_shared<Canvas>(w, h);
  cairo_t* cr = canvas->Cr();
  cairo_new_path(cr);
  RoundedRect(cr, 1, 1, w - 2, h - 2, 6);
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, w, h);
  Stop(fill, 0, 0xFFF0B8);
  Stop(fill, 0.5, 0xE0AE3A);
  Stop(fill, 1, 0x9A6A14);
  cairo_set_source(cr, fill);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(fill);
  SetRgb(cr, 0x4A3008);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  for (int i = -1; i <= 1; ++i) {
    if (across) {
      cairo_move_to(cr, 4, h / 2.0 + i * 5);
      cairo_line_to(cr, w - 4, h / 2.0 + i * 5);
    } else {
      cairo_move_to(cr, w / 2.0 + i * 4, 8);
      cairo_line_to(cr, w / 2.0 + i * 4, h - 8);
    }
  }
  SetRgb(cr, 0x6A4A10, 0.7);
  cairo_stroke(cr);
  return canvas;
}

} // namespace

std::shared_ptr<Canvas> SpriteArt::Marker() const { return GoldKnob(20, 26, false); }

// The slider of a vertical scroll bar.
std::shared_ptr<Canvas> SpriteArt::ScrollSlider() const { return GoldKnob(16, 44, true); }

void SpriteArt::AddAll(AssetSet& out) const {
  const std::string g = "data/graphics/";
  out.AddPicture(g + "pointer.png", Pointer(), "sprites");
  out.AddPicture(g + "particles.png", ParticleSheet(), "sprites");
  out.AddPicture(g + "icon.png", AppIcon::Paint(AppIcon::WindowSize), "sprites");
  out.AddPicture(g + "loadingbarempty.png", Bar(0), "sprites");
  out.AddPicture(g + "loadingbar.png", Bar(1), "sprites");
  out.AddPicture(g + "loadingbarfinal.png", Bar(2), "sprites");
  out.AddPicture(g + "check.png", Check(), "sprites");
  out.AddPicture(g + "slider.png", Slider(), "sprites");
  out.AddPicture(g + "marker.png", Marker(), "sprites");
  out.AddPicture(g + "scrollslider.png", ScrollSlider(), "sprites");
  out.AddPicture("data/resources/particle1.png", SoftDot(32), "sprites", true);
  out.AddPicture("data/resources/particle2.png", Star(64), "sprites", true);
}

} // namespace assetgen
