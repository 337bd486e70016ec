#include "CardFaces.h"

#include <cmath>
#include <string>

namespace assetgen {

namespace {
const char* RankText(int rank) {
  static const char* texts[] = {"", "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
  return texts[rank];
}

// Pip positions for 2..10: column (0 left, 1 middle, 2 right) and height
// (0 top row .. 1 bottom row). Pips below the middle are drawn upside down.
struct PipSpot {
  int column;
  double height;
};
const std::vector<PipSpot>& PipLayout(int rank) {
  static const std::vector<PipSpot> layouts[11] = {
      {},
      {},
      {{1, 0}, {1, 1}},
      {{1, 0}, {1, 0.5}, {1, 1}},
      {{0, 0}, {2, 0}, {0, 1}, {2, 1}},
      {{0, 0}, {2, 0}, {1, 0.5}, {0, 1}, {2, 1}},
      {{0, 0}, {2, 0}, {0, 0.5}, {2, 0.5}, {0, 1}, {2, 1}},
      {{0, 0}, {2, 0}, {1, 0.25}, {0, 0.5}, {2, 0.5}, {0, 1}, {2, 1}},
      {{0, 0}, {2, 0}, {1, 0.25}, {0, 0.5}, {2, 0.5}, {1, 0.75}, {0, 1}, {2, 1}},
      {{0, 0}, {2, 0}, {0, 1 / 3.0}, {2, 1 / 3.0}, {1, 0.5}, {0, 2 / 3.0}, {2, 2 / 3.0}, {0, 1}, {2, 1}},
      {{0, 0}, {2, 0}, {1, 1 / 6.0}, {0, 1 / 3.0}, {2, 1 / 3.0}, {0, 2 / 3.0}, {2, 2 / 3.0}, {1, 5 / 6.0}, {0, 1}, {2, 1}},
  };
  return layouts[rank];
}

struct CourtTheme {
  uint32_t light, dark, accent;
};
CourtTheme ThemeOf(Suit suit) {
  switch (suit) {
  case Suit::Hearts: return {0xFBE3E1, 0xEBA9AC, 0x8E1026};
  case Suit::Diamonds: return {0xFCEFCF, 0xF0C678, 0x9A4A0C};
  case Suit::Spades: return {0xE3E8F4, 0xA9B8DA, 0x1E2A52};
  case Suit::Clubs: return {0xE2F0DD, 0xA3CF9C, 0x17452A};
  }
  return {0xFFFFFF, 0xCCCCCC, 0x333333};
}

constexpr uint32_t Gold = 0xC8A03A;
} // namespace

void ApplyCardOutline(Canvas& canvas) {
  cairo_t* cr = canvas.Cr();
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_DEST_IN);
  CardOutlinePath(cr);
  cairo_set_source_rgba(cr, 0, 0, 0, 1);
  cairo_fill(cr);
  cairo_restore(cr);
}

void CardFaces::Base(cairo_t* cr) const {
  cairo_pattern_t* paper = cairo_pattern_create_linear(0, 0, CardWidth * 0.4, CardHeight);
  cairo_pattern_add_color_stop_rgb(paper, 0, 1.0, 0.995, 0.975);
  cairo_pattern_add_color_stop_rgb(paper, 1, 0.955, 0.935, 0.875);
  cairo_set_source(cr, paper);
  cairo_paint(cr);
  cairo_pattern_destroy(paper);
  cairo_new_path(cr);
  RoundedRect(cr, 0.75, 0.75, CardWidth - 1.5, CardHeight - 1.5, CardRadius - 0.75);
  SetRgb(cr, 0x7E7560);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
}

void CardFaces::Indices(cairo_t* cr, Suit suit, int rank) const {
  std::string text = RankText(rank);
  double size = rank == 10 ? 14 : 16;
  for (int corner = 0; corner < 2; ++corner) {
    cairo_save(cr);
    if (corner == 1) {
      cairo_translate(cr, CardWidth, CardHeight);
      cairo_rotate(cr, M_PI);
    }
    if (rank == 10) {
      // "10" is squeezed a little so it fits the index column.
      cairo_save(cr);
      cairo_translate(cr, 8.5, 11);
      cairo_scale(cr, 0.82, 1);
      CentredText(cr, fonts_, text, size, 0, 0, SuitColour(suit));
      cairo_restore(cr);
    } else {
      CentredText(cr, fonts_, text, size, 8.5, 11, SuitColour(suit));
    }
    DrawPip(cr, suit, 8.5, 24.5, 9);
    cairo_restore(cr);
  }
}

void CardFaces::Pips(cairo_t* cr, Suit suit, int rank) const {
  const double columns[3] = {24, 36, 48};
  const double top = 17.5, bottom = 78.5;
  double size = rank >= 9 ? 13 : 14;
  for (const PipSpot& spot : PipLayout(rank)) {
    double y = top + (bottom - top) * spot.height;
    DrawPip(cr, suit, columns[spot.column], y, size, spot.height > 0.5);
  }
}

void CardFaces::Ace(cairo_t* cr, Suit suit) const {
  const double cx = CardWidth / 2.0, cy = CardHeight / 2.0;
  // A gold ring of beads with a fine inner line frames the large pip.
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, 23, 0, 2 * M_PI);
  SetRgb(cr, Gold, 0.9);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  cairo_arc(cr, cx, cy, 20.5, 0, 2 * M_PI);
  SetRgb(cr, SuitColour(suit), 0.35);
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
  for (int i = 0; i < 24; ++i) {
    double a = i * 2 * M_PI / 24;
    cairo_new_path(cr);
    cairo_arc(cr, cx + std::cos(a) * 26, cy + std::sin(a) * 26, i % 2 == 0 ? 1.4 : 0.9, 0, 2 * M_PI);
    SetRgb(cr, i % 2 == 0 ? Gold : SuitColour(suit), 0.9);
    cairo_fill(cr);
  }
  // Leaf flourishes above and below the ring.
  for (int side = -1; side <= 1; side += 2) {
    cairo_new_path(cr);
    double y0 = cy + side * 30;
    cairo_move_to(cr, cx, y0);
    cairo_curve_to(cr, cx - 6, y0 + side * 2, cx - 10, y0 + side * 6, cx - 14, y0 + side * 4);
    cairo_move_to(cr, cx, y0);
    cairo_curve_to(cr, cx + 6, y0 + side * 2, cx + 10, y0 + side * 6, cx + 14, y0 + side * 4);
    SetRgb(cr, Gold);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_arc(cr, cx, y0 + side * 1.5, 1.8, 0, 2 * M_PI);
    SetRgb(cr, SuitColour(suit));
    cairo_fill(cr);
  }
  double size = suit == Suit::Spades ? 34 : 30;
  DrawPip(cr, suit, cx, cy, size);
  // A small highlight on the big pip.
  cairo_new_path(cr);
  cairo_save(cr);
  SuitPath(cr, suit, cx, cy, size);
  cairo_clip(cr);
  cairo_pattern_t* shine = cairo_pattern_create_radial(cx - size * 0.18, cy - size * 0.22, 0, cx - size * 0.18,
                                                      cy - size * 0.22, size * 0.4);
  cairo_pattern_add_color_stop_rgba(shine, 0, 1, 1, 1, 0.35);
  cairo_pattern_add_color_stop_rgba(shine, 1, 1, 1, 1, 0);
  cairo_set_source(cr, shine);
  cairo_paint(cr);
  cairo_pattern_destroy(shine);
  cairo_restore(cr);
}

void CardFaces::Court(cairo_t* cr, Suit suit, int rank) const {
  CourtTheme theme = ThemeOf(suit);
  const double x = 15, y = 9, w = 42, h = 78;
  // The panel: a suit-tinted gradient with a fine pattern of its own per suit.
  cairo_save(cr);
  cairo_new_path(cr);
  RoundedRect(cr, x, y, w, h, 3);
  cairo_clip_preserve(cr);
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, y, 0, y + h);
  auto stop = [&](cairo_pattern_t* p, double at, uint32_t rgb) {
    cairo_pattern_add_color_stop_rgb(p, at, ((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0,
                                     (rgb & 255) / 255.0);
  };
  stop(fill, 0, theme.light);
  stop(fill, 0.5, theme.dark);
  stop(fill, 1, theme.light);
  cairo_set_source(cr, fill);
  cairo_fill(cr);
  cairo_pattern_destroy(fill);
  SetRgb(cr, theme.accent, 0.13);
  cairo_set_line_width(cr, 0.8);
  switch (suit) {
  case Suit::Hearts:
    for (int row = 0; row < 8; ++row)
      for (int col = 0; col < 5; ++col)
        SuitPath(cr, suit, x + 4 + col * 9 + (row % 2) * 4.5, y + 5 + row * 10, 4);
    cairo_fill(cr);
    break;
  case Suit::Diamonds:
    for (double d = -h; d < w + h; d += 6) {
      cairo_move_to(cr, x + d, y);
      cairo_line_to(cr, x + d + h, y + h);
      cairo_move_to(cr, x + d, y + h);
      cairo_line_to(cr, x + d + h, y);
    }
    cairo_stroke(cr);
    break;
  case Suit::Spades:
    for (double d = x + 3; d < x + w; d += 4) {
      cairo_move_to(cr, d, y);
      cairo_line_to(cr, d, y + h);
    }
    cairo_stroke(cr);
    break;
  case Suit::Clubs:
    for (int row = 0; row < 14; ++row)
      for (int col = 0; col < 8; ++col) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, x + 3 + col * 5.5 + (row % 2) * 2.75, y + 3 + row * 5.6, 1.1, 0, 2 * M_PI);
      }
    cairo_fill(cr);
    break;
  }
  cairo_restore(cr);

  // Frame: suit-coloured border with a gold inner rule.
  cairo_new_path(cr);
  RoundedRect(cr, x, y, w, h, 3);
  SetRgb(cr, theme.accent);
  cairo_set_line_width(cr, 1.6);
  cairo_stroke(cr);
  RoundedRect(cr, x + 2.5, y + 2.5, w - 5, h - 5, 2);
  SetRgb(cr, Gold);
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);

  const double cx = x + w / 2;
  // Mirrored halves like a real court card: headgear above, letter, pip.
  for (int half = 0; half < 2; ++half) {
    cairo_save(cr);
    if (half == 1) {
      cairo_translate(cr, CardWidth, CardHeight);
      cairo_rotate(cr, M_PI);
    }
    double hy = y + 11;
    cairo_new_path(cr);
    if (rank == 13) { // crown with three points
      cairo_move_to(cr, cx - 9, hy + 5);
      cairo_line_to(cr, cx - 10, hy - 4);
      cairo_line_to(cr, cx - 5, hy + 0.5);
      cairo_line_to(cr, cx, hy - 6);
      cairo_line_to(cr, cx + 5, hy + 0.5);
      cairo_line_to(cr, cx + 10, hy - 4);
      cairo_line_to(cr, cx + 9, hy + 5);
      cairo_close_path(cr);
    } else if (rank == 12) { // tiara: an arc with a jewel
      cairo_move_to(cr, cx - 9, hy + 5);
      cairo_curve_to(cr, cx - 8, hy - 3, cx + 8, hy - 3, cx + 9, hy + 5);
      cairo_close_path(cr);
    } else { // jack's beret with a feather
      cairo_move_to(cr, cx - 9, hy + 5);
      cairo_curve_to(cr, cx - 10, hy - 4, cx + 10, hy - 4, cx + 9, hy + 5);
      cairo_close_path(cr);
      cairo_move_to(cr, cx + 3, hy - 1);
      cairo_curve_to(cr, cx + 6, hy - 9, cx + 11, hy - 10, cx + 13, hy - 9);
      cairo_curve_to(cr, cx + 11, hy - 5, cx + 8, hy - 2, cx + 3, hy - 1);
      cairo_close_path(cr);
    }
    SetRgb(cr, Gold);
    cairo_fill_preserve(cr);
    SetRgb(cr, 0x6A4A10);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, rank == 12 ? hy : hy + 2, 1.6, 0, 2 * M_PI);
    SetRgb(cr, theme.accent);
    cairo_fill(cr);
    // Letter on a light medallion in the upper half, suit pip near the waist.
    cairo_new_path(cr);
    cairo_arc(cr, cx, y + 28, 10.5, 0, 2 * M_PI);
    SetRgb(cr, theme.light, 0.9);
    cairo_fill_preserve(cr);
    SetRgb(cr, Gold);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    TitleStyle letter;
    letter.top = IsRed(suit) ? 0xE0465A : 0x4A5068;
    letter.bottom = theme.accent;
    letter.outline = 0xF6EBD0;
    letter.outlineWidth = 1.2;
    letter.shadowAlpha = 0;
    TitleText(cr, fonts_, RankText(rank), 21, cx, y + 28, letter);
    DrawPip(cr, suit, x + 7.5, y + h / 2 - 6, 7);
    cairo_restore(cr);
  }
  // A gold rule across the waist separates the two halves.
  cairo_new_path(cr);
  cairo_move_to(cr, x + 4, y + h / 2);
  cairo_line_to(cr, x + w - 4, y + h / 2);
  SetRgb(cr, Gold, 0.8);
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
}

std::shared_ptr<Canvas> CardFaces::Face(Suit suit, int rank) const {
  auto canvas = std::make_shared<Canvas>(CardWidth, CardHeight);
  cairo_t* cr = canvas->Cr();
  Base(cr);
  if (rank == 1) Ace(cr, suit);
  else if (rank >= 11) Court(cr, suit, rank);
  else Pips(cr, suit, rank);
  Indices(cr, suit, rank);
  ApplyCardOutline(*canvas);
  return canvas;
}

void CardFaces::AddAll(AssetSet& out) const {
  for (Suit suit : {Suit::Hearts, Suit::Diamonds, Suit::Spades, Suit::Clubs})
    for (int rank = 1; rank <= 13; ++rank)
      out.AddPicture(std::string("data/graphics/") + SuitName(suit) + std::to_string(rank) + ".png",
                     Face(suit, rank), "faces");
}

} // namespace assetgen
