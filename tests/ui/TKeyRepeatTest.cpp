#include "ui/TKeyRepeat.h"
#include "ui/TMouseRepeat.h"

#include "app/InputTables.h"
#include "app/TGame.h"
#include "app/Delta.h"
#include "support/GameWorld.h"

namespace {

using UiTestWorld = test_support::GameWorld;

// 500 ms initial delay (100 ticks), then every 100 ms (20 ticks).
TEST_F(UiTestWorld, HeldKeyRepeatsAfterTheInitialDelay) {
  auto repeat = TKeyRepeat::Create(500, 100);
  KeyDowns[65] = 1;
  std::vector<int> eventTicks;
  for (int tick = 0; tick < 160; ++tick)
    if (repeat->GetKey(65)) eventTicks.push_back(tick);
  EXPECT_EQ(eventTicks, (std::vector<int>{0, 100, 120, 140}));
  KeyDowns[65] = 0;
  EXPECT_EQ(repeat->GetKey(65), 0);
  EXPECT_EQ(repeat->LastState, 0);
  KeyDowns[65] = 1;
  EXPECT_EQ(repeat->GetKey(65), 1); // a fresh press
  EXPECT_EQ(repeat->GetKey(-5), 0);
}

TEST_F(UiTestWorld, MouseRepeatTellsThePressFromRepeats) {
  auto repeat = TMouseRepeat::Create(500, 100);
  std::vector<int> results;
  Mouse().ButtonDown(1);
  for (int tick = 0; tick < 121; ++tick) {
    const int result = repeat->GetButton();
    if (result) results.push_back(result);
  }
  EXPECT_EQ(results, (std::vector<int>{1, 2, 2}));
  // Tapping gives a press each time.
  results.clear();
  for (int i = 0; i < 3; ++i) {
    Mouse().ButtonUp(1);
    results.push_back(repeat->GetButton());
    Mouse().ButtonDown(1);
    results.push_back(repeat->GetButton());
  }
  EXPECT_EQ(results, (std::vector<int>{0, 1, 0, 1, 0, 1}));
}

TEST_F(UiTestWorld, PartialTicksStillCountTheRepeatDownByOne) {
  auto keys = TKeyRepeat::Create(0, 100);
  auto buttons = TMouseRepeat::Create(0, 100);
  KeyDowns[65] = 1;
  Mouse().ButtonDown(1);
  EXPECT_EQ(keys->GetKey(65), 1);
  EXPECT_EQ(buttons->GetButton(), 1);
  EXPECT_EQ(keys->DelayCounter, 20);
  Delta = 0.25f;
  keys->GetKey(65);
  buttons->GetButton();
  EXPECT_EQ(keys->DelayCounter, 19);
  EXPECT_EQ(buttons->DelayCounter, 19);
  int keyRepeats = 0, buttonRepeats = 0;
  for (int i = 0; i < 19; ++i) {
    keyRepeats += keys->GetKey(65);
    buttonRepeats += buttons->GetButton() == 2;
  }
  EXPECT_EQ(keyRepeats, 1);
  EXPECT_EQ(buttonRepeats, 1);
}

} // namespace
