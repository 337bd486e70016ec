#include "app/TTrackingVar.h"

#include "app/Clock.h"

std::function<void(int, int, const std::string&)> DebugTextHook;

void TTrackingVar::Init() {
  current = 0;
  maximum = 0;
  displayLimit = 999;
  displayLimitChars = int(std::string("999").size());
}

void TTrackingVar::Display(int x, int y) {
  if (DebugTextHook) DebugTextHook(x, y, GetDisplay());
}

std::string TTrackingVar::Pad(int value) const {
  std::string text = std::to_string(value);
  while (int(text.size()) < displayLimitChars) text.insert(text.begin(), ' ');
  return text;
}

std::string TTrackingVar::GetDisplay() const { return Label + Pad(current) + "/" + Pad(maximum); }

void TDebugVar::Start() { current = int(AppMillisecs()); }

void TDebugVar::Calc() {
  current = int(AppMillisecs()) - current;
  if (current > maximum) maximum = current;
  if (maximum > displayLimit) maximum = displayLimit;
}

void TFPSCounter::Init() {
  TTrackingVar::Init();
  counter = 0;
  time = int(AppMillisecs());
  framerate = 0;
  minimum = 999;
}

void TFPSCounter::Calc() {
  ++counter;
  int now = int(AppMillisecs());
  if (now > time + 1001) {
    framerate = counter;
    counter = 0;
    time = now;
    if (framerate > maximum) maximum = framerate;
    if (framerate < minimum) minimum = framerate;
    current = framerate;
  }
}

std::string TFPSCounter::GetDisplay() const { return Label + Pad(current) + "/" + Pad(minimum); }
