// The standard Tri Peaks layouts as a player gets them: drawn bottom first
// with the playable cards last, inside the play area, with stock cards to
// draw, overlapping exactly as designed, and dealt by the solver every time.
#include "LayoutDesigns.h"
#include "TripeaksTestWorld.h"
#include "platform/Collision.h"
#include "platform/Files.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TLayoutCover.h"
#include "solitaire/TRandom.h"
#include "solitaire/TTripeaksDealer.h"

namespace {

class TripeaksLayoutsTest : public TripeaksTestWorld {
protected:
  // The layout as the editor shows it (origin (25, 25)).
  void LoadInEditor(TCardList& list, int number) {
    ASSERT_EQ(list.LoadCards(StandardLayout(number), 25, 25), 1) << number;
    list.UpdatePosition();
    list.UpdateCardsOnTop();
  }
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

TEST_F(TripeaksLayoutsTest, EveryLayoutKeepsTheLayoutRules) {
  const auto designs = layoutgen::TripeaksDesigns();
  ASSERT_EQ(int(designs.size()), StandardLayouts);
  for (int number = 1; number <= StandardLayouts; ++number) {
    TCardList list;
    LoadInEditor(list, number);
    const int count = list.Count();
    SCOPED_TRACE("layout " + std::to_string(number) + " (" + designs[size_t(number - 1)].name + ")");
    // At least two stock cards, so the solver can turn one.
    EXPECT_GE(count % 52, 1);
    EXPECT_LE(count % 52, 50);
    // Cards that start uncovered come after every covered one.
    bool seenOpen = false;
    for (const auto& card : list) {
      if (!card->HasCardsOnTop) seenOpen = true;
      else EXPECT_FALSE(seenOpen) << "covered card " << card->Position << " after a playable one";
      EXPECT_TRUE(InsideEditingArea(*card)) << "card " << card->Position;
    }
    // The pixel overlaps are the cover graph the design intended, pair for pair.
    TLayoutCover cover;
    cover.Compute(list);
    const auto intended = layoutgen::CheckLayout(designs[size_t(number - 1)].cards);
    EXPECT_TRUE(intended.problems.empty());
    ASSERT_EQ(cover.Count(), int(intended.covers.size()));
    for (int i = 0; i < count; ++i) EXPECT_EQ(cover.Above[size_t(i)], intended.covers[size_t(i)]) << "card " << i;
  }
}

TEST_F(TripeaksLayoutsTest, EveryLayoutDealsSolvedGamesForTwoHundredSeedsInARow) {
  for (int number = 1; number <= StandardLayouts; ++number) {
    TCardList list;
    ASSERT_EQ(list.LoadCards(StandardLayout(number), 25, 125), 1);
    TLayoutCover cover;
    cover.Compute(list);
    TTripeaksDealer dealer;
    int solved = 0;
    for (uint32_t seed = 1; seed <= 200; ++seed) {
      TRandom random(seed);
      dealer.Deal(cover, (list.Count() + 51) / 52, random);
      solved += dealer.Solved;
    }
    EXPECT_EQ(solved, 200) << "layout " << number;
  }
}

TEST_F(TripeaksLayoutsTest, TheGeneratorRebuildsTheCommittedFilesByteForByte) {
  const auto designs = layoutgen::TripeaksDesigns();
  for (int number = 1; number <= StandardLayouts; ++number) {
    char name[64];
    std::snprintf(name, sizeof(name), "data/layouts/tripeaks/%03d.layout", number);
    std::string committed;
    ASSERT_TRUE(platform::ReadWholeFile(test_support::SourcePath(name), committed)) << name;
    EXPECT_EQ(layoutgen::LayoutFileText(designs[size_t(number - 1)]), committed) << name;
  }
}

} // namespace
