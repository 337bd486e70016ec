#include "ui/TInputRepeat.h"

#include "app/Delta.h"
#include "app/TGame.h"

namespace {
float Ticks(int32_t ms) { return Game ? Game->CalcAnimLength(float(ms)) : float(ms) / 5.0f; }
} // namespace

int32_t TInputRepeat::GetState(bool held) {
  if (!held) {
    ClearDelays();
    LastState = 0;
    return 0;
  }
  int32_t result = 0;
  if (LastState == 0) {
    InitialDelayCounter = Ticks(InitialDelayLength);
    // Without an initial delay the repeat interval starts at once.
    if (InitialDelayCounter <= 0) {
      InitialDelayCounter = 0;
      DelayCounter = int32_t(Ticks(DelayLength));
    }
    result = 1;
  } else if (InitialDelayCounter > 0) {
    InitialDelayCounter -= Delta;
    if (InitialDelayCounter <= 0) {
      InitialDelayCounter = 0;
      DelayCounter = int32_t(Ticks(DelayLength));
      result = RepeatCode;
    }
  } else if (DelayCounter > 0) {
    // Whole ticks only: a partial tick still counts one down. A counter that
    // has run out (a zero interval) repeats no more.
    DelayCounter = int32_t(float(DelayCounter) - Delta);
    if (DelayCounter <= 0) {
      DelayCounter = int32_t(Ticks(DelayLength));
      result = RepeatCode;
    }
  }
  LastState = 1;
  return result;
}

void TInputRepeat::ClearDelays() {
  InitialDelayCounter = 0;
  DelayCounter = 0;
}
