#include "AppIcon.h"

#include "CardExtras.h"
#include "SuitShapes.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {
constexpr uint32_t Gold = 0xD8B24C;
constexpr uint32_t Cream = 0xFBF7EA;
constexpr uint32_t CardEdge = 0x6E6650;
constexpr int SmallestFanned = 32;
} // namespace

const std::vector<int>& AppIcon::ThemeSizes() {
  static const std::vector<int> sizes{16, 32, 48, 64, 128, 256, 512};
  return sizes;
}

std::shared_ptr<Canvas> AppIcon::Paint(int size) {
  auto canvas = std::make_shared<Canvas>(size, size);
  cairo_t* cr = canvas->Cr();
  PaintTile(cr, size);
  if (size >= SmallestFanned) PaintFannedCards(cr, size);
  else PaintUprightCards(cr, size);
  return canvas;
}

void AppIcon::AddThemeIcons(AssetSet& out, const std::string& name) {
  for (int size : ThemeSizes()) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    out.AddPicture(folder + "/apps/" + name + ".png", Paint(size), "icons");
  }
}

// The icon is drawn on a 64-unit square. The rim's width and its outer
// edge are rounded to whole pixels, so its straight sides are solid pixel
// rows and columns at every size.
void AppIcon::PaintTile(cairo_t* cr, int size) {
  const double s = size / 64.0;
  const double rim = std::max(1.0, std::round(2 * s));
  const double outer = std::round(s);
  const double edge = outer + rim / 2; // the rim's centre line
  cairo_new_path(cr);
  RoundedRect(cr, edge, edge, size - 2 * edge, size - 2 * edge, 12 * s);
  cairo_pattern_t* felt = cairo_pattern_create_radial(26 * s, 22 * s, 4 * s, 32 * s, 32 * s, 46 * s);
  Stop(felt, 0, 0x37A56B);
  Stop(felt, 1, 0x0C4128);
  cairo_set_source(cr, felt);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(felt);
  SetRgb(cr, Gold);
  cairo_set_line_width(cr, rim);
  cairo_stroke(cr);
}

// A blue-backed card turned 14 degrees left under a spade card turned 10
// degrees right; the outlines never get thinner than one pixel.
void AppIcon::PaintFannedCards(cairo_t* cr, int size) {
  const double s = size / 64.0;
  for (int i = 0; i < 2; ++i) {
    cairo_save(cr);
    cairo_scale(cr, s, s);
    cairo_translate(cr, 32, 34);
    cairo_rotate(cr, (i == 0 ? -14 : 10) * M_PI / 180);
    cairo_new_path(cr);
    RoundedRect(cr, -14 + i * 6, -19, 28, 38, 3);
    SetRgb(cr, i == 0 ? CardExtras::BackColour(1) : Cream);
    cairo_fill_preserve(cr);
    SetRgb(cr, i == 0 ? Gold : CardEdge);
    cairo_set_line_width(cr, std::max(1.2, 1.0 / s));
    cairo_stroke(cr);
    if (i == 1) DrawPip(cr, Suit::Spades, 6, 0, 20);
    cairo_restore(cr);
  }
}

// Below 32 pixels a turned card edge would be all blur: the two cards stand
// upright, the back one up and to the left, with one-pixel outlines on pixel
// centres, and the spade is set pixel by pixel (a drawn one would be a grey
// blot at this size).
void AppIcon::PaintUprightCards(cairo_t* cr, int size) {
  const double s = size / 16.0;
  auto card = [&](double left, double top, double right, double bottom, uint32_t fill, uint32_t line) {
    // Whole-pixel box, outline on the centres of its outermost pixels.
    const double x0 = std::round(left * s) + 0.5, y0 = std::round(top * s) + 0.5;
    const double x1 = std::round(right * s) - 0.5, y1 = std::round(bottom * s) - 0.5;
    cairo_new_path(cr);
    cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
    SetRgb(cr, fill);
    cairo_fill_preserve(cr);
    SetRgb(cr, line);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  };
  card(3, 2, 10, 12, CardExtras::BackColour(1), Gold);
  card(6, 4, 13, 14, Cream, CardEdge);
  static const char* const spade[] = {"..#..", ".###.", "#####", "#####", "..#..", ".###."};
  SetRgb(cr, CardBlack);
  for (int row = 0; row < 6; ++row)
    for (int column = 0; column < 5; ++column)
      if (spade[row][column] == '#') {
        const double x0 = std::round((7 + column) * s), y0 = std::round((6 + row) * s);
        cairo_rectangle(cr, x0, y0, std::round((8 + column) * s) - x0, std::round((7 + row) * s) - y0);
      }
  cairo_fill(cr);
}

} // namespace assetgen
