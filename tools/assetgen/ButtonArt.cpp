#include "ButtonArt.h"

#include "Canvas.h"

#include "CardExtras.h"
#include "SuitShapes.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {
struct Palette {
  uint32_t top, middle, bottom, rim, text, textShadow;
};

Palette PaletteFor(ButtonState state) {
  switch (state) {
  case ButtonState::Normal: return {0x2E8A62, 0x17603F, 0x0E4A2F, 0xC9A13E, 0xFBF4DF, 0x06241A};
  case ButtonState::Over: return {0x58C58E, 0x2A9A66, 0x1C7A50, 0xFFE17A, 0xFFFFFF, 0x0A3322};
  case ButtonState::On: return {0xF3D27A, 0xD9A531, 0xA8741A, 0xFFF1C0, 0x3A2206, 0xFFF3D0};
  case ButtonState::OnOver: return {0xFFEBA8, 0xF2C552, 0xCC9125, 0xFFFFFF, 0x3A2206, 0xFFF8E0};
  }
  return {};
}

bool Selected(ButtonState s) { return s == ButtonState::On || s == ButtonState::OnOver; }
bool Lit(ButtonState s) { return s == ButtonState::Over || s == ButtonState::OnOver; }

void Arrow(cairo_t* cr, const std::string& dir, double cx, double cy, double size) {
  double s = size / 2;
  cairo_new_path(cr);
  if (dir == "left") {
    cairo_move_to(cr, cx - s, cy);
    cairo_line_to(cr, cx + s * 0.7, cy - s);
    cairo_line_to(cr, cx + s * 0.7, cy + s);
  } else if (dir == "right") {
    cairo_move_to(cr, cx + s, cy);
    cairo_line_to(cr, cx - s * 0.7, cy - s);
    cairo_line_to(cr, cx - s * 0.7, cy + s);
  } else if (dir == "up") {
    cairo_move_to(cr, cx, cy - s * 0.8);
    cairo_line_to(cr, cx - s, cy + s * 0.6);
    cairo_line_to(cr, cx + s, cy + s * 0.6);
  } else {
    cairo_move_to(cr, cx, cy + s * 0.8);
    cairo_line_to(cr, cx - s, cy - s * 0.6);
    cairo_line_to(cr, cx + s, cy - s * 0.6);
  }
  cairo_close_path(cr);
}

// A miniature card for the variant tiles.
void MiniCard(cairo_t* cr, double cx, double cy, double angle, Suit suit, bool faceUp, int back = 1) {
  const double w = 30, h = 40;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle * M_PI / 180);
  cairo_new_path(cr);
  RoundedRect(cr, -w / 2 + 1.5, -h / 2 + 2, w, h, 3);
  cairo_set_source_rgba(cr, 0.01, 0.02, 0.01, 0.35);
  cairo_fill(cr);
  RoundedRect(cr, -w / 2, -h / 2, w, h, 3);
  SetRgb(cr, faceUp ? 0xFBF7EA : 0xF4EEDC);
  cairo_fill_preserve(cr);
  SetRgb(cr, 0x6E6650);
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
  if (faceUp) {
    DrawPip(cr, suit, 0, 1, 15);
    DrawPip(cr, suit, -w / 2 + 5, -h / 2 + 6, 5);
    DrawPip(cr, suit, w / 2 - 5, h / 2 - 6, 5, true);
  } else {
    RoundedRect(cr, -w / 2 + 2.5, -h / 2 + 2.5, w - 5, h - 5, 2);
    SetRgb(cr, CardExtras::BackColour(back));
    cairo_fill_preserve(cr);
    SetRgb(cr, 0xD8B24C);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    for (double d = -h; d < w + h; d += 5) {
      cairo_move_to(cr, -w / 2 + 3 + d, -h / 2 + 3);
      cairo_line_to(cr, -w / 2 + 3 + d - h, h / 2 - 3);
    }
    cairo_save(cr);
    RoundedRect(cr, -w / 2 + 3, -h / 2 + 3, w - 6, h - 6, 2);
    cairo_clip(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.18);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_restore(cr);
  }
  cairo_restore(cr);
}
} // namespace

const std::vector<ButtonDef>& ButtonArt::Definitions() {
  using K = ButtonKind;
  static const std::vector<ButtonDef> defs = {
      // Title screen column and its footer.
      {"play", "Play", 220, 50, K::Plain},
      {"help", "Help", 220, 50, K::Plain},
      {"options", "Options", 220, 50, K::Plain},
      {"highscore", "High Scores", 220, 50, K::Plain},
      {"exit", "Exit", 220, 50, K::Plain},
      {"changeplayer", "Change Player", 180, 32, K::Plain},
      // Main play screen: the three variant tiles and the small row.
      {"matching", "Matching", 200, 190, K::Tile},
      {"tripeaks", "Tri Peaks", 200, 190, K::Tile},
      {"klondike", "Klondike", 200, 190, K::Tile},
      {"customsmall", "Custom", 130, 40, K::Plain},
      {"backsmall", "Back", 130, 40, K::Plain},
      // Level selection.
      {"playsmall", "Play", 130, 40, K::Plain},
      {"load", "Load", 130, 40, K::Plain},
      {"standardlevel", "Standard", 160, 40, K::Switch},
      {"customlevel", "Custom", 160, 40, K::Switch},
      {"arrowleft", "left", 56, 44, K::Arrow},
      {"arrowright", "right", 56, 44, K::Arrow},
      // Options, help and high scores.
      {"oksmall", "OK", 130, 40, K::Plain},
      {"fullscreen", "Full Screen", 240, 46, K::Toggle},
      {"showtimer", "Show Timer", 240, 46, K::Toggle},
      {"matchingbutton", "Matching", 170, 42, K::Plain},
      {"tripeaksbutton", "Tri Peaks", 170, 42, K::Plain},
      {"klondikebutton", "Klondike", 170, 42, K::Plain},
      {"clear", "Clear", 130, 40, K::Plain},
      // In game.
      {"undo", "Undo", 85, 26, K::Plain},
      {"hint", "Hint", 85, 26, K::Plain},
      {"menu", "Menu", 85, 26, K::Plain},
      {"autocomplete", "Auto Finish", 128, 40, K::Plain},
      // Layout editor row.
      {"savecustom", "Save", 150, 34, K::Plain},
      {"loadcustom", "Load", 150, 34, K::Plain},
      {"reset", "Reset", 150, 34, K::Plain},
      // Pause and end-of-level columns (backtomenu also ends the editor row).
      {"backtomenu", "Main Menu", 210, 34, K::Plain},
      {"nextpuzzle", "Next Layout", 210, 34, K::Plain},
      {"restartpuzzle", "Restart", 210, 34, K::Plain},
      {"resume", "Resume", 210, 34, K::Plain},
      {"shufflepuzzle", "Shuffle", 210, 34, K::Plain},
      {"savegame", "Save Game", 210, 34, K::Plain},
      {"loadgame", "Load Game", 210, 34, K::Plain},
      // Dialogs and managers.
      {"ok", "OK", 96, 34, K::Plain},
      {"yes", "Yes", 96, 34, K::Plain},
      {"no", "No", 96, 34, K::Plain},
      {"cancel", "Cancel", 96, 34, K::Plain},
      {"create", "Create", 96, 34, K::Plain},
      {"delete", "Delete", 96, 34, K::Plain},
      {"up", "up", 40, 30, K::Arrow},
      {"down", "down", 40, 30, K::Arrow},
  };
  return defs;
}

void ButtonArt::Body(cairo_t* cr, const ButtonDef& def, ButtonState state) const {
  Palette p = PaletteFor(state);
  const double w = def.width, h = def.height;
  const double radius = def.kind == ButtonKind::Tile ? 14 : std::min(h * 0.42, 16.0);
  const double inset = 1.5;
  // Outer dark edge, then the gradient body, then the gold rim.
  cairo_new_path(cr);
  RoundedRect(cr, 0.5, 0.5, w - 1, h - 1, radius);
  cairo_set_source_rgba(cr, 0.02, 0.05, 0.03, 0.85);
  cairo_fill(cr);
  cairo_new_path(cr);
  RoundedRect(cr, inset, inset, w - 2 * inset, h - 2 * inset, radius - 1);
  cairo_pattern_t* body = cairo_pattern_create_linear(0, 0, 0, h);
  Stop(body, 0, p.top);
  Stop(body, 0.5, p.middle);
  Stop(body, 1, p.bottom);
  cairo_set_source(cr, body);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(body);
  SetRgb(cr, p.rim);
  cairo_set_line_width(cr, h < 30 ? 1.2 : 1.8);
  cairo_stroke(cr);
  // Gloss across the top half.
  cairo_save(cr);
  cairo_new_path(cr);
  RoundedRect(cr, inset + 2, inset + 2, w - 2 * inset - 4, (h - 2 * inset) * 0.46, std::max(radius - 3, 2.0));
  cairo_pattern_t* gloss = cairo_pattern_create_linear(0, inset, 0, h * 0.5);
  Stop(gloss, 0, 0xFFFFFF, Lit(state) ? 0.5 : 0.32);
  Stop(gloss, 1, 0xFFFFFF, 0.04);
  cairo_set_source(cr, gloss);
  cairo_fill(cr);
  cairo_pattern_destroy(gloss);
  cairo_restore(cr);
  if (Lit(state)) {
    // A warm inner glow along the bottom edge when the pointer is over it.
    cairo_save(cr);
    cairo_new_path(cr);
    RoundedRect(cr, inset, inset, w - 2 * inset, h - 2 * inset, radius - 1);
    cairo_clip(cr);
    cairo_pattern_t* glow = cairo_pattern_create_radial(w / 2, h * 1.1, 0, w / 2, h * 1.1, std::max(w, h) * 0.6);
    Stop(glow, 0, 0xFFF6C8, 0.55);
    Stop(glow, 1, 0xFFF6C8, 0);
    cairo_set_source(cr, glow);
    cairo_paint(cr);
    cairo_pattern_destroy(glow);
    cairo_restore(cr);
  }
}

void ButtonArt::Caption(cairo_t* cr, const ButtonDef& def, ButtonState state) const {
  Palette p = PaletteFor(state);
  const double w = def.width, h = def.height;
  if (def.kind == ButtonKind::Arrow) {
    Arrow(cr, def.caption, w / 2 + 1, h / 2 + 1.5, h * 0.5);
    SetRgb(cr, p.textShadow, 0.8);
    cairo_fill(cr);
    Arrow(cr, def.caption, w / 2, h / 2, h * 0.5);
    SetRgb(cr, p.text);
    cairo_fill(cr);
    return;
  }
  double size = def.kind == ButtonKind::Tile ? 28 : std::clamp(h * 0.56, 16.0, 28.0);
  double cx = w / 2, cy = h / 2;
  if (def.kind == ButtonKind::Tile) cy = h - 26;
  if (def.kind == ButtonKind::Toggle) {
    // A check box at the left shows the toggle's state.
    double box = h * 0.5, bx = 14, by = (h - box) / 2;
    cairo_new_path(cr);
    RoundedRect(cr, bx, by, box, box, 4);
    SetRgb(cr, Selected(state) ? 0xFFF6DC : 0x0A3322, 0.9);
    cairo_fill_preserve(cr);
    SetRgb(cr, p.rim);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    if (Selected(state)) {
      cairo_move_to(cr, bx + box * 0.2, by + box * 0.52);
      cairo_line_to(cr, bx + box * 0.42, by + box * 0.76);
      cairo_line_to(cr, bx + box * 0.82, by + box * 0.22);
      SetRgb(cr, 0x17603F);
      cairo_set_line_width(cr, 3);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      cairo_stroke(cr);
    }
    cx = bx + box + (w - bx - box) / 2;
  }
  // Shrink long captions to fit the button.
  double room = (def.kind == ButtonKind::Toggle ? w - 14 - h * 0.5 : w) - 18;
  double textWidth = TextWidth(cr, fonts_, def.caption, size);
  if (textWidth > room) size *= room / textWidth;
  CentredText(cr, fonts_, def.caption, size, cx + 1, cy + 1.5, p.textShadow, 0.75);
  CentredText(cr, fonts_, def.caption, size, cx, cy, p.text);
}

void ButtonArt::TilePicture(cairo_t* cr, const ButtonDef& def) const {
  const double cx = def.width / 2.0;
  // A felt window behind the miniature cards.
  cairo_new_path(cr);
  RoundedRect(cr, 12, 12, def.width - 24, 116, 8);
  cairo_pattern_t* felt = cairo_pattern_create_radial(cx, 60, 8, cx, 70, 110);
  Stop(felt, 0, 0x2F8A58);
  Stop(felt, 1, 0x0B3F26);
  cairo_set_source(cr, felt);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(felt);
  SetRgb(cr, 0xC9A13E, 0.8);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  if (def.name == "klondike") {
    for (int col = 0; col < 4; ++col)
      for (int row = 0; row <= col; ++row)
        MiniCard(cr, cx - 54 + col * 36, 38 + row * 14, 0, col % 2 ? Suit::Spades : Suit::Hearts, row == col,
                 1 + col);
  } else if (def.name == "tripeaks") {
    const double peaks[3] = {cx - 56, cx, cx + 56};
    for (double px : peaks) MiniCard(cr, px, 44, 0, Suit::Clubs, false, 2);
    for (int i = 0; i < 6; ++i) MiniCard(cr, cx - 70 + i * 28, 66, 0, Suit::Diamonds, false, 5);
    for (int i = 0; i < 7; ++i)
      MiniCard(cr, cx - 75 + i * 25, 92, 0, i % 2 ? Suit::Spades : Suit::Diamonds, true);
  } else {
    // A heap of backs with a matching pair lifted out in front.
    MiniCard(cr, cx - 36, 44, 0, Suit::Spades, false, 2);
    MiniCard(cr, cx, 40, 0, Suit::Spades, false, 4);
    MiniCard(cr, cx + 36, 44, 0, Suit::Spades, false, 3);
    MiniCard(cr, cx - 18, 60, 0, Suit::Spades, false, 6);
    MiniCard(cr, cx + 18, 60, 0, Suit::Spades, false, 5);
    cairo_new_path(cr);
    RoundedRect(cr, cx - 42, 72, 84, 50, 6);
    SetRgb(cr, 0xFFD45A, 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    MiniCard(cr, cx - 18, 96, -6, Suit::Hearts, true);
    MiniCard(cr, cx + 18, 96, 6, Suit::Diamonds, true);
  }
}

std::shared_ptr<Canvas> ButtonArt::Render(const ButtonDef& def, ButtonState state) const {
  auto canvas = std::make_shared<Canvas>(def.width, def.height);
  cairo_t* cr = canvas->Cr();
  Body(cr, def, state);
  if (def.kind == ButtonKind::Tile) TilePicture(cr, def);
  Caption(cr, def, state);
  return canvas;
}

void ButtonArt::AddAll(AssetSet& out) const {
  for (const ButtonDef& def : Definitions()) {
    std::string base = "data/menus/" + def.name;
    out.AddPicture(base + ".png", Render(def, ButtonState::Normal), "buttons");
    out.AddPicture(base + "mo.png", Render(def, ButtonState::Over), "buttons");
    if (def.kind == ButtonKind::Toggle || def.kind == ButtonKind::Switch) {
      out.AddPicture(base + "on.png", Render(def, ButtonState::On), "buttons");
      out.AddPicture(base + "onmo.png", Render(def, ButtonState::OnOver), "buttons");
    }
  }
}

} // namespace assetgen
