#include "SuitShapes.h"

#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

const char* SuitName(Suit s) {
  switch (s) {
  case Suit::Hearts: return "hearts";
  case Suit::Diamonds: return "diamonds";
  case Suit::Spades: return "spades";
  case Suit::Clubs: return "clubs";
  }
  return "";
}

namespace {
// Shapes are authored in a unit box (-0.5..0.5, y down) and scaled.
void Heart(cairo_t* cr) {
  cairo_move_to(cr, 0, 0.5);
  cairo_curve_to(cr, -0.1, 0.36, -0.5, 0.12, -0.5, -0.15);
  cairo_curve_to(cr, -0.5, -0.37, -0.36, -0.5, -0.24, -0.5);
  cairo_curve_to(cr, -0.1, -0.5, -0.02, -0.41, 0, -0.3);
  cairo_curve_to(cr, 0.02, -0.41, 0.1, -0.5, 0.24, -0.5);
  cairo_curve_to(cr, 0.36, -0.5, 0.5, -0.37, 0.5, -0.15);
  cairo_curve_to(cr, 0.5, 0.12, 0.1, 0.36, 0, 0.5);
  cairo_close_path(cr);
}

void Diamond(cairo_t* cr) {
  cairo_move_to(cr, 0, -0.5);
  cairo_curve_to(cr, 0.12, -0.3, 0.24, -0.13, 0.39, 0);
  cairo_curve_to(cr, 0.24, 0.13, 0.12, 0.3, 0, 0.5);
  cairo_curve_to(cr, -0.12, 0.3, -0.24, 0.13, -0.39, 0);
  cairo_curve_to(cr, -0.24, -0.13, -0.12, -0.3, 0, -0.5);
  cairo_close_path(cr);
}

void Spade(cairo_t* cr) {
  cairo_move_to(cr, 0, -0.5);
  cairo_curve_to(cr, 0.1, -0.33, 0.5, -0.13, 0.5, 0.12);
  cairo_curve_to(cr, 0.5, 0.3, 0.38, 0.39, 0.25, 0.39);
  cairo_curve_to(cr, 0.13, 0.39, 0.05, 0.33, 0.03, 0.27);
  cairo_curve_to(cr, 0.05, 0.38, 0.11, 0.46, 0.2, 0.5);
  cairo_line_to(cr, -0.2, 0.5);
  cairo_curve_to(cr, -0.11, 0.46, -0.05, 0.38, -0.03, 0.27);
  cairo_curve_to(cr, -0.05, 0.33, -0.13, 0.39, -0.25, 0.39);
  cairo_curve_to(cr, -0.38, 0.39, -0.5, 0.3, -0.5, 0.12);
  cairo_curve_to(cr, -0.5, -0.13, -0.1, -0.33, 0, -0.5);
  cairo_close_path(cr);
}

void Club(cairo_t* cr) {
  const double r = 0.205;
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, -0.28, r, 0, 2 * M_PI);
  cairo_new_sub_path(cr);
  cairo_arc(cr, -0.27, 0.07, r, 0, 2 * M_PI);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0.27, 0.07, r, 0, 2 * M_PI);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0.0, 0.14, 0, 2 * M_PI);
  cairo_move_to(cr, -0.04, 0.05);
  cairo_curve_to(cr, -0.04, 0.3, -0.1, 0.44, -0.2, 0.5);
  cairo_line_to(cr, 0.2, 0.5);
  cairo_curve_to(cr, 0.1, 0.44, 0.04, 0.3, 0.04, 0.05);
  cairo_close_path(cr);
}
} // namespace

void SuitPath(cairo_t* cr, Suit suit, double cx, double cy, double size, bool flipped) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, size, flipped ? -size : size);
  switch (suit) {
  case Suit::Hearts: Heart(cr); break;
  case Suit::Diamonds: Diamond(cr); break;
  case Suit::Spades: Spade(cr); break;
  case Suit::Clubs: Club(cr); break;
  }
  cairo_restore(cr);
}

void DrawPip(cairo_t* cr, Suit suit, double cx, double cy, double size, bool flipped) {
  uint32_t base = SuitColour(suit);
  double r = ((base >> 16) & 255) / 255.0, g = ((base >> 8) & 255) / 255.0, b = (base & 255) / 255.0;
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  SuitPath(cr, suit, cx, cy, size, flipped);
  cairo_pattern_t* pat = cairo_pattern_create_linear(cx - size * 0.3, cy - size * 0.5, cx + size * 0.3, cy + size * 0.5);
  double lift = IsRed(suit) ? 0.16 : 0.2;
  cairo_pattern_add_color_stop_rgb(pat, 0, std::min(1.0, r + lift), std::min(1.0, g + lift * 0.6),
                                   std::min(1.0, b + lift * 0.8));
  cairo_pattern_add_color_stop_rgb(pat, 1, r * 0.85, g * 0.85, b * 0.85 + 0.004);
  cairo_set_source(cr, pat);
  cairo_fill(cr);
  cairo_pattern_destroy(pat);
  cairo_restore(cr);
}

void CardOutlinePath(cairo_t* cr, double x, double y) {
  RoundedRect(cr, x, y, CardWidth, CardHeight, CardRadius);
}

} // namespace assetgen
