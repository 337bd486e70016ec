#include "effects/TSlideLineList.h"

#include "app/Delta.h"
#include "app/TGame.h"
#include "ui/TColor.h"

#include <gtest/gtest.h>

namespace {

class SlideLineTest : public ::testing::Test {
protected:
  void SetUp() override { Delta = 1.0f; }
  static void Ticks(TSlideLine& line, int count) {
    for (int i = 0; i < count; ++i) line.Manage();
  }
};

TEST_F(SlideLineTest, OnePhaseGlidesFromStartToEndAndRestsThere) {
  TSlideLine line;
  line.InitLine("1. Ada 5000", -300, 100, 100, 100, 1000);
  EXPECT_FLOAT_EQ(line.GetX(), 100) << "before Start: the last end point";
  line.Start();
  EXPECT_FLOAT_EQ(line.GetX(), -300);
  Ticks(line, 100); // 500 ms of 5 ms ticks
  EXPECT_FLOAT_EQ(line.GetX(), -100);
  EXPECT_FLOAT_EQ(line.GetY(), 100);
  Ticks(line, 150);
  EXPECT_EQ(line.Active, 0);
  EXPECT_FLOAT_EQ(line.GetX(), 100);
}

TEST_F(SlideLineTest, PhasesTurnCornersWithoutAJumpAndStopAtFifty) {
  TSlideLine line;
  line.InitLine("row", 0, 0, 100, 0, 100); // 20 ticks right
  ASSERT_EQ(line.AddPhaseSpecial(100, 0, 100, 50, 50), 1); // 10 ticks down
  line.Start();
  Ticks(line, 19);
  EXPECT_NEAR(line.GetX(), 95, 1e-3);
  line.Manage(); // the first phase ends
  EXPECT_EQ(line.CurrentPhase, 1);
  EXPECT_NEAR(line.GetX(), 100, 1e-3);
  EXPECT_NEAR(line.GetY(), 0, 1e-3);
  Ticks(line, 5);
  EXPECT_NEAR(line.GetY(), 25, 1e-3);
  Ticks(line, 10);
  EXPECT_NEAR(line.GetY(), 50, 1e-3);

  for (int i = 2; i < TAnimation::MAX_PHASES; ++i) ASSERT_EQ(line.AddPhaseSpecial(0, 0, 1, 1, 10), 1) << i;
  EXPECT_EQ(line.AddPhaseSpecial(7, 7, 8, 8, 10), 0) << "a 51st segment is refused";
  EXPECT_EQ(line.TotalPhases, TAnimation::MAX_PHASES);
  EXPECT_FLOAT_EQ(line.EndX[TAnimation::MAX_PHASES - 1], 1);
}

TEST_F(SlideLineTest, LinesOfAListShareOneColour) {
  TSlideLineList list;
  auto first = list.Add("1.", 0, 0, 10, 0, 100);
  auto second = list.Add("2.", 0, 30, 10, 30, 200);
  list.Color->Set(255, 200, 0, 0.5f);
  EXPECT_EQ(first->Color->G, 200);
  EXPECT_FLOAT_EQ(second->Color->Alpha, 0.5f);
  list.Start();
  for (int i = 0; i < 20; ++i) list.Manage();
  EXPECT_EQ(first->Active, 0);
  EXPECT_EQ(second->Active, 1);
  EXPECT_FLOAT_EQ(first->GetX(), 10);
  EXPECT_FLOAT_EQ(second->GetX(), 5);
}

} // namespace
