#pragma once
#include "ui/TInputRepeat.h"

#include <memory>

// Turns the held left mouse button into a press (1) followed, after an
// initial delay, by repeats (2) every interval, so callers can tell the first
// press from repeats (scroll arrows, held buttons).
class TMouseRepeat : public TInputRepeat {
public:
  TMouseRepeat() : TInputRepeat(2) {}
  static std::shared_ptr<TMouseRepeat> Create(int32_t initialDelayMs, int32_t repeatMs);

  // Reads the game pointer's left button.
  int32_t GetButton();
};
