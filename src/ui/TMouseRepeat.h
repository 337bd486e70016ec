#pragma once
#include <cstdint>
#include <memory>

// Turns the held left mouse button into a press (1) followed, after an
// initial delay, by repeats (2) every interval, so callers can tell the first
// press from repeats (scroll arrows, held buttons). Query once per logic tick.
class TMouseRepeat {
public:
  static std::shared_ptr<TMouseRepeat> Create(int32_t initialDelayMs, int32_t repeatMs);

  // Reads the game pointer's left button.
  int32_t GetButton();
  // The same for a held state the caller reads itself.
  int32_t GetState(bool held);
  void ClearDelays();

  int32_t InitialDelayLength = 0; // ms
  float InitialDelayCounter = 0;  // ticks
  int32_t DelayLength = 0;        // ms
  int32_t DelayCounter = 0;       // ticks
  int32_t LastState = 0;
};
