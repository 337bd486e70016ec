#include "ui/TSineCounter.h"

#include "app/Delta.h"

#include <cmath>
#include <numbers>

std::shared_ptr<TSineCounter> TSineCounter::Create(float start, float end, float speed) {
  auto counter = std::make_shared<TSineCounter>();
  counter->Init(start, end, speed);
  return counter;
}

void TSineCounter::Init(float start, float end, float newSpeed) {
  StartPoint = start;
  EndPoint = end;
  Speed = newSpeed;
  Counter = start;
  ratio = 0;
}

void TSineCounter::Manage() {
  Counter += Speed * Delta;
  const float range = EndPoint - StartPoint;
  if (range > 0) {
    // fmod keeps a huge step (or a long stall) from looping many times.
    if (Counter >= EndPoint || Counter < StartPoint) {
      Counter = StartPoint + std::fmod(Counter - StartPoint, range);
      if (Counter < StartPoint) Counter += range;
      if (Counter >= EndPoint) Counter = StartPoint;
    }
  }
  ratio = float(std::sin(double(Counter) * std::numbers::pi / 180.0));
}
