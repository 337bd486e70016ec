#include "solitaire/TBezier.h"

#include "app/Delta.h"
#include "platform/Graphics.h"

#include <algorithm>
#include <cmath>

void TBezier::Init(int32_t startX, int32_t startY, int32_t control1X, int32_t control1Y, int32_t control2X,
                   int32_t control2Y, int32_t endX, int32_t endY, float pathSpeed, int32_t speedCorrection,
                   int32_t backward, int32_t resetAtEnds) {
  ax = float(startX), ay = float(startY);
  bx = float(control1X), by = float(control1Y);
  cx = float(control2X), cy = float(control2Y);
  dx = float(endX), dy = float(endY);
  baseSpeed = pathSpeed;
  speedCorr = speedCorrection;
  goBackward = backward;
  reset = resetAtEnds;
  t = 0;
  x = ax, y = ay;
  if (speedCorr)
    CorrectSpeed(); // so the first step already moves at the wanted pace
  else
    currSpeed = pathSpeed;
}

void TBezier::Evaluate(float at, float& px, float& py) const {
  const double s = at, r = 1.0 - s;
  const double k0 = r * r * r, k1 = 3 * s * r * r, k2 = 3 * s * s * r, k3 = s * s * s;
  px = float(k0 * ax + k1 * bx + k2 * cx + k3 * dx);
  py = float(k0 * ay + k1 * by + k2 * cy + k3 * dy);
}

void TBezier::GetPoint(float at, float& px, float& py) {
  // Leaving the path wraps the stored t round (reset) or holds it at the end;
  // the point itself is that of the t given.
  if (at > 1)
    t = reset ? 0.0f : 1.0f;
  else if (at < 0)
    t = reset ? 1.0f : 0.0f;
  Evaluate(at, px, py);
}

float TBezier::SpeedAt(float at) const {
  const double s = at, r = 1.0 - s;
  const double k0 = 3 * r * r, k1 = 6 * s * r, k2 = 3 * s * s;
  const double vx = k0 * (bx - ax) + k1 * (cx - bx) + k2 * (dx - cx);
  const double vy = k0 * (by - ay) + k1 * (cy - by) + k2 * (dy - cy);
  return float(std::hypot(vx, vy));
}

void TBezier::CorrectSpeed() {
  // The step in t that covers baseSpeed pixels from here: guessed from the
  // derivative, then bracketed and halved on the chord it really covers, so
  // stretches where the derivative vanishes (control points on an end point)
  // neither stall nor jump.
  const float from = std::clamp(t, 0.0f, 1.0f);
  const double direction = goBackward ? -1.0 : 1.0;
  float x0, y0;
  Evaluate(from, x0, y0);
  auto moved = [&](double step) {
    float x1, y1;
    Evaluate(float(from + direction * step), x1, y1);
    return std::hypot(double(x1) - x0, double(y1) - y0);
  };
  const float speedHere = SpeedAt(from);
  double low = 0, high = std::clamp(speedHere > 1e-3f ? double(baseSpeed) / speedHere : 0.01, 1e-6, 1.0);
  while (high < 1.0 && moved(high) < baseSpeed) low = high, high = std::min(high * 2, 1.0);
  if (moved(high) >= baseSpeed)
    for (int round = 0; round < 20; ++round) {
      const double middle = (low + high) / 2;
      (moved(middle) < baseSpeed ? low : high) = middle;
    }
  currSpeed = float(high);
}

void TBezier::MovePoint(float& px, float& py) {
  float next = goBackward ? t - currSpeed * Delta : t + currSpeed * Delta;
  t = next;
  GetPoint(next, x, y);
  if (speedCorr) CorrectSpeed();
  px = x, py = y;
}

void TBezier::GetCurrentPoint(float& px, float& py) const { px = x, py = y; }

// Adding a speed such as 0.02 fifty times in float arithmetic ends a hair
// below 1; the tolerance lets such a flight end on the tick it was meant to.
int32_t TBezier::IsFinished() const { return t >= 1.0f - 1e-5f ? 1 : 0; }

void TBezier::DrawCurve(int32_t steps) const {
  steps = std::max(steps, 1);
  for (int32_t i = 0; i <= steps; ++i) {
    float px, py;
    Evaluate(float(i) / float(steps), px, py);
    platform::Plot(px, py);
  }
}

void TBezier::TestCurve() const {
  DrawCurve();
  for (auto [px, py] : {std::pair{ax, ay}, std::pair{bx, by}, std::pair{cx, cy}, std::pair{dx, dy}})
    platform::DrawRect(px - 2, py - 2, 5, 5);
}
