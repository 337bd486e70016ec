#include "ui/TMouseRepeat.h"

#include "app/TGame.h"

std::shared_ptr<TMouseRepeat> TMouseRepeat::Create(int32_t initialDelayMs, int32_t repeatMs) {
  auto repeat = std::make_shared<TMouseRepeat>();
  repeat->InitialDelayLength = initialDelayMs;
  repeat->DelayLength = repeatMs;
  return repeat;
}

int32_t TMouseRepeat::GetButton() { return GetState(Game && Game->Mouse && Game->Mouse->b1 != 0); }
