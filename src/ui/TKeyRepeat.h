#pragma once
#include "ui/TInputRepeat.h"

#include <memory>

// Turns a held key into one press followed, after an initial delay, by a
// repeat every interval (list boxes, text fields). Every press and repeat
// reports 1.
class TKeyRepeat : public TInputRepeat {
public:
  TKeyRepeat() : TInputRepeat(1) {}
  static std::shared_ptr<TKeyRepeat> Create(int32_t initialDelayMs, int32_t repeatMs);

  // 1 on the first tick the key is down and on every repeat, else 0.
  int32_t GetKey(int32_t key);
};
