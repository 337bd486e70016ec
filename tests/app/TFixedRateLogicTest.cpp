#include "support/GameWorld.h"
#include "CountingScreen.h"
#include "app/InputTables.h"
#include "app/TGame.h"

#include "app/AppGlobals.h"

#include <cmath>

namespace {

class FixedRateLogicTest : public test_support::GameWorld {
protected:
  TFixedRateLogic& Logic() { return Game->FixedRateLogic; }
  // Advances the clock by `ms` and measures one frame.
  double Frame(double ms) {
    now += ms;
    Logic().Calc();
    return Logic().NumTicks;
  }
};

TEST_F(FixedRateLogicTest, SixtyFramesASecondGiveThreeTicksAndAThird) {
  // A 60 Hz display on a millisecond clock: frames of 17, 16, 17, ... ms.
  double start = now;
  for (int i = 1; i <= 120; ++i) {
    now = start + std::round(i * 1000.0 / 60.0);
    Logic().Calc();
  }
  EXPECT_EQ(Logic().current, 3);
  EXPECT_NEAR(Logic().NumTicks - 3.0, 0.33, 0.02);
}

TEST_F(FixedRateLogicTest, MainLoopRunsWholeTicksThenTheFraction) {
  auto screen = std::make_shared<CountingScreen>("counting");
  Game->CurrentTScreen = screen;
  for (int i = 0; i < 5; ++i) Frame(16.0);
  screen->LogicTicks = 0;
  screen->DeltaSum = 0;
  now += 17.0; // raw history average over 6 frames of 16/17 ms is still 16.x
  ASSERT_EQ(Game->MainLogicLoop(), 1);
  int whole = int(std::floor(Logic().NumTicks));
  EXPECT_EQ(screen->LogicTicks, whole + 1);
  EXPECT_NEAR(screen->DeltaSum, Logic().NumTicks, 1e-4);
}

TEST_F(FixedRateLogicTest, StallsAreCappedAtTenTicks) {
  EXPECT_DOUBLE_EQ(Frame(200.0), 10.0);
  for (int i = 0; i < 10; ++i) Frame(200.0);
  EXPECT_DOUBLE_EQ(Logic().NumTicks, 10.0);
  EXPECT_EQ(Logic().current, 10);
}

TEST_F(FixedRateLogicTest, FirstFiveFramesAfterInitAreRawThenAveraged) {
  for (int i = 0; i < 5; ++i) EXPECT_DOUBLE_EQ(Frame(40.0), 8.0) << "frame " << i;
  EXPECT_EQ(Logic().HistorySize, 1) << "raw frames stay out of the history";
  EXPECT_DOUBLE_EQ(Frame(10.0), 2.0);
  EXPECT_DOUBLE_EQ(Frame(30.0), 4.0) << "average of 10 and 30 ms";
  EXPECT_DOUBLE_EQ(Frame(20.0), 4.0) << "average of 10, 30 and 20 ms";

  // Every Init starts five raw frames again.
  Logic().Init();
  EXPECT_DOUBLE_EQ(Frame(45.0), 9.0);
}

TEST_F(FixedRateLogicTest, HistoryKeepsTheLastFiftyFrames) {
  for (int i = 0; i < 5; ++i) Frame(10.0);
  for (int i = 0; i < 60; ++i) Frame(10.0);
  EXPECT_EQ(Logic().HistorySize, 50);
  for (int i = 0; i < 50; ++i) Frame(30.0);
  EXPECT_DOUBLE_EQ(Logic().NumTicks, 6.0) << "the 10 ms frames have all left the ring";
}

TEST_F(FixedRateLogicTest, VSyncTakesAClearlyFasterFrameRaw) {
  for (int i = 0; i < 5; ++i) Frame(20.0);
  for (int i = 0; i < 10; ++i) Frame(20.0);

  Game->VSync = 1;
  EXPECT_DOUBLE_EQ(Frame(17.0), 17.0 / 5.0);

  // Without vertical sync the same frame is averaged.
  Game->VSync = 0;
  Logic().HistoryClear();
  Logic().Init();
  for (int i = 0; i < 5; ++i) Frame(20.0);
  for (int i = 0; i < 10; ++i) Frame(20.0);
  EXPECT_NEAR(Frame(17.0), (20.0 * 10 + 17.0) / 11.0 / 5.0, 1e-9);
}

TEST_F(FixedRateLogicTest, ClockRunningBackwardsRepeatsTheLastFrame) {
  Frame(25.0);
  double last = Logic().NumTicks;
  now -= 1000.0;
  Logic().Calc();
  EXPECT_DOUBLE_EQ(Logic().NumTicks, last);
  EXPECT_DOUBLE_EQ(Frame(10.0), 2.0) << "timing goes on from the new clock value";
}

TEST_F(FixedRateLogicTest, FastModeRunsOneTickPerFrame) {
  Game->FastOn();
  EXPECT_EQ(FlipSync, 0);
  EXPECT_DOUBLE_EQ(Frame(45.0), 1.0);
  Game->FastOff();
  EXPECT_DOUBLE_EQ(Frame(45.0), 9.0);
}

TEST_F(FixedRateLogicTest, AnimationLengthsFollowTheSpeed) {
  EXPECT_FLOAT_EQ(Game->CalcAnimLength(500.0f), 100.0f);
  EXPECT_EQ(Game->CalcMilliSecsFromFrames(100.0f), 500);
  Game->SlowMotionOn();
  EXPECT_FLOAT_EQ(Logic().MS, 20.0f) << "50 ticks a second";
  EXPECT_FLOAT_EQ(Game->CalcAnimLength(500.0f), 100.0f) << "still 100 ticks, lasting two seconds";
  EXPECT_DOUBLE_EQ(Frame(40.0), 2.0);
  Game->SlowMotionOff();
  EXPECT_FLOAT_EQ(Logic().MS, 5.0f);
}

} // namespace
