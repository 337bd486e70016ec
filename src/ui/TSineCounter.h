#pragma once

#include <memory>

// An angle that runs from StartPoint to EndPoint (degrees) and wraps, with the
// sine of the current angle in `ratio`. Drives pulsing glows and bobbing.
class TSineCounter {
public:
  static std::shared_ptr<TSineCounter> Create(float start, float end, float speed);

  // Counter = start, ratio = 0.
  void Init(float start, float end, float newSpeed);
  // Advances by Speed x Delta, wraps into [start, end) and updates ratio.
  void Manage();

  float Counter = 0;
  float Speed = 0;
  float StartPoint = 0;
  float EndPoint = 360.0f;
  float ratio = 0;
};
