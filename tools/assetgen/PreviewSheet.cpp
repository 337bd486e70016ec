#include "PreviewSheet.h"

#include <fstream>
#include <stdexcept>

namespace assetgen {

namespace {
class Composer {
public:
  Composer(const AssetSet& assets, const Fonts& fonts, cairo_t* cr) : assets_(assets), fonts_(fonts), cr_(cr) {}

  Canvas& Get(const std::string& path) const {
    const Asset* a = assets_.Find(path);
    if (!a || !a->picture) throw std::runtime_error("preview: no picture " + path);
    return *a->picture;
  }
  // Draws a picture with its centre at (x, y), optionally turned (degrees).
  void Centred(const std::string& path, double x, double y, double angle = 0, double alpha = 1) const {
    Canvas& c = Get(path);
    cairo_save(cr_);
    cairo_translate(cr_, x, y);
    cairo_rotate(cr_, angle * 3.14159265358979 / 180);
    cairo_set_source_surface(cr_, c.Surface(), -c.Width() / 2.0, -c.Height() / 2.0);
    cairo_paint_with_alpha(cr_, alpha);
    cairo_restore(cr_);
  }
  void TopLeft(const std::string& path, double x, double y) const {
    cairo_set_source_surface(cr_, Get(path).Surface(), x, y);
    cairo_paint(cr_);
  }
  int Width(const std::string& path) const { return Get(path).Width(); }
  int Height(const std::string& path) const { return Get(path).Height(); }
  void Text(const std::string& s, double size, double x, double y, uint32_t rgb = 0xFFFFFF) const {
    CentredText(cr_, fonts_, s, size, x + 1.5, y + 1.5, 0x050505, 0.6, false);
    CentredText(cr_, fonts_, s, size, x, y, rgb, 1.0, false);
  }
  void Dim(double alpha) const {
    cairo_set_source_rgba(cr_, 0, 0, 0, alpha);
    cairo_paint(cr_);
  }
  // A centred column of menu buttons starting at `top`.
  void Column(const std::vector<std::string>& names, double top, double gap, int lit = -1) const {
    double y = top;
    for (size_t i = 0; i < names.size(); ++i) {
      std::string path = "data/menus/" + names[i] + (int(i) == lit ? "mo" : "") + ".png";
      TopLeft(path, 400 - Width(path) / 2.0, y);
      y += Height(path) + gap;
    }
  }

private:
  const AssetSet& assets_;
  const Fonts& fonts_;
  cairo_t* cr_;
};

const std::string G = "data/graphics/";

void Klondike(const Composer& c) {
  c.TopLeft("data/resources/gamescreen1.jpg", 0, 0);
  c.Centred(G + "cardback3.png", 115, 70);
  c.Centred(G + "hearts7.png", 230, 70);
  c.Centred(G + "cardmo.png", 460, 70);
  c.Centred(G + "spades1.png", 460, 70);
  c.Centred(G + "diamonds1.png", 550, 70);
  c.Centred(G + "cardfoundationempty.png", 640, 70);
  c.Centred(G + "cardfoundationempty.png", 730, 70);
  const char* up[7] = {"clubs13", "hearts12", "spades11", "diamonds10", "clubs9", "hearts8", "spades5"};
  for (int k = 0; k < 7; ++k) {
    double x = 120 + 90 * k;
    if (k == 0) {
      c.Centred(G + "cardempty.png", x, 205);
      continue;
    }
    for (int r = 0; r < k; ++r) c.Centred(G + "cardback3.png", x, 205 + 20 * r);
    if (k == 2) c.Centred(G + "cardhint1.png", x, 205 + 20 * k);
    if (k == 4) c.Centred(G + "cardhint2.png", x, 205 + 20 * k);
    c.Centred(G + up[k] + std::string(".png"), x, 205 + 20 * k);
    if (k == 5) c.Centred(G + "cardflip.png", x, 205 + 20 * k, 0, 0.6);
  }
  c.Centred(G + "hearts4.png", 120, 205);
  c.Centred(G + "cardmarked.png", 120, 205);
  double y = 510;
  for (const char* n : {"undo", "hintmo", "menu"}) {
    c.TopLeft(std::string("data/menus/") + n + ".png", 19, y);
    y += 32;
  }
  c.TopLeft("data/menus/autocomplete.png", 336, 538);
  c.Text("Score: 1250", 34, 230, 525);
  c.Text("Time: 3:27", 34, 225, 565);
  c.Centred(G + "scoreplus.png", 550, 40);
  c.Centred(G + "pointer.png", 476, 96);
}

void Title(const Composer& c) {
  c.TopLeft("data/resources/titlescreen.jpg", 0, 0);
  c.Centred(G + "logo.png", 400, 100);
  c.Column({"play", "help", "options", "highscore", "exit"}, 230, 10, 1);
  c.TopLeft("data/menus/changeplayer.png", 400 - c.Width("data/menus/changeplayer.png") / 2.0, 545);
  c.Text("Welcome back, Alex!", 20, 400, 200);
  c.Text("1.11", 18, 770, 576);
}

void Play(const Composer& c) {
  c.TopLeft("data/resources/playscreen.jpg", 0, 0);
  c.Centred(G + "playoptionsheader.png", 400, 100);
  double x = 400 - (3 * 200 + 80) / 2.0;
  for (const char* n : {"matching", "tripeaksmo", "klondike"}) {
    c.TopLeft(std::string("data/menus/") + n + ".png", x, 200);
    x += 240;
  }
  c.Centred(G + "textback.png", 400, 465);
  c.Text("Clear the three peaks by playing cards one higher", 20, 400, 443);
  c.Text("or one lower than the open card.", 20, 400, 468);
  c.TopLeft("data/menus/customsmall.png", 400 - 130 - 7, 520);
  c.TopLeft("data/menus/backsmall.png", 400 + 8, 520);
}

void Paused(const Composer& c) {
  c.TopLeft("data/resources/gamescreen4.jpg", 0, 0);
  for (int i = 0; i < 7; ++i) c.Centred(G + "cardback5.png", 150 + i * 82, 250, (i - 3) * 4);
  c.Centred(G + "clubs2.png", 330, 70);
  c.Centred(G + "carddenied.png", 230, 70);
  c.Dim(0.5);
  c.Centred(G + "menu.png", 400, 130);
  c.Column({"resume", "shufflepuzzle", "savegame", "loadgame", "restartpuzzle", "backtomenu"}, 175, 10, 2);
  c.Centred(G + "input.png", 400, 470 - 20);
  c.Text("Delete this player?", 20, 400, 400);
  c.TopLeft("data/menus/yes.png", 400 - 96 - 10, 450 + 110 - 20 - 34);
  c.TopLeft("data/menus/nomo.png", 400 + 10, 450 + 110 - 20 - 34);
}
} // namespace

void WritePreviewSheet(const AssetSet& assets, const Fonts& fonts, const std::string& file) {
  Canvas sheet(1610, 1210);
  cairo_t* cr = sheet.Cr();
  cairo_set_source_rgb(cr, 0.2, 0.2, 0.22);
  cairo_paint(cr);
  void (*screens[4])(const Composer&) = {Klondike, Title, Play, Paused};
  for (int i = 0; i < 4; ++i) {
    cairo_save(cr);
    cairo_translate(cr, (i % 2) * 810, (i / 2) * 610);
    cairo_rectangle(cr, 0, 0, 800, 600);
    cairo_clip(cr);
    Composer composer(assets, fonts, cr);
    screens[i](composer);
    cairo_restore(cr);
  }
  std::vector<uint8_t> png = sheet.EncodePng();
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
}

} // namespace assetgen
