// Card art and the game's mask colours: one card size, one collision outline
// (cardback1's, without holes), glows that reach beyond the card, and no
// drawn pixel that the loader's colour key would cut out.
#include "PictureTestHelpers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <queue>

using picture_test::Load;

namespace {

std::string Graphic(const std::string& name) { return "data/graphics/" + name + ".png"; }

// The collision outline: pixels with alpha above one half.
std::vector<bool> Outline(const platform::Pixmap& p) {
  std::vector<bool> inside(size_t(p.width) * p.height);
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) inside[size_t(y) * p.width + x] = p.Pixel(x, y)[3] > 127;
  return inside;
}

// Pixels outside the outline that cannot be reached from the border: holes.
int CountHoles(const platform::Pixmap& p) {
  std::vector<bool> inside = Outline(p), seen(inside.size());
  std::queue<std::pair<int, int>> todo;
  auto push = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= p.width || y >= p.height) return;
    size_t i = size_t(y) * p.width + x;
    if (inside[i] || seen[i]) return;
    seen[i] = true;
    todo.push({x, y});
  };
  for (int x = 0; x < p.width; ++x) push(x, 0), push(x, p.height - 1);
  for (int y = 0; y < p.height; ++y) push(0, y), push(p.width - 1, y);
  while (!todo.empty()) {
    auto [x, y] = todo.front();
    todo.pop();
    push(x + 1, y), push(x - 1, y), push(x, y + 1), push(x, y - 1);
  }
  int holes = 0;
  for (size_t i = 0; i < inside.size(); ++i) holes += !inside[i] && !seen[i];
  return holes;
}

TEST(CardArt, EveryCardPictureHasCardback1sSize) {
  auto back = Load(Graphic("cardback1"));
  ASSERT_TRUE(back);
  // Small enough for the Klondike places 90 apart and rows 135 apart.
  EXPECT_LT(back->width, 90);
  EXPECT_LE(back->height, 110);
  for (const std::string& name : picture_test::CardSized()) {
    auto card = Load(Graphic(name));
    ASSERT_TRUE(card) << name;
    EXPECT_EQ(card->width, back->width) << name;
    EXPECT_EQ(card->height, back->height) << name;
  }
}

TEST(CardArt, CardsShareOneHoleFreeRoundedOutline) {
  auto back = Load(Graphic("cardback1"));
  ASSERT_TRUE(back);
  EXPECT_EQ(CountHoles(*back), 0);
  std::vector<bool> reference = Outline(*back);
  // Rounded, anti-aliased corners: the corner pixel is clear, edges are soft.
  EXPECT_EQ(back->Pixel(0, 0)[3], 0);
  EXPECT_FALSE(reference[0]);
  EXPECT_TRUE(reference[size_t(back->height / 2) * back->width]);
  bool soft = false;
  for (size_t i = 3; i < back->rgba.size(); i += 4) soft |= back->rgba[i] > 0 && back->rgba[i] < 255;
  EXPECT_TRUE(soft);
  // The places and stock cards use cardempty as their sprite, so overlap
  // tests need it to match exactly; faces and backs match as well.
  std::vector<std::string> same = picture_test::SuitFaces();
  for (const char* n : {"cardempty", "cardback2", "cardback3", "cardback4", "cardback5", "cardback6"}) same.push_back(n);
  for (const std::string& name : same) {
    auto card = Load(Graphic(name));
    ASSERT_TRUE(card) << name;
    EXPECT_TRUE(Outline(*card) == reference) << name << " does not have cardback1's outline";
  }
}

TEST(CardArt, BacksAndCourtCardsAreDistinct) {
  for (int a = 1; a <= 6; ++a)
    for (int b = a + 1; b <= 6; ++b)
      EXPECT_NE(Load(Graphic("cardback" + std::to_string(a)))->rgba,
                Load(Graphic("cardback" + std::to_string(b)))->rgba)
          << a << " vs " << b;
  // Court cards of the same rank differ by more than their corner indices:
  // compare the middle of the card.
  auto middle = [](const platform::Pixmap& p) {
    std::vector<uint8_t> out;
    for (int y = 30; y < 66; ++y)
      for (int x = 20; x < 52; ++x) out.insert(out.end(), p.Pixel(x, y), p.Pixel(x, y) + 4);
    return out;
  };
  for (int rank = 11; rank <= 13; ++rank) {
    std::string r = std::to_string(rank);
    EXPECT_NE(middle(*Load(Graphic("spades" + r))), middle(*Load(Graphic("clubs" + r)))) << rank;
    EXPECT_NE(middle(*Load(Graphic("hearts" + r))), middle(*Load(Graphic("diamonds" + r)))) << rank;
  }
}

TEST(CardArt, GlowsReachBeyondTheCard) {
  auto back = Load(Graphic("cardback1"));
  ASSERT_TRUE(back);
  std::vector<std::vector<uint8_t>> colours;
  for (const char* n : {"cardmo", "cardhint1", "cardhint2"}) {
    auto glow = Load(Graphic(n));
    ASSERT_TRUE(glow) << n;
    EXPECT_GE(glow->width, back->width + 8) << n;
    EXPECT_GE(glow->height, back->height + 8) << n;
    // Visible just outside the card's edge, fading out towards its own edge.
    int edgeX = (glow->width - back->width) / 2 - 2;
    EXPECT_GT(glow->Pixel(edgeX, glow->height / 2)[3], 60) << n;
    EXPECT_LT(glow->Pixel(0, glow->height / 2)[3], 30) << n;
    const uint8_t* c = glow->Pixel(edgeX, glow->height / 2);
    colours.push_back({c[0], c[1], c[2]});
  }
  // Three clearly different colours.
  for (size_t a = 0; a < colours.size(); ++a)
    for (size_t b = a + 1; b < colours.size(); ++b) {
      int diff = 0;
      for (int k = 0; k < 3; ++k) diff += std::abs(int(colours[a][k]) - int(colours[b][k]));
      EXPECT_GT(diff, 60) << a << " vs " << b;
    }
}

// Pictures loaded while the colour key is black: before the resource step
// (the particle sheet, the maker's logo) and on demand afterwards.
bool KeyedBlack(const std::string& relative) {
  if (relative.rfind("data/menus/", 0) == 0) return true;
  for (const char* n : {"particles", "velquorlogo", "logo", "playoptionsheader", "selectlevel", "optionsheader",
                        "helpheader", "highscoresheader", "entername", "manager", "endlevelback", "slider", "marker"})
    if (relative == Graphic(n)) return true;
  return false;
}

TEST(CardArt, NoDrawnPixelHasAMaskColour) {
  std::vector<std::string> pictures;
  for (const char* folder : {"data/graphics", "data/menus"})
    for (const auto& entry : std::filesystem::directory_iterator(test_support::DataPath(folder)))
      if (entry.path().extension() == ".png") pictures.push_back(std::string(folder) + "/" + entry.path().filename().string());
  for (const char* n : {"gamescreen1.jpg", "gamescreen2.jpg", "gamescreen3.jpg", "gamescreen4.jpg", "gamescreen5.jpg",
                        "playscreen.jpg", "titlescreen.jpg", "particle1.png", "particle2.png"})
    pictures.push_back(std::string("pak:") + n);
  ASSERT_GE(pictures.size(), 215u);
  for (const std::string& relative : pictures) {
    auto p = Load(relative);
    ASSERT_TRUE(p) << relative;
    bool black = KeyedBlack(relative);
    int magentas = 0, blacks = 0;
    for (size_t i = 0; i < p->rgba.size(); i += 4) {
      const uint8_t* c = &p->rgba[i];
      if (c[3] == 0) continue;
      magentas += c[0] == 255 && c[1] == 0 && c[2] == 255;
      blacks += black && c[0] == 0 && c[1] == 0 && c[2] == 0;
    }
    EXPECT_EQ(magentas, 0) << relative;
    EXPECT_EQ(blacks, 0) << relative;
    // Every PNG carries real transparency somewhere, or is a full screen.
    if (relative.find(".png") != std::string::npos && p->width < 800) {
      bool clear = false;
      for (size_t i = 3; i < p->rgba.size() && !clear; i += 4) clear = p->rgba[i] < 255;
      EXPECT_TRUE(clear) << relative;
    }
  }
}

} // namespace
