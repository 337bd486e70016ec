#include "SceneArt.h"

#include "Canvas.h"

#include "Noise.h"
#include "SpriteArt.h"
#include "SuitShapes.h"
#include "UiArt.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {
struct Rgb {
  double r, g, b;
};
Rgb FromHex(uint32_t c) { return {((c >> 16) & 255) / 255.0, ((c >> 8) & 255) / 255.0, (c & 255) / 255.0}; }

// Fills the canvas pixel by pixel from `shade(x, y)`, fully opaque.
template <typename F> void PaintPixels(Canvas& canvas, F shade) {
  uint8_t* data = canvas.Data();
  for (int y = 0; y < canvas.Height(); ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * canvas.Stride());
    for (int x = 0; x < canvas.Width(); ++x) {
      Rgb c = shade(x, y);
      auto q = [](double v) { return uint32_t(std::clamp(std::lround(v * 255), 1l, 255l)); };
      row[x] = 0xFF000000u | (q(c.r) << 16) | (q(c.g) << 8) | q(c.b);
    }
  }
  canvas.MarkDirty();
}

// Light falling off from (lx, ly) and a vignette towards the corners.
double Lighting(double x, double y, double lx, double ly) {
  double dx = (x - lx) / 800.0, dy = (y - ly) / 600.0;
  double light = 1.18 - 0.9 * (dx * dx + dy * dy);
  double vx = (x - 400) / 400.0, vy = (y - 300) / 300.0;
  double vignette = 1.0 - 0.38 * std::pow(std::min(1.0, (vx * vx + vy * vy) / 2.0), 1.3) * 2.0;
  return std::max(0.25, light * vignette);
}

constexpr uint32_t Gold = 0xD8B24C;
} // namespace

std::shared_ptr<Canvas> SceneArt::Felt(uint32_t base, uint32_t seed, double lightX, double lightY) const {
  auto canvas = std::make_shared<Canvas>(Width, Height);
  Noise cloud(seed), fibre(seed + 101);
  Rgb b = FromHex(base);
  PaintPixels(*canvas, [&](int x, int y) {
    // Broad cloudy variation plus fine woven fibre.
    double n = cloud.Fbm(x / 140.0, y / 140.0, 4) - 0.5;
    double f = fibre.Value(x / 1.3, y / 1.3) - 0.5;
    double nap = fibre.Fbm(x / 9.0 + 40, y / 9.0, 2) - 0.5;
    double weave = 0.025 * std::sin((x + y) * 1.9) * std::sin((x - y) * 1.7);
    double k = Lighting(x, y, lightX, lightY) * (1 + 0.24 * n + 0.16 * f + 0.09 * nap + weave);
    return Rgb{b.r * k, b.g * k, b.b * k};
  });
  return canvas;
}

std::shared_ptr<Canvas> SceneArt::Wood(uint32_t seed) const {
  auto canvas = std::make_shared<Canvas>(Width, Height);
  Noise grain(seed), warp(seed + 7), fine(seed + 13);
  const Rgb light = FromHex(0xA8682E), dark = FromHex(0x4E2A12);
  PaintPixels(*canvas, [&](int x, int y) {
    // Horizontal planks 100 pixels tall, each with its own grain offset.
    int plank = y / 100;
    double py = y - plank * 100;
    double offset = plank * 173.0;
    double w = warp.Fbm((x + offset) / 400.0, y / 90.0, 3);
    double rings = std::sin(py * 0.16 + w * 3.2 + grain.Value((x + offset) / 160.0, plank * 3.1) * 1.5);
    double streak = fine.Value((x + offset) / 24.0, y / 1.3) - 0.5;
    double t = 0.5 + 0.2 * rings + 0.3 * streak;
    t = std::clamp(t, 0.0, 1.0);
    double k = Lighting(x, y, 400, 220);
    // Dark seams between the planks, and staggered butt joints.
    double seam = (py < 1.5 || py > 98.5) ? 0.45 : 1.0;
    int joint = (plank % 2 == 0) ? 260 : 540;
    if (std::abs(x - joint) < 1) seam = 0.5;
    double m = k * seam;
    return Rgb{(dark.r + (light.r - dark.r) * t) * m, (dark.g + (light.g - dark.g) * t) * m,
               (dark.b + (light.b - dark.b) * t) * m};
  });
  return canvas;
}

void SceneArt::Corners(cairo_t* cr, double inset, int cornerCount) const {
  for (int corner = 0; corner < cornerCount; ++corner) {
    cairo_save(cr);
    cairo_translate(cr, corner % 2 ? Width - inset : inset, corner / 2 ? Height - inset : inset);
    cairo_scale(cr, corner % 2 ? -1 : 1, corner / 2 ? -1 : 1);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 90);
    cairo_line_to(cr, 0, 10);
    cairo_curve_to(cr, 0, 4, 4, 0, 10, 0);
    cairo_line_to(cr, 90, 0);
    cairo_move_to(cr, 8, 60);
    cairo_curve_to(cr, 8, 30, 30, 8, 60, 8);
    cairo_move_to(cr, 14, 34);
    cairo_curve_to(cr, 22, 30, 30, 22, 34, 14);
    SetRgb(cr, Gold, 0.75);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_arc(cr, 18, 18, 3.2, 0, 2 * M_PI);
    SetRgb(cr, 0xFFE9A0, 0.85);
    cairo_fill(cr);
    cairo_restore(cr);
  }
}

std::shared_ptr<Canvas> SceneArt::Title() const {
  auto canvas = Felt(0x6E1422, 31, 400, 90);
  cairo_t* cr = canvas->Cr();
  // A faint damask of suit symbols over the velvet.
  const Suit suits[4] = {Suit::Spades, Suit::Hearts, Suit::Clubs, Suit::Diamonds};
  cairo_new_path(cr);
  for (int row = 0; row < 11; ++row)
    for (int col = 0; col < 14; ++col)
      SuitPath(cr, suits[(row + col) % 4], col * 60 + (row % 2) * 30 + 10, row * 60 + 10, 18);
  cairo_set_source_rgba(cr, 0.02, 0.0, 0.02, 0.14);
  cairo_fill(cr);
  // A warm spotlight behind the logo.
  cairo_pattern_t* spot = cairo_pattern_create_radial(400, 100, 10, 400, 120, 360);
  Stop(spot, 0, 0xFFD890, 0.28);
  Stop(spot, 1, 0xFFD890, 0);
  cairo_set_source(cr, spot);
  cairo_paint(cr);
  cairo_pattern_destroy(spot);
  // No bottom-right ornament: the version number sits in that corner.
  Corners(cr, 14, 3);
  return canvas;
}

std::shared_ptr<Canvas> SceneArt::PlayScreen() const {
  auto canvas = Felt(0x155C3A, 47, 400, 260);
  cairo_t* cr = canvas->Cr();
  // An embossed diamond lattice and an inlaid gold frame.
  cairo_new_path(cr);
  for (double d = -600; d < 1400; d += 40) {
    cairo_move_to(cr, d, 0);
    cairo_line_to(cr, d + 600, 600);
    cairo_move_to(cr, d, 600);
    cairo_line_to(cr, d + 600, 0);
  }
  cairo_set_source_rgba(cr, 1, 1, 0.9, 0.035);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  cairo_new_path(cr);
  RoundedRect(cr, 10, 10, Width - 20, Height - 20, 16);
  SetRgb(cr, 0x2A1608, 0.5);
  cairo_set_line_width(cr, 6);
  cairo_stroke(cr);
  RoundedRect(cr, 10, 10, Width - 20, Height - 20, 16);
  SetRgb(cr, Gold, 0.8);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  Corners(cr, 20);
  return canvas;
}

std::shared_ptr<Canvas> SceneArt::Loading() const {
  auto canvas = Felt(0x103A2A, 59, 400, 240);
  cairo_t* cr = canvas->Cr();
  Corners(cr, 14);
  TitleStyle style;
  style.outlineWidth = 4;
  style.shadowOffset = 4;
  TitleText(cr, fonts_, "Marrowdeck", 96, 400, 250, style);
  CentredText(cr, fonts_, "Loading...", 26, 400, 400, 0xF2E6C4, 0.9);
  // A frame around the slot, then the slot itself cut out so the bar shows
  // through whether this picture is drawn under or over it.
  const double bx = (Width - SpriteArt::BarWidth) / 2.0, by = 425;
  cairo_new_path(cr);
  RoundedRect(cr, bx - 5, by - 5, SpriteArt::BarWidth + 10, SpriteArt::BarHeight + 10, SpriteArt::BarHeight / 2.0 + 5);
  SetRgb(cr, Gold, 0.85);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  cairo_rectangle(cr, bx, by, SpriteArt::BarWidth, SpriteArt::BarHeight);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_fill(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  return canvas;
}

void SceneArt::AddAll(AssetSet& out) const {
  const std::string r = "data/resources/";
  out.AddPicture(r + "gamescreen1.jpg", Felt(0x17603C, 11, 330, 260), "scenes", true); // emerald felt
  out.AddPicture(r + "gamescreen2.jpg", Felt(0x1F3E7A, 12, 420, 280), "scenes", true); // royal blue felt
  out.AddPicture(r + "gamescreen3.jpg", Felt(0x7A1A2A, 13, 380, 300), "scenes", true); // burgundy felt
  out.AddPicture(r + "gamescreen4.jpg", Wood(14), "scenes", true);                     // walnut
  out.AddPicture(r + "gamescreen5.jpg", Felt(0x146670, 15, 400, 260), "scenes", true); // teal felt
  out.AddPicture(r + "titlescreen.jpg", Title(), "scenes", true);
  out.AddPicture(r + "playscreen.jpg", PlayScreen(), "scenes", true);
  out.AddPicture("data/graphics/loading.png", Loading(), "scenes");
}

} // namespace assetgen
