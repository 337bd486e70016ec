#include "LayoutDesigns.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace layoutgen {

namespace {

// Grid designs: each string is one row of the picture, top row first; an "X"
// in column c puts a straight card there. Columns are half a card step (37
// pixels) apart, rows `step` pixels apart, so a card touches nothing in its
// own row two columns away (a 2-pixel gap) and lies on the cards of the row
// above that it reaches. Rows further down lie on top, the picture is centred
// in the editing area.
struct GridDesign {
  const char* name;
  int step;
  bool upward; // rows higher up lie on top instead
  std::vector<const char*> rows;
};

constexpr int HalfStep = 37;

} // namespace

std::vector<PlacedCard> GridCards(int step, bool upward, const std::vector<const char*>& rowTexts) {
  const GridDesign design{"", step, upward, rowTexts};
  int minColumn = 1000, maxColumn = -1000;
  for (const char* row : design.rows)
    for (int c = 0; row[c]; ++c)
      if (row[c] == 'X') minColumn = std::min(minColumn, c), maxColumn = std::max(maxColumn, c);
  const int rows = int(design.rows.size());
  const int height = design.step * (rows - 1) + 96;
  const int top = (AreaHeight - height) / 2 + 48;
  const int width = HalfStep * (maxColumn - minColumn) + 72;
  const int left = (AreaWidth - width) / 2 + 36;
  std::vector<PlacedCard> cards;
  for (int i = 0; i < rows; ++i) {
    const int r = design.upward ? rows - 1 - i : i;
    for (int c = 0; design.rows[size_t(r)][c]; ++c)
      if (design.rows[size_t(r)][c] == 'X')
        cards.push_back({left + HalfStep * (c - minColumn), top + design.step * r, 0.0});
  }
  return cards;
}

namespace {

std::vector<PlacedCard> FromGrid(const GridDesign& design) { return GridCards(design.step, design.upward, design.rows); }

} // namespace

// The fan's outer cards come first and it closes towards the card nearest
// the middle angle.
void AddFan(std::vector<PlacedCard>& cards, double pivotX, double pivotY, double radius, double from, double to,
            int count) {
  std::vector<double> angles;
  for (int i = 0; i < count; ++i) angles.push_back(count == 1 ? from : from + (to - from) * i / (count - 1));
  const double middle = (from + to) / 2;
  std::stable_sort(angles.begin(), angles.end(),
                   [&](double a, double b) { return std::abs(a - middle) > std::abs(b - middle); });
  for (double angle : angles) {
    const double r = angle * std::numbers::pi / 180.0;
    cards.push_back({int(std::lround(pivotX + radius * std::sin(r))), int(std::lround(pivotY - radius * std::cos(r))),
                     angle});
  }
}

namespace {

// Every grid design, by name.
const std::vector<GridDesign>& GridDesigns() {
  static const std::vector<GridDesign> designs = {
      {"Three Peaks", 50, false,
       {"   X     X     X   ",
        "  X X   X X   X X  ",
        " X X X X X X X X X ",
        "X X X X X X X X X X"}},
      {"Pyramid", 50, false,
       {"     X     ",
        "    X X    ",
        "   X X X   ",
        "  X X X X  ",
        " X X X X X ",
        "X X X X X X"}},
      {"Kite", 40, false,
       {"    X    ",
        "   X X   ",
        "  X X X  ",
        " X X X X ",
        "X X X X X",
        " X X X X ",
        "  X X X  "}},
      {"Twin Peaks", 50, false,
       {"   X       X     ",
        "  X X     X X    ",
        " X X X   X X X   ",
        "X X X X X X X X  ",
        " X X X X X X X X "}},
      {"Three Diamonds", 40, false,
       {"   X     X     X   ",
        "  X X   X X   X X  ",
        " X X X X X X X X X ",
        "  X X   X X   X X  ",
        "   X     X     X   "}},
      {"Hourglass", 50, false,
       {"X X X X X",
        " X X X X ",
        "  X X X  ",
        " X X X X ",
        "X X X X X"}},
      {"Lanterns", 45, false,
       {"   X     X     X   ",
        "  X X   X X   X X  ",
        " X X X X X X X X X ",
        "  X X   X X   X X  "}},
      {"Ribbon", 45, false,
       {"X X X     X X X    ",
        " X X X X   X X X X ",
        "  X X X X X X X X X",
        "   X X X   X X X   "}},
      {"Grand Pyramid Pair", 35, false,
       {"    X         X    ",
        "   X X       X X   ",
        "  X X X     X X X  ",
        " X X X X   X X X X ",
        "X X X X X X X X X X",
        " X X X X X X X X X ",
        "X X X X X X X X X X",
        " X X X X X X X X X "}},
      {"Great Wall", 35, false,
       {"X   X   X   X   X  ",
        " X X X X X X X X X ",
        "X X X X X X X X X X",
        " X X X X X X X X X ",
        "X X X X X X X X X X",
        " X X X X X X X X X ",
        "X X X X X X X X X X"}},
      {"Cross", 38, false,
       {"      X      ",
        "     X X     ",
        "X X X X X X X",
        " X X X X X X ",
        "X X X X X X X",
        "     X X     ",
        "      X      "}},
      {"Double Arch", 50, false,
       {"  X X X X X X X X  ",
        " X X X X X X X X X ",
        "X X     X X     X X",
        " X       X       X "}},
      {"Pyramid Pair", 50, false,
       {"    X         X    ",
        "   X X       X X   ",
        "  X X X     X X X  ",
        " X X X X   X X X X ",
        "X X X X X X X X X X"}},
      {"Towers", 50, false,
       {"X   X   X   X   X  ",
        " X   X   X   X   X ",
        "X   X   X   X   X  ",
        " X   X   X   X   X ",
        "X   X   X   X   X  ",
        " X   X   X   X   X "}},
      {"Heart", 45, true,
       {"  X X   X X  ",
        " X X X X X X ",
        "  X X X X X  ",
        "   X X X X   ",
        "    X X X    ",
        "     X X     ",
        "      X      "}},
      {"Crown", 45, false,
       {"X       X       X",
        " X     X X     X ",
        "X X   X X X   X X",
        " X X X X X X X X ",
        "X X X X X X X X X"}},
      {"Four Peaks", 50, false,
       {"   X   X   X   X   ",
        "  X X X X X X X X  ",
        " X X X X X X X X X ",
        "X X X X X X X X X X"}},
      {"Arch", 50, false,
       {"  X X X X X X X X  ",
        " X X X X X X X X X ",
        "X X             X X",
        " X X           X X ",
        "X X             X X",
        " X X           X X "}},
      {"Chevrons", 45, false,
       {"X               X",
        " X X         X X ",
        "  X X X   X X X  ",
        "X  X X X X X X  X",
        " X X X X X X X X ",
        "  X X X   X X X  "}},
      {"Five Peaks", 50, false,
       {" X   X   X   X   X ",
        "X X X X X X X X X X",
        " X X X X X X X X X ",
        "X X X X X X X X X X"}},
      {"Bridge", 50, false,
       {"X X X X X X X X X X",
        " X X X X X X X X X ",
        "X X X         X X X",
        " X X           X X ",
        "X X             X X"}},
      {"Great Pyramid", 35, false,
       {"         X         ",
        "        X X        ",
        "       X X X       ",
        "      X X X X      ",
        "     X X X X X     ",
        "    X X X X X X    ",
        "   X X X X X X X   ",
        "  X X X X X X X X  ",
        " X X X X X X X X X ",
        "X X X X X X X X X X"}},
      {"Grand Peaks", 35, false,
       {"   X     X     X   ",
        "  X X   X X   X X  ",
        " X X X X X X X X X ",
        "X X X X X X X X X X",
        " X X X X X X X X X ",
        "X X X X X X X X X X",
        " X X X X X X X X X "}},
      {"Butterfly", 35, false,
       {"X X             X X",
        " X X X       X X X ",
        "X X X X X   X X X X",
        " X X X X X X X X X ",
        " X X X X X X X X X ",
        "X X X X X   X X X X",
        " X X X       X X X ",
        "X X             X X"}},
      {"Castle", 35, false,
       {"X X     X X     X X",
        " X       X       X ",
        "X X     X X     X X",
        " X X X X X X X X X ",
        "X X X X X X X X X X",
        " X X X X X X X X X ",
        "X X X X X X X X X X",
        " X X X       X X X "}},
      {"Zigzag", 35, false,
       {"X       X       X  ",
        " X     X X     X X ",
        "  X   X   X   X   X",
        "   X X     X X     ",
        "    X   X   X   X  ",
        "   X X X X X X X X ",
        "  X X X X X X X X X",
        " X X X X X X X X X ",
        "X X X X X X X X X X"}},
      {"Twin Hearts", 35, true,
       {" X X X X   X X X X ",
        "X X X X X X X X X X",
        "X X X X X X X X X X",
        " X X X X X X X X X ",
        "  X X X X X X X X  ",
        "   X X X   X X X   ",
        "    X X     X X    ",
        "     X       X     "}},
      {"Fortress", 35, false,
       {"X X X X X X X X X X",
        " X               X ",
        "X X   X X X X   X X",
        " X   X X X X X   X ",
        "X X   X X X X   X X",
        " X   X X X X X   X ",
        "X X   X X X X   X X",
        " X X X X X X X X X "}},
      {"Mountain Range", 35, false,
       {"  X       X       X",
        " X X     X X     X ",
        "X X X   X X X   X X",
        " X X X X X X X X X ",
        "X X X X X X X X X X",
        " X X X X X X X X X ",
        "X X X X X X X X X X",
        " X X X X X X X X X "}},
  };
  return designs;
}

} // namespace

std::vector<LayoutDesign> TripeaksDesigns() {
  std::vector<LayoutDesign> all;
  for (const GridDesign& grid : GridDesigns()) all.push_back({grid.name, FromGrid(grid)});
  {
    LayoutDesign fans{"Fans", {}};
    AddFan(fans.cards, 150, 330, 130, -30, 30, 7);
    AddFan(fans.cards, 375, 330, 130, -30, 30, 7);
    AddFan(fans.cards, 600, 330, 130, -30, 30, 7);
    all.push_back(fans);
  }
  {
    LayoutDesign peacock{"Peacock", {}};
    AddFan(peacock.cards, 375, 420, 300, -50, 50, 11);
    AddFan(peacock.cards, 375, 420, 170, -36, 36, 7);
    all.push_back(peacock);
  }
  {
    LayoutDesign wings{"Wings", {}};
    AddFan(wings.cards, 240, 390, 180, -56, 8, 9);
    AddFan(wings.cards, 510, 390, 180, -8, 56, 9);
    AddFan(wings.cards, 375, 420, 120, -14, 14, 3);
    all.push_back(wings);
  }
  // The level order: the classic first, then the single-deck layouts and
  // last the two-deck ones, each group from the deals the solver accepts
  // most readily (fewest attempts per accepted deal) to the least.
  static const char* const order[] = {
      "Three Peaks", "Lanterns",      "Double Arch",  "Peacock",     "Ribbon",         "Wings",
      "Four Peaks",  "Three Diamonds", "Hourglass",   "Fans",        "Twin Peaks",     "Five Peaks",
      "Pyramid",     "Pyramid Pair",  "Towers",       "Crown",       "Cross",          "Bridge",
      "Chevrons",    "Kite",          "Arch",         "Heart",       "Grand Peaks",    "Butterfly",
      "Fortress",    "Twin Hearts",   "Zigzag",       "Great Wall",  "Castle",         "Grand Pyramid Pair",
      "Mountain Range", "Great Pyramid"};
  std::vector<LayoutDesign> designs;
  for (const char* name : order)
    for (const LayoutDesign& design : all)
      if (design.name == name) designs.push_back(design);
  // Cards that nothing covers are moved to the end, keeping the order of the
  // rest: nothing later lay on them, so every cover stays as it was, and the
  // cards playable at the start come last.
  for (LayoutDesign& design : designs) MoveUncoveredCardsLast(design);
  return designs;
}

void MoveUncoveredCardsLast(LayoutDesign& design) {
  const CoverCheck check = CheckLayout(design.cards);
  std::vector<PlacedCard> covered, open;
  for (size_t i = 0; i < design.cards.size(); ++i) (check.covers[i].empty() ? open : covered).push_back(design.cards[i]);
  design.cards = covered;
  design.cards.insert(design.cards.end(), open.begin(), open.end());
}

std::string LayoutFileText(const LayoutDesign& design) {
  std::string text = "Ostrelle Card Layout\r\n";
  char angle[64];
  for (const PlacedCard& card : design.cards) {
    std::snprintf(angle, sizeof(angle), "%#.9g", card.angle);
    text += std::to_string(card.x) + "," + std::to_string(card.y) + "," + angle + "\r\n";
  }
  return text;
}

} // namespace layoutgen
