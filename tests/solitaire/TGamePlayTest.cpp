#include "solitaire/TGamePlay.h"

#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeKlondike.h"
#include "solitaire/TGameModeMatching.h"
#include "solitaire/TGameModeTripeaks.h"
#include "support/GameModeWorld.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using GamePlayTest = test_support::GameModeWorld;

// The session's next game of a variant (2 Klondike, 3 Matching, 4 Tri Peaks)
// dealt as the play screens deal it, read back card by card.
std::string NextDeal(int32_t variant) {
  static const char* const Layouts[] = {"", "", "layouts/klondike/klondike.layout", "layouts/matching/001.layout",
                                        "layouts/tripeaks/001.layout"};
  EXPECT_EQ(GamePlay->Init(variant, 1), 1);
  EXPECT_EQ(GamePlay->GameMode->Init(test_support::DataPath(Layouts[variant]), 0), 1);
  const TCardList* cards = nullptr;
  if (auto* klondike = dynamic_cast<TGameModeKlondike*>(GamePlay->GameMode.get())) cards = klondike->Cards.get();
  if (auto* layout = dynamic_cast<TLayoutGameMode*>(GamePlay->GameMode.get())) cards = layout->Cards.get();
  std::string table;
  if (cards)
    for (const auto& card : *cards) table += card->ToString() + " ";
  return table;
}

// A run of games of every variant, from a fresh session seeded with `seed`.
std::vector<std::string> SeededSession(uint32_t seed) {
  GamePlay = std::make_shared<TGamePlay>();
  GamePlay->SeedDeals(seed);
  std::vector<std::string> deals;
  for (int32_t variant : {2, 2, 3, 4, 3, 4}) deals.push_back(NextDeal(variant));
  return deals;
}

TEST_F(GamePlayTest, OneDealSeedReplaysTheSessionsGamesAndThePlayersAreEachNew) {
  const auto first = SeededSession(42);
  ASSERT_EQ(first.size(), 6u);
  for (const auto& deal : first) EXPECT_FALSE(deal.empty());
  EXPECT_EQ(SeededSession(42), first);          // a soak's run replays from its seed
  EXPECT_NE(first[0], first[1]);      // the next game is another deal
  EXPECT_NE(SeededSession(43)[0], first[0]);    // another seed, other games

  // Unseeded, as the player's sessions are: no two begin with the same games.
  GamePlay = std::make_shared<TGamePlay>();
  const std::string mine = NextDeal(2) + NextDeal(3);
  GamePlay = std::make_shared<TGamePlay>();
  EXPECT_NE(NextDeal(2) + NextDeal(3), mine);
}

} // namespace
