#include "ui/TKeyRepeat.h"

#include "app/InputTables.h"

std::shared_ptr<TKeyRepeat> TKeyRepeat::Create(int32_t initialDelayMs, int32_t repeatMs) {
  auto repeat = std::make_shared<TKeyRepeat>();
  repeat->InitialDelayLength = initialDelayMs;
  repeat->DelayLength = repeatMs;
  return repeat;
}

int32_t TKeyRepeat::GetKey(int32_t key) { return GetState(KeyDown(key) != 0); }
