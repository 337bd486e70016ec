#include "solitaire/TGameModeKlondike.h"

#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TStock.h"
#include "support/GameModeHarness.h"

#include <gtest/gtest.h>

namespace {

class KlondikeTest : public ::testing::Test {
protected:
  test_support::GameModeHarness play;
  std::shared_ptr<TGameModeKlondike> mode = play.Create<TGameModeKlondike>();
  const std::string layout = test_support::DataPath("layouts/klondike/klondike.layout");

  void Deal(uint32_t seed) {
    mode->Seed(seed);
    ASSERT_EQ(mode->Init(layout, 0), 1);
    ASSERT_TRUE(play.TickUntil([&] { return !mode->IsBusy(); }, 5000));
  }
};

TEST_F(KlondikeTest, Smoke) {
  Deal(1);
  EXPECT_EQ(mode->Cards->Count(), 28);
  EXPECT_EQ(mode->Stock->Cards->Count(), 24);
  mode->Cards->PrintContent();
}

} // namespace
