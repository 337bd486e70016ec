#include "solitaire/TBezier.h"

#include "app/Delta.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

class BezierTest : public ::testing::Test {
protected:
  void SetUp() override { Delta = 1.0f; }
  void TearDown() override { Delta = 1.0f; }
  TBezier path;
};

TEST_F(BezierTest, StraightFlightArrivesInFiftyTicksAtSpeedTwoHundredths) {
  path.Init(100, 400, 100, 400, 100, 400, 600, 150, 0.02f, 0, 0, 0);
  float x = 0, y = 0;
  path.GetCurrentPoint(x, y);
  EXPECT_EQ(std::pair(x, y), std::pair(100.0f, 400.0f));
  int ticks = 0;
  while (!path.IsFinished() && ticks < 100) {
    path.MovePoint(x, y);
    ++ticks;
  }
  EXPECT_EQ(ticks, 50);
  EXPECT_NEAR(x, 600, 0.01);
  EXPECT_NEAR(y, 150, 0.01);
  // With both control points on the start the card eases out: a slow start.
  TBezier again;
  again.Init(100, 400, 100, 400, 100, 400, 600, 150, 0.02f, 0, 0, 0);
  again.MovePoint(x, y);
  EXPECT_LT(x - 100, 1.0f);
}

// Every card flight of the game runs without speed correction, so its length
// in ticks is 1 / speed whatever the distance: deal and auto-complete 0.04,
// a refused drop and a waste card to its foundation 0.02, a double-clicked
// tableau card 0.01, the stock fan and recycle 0.014, a stock turn 0.015.
TEST_F(BezierTest, CardFlightsTakeTheirTicksWhateverTheDistance) {
  for (auto [speed, ticks] : {std::pair(0.04f, 25), std::pair(0.02f, 50), std::pair(0.01f, 100),
                              std::pair(0.014f, 72), std::pair(0.015f, 67)})
    for (int distance : {0, 90, 700}) {
      TBezier flight;
      flight.Init(100, 500, 100, 500, 100, 500, 100 + distance, 70, speed, 0, 0, 0);
      float x, y;
      int count = 0;
      while (!flight.IsFinished() && count < 1000) flight.MovePoint(x, y), ++count;
      EXPECT_EQ(count, ticks) << speed << " over " << distance;
    }
}

TEST_F(BezierTest, PointsFollowTheCubicFormula) {
  path.Init(0, 0, 0, 100, 100, 100, 100, 0, 0.1f);
  float x, y;
  path.GetPoint(0.5f, x, y);
  EXPECT_FLOAT_EQ(x, 50);
  EXPECT_FLOAT_EQ(y, 75);
  path.GetPoint(0.25f, x, y);
  EXPECT_FLOAT_EQ(x, 3 * 0.0625f * 0.75f * 100 + 0.015625f * 100);
  EXPECT_FLOAT_EQ(y, (3 * 0.25f * 0.5625f + 3 * 0.0625f * 0.75f) * 100);
}

TEST_F(BezierTest, LeavingThePathResetsOrHoldsTheStoredT) {
  float x, y;
  path.Init(0, 0, 30, 0, 60, 0, 90, 0, 0.5f, 0, 0, 1); // evenly spaced: x = 90 t
  path.GetPoint(1.2f, x, y);
  EXPECT_EQ(path.t, 0.0f);   // reset: starts over
  EXPECT_FLOAT_EQ(x, 108.0f); // the point is that of the t asked for
  path.GetPoint(-0.1f, x, y);
  EXPECT_EQ(path.t, 1.0f);
  path.Init(0, 0, 30, 0, 60, 0, 90, 0, 0.5f, 0, 0, 0);
  path.GetPoint(1.2f, x, y);
  EXPECT_EQ(path.t, 1.0f);
  path.GetPoint(-0.1f, x, y);
  EXPECT_EQ(path.t, 0.0f);
}

TEST_F(BezierTest, BackwardAndFractionalTicks) {
  path.Init(0, 0, 0, 0, 0, 0, 100, 0, 0.1f, 0, 1, 0);
  path.t = 1;
  float x, y;
  path.MovePoint(x, y);
  EXPECT_NEAR(path.t, 0.9f, 1e-6);
  Delta = 0.5f;
  path.MovePoint(x, y);
  EXPECT_NEAR(path.t, 0.85f, 1e-6);
}

TEST_F(BezierTest, SpeedCorrectionKeepsTheOnScreenPaceEven) {
  // Control points pulled hard towards the start: uncorrected, the steps near
  // the start are tiny and those in the middle long.
  auto steps = [](int speedCorr, float speed) {
    TBezier curve;
    curve.Init(0, 0, 0, 0, 0, 0, 400, 300, speed, speedCorr, 0, 0);
    std::vector<float> lengths;
    float px = 0, py = 0, x, y;
    for (int i = 0; i < 1000 && !curve.IsFinished(); ++i) {
      curve.MovePoint(x, y);
      lengths.push_back(std::hypot(x - px, y - py));
      px = x, py = y;
    }
    lengths.pop_back(); // the arriving step may be short or overshoot
    return lengths;
  };
  auto plain = steps(0, 0.02f);
  EXPECT_GT(*std::max_element(plain.begin(), plain.end()), 10 * *std::min_element(plain.begin(), plain.end()));
  auto even = steps(1, 5.0f); // five pixels a tick
  ASSERT_GT(even.size(), 50u);
  for (float length : even) EXPECT_NEAR(length, 5.0f, 1.0f);
  // 500 pixels of path at 5 a tick.
  EXPECT_NEAR(double(even.size()), 100.0, 3.0);
}

} // namespace
