#pragma once
#include <cstdint>
#include <memory>

// Turns a held key into one press followed, after an initial delay, by a
// repeat every interval (list boxes, text fields). Query once per logic tick.
class TKeyRepeat {
public:
  static std::shared_ptr<TKeyRepeat> Create(int32_t initialDelayMs, int32_t repeatMs);

  // 1 on the first tick the key is down and on every repeat, else 0.
  int32_t GetKey(int32_t key);
  // The same for a held state the caller reads itself.
  int32_t GetState(bool held);
  void ClearDelays();

  int32_t InitialDelayLength = 0; // ms
  float InitialDelayCounter = 0;  // ticks
  int32_t DelayLength = 0;        // ms
  int32_t DelayCounter = 0;       // ticks
  int32_t LastState = 0;
};
