#pragma once
#include <array>
#include <cstdint>
#include <memory>

// A phase timer: up to MAX_PHASES phases of given lengths in ticks, counted
// down (or up with Reverse) by the tick delta. Card flashes, hint glows, fades
// and slide lines are driven by it. Phase numbers count from 0 in CurrentPhase.
class TAnimation {
public:
  static constexpr int32_t MAX_PHASES = 50;

  virtual ~TAnimation() = default;

  // A new timer of one phase lasting lengthMs (not started).
  static std::shared_ptr<TAnimation> Create(float lengthMs, int32_t leaveActive = 0, int32_t reverse = 0,
                                            int32_t cycle = 0);
  void Init(float lengthMs, int32_t leaveActive, int32_t reverse, int32_t cycle);
  // Appends a phase of lengthMs; 0 when all MAX_PHASES are in use.
  int32_t AddPhase(float lengthMs);

  // Start at the first phase; Reset also zeroes the counter first; Stop ends the last phase.
  void Start();
  void Reset();
  void Stop();
  // One tick; 1 in the tick a phase ends. EndAnim moves on to the next phase.
  virtual int32_t Manage();
  virtual int32_t EndAnim();

  // Position within the current phase: Counter / phase length, its inverse and sine-shaped forms.
  float GetRatio() const;
  float GetRatioInv() const;
  float GetRatioSine() const;
  float GetRatioSine180() const;
  float GetRatioInvSine() const;
  float GetRatioInvSine180() const;
  float PhaseLength() const; // length of the current phase in ticks

  int32_t Active = 0;
  float Counter = 0;
  int32_t CurrentPhase = 0;
  int32_t Finished = 0;
  int32_t TotalPhases = 1;
  int32_t Cycle = 0;
  std::array<float, MAX_PHASES> Length{};
  int32_t LeaveActive = 0;
  int32_t Reverse = 0;

private:
  // Ends the last phase: starts over when cycling (unless stopping), else finishes.
  void EndLastPhase(bool stopping);
};
