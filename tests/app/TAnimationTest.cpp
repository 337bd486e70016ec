#include "app/TAnimation.h"

#include "app/Delta.h"
#include "app/TGame.h"
#include "support/GameWorld.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class AnimationTest : public test_support::GameWorld {
protected:
  // Ticks until `timer` reports a phase end; -1 when none within `limit`.
  static int TicksToPhaseEnd(TAnimation& timer, int limit = 1000) {
    for (int tick = 1; tick <= limit; ++tick)
      if (timer.Manage()) return tick;
    return -1;
  }
};

TEST_F(AnimationTest, CountingDownThroughPhases) {
  auto timer = TAnimation::Create(50); // 10 ticks
  timer->AddPhase(100);                // 20 ticks
  timer->AddPhase(25);                 // 5 ticks
  EXPECT_EQ(timer->TotalPhases, 3);
  EXPECT_FALSE(timer->Active);
  EXPECT_EQ(timer->Manage(), 0); // not started: nothing moves
  timer->Start();
  EXPECT_FLOAT_EQ(timer->Counter, 10);
  EXPECT_FLOAT_EQ(timer->GetRatio(), 1);
  for (int i = 0; i < 5; ++i) timer->Manage();
  EXPECT_FLOAT_EQ(timer->GetRatio(), 0.5f);
  EXPECT_FLOAT_EQ(timer->GetRatioInv(), 0.5f);
  EXPECT_EQ(TicksToPhaseEnd(*timer), 5);
  EXPECT_EQ(timer->CurrentPhase, 1);
  EXPECT_FLOAT_EQ(timer->Counter, 20);
  EXPECT_EQ(TicksToPhaseEnd(*timer), 20);
  EXPECT_EQ(timer->CurrentPhase, 2);
  EXPECT_EQ(TicksToPhaseEnd(*timer), 5);
  EXPECT_EQ(timer->Finished, 1);
  EXPECT_EQ(timer->Active, 0);
  EXPECT_EQ(timer->CurrentPhase, 0);
  EXPECT_FLOAT_EQ(timer->Counter, 0);
}

TEST_F(AnimationTest, CountingUpAndLeavingActive) {
  auto timer = TAnimation::Create(50, 1, 1, 0);
  timer->AddPhase(50);
  timer->Start();
  EXPECT_FLOAT_EQ(timer->Counter, 0);
  for (int i = 0; i < 4; ++i) timer->Manage();
  EXPECT_FLOAT_EQ(timer->GetRatio(), 0.4f);
  // Up: the phase ends once the counter passes its length.
  EXPECT_EQ(TicksToPhaseEnd(*timer), 7);
  EXPECT_EQ(timer->CurrentPhase, 1);
  EXPECT_FLOAT_EQ(timer->Counter, 0);
  EXPECT_EQ(TicksToPhaseEnd(*timer), 11);
  EXPECT_EQ(timer->Finished, 1);
  EXPECT_EQ(timer->Active, 1); // stays on its last phase, at the end
  EXPECT_EQ(timer->CurrentPhase, 1);
  EXPECT_FLOAT_EQ(timer->Counter, 10);
}

TEST_F(AnimationTest, CyclingStartsOverUntilStopped) {
  auto timer = TAnimation::Create(25, 0, 0, 1);
  timer->AddPhase(25);
  timer->Start();
  std::vector<int> phases;
  for (int i = 0; i < 25; ++i) {
    timer->Manage();
    phases.push_back(timer->CurrentPhase);
  }
  EXPECT_EQ(phases[3], 0);
  EXPECT_EQ(phases[4], 1);
  EXPECT_EQ(phases[9], 0); // back to the first phase
  EXPECT_EQ(phases[14], 1);
  EXPECT_EQ(timer->Finished, 0);
  EXPECT_EQ(timer->Active, 1);
  timer->Stop();
  EXPECT_EQ(timer->Finished, 1);
  EXPECT_EQ(timer->Active, 0);
}

TEST_F(AnimationTest, StartKeepsARunningCountdownAndResetRestarts) {
  auto timer = TAnimation::Create(100);
  timer->Start();
  for (int i = 0; i < 8; ++i) timer->Manage();
  timer->Start();
  EXPECT_FLOAT_EQ(timer->Counter, 12); // a positive counter is kept
  timer->Reset();
  EXPECT_FLOAT_EQ(timer->Counter, 20);
  Delta = 0.25f;
  timer->Manage();
  EXPECT_FLOAT_EQ(timer->Counter, 19.75f);
}

TEST_F(AnimationTest, PhaseLengthsFollowGameSpeedAndAreCapped) {
  Game->CurrentSpeed = 2.0f; // fast play halves every length in ticks
  auto timer = TAnimation::Create(100);
  EXPECT_FLOAT_EQ(timer->Length[0], 10);
  for (int i = 1; i < TAnimation::MAX_PHASES; ++i) EXPECT_EQ(timer->AddPhase(10), 1);
  EXPECT_EQ(timer->AddPhase(10), 0);
  EXPECT_EQ(timer->TotalPhases, TAnimation::MAX_PHASES);
  auto empty = TAnimation::Create(0);
  empty->Start();
  EXPECT_FLOAT_EQ(empty->GetRatio(), 0); // a zero-length phase divides by nothing
  EXPECT_EQ(empty->Manage(), 1);
  EXPECT_EQ(empty->Finished, 1);
}

} // namespace
