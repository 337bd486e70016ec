// The standard Matching layouts as a player gets them: an even number of
// cards, at least two to start with, inside the editing area, overlapping
// exactly as designed, and dealt within the editor's restart bound every time.
#include "LayoutDesigns.h"
#include "MatchingPlay.h"
#include "platform/Collision.h"
#include "platform/Files.h"
#include "solitaire/TLayoutCover.h"
#include "solitaire/TMatchingDealer.h"
#include "solitaire/TRandom.h"

namespace {

class MatchingLayoutsTest : public MatchingPlay {
protected:
  // The editor's own test: the turned outline touches none of the margins
  // around the editing area (25..775 x 25..440).
  static bool InsideEditingArea(const TCard& card) {
    platform::ResetCollisions(1);
    card.Collide();
    return !platform::CollideRect(0, 0, 800, 25, 1, 0, nullptr) && !platform::CollideRect(0, 0, 25, 600, 1, 0, nullptr) &&
           !platform::CollideRect(775, 0, 800, 600, 1, 0, nullptr) &&
           !platform::CollideRect(0, 440, 800, 600, 1, 0, nullptr);
  }
};

TEST_F(MatchingLayoutsTest, EveryLayoutKeepsTheLayoutRules) {
  const auto designs = layoutgen::MatchingDesigns();
  ASSERT_EQ(int(designs.size()), MatchingLayouts);
  for (int number = 1; number <= MatchingLayouts; ++number) {
    SCOPED_TRACE("layout " + std::to_string(number) + " (" + designs[size_t(number - 1)].name + ")");
    TCardList list;
    ASSERT_EQ(list.LoadCards(MatchingLayout(number), 25, 25), 1);
    list.UpdatePosition();
    list.UpdateCardsOnTop();
    EXPECT_EQ(list.Count() % 2, 0);
    int uncovered = 0;
    for (const auto& card : list) {
      uncovered += card->HasCardsOnTop ? 0 : 1;
      EXPECT_TRUE(InsideEditingArea(*card)) << "card " << card->Position;
    }
    EXPECT_GE(uncovered, 2);
    // The pixel overlaps are the cover graph the design intended, pair for pair.
    TLayoutCover cover;
    cover.Compute(list);
    const auto intended = layoutgen::CheckLayout(designs[size_t(number - 1)].cards);
    EXPECT_TRUE(intended.problems.empty());
    ASSERT_EQ(cover.Count(), int(intended.covers.size()));
    for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(cover.Above[size_t(i)], intended.covers[size_t(i)]) << "card " << i;
  }
}

TEST_F(MatchingLayoutsTest, EveryLayoutIsDealtWithinTheRestartBoundForTwoHundredSeedsInARow) {
  for (int number = 1; number <= MatchingLayouts; ++number) {
    TCardList list;
    ASSERT_EQ(list.LoadCards(MatchingLayout(number), 25, 125), 1);
    TLayoutCover cover;
    cover.Compute(list);
    TMatchingDealer dealer;
    int dealt = 0, worst = 0;
    for (uint32_t seed = 1; seed <= 200; ++seed) {
      TRandom random(seed);
      dealt += dealer.Deal(cover, (list.Count() + 51) / 52, random, 1);
      worst = std::max(worst, dealer.Restarts);
    }
    EXPECT_EQ(dealt, 200) << "layout " << number << " (worst " << worst << " restarts)";
  }
}

TEST_F(MatchingLayoutsTest, TheGeneratorRebuildsTheCommittedFilesByteForByte) {
  const auto designs = layoutgen::MatchingDesigns();
  for (int number = 1; number <= MatchingLayouts; ++number) {
    char name[64];
    std::snprintf(name, sizeof(name), "data/layouts/matching/%03d.layout", number);
    std::string committed;
    ASSERT_TRUE(platform::ReadWholeFile(test_support::SourcePath(name), committed)) << name;
    EXPECT_EQ(layoutgen::LayoutFileText(designs[size_t(number - 1)]), committed) << name;
  }
}

} // namespace
