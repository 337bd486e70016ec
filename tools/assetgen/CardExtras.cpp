#include "CardExtras.h"

#include "Canvas.h"

#include "CardFaces.h"
#include "Noise.h"
#include "SuitShapes.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {
uint32_t Mix(uint32_t a, uint32_t b, double t) {
  uint32_t out = 0;
  for (int s = 0; s <= 16; s += 8) {
    double v = ((a >> s) & 255) * (1 - t) + ((b >> s) & 255) * t;
    out |= uint32_t(std::lround(v)) << s;
  }
  return out;
}

constexpr uint32_t Ivory = 0xF7F1E1;
constexpr uint32_t Gold = 0xD8B24C;

// An oval cartouche with a gold suit symbol at the centre of a back.
void Medallion(cairo_t* cr, double cx, double cy, uint32_t base, Suit suit) {
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, 1, 1.3);
  cairo_arc(cr, 0, 0, 11, 0, 2 * M_PI);
  cairo_restore(cr);
  SetRgb(cr, Mix(base, 0x000000, 0.3));
  cairo_fill_preserve(cr);
  SetRgb(cr, Gold);
  cairo_set_line_width(cr, 1.3);
  cairo_stroke(cr);
  cairo_new_path(cr);
  SuitPath(cr, suit, cx, cy, 13);
  SetRgb(cr, Gold);
  cairo_fill(cr);
}

// Pattern of one back inside its panel (x, y, w, h), already clipped.
void BackPattern(cairo_t* cr, int design, double x, double y, double w, double h, uint32_t base) {
  uint32_t light = Mix(base, 0xFFFFFF, 0.28), dark = Mix(base, 0x000000, 0.35);
  double cx = x + w / 2, cy = y + h / 2;
  cairo_set_line_width(cr, 1);
  switch (design) {
  case 1: // trellis of crossing diagonals with dots at the crossings
    for (double d = -h; d < w + h; d += 7) {
      cairo_move_to(cr, x + d, y);
      cairo_line_to(cr, x + d + h, y + h);
      cairo_move_to(cr, x + d, y + h);
      cairo_line_to(cr, x + d + h, y);
    }
    SetRgb(cr, light, 0.55);
    cairo_stroke(cr);
    for (double yy = y; yy <= y + h + 4; yy += 7)
      for (double xx = x + 3.5 * (int((yy - y) / 7) % 2); xx <= x + w + 4; xx += 7) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, xx, yy, 0.9, 0, 2 * M_PI);
      }
    SetRgb(cr, Gold, 0.8);
    cairo_fill(cr);
    Medallion(cr, cx, cy, base, Suit::Hearts);
    break;
  case 2: // rosette of rotated petals over fine rings
    for (double r = 4; r < 60; r += 4) {
      cairo_new_sub_path(cr);
      cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    }
    SetRgb(cr, light, 0.25);
    cairo_stroke(cr);
    for (int i = 0; i < 16; ++i) {
      cairo_save(cr);
      cairo_translate(cr, cx, cy);
      cairo_rotate(cr, i * M_PI / 8);
      cairo_new_path(cr);
      cairo_move_to(cr, 0, 0);
      cairo_curve_to(cr, 9, -8, 9, -22, 0, -30);
      cairo_curve_to(cr, -9, -22, -9, -8, 0, 0);
      cairo_restore(cr);
      SetRgb(cr, Mix(base, 0xFFFFFF, 0.55), 0.9);
      cairo_set_line_width(cr, 1.1);
      cairo_stroke(cr);
    }
    cairo_arc(cr, cx, cy, 31, 0, 2 * M_PI);
    SetRgb(cr, Gold, 0.8);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, 5, 0, 2 * M_PI);
    SetRgb(cr, Gold);
    cairo_fill_preserve(cr);
    SetRgb(cr, 0xFFF1C0);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    break;
  case 3: // pin-stripes with a row of diamonds down the middle
    for (double d = -h; d < w + h; d += 5) {
      cairo_move_to(cr, x + d, y + h);
      cairo_line_to(cr, x + d + h, y);
    }
    SetRgb(cr, dark, 0.6);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    for (double yy = y + 6; yy < y + h; yy += 11) {
      cairo_move_to(cr, cx, yy - 5);
      cairo_line_to(cr, cx + 4, yy);
      cairo_line_to(cr, cx, yy + 5);
      cairo_line_to(cr, cx - 4, yy);
      cairo_close_path(cr);
      for (double side : {-17.0, 17.0}) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx + side, yy + 5.5, 1.6, 0, 2 * M_PI);
      }
    }
    SetRgb(cr, Gold, 0.9);
    cairo_fill(cr);
    break;
  case 4: // quatrefoil tiles
    for (double yy = y; yy < y + h + 10; yy += 12)
      for (double xx = x; xx < x + w + 10; xx += 12) {
        for (int k = 0; k < 4; ++k) {
          double a = k * M_PI / 2;
          cairo_new_sub_path(cr);
          cairo_arc(cr, xx + std::cos(a) * 3, yy + std::sin(a) * 3, 2.6, 0, 2 * M_PI);
        }
      }
    SetRgb(cr, light, 0.22);
    cairo_fill_preserve(cr);
    SetRgb(cr, light, 0.6);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    for (double yy = y + 6; yy < y + h + 6; yy += 12)
      for (double xx = x + 6; xx < x + w + 6; xx += 12) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, xx, yy, 1.2, 0, 2 * M_PI);
      }
    SetRgb(cr, Gold, 0.85);
    cairo_fill(cr);
    Medallion(cr, cx, cy, base, Suit::Clubs);
    break;
  case 5: // layered waves
    for (double yy = y - 4; yy < y + h + 6; yy += 5) {
      cairo_move_to(cr, x - 2, yy);
      for (double xx = x - 2; xx <= x + w + 2; xx += 1)
        cairo_line_to(cr, xx, yy + 2.2 * std::sin((xx - x) * 0.45 + yy * 0.3));
    }
    SetRgb(cr, light, 0.55);
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, 9, 0, 2 * M_PI);
    SetRgb(cr, base);
    cairo_fill_preserve(cr);
    SetRgb(cr, Gold);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    SuitPath(cr, Suit::Spades, cx, cy, 10);
    SetRgb(cr, Gold);
    cairo_fill(cr);
    break;
  default: // sunburst rays with a star medallion
    for (int i = 0; i < 36; ++i) {
      double a0 = i * 2 * M_PI / 36, a1 = a0 + M_PI / 36;
      cairo_move_to(cr, cx, cy);
      cairo_line_to(cr, cx + std::cos(a0) * 80, cy + std::sin(a0) * 80);
      cairo_line_to(cr, cx + std::cos(a1) * 80, cy + std::sin(a1) * 80);
      cairo_close_path(cr);
    }
    SetRgb(cr, light, 0.3);
    cairo_fill(cr);
    cairo_new_path(cr);
    for (int i = 0; i < 16; ++i) {
      double a = -M_PI / 2 + i * M_PI / 8, r = i % 2 == 0 ? 13 : 5.5;
      if (i == 0) cairo_move_to(cr, cx + std::cos(a) * r, cy + std::sin(a) * r);
      else cairo_line_to(cr, cx + std::cos(a) * r, cy + std::sin(a) * r);
    }
    cairo_close_path(cr);
    SetRgb(cr, Gold);
    cairo_fill_preserve(cr);
    SetRgb(cr, dark);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    break;
  }
}
} // namespace

uint32_t CardExtras::BackColour(int design) {
  static const uint32_t colours[6] = {0x9E1B2C, 0x1E3A7A, 0x17693F, 0x5B2A82, 0x146B73, 0x9A5A16};
  return colours[(design - 1) % 6];
}

void MatchOutline(Canvas& picture, Canvas& reference) {
  uint8_t* data = picture.Data();
  int stride = picture.Stride();
  for (int y = 0; y < picture.Height(); ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
    for (int x = 0; x < picture.Width(); ++x) {
      bool inside = reference.AlphaAt(x, y) > 127;
      uint32_t p = row[x];
      uint32_t a = p >> 24;
      if (inside == (a > 127)) continue;
      // Rescale the premultiplied colour to the new alpha.
      uint32_t na = inside ? 128 : 127;
      uint32_t r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
      if (a > 0) {
        r = r * na / a;
        g = g * na / a;
        b = b * na / a;
      } else {
        r = g = b = na / 4; // a dim grey where nothing was drawn
      }
      row[x] = (na << 24) | (std::min(r, na) << 16) | (std::min(g, na) << 8) | std::min(b, na);
    }
  }
  picture.MarkDirty();
}

std::shared_ptr<Canvas> CardExtras::Back(int design) const {
  auto canvas = std::make_shared<Canvas>(CardWidth, CardHeight);
  cairo_t* cr = canvas->Cr();
  uint32_t base = BackColour(design);
  SetRgb(cr, Ivory);
  cairo_paint(cr);
  const double inset = 4.5, x = inset, y = inset, w = CardWidth - 2 * inset, h = CardHeight - 2 * inset;
  cairo_save(cr);
  cairo_new_path(cr);
  RoundedRect(cr, x, y, w, h, 3.5);
  cairo_clip(cr);
  cairo_pattern_t* fill = cairo_pattern_create_radial(x + w * 0.4, y + h * 0.35, 4, x + w / 2, y + h / 2, h * 0.7);
  Stop(fill, 0, Mix(base, 0xFFFFFF, 0.18));
  Stop(fill, 1, Mix(base, 0x000000, 0.25));
  cairo_set_source(cr, fill);
  cairo_paint(cr);
  cairo_pattern_destroy(fill);
  cairo_new_path(cr);
  BackPattern(cr, design, x, y, w, h, base);
  cairo_restore(cr);
  cairo_new_path(cr);
  RoundedRect(cr, x, y, w, h, 3.5);
  SetRgb(cr, Gold);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  RoundedRect(cr, x + 2.5, y + 2.5, w - 5, h - 5, 2);
  SetRgb(cr, Ivory, 0.5);
  cairo_set_line_width(cr, 0.6);
  cairo_stroke(cr);
  RoundedRect(cr, 0.75, 0.75, CardWidth - 1.5, CardHeight - 1.5, CardRadius - 0.75);
  SetRgb(cr, 0x7E7560);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  ApplyCardOutline(*canvas);
  return canvas;
}

std::shared_ptr<Canvas> CardExtras::Place(int kind) const {
  auto canvas = std::make_shared<Canvas>(CardWidth, CardHeight);
  cairo_t* cr = canvas->Cr();
  // A dark translucent well with a soft light rim.
  cairo_pattern_t* well = cairo_pattern_create_linear(0, 0, 0, CardHeight);
  Stop(well, 0, 0x0C1A14, 0.56);
  Stop(well, 1, 0x06100C, 0.62);
  cairo_set_source(cr, well);
  cairo_paint(cr);
  cairo_pattern_destroy(well);
  cairo_new_path(cr);
  RoundedRect(cr, 1.5, 1.5, CardWidth - 3, CardHeight - 3, CardRadius - 1.5);
  SetRgb(cr, 0xF2EBD6, 0.75);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  RoundedRect(cr, 5, 5, CardWidth - 10, CardHeight - 10, 3);
  SetRgb(cr, 0xF2EBD6, 0.22);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  const double cx = CardWidth / 2.0, cy = CardHeight / 2.0;
  if (kind == 1) {
    CentredText(cr, fonts_, "A", 40, cx, cy - 4, 0xF2EBD6, 0.45);
    const Suit suits[4] = {Suit::Hearts, Suit::Diamonds, Suit::Spades, Suit::Clubs};
    for (int i = 0; i < 4; ++i) {
      cairo_new_path(cr);
      SuitPath(cr, suits[i], cx - 19.5 + i * 13, cy + 26, 9);
      SetRgb(cr, 0xF2EBD6, 0.4);
      cairo_fill(cr);
    }
  } else if (kind == 2) {
    // A circular "deal again" arrow.
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 15, -M_PI * 0.35, M_PI * 1.45);
    SetRgb(cr, 0xF2EBD6, 0.6);
    cairo_set_line_width(cr, 4);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    double a = -M_PI * 0.35;
    double tx = cx + std::cos(a) * 15, ty = cy + std::sin(a) * 15;
    cairo_move_to(cr, tx + 7, ty - 2);
    cairo_line_to(cr, tx - 2, ty - 7);
    cairo_line_to(cr, tx - 1, ty + 5);
    cairo_close_path(cr);
    cairo_fill(cr);
  } else if (kind == 3) {
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 17, 0, 2 * M_PI);
    cairo_move_to(cr, cx - 12, cy + 12);
    cairo_line_to(cr, cx + 12, cy - 12);
    SetRgb(cr, 0xE0525E, 0.8);
    cairo_set_line_width(cr, 4.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
  }
  ApplyCardOutline(*canvas);
  return canvas;
}

std::shared_ptr<Canvas> CardExtras::Glow(uint32_t rgb) const {
  const int margin = 12;
  const int w = CardWidth + 2 * margin, h = CardHeight + 2 * margin;
  auto canvas = std::make_shared<Canvas>(w, h);
  uint8_t* data = canvas->Data();
  const double r = CardRadius;
  const double hx = CardWidth / 2.0 - r, hy = CardHeight / 2.0 - r;
  const uint32_t core = Mix(rgb, 0xFFFFFF, 0.55);
  for (int y = 0; y < h; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * canvas->Stride());
    for (int x = 0; x < w; ++x) {
      // Distance from the card's rounded outline (negative inside).
      double px = std::fabs(x + 0.5 - w / 2.0) - hx, py = std::fabs(y + 0.5 - h / 2.0) - hy;
      double outside = std::hypot(std::max(px, 0.0), std::max(py, 0.0)) + std::min(std::max(px, py), 0.0) - r;
      double t = std::clamp(1.0 - outside / margin, 0.0, 1.0);
      double alpha = outside <= 0 ? 0.95 : 0.95 * t * t * (0.6 + 0.4 * t);
      double mix = outside <= 0 ? 1.0 : std::clamp(1.0 - outside / 5.0, 0.0, 1.0);
      uint32_t c = Mix(rgb, core, mix);
      uint32_t a = uint32_t(std::lround(alpha * 255));
      auto pre = [&](int shift) { return uint32_t(std::lround(((c >> shift) & 255) * alpha)); };
      row[x] = (a << 24) | (pre(16) << 16) | (pre(8) << 8) | pre(0);
    }
  }
  canvas->MarkDirty();
  return canvas;
}

std::shared_ptr<Canvas> CardExtras::Marked() const {
  auto canvas = std::make_shared<Canvas>(CardWidth, CardHeight);
  cairo_t* cr = canvas->Cr();
  SetRgb(cr, 0xFFD24A, 0.12);
  cairo_paint(cr);
  cairo_new_path(cr);
  RoundedRect(cr, 1.75, 1.75, CardWidth - 3.5, CardHeight - 3.5, CardRadius - 1.5);
  SetRgb(cr, 0xFFC21E, 0.95);
  cairo_set_line_width(cr, 3.5);
  cairo_stroke(cr);
  RoundedRect(cr, 4.5, 4.5, CardWidth - 9, CardHeight - 9, 3);
  SetRgb(cr, 0xFFF3C0, 0.6);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  ApplyCardOutline(*canvas);
  return canvas;
}

std::shared_ptr<Canvas> CardExtras::Flip() const {
  auto canvas = std::make_shared<Canvas>(CardWidth, CardHeight);
  cairo_t* cr = canvas->Cr();
  cairo_pattern_t* flash = cairo_pattern_create_radial(CardWidth / 2.0, CardHeight / 2.0, 4, CardWidth / 2.0,
                                                       CardHeight / 2.0, CardHeight * 0.62);
  Stop(flash, 0, 0xFFFFFF, 0.95);
  Stop(flash, 0.6, 0xFFF8E0, 0.7);
  Stop(flash, 1, 0xFFF0C0, 0.45);
  cairo_set_source(cr, flash);
  cairo_paint(cr);
  cairo_pattern_destroy(flash);
  ApplyCardOutline(*canvas);
  return canvas;
}

void CardExtras::AddAll(AssetSet& out) const {
  std::shared_ptr<Canvas> reference = Back(1);
  for (int design = 1; design <= 6; ++design) {
    auto back = design == 1 ? reference : Back(design);
    if (design != 1) MatchOutline(*back, *reference);
    out.AddPicture("data/graphics/cardback" + std::to_string(design) + ".png", back, "cards");
  }
  const char* places[4] = {"cardempty", "cardfoundationempty", "cardstockempty", "carddenied"};
  for (int kind = 0; kind < 4; ++kind) {
    auto place = Place(kind);
    MatchOutline(*place, *reference);
    out.AddPicture(std::string("data/graphics/") + places[kind] + ".png", place, "cards");
  }
  out.AddPicture("data/graphics/cardmarked.png", Marked(), "cards");
  out.AddPicture("data/graphics/cardflip.png", Flip(), "cards");
  out.AddPicture("data/graphics/cardmo.png", Glow(0xFFD45A), "cards");
  out.AddPicture("data/graphics/cardhint1.png", Glow(0x4FC8FF), "cards");
  out.AddPicture("data/graphics/cardhint2.png", Glow(0x7CF06A), "cards");
}

} // namespace assetgen
