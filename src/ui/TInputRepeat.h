#pragma once
#include <cstdint>

// Shared timing of the key and mouse repeaters: a held input gives a press on
// its first tick and then, after an initial delay, a repeat every interval.
// Query once per logic tick.
class TInputRepeat {
public:
  // `repeatCode` is what a repeat reports (the first press always reports 1).
  explicit TInputRepeat(int32_t repeatCode) : RepeatCode(repeatCode) {}

  // The same for a held state the caller reads itself.
  int32_t GetState(bool held);
  void ClearDelays();

  int32_t InitialDelayLength = 0; // ms
  float InitialDelayCounter = 0;  // ticks
  int32_t DelayLength = 0;        // ms
  int32_t DelayCounter = 0;       // ticks
  int32_t LastState = 0;

private:
  int32_t RepeatCode;
};
