#include "UiArt.h"

#include "Canvas.h"

#include "CardExtras.h"
#include "SuitShapes.h"

#include <cmath>

namespace assetgen {

namespace {
constexpr uint32_t Gold = 0xD8B24C;
constexpr uint32_t Cream = 0xF2E6C4;

// A small card for the help illustrations (w x h, pip or back).
void SmallCard(cairo_t* cr, double cx, double cy, double w, double h, Suit suit, int rankPips, bool faceUp,
               int back = 1) {
  cairo_new_path(cr);
  RoundedRect(cr, cx - w / 2 + 1.5, cy - h / 2 + 2, w, h, 3);
  cairo_set_source_rgba(cr, 0.01, 0.02, 0.01, 0.35);
  cairo_fill(cr);
  RoundedRect(cr, cx - w / 2, cy - h / 2, w, h, 3);
  SetRgb(cr, faceUp ? 0xFBF7EA : CardExtras::BackColour(back));
  cairo_fill_preserve(cr);
  SetRgb(cr, faceUp ? 0x6E6650 : Gold);
  cairo_set_line_width(cr, 0.9);
  cairo_stroke(cr);
  if (faceUp) {
    if (rankPips <= 1) {
      DrawPip(cr, suit, cx, cy, h * 0.4);
    } else {
      for (int i = 0; i < rankPips; ++i)
        DrawPip(cr, suit, cx + (i % 2 ? 5 : -5), cy - h * 0.25 + (i / 2) * h * 0.25, h * 0.18, i >= rankPips / 2 + 1);
    }
  } else {
    RoundedRect(cr, cx - w / 2 + 3, cy - h / 2 + 3, w - 6, h - 6, 2);
    SetRgb(cr, Gold, 0.7);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
  }
}
} // namespace

std::shared_ptr<Canvas> UiArt::Panel(int w, int h, double radius, uint32_t tint, double alpha) {
  auto canvas = std::make_shared<Canvas>(w, h);
  cairo_t* cr = canvas->Cr();
  cairo_new_path(cr);
  RoundedRect(cr, 1, 1, w - 2, h - 2, radius);
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 0, h);
  uint32_t lighter = ((tint & 0xFEFEFE) >> 1) + 0x141414;
  Stop(fill, 0, lighter, alpha);
  Stop(fill, 0.25, tint, alpha);
  Stop(fill, 1, tint, std::min(1.0, alpha + 0.06));
  cairo_set_source(cr, fill);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(fill);
  SetRgb(cr, Cream, 0.85);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  RoundedRect(cr, 4.5, 4.5, w - 9, h - 9, std::max(radius - 3, 1.0));
  SetRgb(cr, Gold, 0.35);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  return canvas;
}

std::shared_ptr<Canvas> UiArt::Header(const std::string& text, int w, int h, double size) const {
  auto canvas = std::make_shared<Canvas>(w, h);
  cairo_t* cr = canvas->Cr();
  TitleStyle style;
  double textWidth = TextWidth(cr, fonts_, text, size);
  if (textWidth > w - 70) size *= (w - 70) / textWidth, textWidth = w - 70;
  // Fine gold rules with a diamond at each end frame the title.
  double half = textWidth / 2 + 14;
  for (int side = -1; side <= 1; side += 2) {
    double x0 = w / 2.0 + side * half, x1 = w / 2.0 + side * (w / 2.0 - 8);
    cairo_new_path(cr);
    cairo_move_to(cr, x0, h / 2.0 + 2);
    cairo_line_to(cr, x1, h / 2.0 + 2);
    cairo_pattern_t* rule = cairo_pattern_create_linear(x0, 0, x1, 0);
    Stop(rule, 0, Gold, 0.95);
    Stop(rule, 1, Gold, 0.0);
    cairo_set_source(cr, rule);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_pattern_destroy(rule);
    double dx = x0 + side * 2;
    cairo_move_to(cr, dx, h / 2.0 - 3);
    cairo_line_to(cr, dx + side * 5, h / 2.0 + 2);
    cairo_line_to(cr, dx, h / 2.0 + 7);
    cairo_line_to(cr, dx - side * 5, h / 2.0 + 2);
    cairo_close_path(cr);
    SetRgb(cr, 0xFFE9A0);
    cairo_fill(cr);
  }
  TitleText(cr, fonts_, text, size, w / 2.0, h / 2.0, style);
  return canvas;
}

std::shared_ptr<Canvas> UiArt::Logo() const {
  const int w = 600, h = 170;
  auto canvas = std::make_shared<Canvas>(w, h);
  cairo_t* cr = canvas->Cr();
  // A fan of four cards rises behind the word.
  const Suit suits[4] = {Suit::Spades, Suit::Hearts, Suit::Clubs, Suit::Diamonds};
  for (int i = 0; i < 4; ++i) {
    cairo_save(cr);
    cairo_translate(cr, w / 2.0, 128);
    cairo_rotate(cr, (-27 + i * 18) * M_PI / 180);
    cairo_new_path(cr);
    RoundedRect(cr, -26, -112, 52, 72, 5);
    SetRgb(cr, 0xFBF6E6);
    cairo_fill_preserve(cr);
    SetRgb(cr, 0x8A7D5C);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    DrawPip(cr, suits[i], 0, -82, 26);
    cairo_restore(cr);
  }
  TitleStyle style;
  style.outlineWidth = 4;
  style.shadowOffset = 4;
  style.letterSpacing = 1;
  TitleText(cr, fonts_, "Marrowdeck", 84, w / 2.0, 112, style);
  return canvas;
}

std::shared_ptr<Canvas> UiArt::MakerLogo() const {
  const int w = 520, h = 220;
  auto canvas = std::make_shared<Canvas>(w, h);
  cairo_t* cr = canvas->Cr();
  // An emblem: a faceted gem in a ring over the wordmark.
  const double cx = w / 2.0, cy = 62;
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, 44, 0, 2 * M_PI);
  SetRgb(cr, 0x5EC8E8, 0.9);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  const double gem[][2] = {{0, -30}, {26, -8}, {16, 26}, {-16, 26}, {-26, -8}};
  cairo_move_to(cr, cx + gem[0][0], cy + gem[0][1]);
  for (int i = 1; i < 5; ++i) cairo_line_to(cr, cx + gem[i][0], cy + gem[i][1]);
  cairo_close_path(cr);
  cairo_pattern_t* fill = cairo_pattern_create_linear(cx - 26, cy - 30, cx + 26, cy + 26);
  Stop(fill, 0, 0xB8F0FF);
  Stop(fill, 0.5, 0x2FA6D0);
  Stop(fill, 1, 0x12507A);
  cairo_set_source(cr, fill);
  cairo_fill(cr);
  cairo_pattern_destroy(fill);
  cairo_set_line_width(cr, 1.2);
  SetRgb(cr, 0xE8FBFF, 0.8);
  for (int i = 0; i < 5; ++i) {
    cairo_move_to(cr, cx, cy + 2);
    cairo_line_to(cr, cx + gem[i][0], cy + gem[i][1]);
  }
  cairo_stroke(cr);
  TitleStyle style;
  style.top = 0xFFFFFF;
  style.bottom = 0xBFD8E6;
  style.outline = 0x0C2A3C;
  style.shadowAlpha = 0.0;
  style.letterSpacing = 3;
  TitleText(cr, fonts_, "VELQUOR", 62, cx, 148, style);
  CentredText(cr, fonts_, "G A M E S", 24, cx, 194, 0x7FD6F0);
  return canvas;
}

std::shared_ptr<Canvas> UiArt::Label(const std::string& text, int w, int h) const {
  auto canvas = std::make_shared<Canvas>(w, h);
  TitleStyle style;
  style.outlineWidth = 2;
  style.shadowOffset = 2;
  TitleText(canvas->Cr(), fonts_, text, h * 0.85, w / 2.0, h / 2.0, style);
  return canvas;
}

std::shared_ptr<Canvas> UiArt::ScorePop(const std::string& text, bool gain) const {
  auto canvas = std::make_shared<Canvas>(96, 48);
  TitleStyle style;
  if (!gain) {
    style.top = 0xFFC0B8;
    style.bottom = 0xE03A3A;
    style.outline = 0x3A0808;
  }
  style.outlineWidth = 2.5;
  style.shadowOffset = 2;
  TitleText(canvas->Cr(), fonts_, text, 38, 48, 24, style);
  return canvas;
}

std::shared_ptr<Canvas> UiArt::LevelFrame(bool highlight) const {
  const int w = 196, h = 140;
  if (!highlight) {
    auto canvas = Panel(w, h, 10, 0x0A1712, 0.72);
    return canvas;
  }
  // Bright gold rim on transparent, drawn additively by the game.
  auto canvas = std::make_shared<Canvas>(w, h);
  cairo_t* cr = canvas->Cr();
  for (int i = 4; i >= 0; --i) {
    cairo_new_path(cr);
    RoundedRect(cr, 5, 5, w - 10, h - 10, 9);
    SetRgb(cr, i == 0 ? 0xFFF4C8 : 0xFFC43A, i == 0 ? 1.0 : 0.18);
    cairo_set_line_width(cr, i == 0 ? 2.5 : 2.5 + i * 2.2);
    cairo_stroke(cr);
  }
  return canvas;
}

std::shared_ptr<Canvas> UiArt::HelpPicture(int variant) const {
  const int w = 190, h = 260;
  auto canvas = Panel(w, h, 12, 0x0F3A26, 0.9);
  cairo_t* cr = canvas->Cr();
  if (variant == 1) { // Klondike: columns building down in alternate colours
    for (int col = 0; col < 3; ++col)
      for (int row = 0; row <= col + 1; ++row) {
        bool up = row == col + 1;
        Suit suit = (row + col) % 2 ? Suit::Spades : Suit::Hearts;
        SmallCard(cr, 40 + col * 55, 40 + row * 22, 44, 60, suit, up ? 3 : 0, up, 1);
      }
    for (int i = 0; i < 4; ++i) SmallCard(cr, 30 + i * 43, 210, 36, 48, Suit(i), 1, true);
  } else if (variant == 2) { // Matching: a pair lifted out of a heap
    for (int i = 0; i < 5; ++i)
      SmallCard(cr, 50 + (i % 3) * 45, 50 + (i / 3) * 40, 44, 60, Suit::Clubs, 0, false, 2 + i % 3);
    SmallCard(cr, 65, 180, 44, 60, Suit::Hearts, 4, true);
    SmallCard(cr, 125, 180, 44, 60, Suit::Diamonds, 4, true);
    cairo_new_path(cr);
    cairo_arc(cr, 95, 180, 44, 0, 2 * M_PI);
    SetRgb(cr, 0xFFD45A, 0.8);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
  } else { // Tri Peaks: three peaks and the open card below
    for (int p = 0; p < 3; ++p) {
      SmallCard(cr, 35 + p * 60, 40, 34, 46, Suit::Spades, 0, false, 5);
      SmallCard(cr, 20 + p * 60, 72, 34, 46, Suit::Spades, 0, false, 5);
      SmallCard(cr, 50 + p * 60, 72, 34, 46, Suit::Spades, 0, false, 5);
    }
    for (int i = 0; i < 5; ++i) SmallCard(cr, 27 + i * 34, 112, 30, 42, Suit::Diamonds, 2, true);
    SmallCard(cr, 65, 200, 40, 54, Suit::Clubs, 0, false, 6);
    SmallCard(cr, 125, 200, 40, 54, Suit::Hearts, 3, true);
  }
  return canvas;
}

void UiArt::AddAll(AssetSet& out) const {
  const std::string g = "data/graphics/";
  // Panels, sized for what they carry.
  out.AddPicture(g + "textback.png", Panel(600, 72, 12), "panels");
  out.AddPicture(g + "helptextback.png", Panel(680, 48, 12), "panels");
  out.AddPicture(g + "helptextback2.png", Panel(720, 48, 12, 0x0B1A2A, 0.82), "panels");
  out.AddPicture(g + "blackback.png", Panel(700, 420, 18, 0x070D0B, 0.78), "panels");
  out.AddPicture(g + "input.png", Panel(420, 220, 16), "panels");
  out.AddPicture(g + "inputlong.png", Panel(600, 180, 16), "panels");
  out.AddPicture(g + "entername.png", Panel(420, 220, 16), "panels");
  out.AddPicture(g + "manager.png", Panel(460, 440, 18), "panels");
  out.AddPicture(g + "endlevelback.png", Panel(300, 170, 16), "panels");
  out.AddPicture(g + "levelback.png", LevelFrame(false), "panels");
  out.AddPicture(g + "levelhighlight.png", LevelFrame(true), "panels");
  for (int v = 1; v <= 3; ++v)
    out.AddPicture(g + (v == 1 ? std::string("helpimage.png") : "helpimage" + std::to_string(v) + ".png"),
                   HelpPicture(v), "panels");
  // Headers, titles and labels.
  out.AddPicture(g + "logo.png", Logo(), "titles");
  out.AddPicture(g + "velquorlogo.png", MakerLogo(), "titles");
  out.AddPicture(g + "playoptionsheader.png", Header("Choose a Game", 560, 110, 64), "titles");
  out.AddPicture(g + "selectlevel.png", Header("Select a Layout", 480, 64, 46), "titles");
  out.AddPicture(g + "optionsheader.png", Header("Options", 480, 76, 56), "titles");
  out.AddPicture(g + "helpheader.png", Header("Help", 480, 76, 56), "titles");
  out.AddPicture(g + "highscoresheader.png", Header("High Scores", 480, 76, 56), "titles");
  out.AddPicture(g + "menu.png", Header("Menu", 300, 70, 52), "titles");
  out.AddPicture(g + "paused.png", Header("Paused", 420, 100, 72), "titles");
  out.AddPicture(g + "generating.png", Header("Dealing...", 480, 100, 64), "titles");
  out.AddPicture(g + "music.png", Label("Music", 180, 32), "titles");
  out.AddPicture(g + "sound.png", Label("Sound", 180, 32), "titles");
  out.AddPicture(g + "scoreplus.png", ScorePop("+50", true), "titles");
  out.AddPicture(g + "scoreminus1.png", ScorePop("-60", false), "titles");
  out.AddPicture(g + "scoreminus2.png", ScorePop("-20", false), "titles");
}

} // namespace assetgen
