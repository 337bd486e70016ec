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
  float speedHere = SpeedAt(std::clamp(t, 0.0f, 1.0f));
  // Where the derivative vanishes (control points on an end point) it says
  // nothing about the pace; the distance covered over a short stretch does.
  if (speedHere < 1e-3f) {
    const float h = 0.01f;
    float from = std::clamp(t, 0.0f, 1.0f - h);
    float x0, y0, x1, y1;
    Evaluate(from, x0, y0);
    Evaluate(from + h, x1, y1);
    speedHere = std::hypot(x1 - x0, y1 - y0) / h;
  }
  currSpeed = speedHere > 1e-6f ? baseSpeed / speedHere : baseSpeed;
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
