// A seeded bot plays a thousand Tri Peaks games over every standard layout
// (random legal plays and stock turns, undo and refused clicks mixed in) and
// after every step checks the game against a brute-force look at the table:
// uncovered cards by the pixel overlap test, every hint a legal play, "No
// Moves Left" exactly when nothing fits, no card lost or made, and a cleared
// layout ending as a won game once its bonuses have landed.
#include "TripeaksPlay.h"
#include "app/Delta.h"
#include "solitaire/TRandom.h"
#include "solitaire/TTripeaksHint.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class TripeaksBotTest : public TripeaksPlay {
protected:
  struct Figures {
    int games = 0, won = 0, stuck = 0, plays = 0, turns = 0, undos = 0, refused = 0;
  };

  std::vector<std::string> Identities() {
    std::vector<std::string> ids;
    for (const auto& card : *mode->Cards) ids.push_back(card->ToString());
    for (const auto& card : *mode->Stock->Cards) ids.push_back(card->ToString());
    for (const auto& played : playedStack) ids.push_back(played);
    std::sort(ids.begin(), ids.end());
    return ids;
  }

  // The table as the rules see it, worked out from scratch.
  struct Brute {
    std::vector<std::shared_ptr<TCard>> uncovered, playable;
    bool stockFits = false;
  };
  Brute Look() {
    Brute brute;
    const auto open = mode->Stock->StockCard1;
    for (const auto& card : *mode->Cards) {
      if (card->IsAnyCardsOnTop()) continue;
      brute.uncovered.push_back(card);
      if (open && mode->CheckIfMatchingCards(open, card)) brute.playable.push_back(card);
    }
    const auto& pile = *mode->Stock->Cards;
    for (int i = 0; i <= pile.CurrentPosition && i < pile.Count(); ++i)
      for (const auto& card : brute.uncovered)
        if (mode->CheckIfMatchingCards(pile.ValueAtIndex(i), card)) brute.stockFits = true;
    return brute;
  }

  void Check(const Brute& brute, const std::vector<std::string>& dealt, const std::string& where) {
    for (const auto& card : *mode->Cards)
      ASSERT_EQ(card->Opened, std::find(brute.uncovered.begin(), brute.uncovered.end(), card) != brute.uncovered.end())
          << where;
    const bool noMoves = !mode->Cards->IsEmpty() && brute.playable.empty() && !brute.stockFits;
    ASSERT_EQ(mode->IsNoMovesLeft(), noMoves ? 1 : 0) << where;
    ASSERT_TRUE(mode->HintList) << where;
    for (const auto& hint : *mode->HintList) {
      ASSERT_NE(std::find(brute.uncovered.begin(), brute.uncovered.end(), hint->SecondCard), brute.uncovered.end())
          << where;
      ASSERT_TRUE(mode->CheckIfMatchingCards(hint->FirstCard, hint->SecondCard)) << where;
      if (hint->FirstCard != mode->Stock->StockCard1) {
        const int at = mode->Stock->Cards->IndexOf(hint->FirstCard.get());
        ASSERT_TRUE(at >= 0 && at <= mode->Stock->Cards->CurrentPosition) << where;
      }
    }
    ASSERT_EQ(Identities(), dealt) << where;
  }

  std::vector<std::string> playedStack;
};

TEST_F(TripeaksBotTest, AThousandSeededGamesAgreeWithABruteForceLookAtTheTable) {
  Figures figures;
  Delta = 4; // four ticks at a time: the same rules, a quarter of the steps
  for (uint32_t game = 0; game < 1000; ++game) {
    const int layout = int(game % StandardLayouts) + 1;
    playedStack.clear();
    Start(StandardLayout(layout), game + 1);
    TRandom bot(game * 7919 + 3);
    const auto dealt = Identities();
    ++figures.games;
    for (int step = 0; step < 400; ++step) {
      const std::string where = "game " + std::to_string(game) + " step " + std::to_string(step);
      const Brute brute = Look();
      Check(brute, dealt, where);
      if (HasFatalFailure()) return;
      if (mode->Cards->IsEmpty()) {
        int ticks = 0;
        while (!mode->IsGameFinished() && ticks < 20000) mode->Logic(), ++ticks;
        ASSERT_LT(ticks, 20000) << where << ": a cleared layout never finished";
        ++figures.won;
        break;
      }
      const int roll = bot.Rand(0, 99);
      if (roll < 8 && mode->UndoList && !mode->UndoList->empty()) {
        ASSERT_EQ(mode->Undo(), 1) << where;
        playedStack.pop_back();
        ++figures.undos;
      } else if (roll < 14) {
        // A card that may not be played: covered, or not fitting.
        std::vector<std::shared_ptr<TCard>> refused;
        for (const auto& card : *mode->Cards)
          if (std::find(brute.playable.begin(), brute.playable.end(), card) == brute.playable.end())
            refused.push_back(card);
        if (refused.empty()) continue;
        const auto card = refused[size_t(bot.Rand(0, int32_t(refused.size()) - 1))];
        // Clicked at its centre only when no later card hides that point.
        bool hidden = false;
        for (int i = card->Position + 1; i < mode->Cards->Count() && !hidden; ++i)
          hidden = mode->Cards->ValueAtIndex(i)->IsPointOver(int(card->x), int(card->y)) != 0;
        if (hidden) continue;
        const int count = mode->Cards->Count();
        Click(card);
        PointAt(-100, -100);
        Settle();
        ASSERT_EQ(mode->Cards->Count(), count) << where << ": a refused card was played";
        ++figures.refused;
      } else if (!brute.playable.empty()) {
        const auto card = brute.playable[size_t(bot.Rand(0, int32_t(brute.playable.size()) - 1))];
        const std::string id = card->ToString();
        const int count = mode->Cards->Count();
        Click(card);
        PointAt(-100, -100);
        Settle();
        ASSERT_EQ(mode->Cards->Count(), count - 1) << where << ": a legal play was refused";
        ASSERT_EQ(mode->Stock->StockCard1 ? mode->Stock->StockCard1->ToString() : id, id) << where;
        playedStack.push_back(id);
        ++figures.plays;
      } else if (mode->Stock->Cards->CurrentPosition >= 0) {
        PressD();
        Settle();
        ++figures.turns;
      } else {
        ++figures.stuck;
        break;
      }
    }
  }
  Delta = 1;
  std::printf("bot: %d games, %d won, %d stuck, %d plays, %d stock turns, %d undos, %d refused clicks\n",
              figures.games, figures.won, figures.stuck, figures.plays, figures.turns, figures.undos,
              figures.refused);
  EXPECT_GT(figures.won, 0);
  EXPECT_GT(figures.stuck, 0);
}

} // namespace
