#include "app/TAnimation.h"

#include "app/Delta.h"
#include "app/TGame.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

float TicksOf(float ms) {
  float ticks = Game ? Game->CalcAnimLength(ms) : ms / 5.0f;
  return std::isfinite(ticks) ? ticks : 0.0f;
}

float SineOfQuarter(float ratio) { return float(std::sin(double(ratio) * std::numbers::pi / 2.0)); }
float SineOfHalf(float ratio) { return float(std::sin(double(ratio) * std::numbers::pi)); }

} // namespace

std::shared_ptr<TAnimation> TAnimation::Create(float lengthMs, int32_t leaveActive, int32_t reverse, int32_t cycle) {
  auto animation = std::make_shared<TAnimation>();
  animation->Init(lengthMs, leaveActive, reverse, cycle);
  return animation;
}

void TAnimation::Init(float lengthMs, int32_t leaveActive, int32_t reverse, int32_t cycle) {
  Length.fill(0);
  Length[0] = TicksOf(lengthMs);
  TotalPhases = 1;
  CurrentPhase = 0;
  Finished = 0;
  Active = 0;
  Counter = 0;
  LeaveActive = leaveActive;
  Reverse = reverse;
  Cycle = cycle;
}

int32_t TAnimation::AddPhase(float lengthMs) {
  if (TotalPhases >= MAX_PHASES) return 0;
  Length[size_t(TotalPhases)] = TicksOf(lengthMs);
  ++TotalPhases;
  return 1;
}

void TAnimation::Start() {
  CurrentPhase = 0;
  if (Reverse)
    Counter = 0;
  else if (Counter <= 0)
    Counter = Length[0];
  Active = 1;
  Finished = 0;
}

void TAnimation::Reset() {
  Counter = 0;
  Start();
}

void TAnimation::Stop() {
  CurrentPhase = std::max(TotalPhases - 1, 0);
  EndLastPhase(true);
}

int32_t TAnimation::Manage() {
  if (!Active) return 0;
  if (Reverse) {
    Counter += Delta;
    if (Counter > PhaseLength()) return EndAnim();
  } else {
    Counter -= Delta;
    if (Counter <= 0) return EndAnim();
  }
  return 0;
}

int32_t TAnimation::EndAnim() {
  if (CurrentPhase < TotalPhases - 1) {
    ++CurrentPhase;
    Counter = Reverse ? 0 : PhaseLength();
  } else {
    EndLastPhase(false);
  }
  return 1;
}

void TAnimation::EndLastPhase(bool stopping) {
  // Stop means stop: a cycling timer does not start over when stopped.
  if (Cycle && !stopping) {
    CurrentPhase = 0;
    Counter = Reverse ? 0 : PhaseLength();
    return;
  }
  Finished = 1;
  if (LeaveActive) {
    CurrentPhase = std::max(TotalPhases - 1, 0);
    Counter = Reverse ? PhaseLength() : 0;
  } else {
    Active = 0;
    CurrentPhase = 0;
    Counter = 0;
  }
}

float TAnimation::PhaseLength() const {
  return Length[size_t(std::clamp(CurrentPhase, int32_t(0), MAX_PHASES - 1))];
}

float TAnimation::GetRatio() const {
  float length = PhaseLength();
  // A zero-length phase has no inside; it reads as over.
  if (length <= 0) return 0;
  return Counter / length;
}

float TAnimation::GetRatioInv() const { return 1.0f - GetRatio(); }
float TAnimation::GetRatioSine() const { return SineOfQuarter(GetRatio()); }
float TAnimation::GetRatioSine180() const { return SineOfHalf(GetRatio()); }
float TAnimation::GetRatioInvSine() const { return SineOfQuarter(GetRatioInv()); }
float TAnimation::GetRatioInvSine180() const { return SineOfHalf(GetRatioInv()); }
