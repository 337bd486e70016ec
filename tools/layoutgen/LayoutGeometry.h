#pragma once
#include <string>
#include <vector>

// Card outlines of a layout as exact geometry: a card is a 72 x 96 rectangle
// with rounded corners (radius 6.5), centred on its position and turned
// clockwise by its angle in degrees, as the game draws and hit-tests it. The
// layout generator uses this to know which cards lie on which, and to refuse
// designs where two cards come so close that whole-pixel tests could go
// either way.
namespace layoutgen {

struct PlacedCard {
  int x = 0, y = 0;    // centre, in layout-file coordinates
  double angle = 0;    // degrees
};

// Signed gap between two card outlines in pixels: positive when they are
// apart by that much, negative (the depth) when they overlap.
double OutlineGap(const PlacedCard& a, const PlacedCard& b);

// The bounding box of a card's turned outline.
void OutlineBounds(const PlacedCard& card, double& x0, double& y0, double& x1, double& y1);

// Cover relation: covers[i] lists the later cards j > i whose outline
// overlaps card i, in ascending order.
struct CoverCheck {
  std::vector<std::vector<int>> covers;
  std::vector<std::string> problems; // empty when the design is sound
};

// Gaps at least this wide count as apart, overlaps at least this deep as
// lying on top; anything between is refused.
constexpr double MinGap = 1.5;
constexpr double MinOverlap = 2.0;
// The editing area, in layout-file coordinates: every outline stays inside it
// with this margin.
constexpr int AreaWidth = 750, AreaHeight = 415;
constexpr double AreaMargin = 1.0;

CoverCheck CheckLayout(const std::vector<PlacedCard>& cards);

} // namespace layoutgen
