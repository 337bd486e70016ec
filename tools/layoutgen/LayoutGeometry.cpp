#include "LayoutGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace layoutgen {

namespace {

constexpr double HalfWidth = 36, HalfHeight = 48, Radius = 6.5;

struct Point {
  double x, y;
};
using Quad = std::array<Point, 4>;

// The straight part of a rounded card: the rectangle the corner circles are
// centred on, turned clockwise about the card's centre (y grows downwards).
Quad InnerRectangle(const PlacedCard& card) {
  const double r = card.angle * std::numbers::pi / 180.0;
  const double c = std::cos(r), s = std::sin(r);
  const double hx = HalfWidth - Radius, hy = HalfHeight - Radius;
  const Point corners[4] = {{-hx, -hy}, {hx, -hy}, {hx, hy}, {-hx, hy}};
  Quad quad;
  for (int i = 0; i < 4; ++i)
    quad[size_t(i)] = {card.x + c * corners[i].x - s * corners[i].y, card.y + s * corners[i].x + c * corners[i].y};
  return quad;
}

double SegmentDistance(Point p, Point a, Point b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  const double qx = a.x + t * dx - p.x, qy = a.y + t * dy - p.y;
  return std::sqrt(qx * qx + qy * qy);
}

// Separating-axis test of two convex quadrilaterals.
bool QuadsIntersect(const Quad& a, const Quad& b) {
  for (const Quad* shape : {&a, &b})
    for (size_t i = 0; i < 4; ++i) {
      const Point p = (*shape)[i], q = (*shape)[(i + 1) % 4];
      const double nx = q.y - p.y, ny = p.x - q.x;
      double minA = 1e300, maxA = -1e300, minB = 1e300, maxB = -1e300;
      for (const Point& v : a) minA = std::min(minA, v.x * nx + v.y * ny), maxA = std::max(maxA, v.x * nx + v.y * ny);
      for (const Point& v : b) minB = std::min(minB, v.x * nx + v.y * ny), maxB = std::max(maxB, v.x * nx + v.y * ny);
      if (maxA < minB || maxB < minA) return false;
    }
  return true;
}

double QuadDistance(const Quad& a, const Quad& b) {
  if (QuadsIntersect(a, b)) return 0;
  double best = 1e300;
  for (size_t i = 0; i < 4; ++i)
    for (size_t j = 0; j < 4; ++j) {
      best = std::min(best, SegmentDistance(a[i], b[j], b[(j + 1) % 4]));
      best = std::min(best, SegmentDistance(b[i], a[j], a[(j + 1) % 4]));
    }
  return best;
}

} // namespace

double OutlineGap(const PlacedCard& a, const PlacedCard& b) {
  const double inner = QuadDistance(InnerRectangle(a), InnerRectangle(b));
  // Overlapping straight parts lie deep on each other; report them as a deep overlap.
  if (inner == 0) return -2 * Radius;
  return inner - 2 * Radius;
}

void OutlineBounds(const PlacedCard& card, double& x0, double& y0, double& x1, double& y1) {
  x0 = y0 = 1e300, x1 = y1 = -1e300;
  for (const Point& p : InnerRectangle(card)) {
    x0 = std::min(x0, p.x - Radius), y0 = std::min(y0, p.y - Radius);
    x1 = std::max(x1, p.x + Radius), y1 = std::max(y1, p.y + Radius);
  }
}

CoverCheck CheckLayout(const std::vector<PlacedCard>& cards) {
  CoverCheck check;
  const size_t count = cards.size();
  check.covers.assign(count, {});
  for (size_t i = 0; i < count; ++i) {
    double x0, y0, x1, y1;
    OutlineBounds(cards[i], x0, y0, x1, y1);
    if (x0 < AreaMargin || y0 < AreaMargin || x1 > AreaWidth - AreaMargin || y1 > AreaHeight - AreaMargin)
      check.problems.push_back("card " + std::to_string(i) + " leaves the editing area");
    for (size_t j = i + 1; j < count; ++j) {
      const double gap = OutlineGap(cards[i], cards[j]);
      if (gap <= -MinOverlap)
        check.covers[i].push_back(int(j));
      else if (gap < MinGap)
        check.problems.push_back("cards " + std::to_string(i) + " and " + std::to_string(j) + " touch (gap " +
                                 std::to_string(gap) + ")");
    }
  }
  return check;
}

} // namespace layoutgen
