#pragma once
#include <cstdint>
#include <memory>

// A cubic Bezier flight path from (ax, ay) over the control points (bx, by)
// and (cx, cy) to (dx, dy). MovePoint advances t by the speed times the tick
// delta; with speedCorr the step is scaled so the on-screen speed stays near
// baseSpeed pixels per tick. Every card and bonus flight runs along one.
class TBezier {
public:
  static std::shared_ptr<TBezier> Create() { return std::make_shared<TBezier>(); }

  void Init(int32_t startX, int32_t startY, int32_t control1X, int32_t control1Y, int32_t control2X,
            int32_t control2Y, int32_t endX, int32_t endY, float pathSpeed, int32_t speedCorrection = 0,
            int32_t backward = 0, int32_t resetAtEnds = 1);

  // The point at t (t outside 0..1 first resets the stored t, see .cpp), and one step along the path.
  void GetPoint(float at, float& px, float& py);
  void MovePoint(float& px, float& py);
  void GetCurrentPoint(float& px, float& py) const;
  int32_t IsFinished() const;
  // Length of the curve's derivative at t (pixels per unit of t).
  float SpeedAt(float at) const;

  // Checking aids, not used by the game: draws the curve as dots; TestCurve adds the control points.
  void DrawCurve(int32_t steps = 100) const;
  void TestCurve() const;

  float ax = 0, ay = 0, bx = 0, by = 0, cx = 0, cy = 0, dx = 0, dy = 0;
  float t = 0;
  float x = 0, y = 0;
  float baseSpeed = 0, currSpeed = 0;
  int32_t speedCorr = 0;
  int32_t goBackward = 0;
  int32_t reset = 1;

private:
  void Evaluate(float at, float& px, float& py) const;
  void CorrectSpeed();
};
