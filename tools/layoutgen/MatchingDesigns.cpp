// The 80 standard Matching layouts. Each design is a grid picture, a set of
// rings, a spiral, fans or a tilted wall; every one is checked by the same
// geometry as the Tri Peaks designs, given an even number of cards, and the
// whole list is put in order of difficulty.
#include "LayoutDesigns.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace layoutgen {

namespace {

struct Grid {
  const char* name;
  int step;
  bool upward;
  std::vector<const char*> rows;
};

// clang-format off
const std::vector<Grid>& Grids() {
  static const std::vector<Grid> grids = {
      {"Little Pyramid", 50, false, {"    X    ", "   X X   ", "  X X X  ", " X X X X ", "X X X X X"}},
      {"Pyramid", 45, false, {"     X     ", "    X X    ", "   X X X   ", "  X X X X  ", " X X X X X ", "X X X X X X"}},
      {"Step Pyramid", 40, false,
       {"      X X      ", "     X X X     ", "    X X X X    ", "   X X X X X   ", "  X X X X X X  ",
        " X X X X X X X "}},
      {"Low Wall", 50, false, {"X X X X X X X X", " X X X X X X X ", "X X X X X X X X"}},
      {"Brick Wall", 45, false,
       {"X X X X X X X X X", " X X X X X X X X ", "X X X X X X X X X", " X X X X X X X X "}},
      {"Garden Wall", 50, false, {"X   X   X   X   X", " X X X X X X X X ", "X X X X X X X X X"}},
      {"Hourglass", 45, false,
       {"X X X X X X X", " X X X X X X ", "  X X X X X  ", "   X X X X   ", "  X X X X X  ", " X X X X X X ",
        "X X X X X X X"}},
      {"Letter H", 50, false,
       {"X X       X X", "X X       X X", "X X X X X X X", "X X       X X", "X X       X X"}},
      {"Letter T", 45, false,
       {"X X X X X X X X X", "      X X X      ", "      X X X      ", "      X X X      ", "      X X X      ",
        "      X X X      "}},
      {"Letter X", 45, false,
       {"X X         X X", "  X X     X X  ", "    X X X X    ", "      X X      ", "    X X X X    ",
        "  X X     X X  ", "X X         X X"}},
      {"Letter M", 45, false,
       {"X X           X X", "X X X       X X X", "X   X X   X X   X", "X     X X X     X", "X       X       X",
        "X X           X X"}},
      {"Letter Z", 45, false,
       {"X X X X X X X X X", "          X X X  ", "        X X X    ", "      X X X      ", "    X X X        ",
        "  X X X          ", "X X X X X X X X X"}},
      {"Letter O", 40, false,
       {"    X X X X X    ", "  X X       X X  ", "X X           X X", "X X           X X", "X X           X X",
        "  X X       X X  ", "    X X X X X    "}},
      {"Diamond", 39, false,
       {"    X    ", "   X X   ", "  X X X  ", " X X X X ", "X X X X X", " X X X X ", "  X X X  ", "   X X   ",
        "    X    "}},
      {"Twin Pyramids", 50, false,
       {"    X         X    ", "   X X       X X   ", "  X X X     X X X  ", " X X X X   X X X X "}},
      {"Steps", 45, false,
       {"X X            ", "X X X X        ", "X X X X X X    ", "X X X X X X X X", "  X X X X X X X",
        "      X X X X X"}},
      {"Arrow", 45, false,
       {"      X          ", "    X X X        ", "  X X X X X X X X", "X X X X X X X X X", "  X X X X X X X X",
        "    X X X        ", "      X          "}},
      {"Heart", 45, true,
       {"  X X   X X  ", " X X X X X X ", "  X X X X X  ", "   X X X X   ", "    X X X    ", "     X X     ",
        "      X      "}},
      {"Cross", 40, false,
       {"      X X      ", "      X X      ", "X X X X X X X X", " X X X X X X X ", "      X X      ",
        "      X X      ", "      X X      "}},
      {"Towers", 40, false,
       {"X   X   X   X   X", " X   X   X   X   X", "X   X   X   X   X", " X   X   X   X   X", "X   X   X   X   X",
        " X   X   X   X   X"}},
      {"Crown", 40, false,
       {"X       X       X", " X     X X     X ", "X X   X X X   X X", " X X X X X X X X ", "X X X X X X X X X",
        " X X X X X X X X "}},
      {"Butterfly", 38, false,
       {"X X             X X", " X X X       X X X ", "X X X X X   X X X X", " X X X X X X X X X ",
        " X X X X X X X X X ", "X X X X X   X X X X", " X X X       X X X ", "X X             X X"}},
      {"Chevrons", 40, false,
       {"X               X", " X X         X X ", "  X X X   X X X  ", "X  X X X X X X  X", " X X X X X X X X ",
        "  X X X   X X X  "}},
      {"Tall Pyramid", 35, false,
       {"        X        ", "       X X       ", "      X X X      ", "     X X X X     ", "    X X X X X    ",
        "   X X X X X X   ", "  X X X X X X X  ", " X X X X X X X X ", "X X X X X X X X X"}},
      {"Castle", 36, false,
       {"X X     X X     X X", " X       X       X ", "X X     X X     X X", " X X X X X X X X X ",
        "X X X X X X X X X X", " X X X X X X X X X ", "X X X X X X X X X X"}},
      {"Fortress", 36, false,
       {"X X X X X X X X X X", " X               X ", "X X   X X X X   X X", " X   X X X X X   X ",
        "X X   X X X X   X X", " X   X X X X X   X ", "X X X X X X X X X X"}},
      {"Great Wall", 35, false,
       {"X X X X X X X X X X", " X X X X X X X X X ", "X X X X X X X X X X", " X X X X X X X X X ",
        "X X X X X X X X X X", " X X X X X X X X X "}},
      {"Mountains", 35, false,
       {"  X       X       X", " X X     X X     X ", "X X X   X X X   X X", " X X X X X X X X X ",
        "X X X X X X X X X X", " X X X X X X X X X ", "X X X X X X X X X X", " X X X X X X X X X "}},
      {"Grand Pyramid", 35, false,
       {"         X         ", "        X X        ", "       X X X       ", "      X X X X      ",
        "     X X X X X     ", "    X X X X X X    ", "   X X X X X X X   ", "  X X X X X X X X  ",
        " X X X X X X X X X ", "X X X X X X X X X X"}},
      {"Citadel", 35, false,
       {"X X X X X X X X X X", " X X X X X X X X X ", "X X X X X X X X X X", " X X X X X X X X X ",
        "X X X X X X X X X X", " X X X X X X X X X ", "X X X X X X X X X X", " X X X X X X X X X ",
        "X X X X X X X X X X", " X X X X X X X X X "}},
      {"Letter E", 45, false,
       {"X X X X X X X", "X X          ", "X X X X X    ", "X X          ", "X X          ", "X X X X X X X"}},
      {"Letter W", 45, false,
       {"X X     X     X X", " X X   X X   X X ", "  X X X   X X X  ", "   X X     X X   "}},
      {"Letter L", 45, false,
       {"X X          ", "X X          ", "X X          ", "X X          ", "X X          ", "X X X X X X X",
        "X X X X X X X"}},
      {"Bridge", 45, false,
       {"X X X X X X X X X X", " X X X X X X X X X ", "X X X         X X X", " X X           X X ",
        "X X             X X"}},
      {"Twin Hearts", 38, true,
       {" X X X X   X X X X ", "X X X X X X X X X X", " X X X X X X X X X ", "  X X X X X X X X  ",
        "   X X X   X X X   ", "    X X     X X    ", "     X       X     "}},
      {"Checkers", 45, false,
       {"X   X   X   X   X", "  X   X   X   X  ", "X   X   X   X   X", "  X   X   X   X  ", "X   X   X   X   X",
        "  X   X   X   X  "}},
  };
  return grids;
}
// clang-format on

PlacedCard At(double x, double y, double angle) { return {int(std::lround(x)), int(std::lround(y)), angle}; }

// `count` cards around a circle, each turned to point away from its centre,
// starting at `phase` degrees.
void AddRing(std::vector<PlacedCard>& cards, double cx, double cy, double radius, int count, double phase) {
  for (int i = 0; i < count; ++i) {
    const double angle = phase + 360.0 * i / count;
    const double r = angle * std::numbers::pi / 180.0;
    double shown = std::fmod(angle, 360.0);
    if (shown > 180) shown -= 360;
    cards.push_back(At(cx + radius * std::sin(r), cy - radius * std::cos(r), shown));
  }
}

// `arms` spiral arms winding out from the centre, `perArm` cards each; the
// outer cards come first so the arms close towards the middle.
void AddSpiral(std::vector<PlacedCard>& cards, double cx, double cy, int arms, int perArm, double inner, double outer,
               double turn, double squash) {
  for (int i = perArm - 1; i >= 0; --i)
    for (int a = 0; a < arms; ++a) {
      const double f = perArm == 1 ? 0 : double(i) / (perArm - 1);
      const double angle = 360.0 * a / arms + turn * f;
      const double r = angle * std::numbers::pi / 180.0;
      const double radius = inner + (outer - inner) * f;
      double shown = std::fmod(angle, 360.0);
      if (shown > 180) shown -= 360;
      cards.push_back(At(cx + radius * std::sin(r), cy - squash * radius * std::cos(r), shown / 4));
    }
}

// Cards along `arms` spiral arms from radius r0 to r1 over `turns` turns, a
// card every `step` pixels of the path: every other card lies on the two
// beside it, so each arm is two layers and no long chain of cards.
void AddSpiralArms(std::vector<PlacedCard>& cards, double cx, double cy, int arms, double r0, double r1, double turns,
                   double step) {
  std::vector<PlacedCard> lower, upper;
  for (int a = 0; a < arms; ++a) {
    double angle = 360.0 * a / arms, radius = r0;
    const double perDegree = (r1 - r0) / (turns * 360.0);
    for (int i = 0; radius <= r1; ++i) {
      const double r = angle * std::numbers::pi / 180.0;
      double shown = std::fmod(angle, 360.0);
      if (shown > 180) shown -= 360;
      (i % 2 == 0 ? lower : upper).push_back(At(cx + radius * std::sin(r), cy - 0.8 * radius * std::cos(r), shown / 3));
      // The next card `step` further along the path.
      const double degrees = step / std::max(radius, 1.0) * 180.0 / std::numbers::pi;
      angle += degrees;
      radius += degrees * perDegree;
    }
  }
  cards.insert(cards.end(), lower.begin(), lower.end());
  cards.insert(cards.end(), upper.begin(), upper.end());
}

// A grid picture turned by `tilt` degrees about the centre of the area, every card with it.
std::vector<PlacedCard> Tilted(std::vector<PlacedCard> cards, double tilt) {
  const double r = tilt * std::numbers::pi / 180.0;
  const double cx = AreaWidth / 2.0, cy = AreaHeight / 2.0;
  for (auto& card : cards) {
    const double dx = card.x - cx, dy = card.y - cy;
    card = At(cx + dx * std::cos(r) - dy * std::sin(r), cy + dx * std::sin(r) + dy * std::cos(r), tilt);
  }
  return cards;
}

// A second layer on a grid: each card of `upper` is put on the cards below it, shifted by (dx, dy).
void AddLayer(std::vector<PlacedCard>& cards, const std::vector<PlacedCard>& upper, int dx, int dy) {
  for (const auto& card : upper) cards.push_back({card.x + dx, card.y + dy, card.angle});
}

std::vector<LayoutDesign> Candidates() {
  std::vector<LayoutDesign> all;
  for (const Grid& grid : Grids()) all.push_back({grid.name, GridCards(grid.step, grid.upward, grid.rows)});
  auto add = [&](const char* name, auto build) {
    LayoutDesign design{name, {}};
    build(design.cards);
    all.push_back(design);
  };
  // Rings of separate cards, and rings of the same shape interleaved on top
  // (each card of the upper ring lies on two of the lower one).
  add("Ring of Eight", [](auto& c) { AddRing(c, 375, 207, 150, 8, 0); });
  add("Ring", [](auto& c) {
    AddRing(c, 375, 207, 150, 8, 0);
    c.push_back({335, 207, 0});
    c.push_back({415, 207, 0});
  });
  add("Two Rings", [](auto& c) {
    AddRing(c, 200, 207, 120, 10, 0);
    AddRing(c, 550, 207, 120, 10, 18);
  });
  add("Wreath", [](auto& c) {
    AddRing(c, 375, 207, 150, 8, 0);
    AddRing(c, 375, 207, 150, 8, 22.5);
  });
  add("Halo", [](auto& c) {
    AddRing(c, 375, 207, 55, 4, 45);
    AddRing(c, 375, 207, 150, 8, 0);
    AddRing(c, 375, 207, 150, 8, 22.5);
  });
  add("Ring of Rings", [](auto& c) {
    AddRing(c, 375, 207, 150, 8, 0);
    AddRing(c, 375, 207, 55, 4, 45);
  });
  add("Target", [](auto& c) {
    AddRing(c, 375, 207, 150, 8, 0);
    AddRing(c, 375, 207, 150, 8, 22.5);
    AddRing(c, 375, 207, 55, 4, 45);
    c.push_back({335, 207, 0});
    c.push_back({415, 207, 0});
  });
  add("Crowned Ring", [](auto& c) {
    AddRing(c, 375, 207, 150, 8, 0);
    AddRing(c, 375, 207, 150, 8, 22.5);
    c.push_back({335, 207, 0});
    c.push_back({415, 207, 0});
  });
  add("Spiral", [](auto& c) { AddSpiralArms(c, 375, 207, 1, 40, 190, 1.3, 44); });
  add("Galaxy", [](auto& c) { AddSpiralArms(c, 375, 207, 2, 50, 190, 0.8, 45); });
  add("Whirlpool", [](auto& c) { AddSpiralArms(c, 375, 207, 3, 60, 190, 0.5, 44); });
  add("Tilted Fan", [](auto& c) {
    AddFan(c, 375, 400, 200, -60, 60, 5);
    AddFan(c, 375, 400, 200, -45, 45, 4);
  });
  add("Two Fans", [](auto& c) {
    AddFan(c, 200, 380, 170, -45, 45, 9);
    AddFan(c, 550, 380, 170, -45, 45, 9);
  });
  add("Three Fans", [](auto& c) {
    AddFan(c, 140, 330, 130, -30, 30, 7);
    AddFan(c, 375, 330, 130, -30, 30, 7);
    AddFan(c, 610, 330, 130, -30, 30, 7);
    AddFan(c, 375, 420, 80, -8, 8, 3);
  });
  add("Peacock", [](auto& c) {
    AddFan(c, 375, 420, 300, -50, 50, 11);
    AddFan(c, 375, 420, 170, -36, 36, 7);
  });
  add("Windmill", [](auto& c) {
    AddFan(c, 375, 207, 150, -20, 20, 3);
    AddFan(c, 375, 207, 150, 70, 110, 3);
    AddFan(c, 375, 207, 150, 160, 200, 3);
    AddFan(c, 375, 207, 150, 250, 290, 3);
    AddRing(c, 375, 207, 40, 4, 45);
  });
  add("Tilted Wall", [](auto& c) {
    c = Tilted(GridCards(50, false, {"X X X X X X X", " X X X X X X ", "X X X X X X X"}), -12);
  });
  add("Leaning Pyramid", [](auto& c) {
    c = Tilted(GridCards(45, false, {"    X    ", "   X X   ", "  X X X  ", " X X X X ", "X X X X X"}), 10);
  });
  add("Stacked Pyramid", [](auto& c) {
    c = GridCards(50, false, {"    X    ", "   X X   ", "  X X X  ", " X X X X ", "X X X X X"});
    AddLayer(c, GridCards(50, false, {"   X   ", "  X X  ", " X X X ", "X X X X"}), 0, 25);
  });
  add("Layered Wall", [](auto& c) {
    c = GridCards(60, false, {"X X X X X X X X X", " X X X X X X X X ", "X X X X X X X X X"});
    AddLayer(c, GridCards(60, false, {"X X X X X X X X", " X X X X X X X ", "X X X X X X X X"}), 0, 30);
  });
  add("Double Diamond", [](auto& c) {
    c = GridCards(39, false, {"    X    ", "   X X   ", "  X X X  ", " X X X X ", "X X X X X", " X X X X ",
                              "  X X X  ", "   X X   ", "    X    "});
    AddLayer(c, GridCards(39, false, {"   X   ", "  X X  ", " X X X ", "X X X X", " X X X ", "  X X  ", "   X   "}),
             0, 26);
  });
  add("Twin Towers", [](auto& c) {
    c = GridCards(35, false, {"X X X     X X X", " X X       X X ", "X X X     X X X", " X X       X X ",
                              "X X X     X X X", " X X       X X ", "X X X     X X X", " X X       X X ",
                              "X X X X X X X X"});
  });
  add("Grand Stack", [](auto& c) {
    c = GridCards(45, false, {"X X X X X X X X X X", " X X X X X X X X X ", "X X X X X X X X X X", " X X X X X X X X X ",
                              "X X X X X X X X X X"});
    AddLayer(c, GridCards(45, false, {"X X X X X X X X X", " X X X X X X X X ", "X X X X X X X X X",
                                      " X X X X X X X X "}),
             0, 22);
  });
  add("Temple", [](auto& c) {
    c = GridCards(40, false, {"X X X X X X X X X X", " X X X X X X X X X ", "X X X X X X X X X X", " X X X X X X X X X ",
                              "X X X X X X X X X X", " X X X X X X X X X "});
    AddLayer(c, GridCards(40, false, {"    X X X X X    ", "   X X X X X X   ", "  X X X X X X X  ",
                                      " X X X X X X X X "}),
             0, 20);
  });
  // Rings, fans and spirals of other sizes.
  add("Three Rings", [](auto& c) {
    AddRing(c, 150, 207, 70, 5, 0);
    AddRing(c, 375, 207, 70, 5, 36);
    AddRing(c, 600, 207, 70, 5, 0);
  });
  add("Flower", [](auto& c) {
    AddRing(c, 375, 207, 150, 6, 0);
    AddRing(c, 375, 207, 150, 6, 30);
    AddRing(c, 375, 207, 55, 4, 45);
  });
  add("Sunrise", [](auto& c) {
    AddFan(c, 375, 400, 260, -70, 70, 15);
    AddFan(c, 375, 400, 140, -40, 40, 7);
  });
  add("Four Fans", [](auto& c) {
    for (int i = 0; i < 4; ++i) AddFan(c, 110 + 176 * i, 330, 120, -25, 25, 3);
  });
  add("Tulips", [](auto& c) {
    for (int i = 0; i < 3; ++i) {
      AddFan(c, 150 + 225 * i, 350, 140, -28, 28, 7);
      AddFan(c, 150 + 225 * i, 350, 70, -10, 10, 3);
    }
  });
  add("Twin Spirals", [](auto& c) {
    AddSpiral(c, 200, 207, 3, 5, 20, 140, 180, 0.9);
    AddSpiral(c, 550, 207, 3, 5, 20, 140, 180, 0.9);
  });
  add("Pinwheel", [](auto& c) { AddSpiralArms(c, 375, 207, 4, 60, 190, 0.35, 45); });
  // Tilted walls and leaning shapes.
  const struct {
    const char* name;
    double tilt;
    int step;
    std::vector<const char*> rows;
  } tilted[] = {
      {"Leaning Wall", 8, 50, {"X X X X X X X X", " X X X X X X X ", "X X X X X X X X"}},
      {"Sliding Steps", -8, 45, {"X X        ", "X X X X    ", "X X X X X X", "  X X X X X", "      X X X"}},
      {"Tipped Diamond", 12, 40, {"   X   ", "  X X  ", " X X X ", "X X X X", " X X X ", "  X X  "}},
      {"Leaning Towers", -6, 40,
       {"X   X   X   X   X", " X   X   X   X   X", "X   X   X   X   X", " X   X   X   X   X"}},
      {"Tilted Hourglass", 6, 45, {"X X X X X", " X X X X ", "  X X X  ", " X X X X ", "X X X X X"}},
      {"Leaning Crown", -5, 40,
       {"X       X       X", " X     X X     X ", "X X   X X X   X X", " X X X X X X X X ", "X X X X X X X X X"}},
      {"Tilted Brickwork", 5, 38,
       {"X X X X X X X X X", " X X X X X X X X ", "X X X X X X X X X", " X X X X X X X X ", "X X X X X X X X X",
        " X X X X X X X X "}},
  };
  for (const auto& t : tilted) add(t.name, [&](auto& c) { c = Tilted(GridCards(t.step, false, t.rows), t.tilt); });
  // Two layers and more.
  add("Stacked Wall", [](auto& c) {
    c = GridCards(50, false, {"X X X X X X X X X X", " X X X X X X X X X ", "X X X X X X X X X X"});
    AddLayer(c, GridCards(50, false, {"  X X X X X X X  ", "   X X X X X X   "}), 0, 25);
  });
  add("Ziggurat", [](auto& c) {
    c = GridCards(40, false, {"X X X X X X X X X X", " X X X X X X X X X ", "X X X X X X X X X X", " X X X X X X X X X ",
                              "X X X X X X X X X X", " X X X X X X X X X "});
    AddLayer(c, GridCards(40, false, {"  X X X X X X X  ", "   X X X X X X   ", "  X X X X X X X  ",
                                      "   X X X X X X   "}),
             0, 20);
    AddLayer(c, GridCards(40, false, {"X X X X", " X X X ", "X X X X"}), 0, 40);
  });
  add("Hive", [](auto& c) {
    c = GridCards(36, false, {"X X X X X X X X X X", " X X X X X X X X X ", "X X X X X X X X X X", " X X X X X X X X X ",
                              "X X X X X X X X X X", " X X X X X X X X X ", "X X X X X X X X X X",
                              " X X X X X X X X X "});
    AddLayer(c, GridCards(36, false, {"  X X X X X X X  ", "   X X X X X X   ", "  X X X X X X X  "}), 0, 18);
  });
  add("Cathedral", [](auto& c) {
    c = GridCards(35, false, {"X X X X X X X X X X", " X X X X X X X X X ", "X X X X X X X X X X", " X X X X X X X X X ",
                              "X X X X X X X X X X", " X X X X X X X X X ", "X X X X X X X X X X",
                              " X X X X X X X X X ", "X X X X X X X X X X"});
    AddLayer(c, GridCards(35, false, {"    X X X X X    ", "   X X X X X X   ", "  X X X X X X X  "}), 0, 17);
  });
  add("Mosaic", [](auto& c) {
    c = GridCards(40, false, {"X X X X X X X X X X", " X X X X X X X X X ", "X X X X X X X X X X", " X X X X X X X X X ",
                              "X X X X X X X X X X"});
    AddLayer(c, GridCards(40, false, {"X X X X X X X X X", " X X X X X X X X ", "X X X X X X X X X"}), 0, 40);
  });
  add("Great Fans", [](auto& c) {
    AddFan(c, 210, 400, 175, -50, 50, 11);
    AddFan(c, 540, 400, 175, -50, 50, 11);
    AddFan(c, 210, 400, 105, -30, 30, 5);
    AddFan(c, 540, 400, 105, -30, 30, 5);
    AddRing(c, 375, 130, 60, 6, 0);
    AddFan(c, 375, 420, 90, -15, 15, 5);
  });
  return all;
}

// Cards of a turned or curved design can come too close for a whole-pixel
// test to tell whether they overlap: each such pair has its later card moved
// a pixel at a time, further in when the overlap is nearly deep enough,
// further out otherwise, until the design is sound.
void Settle(LayoutDesign& design) {
  for (int round = 0; round < 400; ++round) {
    const CoverCheck check = CheckLayout(design.cards);
    if (check.problems.empty()) return;
    for (size_t i = 0; i < design.cards.size(); ++i)
      for (size_t j = i + 1; j < design.cards.size(); ++j) {
        const double gap = OutlineGap(design.cards[i], design.cards[j]);
        if (gap >= MinGap || gap <= -MinOverlap) continue;
        auto& moved = design.cards[j];
        const double dx = moved.x - design.cards[i].x, dy = moved.y - design.cards[i].y;
        const double length = std::max(1.0, std::hypot(dx, dy));
        const double sign = gap < -0.5 ? -1.0 : 1.0;
        moved.x += int(std::lround(sign * dx / length));
        moved.y += int(std::lround(sign * dy / length));
      }
  }
}

// Difficulty: decks first, then how deep the cards lie and how many there are.
int Difficulty(const LayoutDesign& design) {
  const CoverCheck check = CheckLayout(design.cards);
  std::vector<int> depth(design.cards.size(), 0);
  int deepest = 0;
  for (size_t i = 0; i < design.cards.size(); ++i)
    for (int j : check.covers[i]) depth[size_t(j)] = std::max(depth[size_t(j)], depth[i] + 1);
  for (int d : depth) deepest = std::max(deepest, d);
  const int decks = (int(design.cards.size()) + 51) / 52;
  return decks * 100000 + int(design.cards.size()) + 6 * deepest;
}

// An odd design loses its uncovered card nearest the middle, keeping it symmetric where it can.
void MakeEven(LayoutDesign& design) {
  if (design.cards.size() % 2 == 0) return;
  const CoverCheck check = CheckLayout(design.cards);
  size_t best = design.cards.size();
  double bestDistance = 1e9;
  for (size_t i = 0; i < design.cards.size(); ++i) {
    if (!check.covers[i].empty()) continue;
    const double d = std::abs(design.cards[i].x - AreaWidth / 2.0) + std::abs(design.cards[i].y - AreaHeight / 2.0) / 4;
    if (d < bestDistance) bestDistance = d, best = i;
  }
  design.cards.erase(design.cards.begin() + std::ptrdiff_t(best));
}

} // namespace

std::vector<LayoutDesign> MatchingDesigns() {
  std::vector<LayoutDesign> designs = Candidates();
  for (LayoutDesign& design : designs) {
    Settle(design);
    MakeEven(design);
    MoveUncoveredCardsLast(design);
  }
  std::stable_sort(designs.begin(), designs.end(),
                   [](const LayoutDesign& a, const LayoutDesign& b) { return Difficulty(a) < Difficulty(b); });
  return designs;
}

} // namespace layoutgen
