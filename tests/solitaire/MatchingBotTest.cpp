// A seeded bot plays a thousand Matching games over every standard layout
// (random legal pairs, stock turns and recycling, undo and refused clicks
// mixed in) and after every step checks the game against a brute-force look
// at the table: uncovered cards by the pixel overlap test, every hint a legal
// pair, "No Moves Left" exactly when no uncovered card has a partner among the
// uncovered cards, the open stock cards or anywhere in the stock, no card lost
// or made. Every deal is also shown to be clearable by taking its pairs back
// in the reverse order they were dealt, and each standard layout is played
// through the game itself to a win that way.
#include "MatchingPlay.h"
#include "app/Delta.h"
#include "solitaire/TLayoutCover.h"
#include "solitaire/TMatchingHint.h"
#include "solitaire/TRandom.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using CardPtr = std::shared_ptr<TCard>;

class MatchingBotTest : public MatchingPlay {
protected:
  std::vector<std::string> Identities() {
    std::vector<std::string> ids = matched;
    for (const auto& card : *mode->Cards) ids.push_back(card->ToString());
    for (const auto& card : *mode->Stock->Cards) ids.push_back(card->ToString());
    std::sort(ids.begin(), ids.end());
    return ids;
  }

  // The table as the rules see it, worked out from scratch.
  struct Brute {
    std::vector<CardPtr> uncovered, open;            // layout cards nothing lies on; open stock cards
    std::vector<std::pair<CardPtr, CardPtr>> pairs;  // legal clicks, first then second
    bool stockFits = false;                          // an uncovered card has a partner somewhere in the stock
  };
  static bool Contains(const std::vector<CardPtr>& cards, const CardPtr& card) {
    return std::find(cards.begin(), cards.end(), card) != cards.end();
  }
  Brute Look() {
    Brute brute;
    for (const auto& card : *mode->Cards)
      if (!card->IsAnyCardsOnTop()) brute.uncovered.push_back(card);
    for (const auto& open : {mode->Stock->StockCard1, mode->Stock->StockCard2})
      if (open && open->CardNumber != 0) brute.open.push_back(open);
    std::vector<CardPtr> clickable = brute.uncovered;
    clickable.insert(clickable.end(), brute.open.begin(), brute.open.end());
    for (const auto& a : clickable)
      for (const auto& b : clickable)
        if (a != b && a->CardNumber == b->CardNumber) brute.pairs.push_back({a, b});
    for (const auto& card : brute.uncovered)
      for (const auto& stockCard : *mode->Stock->Cards)
        if (stockCard->CardNumber == card->CardNumber) brute.stockFits = true;
    return brute;
  }

  void Check(const Brute& brute, const std::vector<std::string>& dealt, const std::string& where) {
    for (const auto& card : *mode->Cards) ASSERT_EQ(card->Opened != 0, Contains(brute.uncovered, card)) << where;
    const bool noMoves = !mode->Cards->IsEmpty() && brute.pairs.empty() && !brute.stockFits;
    ASSERT_EQ(mode->IsNoMovesLeft(), noMoves ? 1 : 0) << where;
    ASSERT_TRUE(mode->HintList) << where;
    for (const auto& hint : *mode->HintList) {
      ASSERT_EQ(hint->FirstCard->CardNumber, hint->SecondCard->CardNumber) << where;
      ASSERT_NE(hint->FirstCard, hint->SecondCard) << where;
      ASSERT_TRUE(Contains(brute.uncovered, hint->SecondCard) || Contains(brute.open, hint->SecondCard)) << where;
      const bool firstInStock = mode->Stock->Cards->IndexOf(hint->FirstCard.get()) >= 0;
      ASSERT_TRUE(Contains(brute.uncovered, hint->FirstCard) || firstInStock) << where;
    }
    ASSERT_EQ(Identities(), dealt) << where;
  }

  // Takes the deal's pairs back in the reverse order they were dealt, on the
  // pixel cover of the cards as dealt: each layout card must be uncovered
  // when its turn comes, and pairs with the card before it or with a stock
  // card of its number.
  std::vector<std::pair<int, int>> ClearingOrder(std::string& failure) {
    TLayoutCover cover;
    cover.Compute(*mode->Cards);
    std::vector<int> order(mode->Dealer.FillOrder.rbegin(), mode->Dealer.FillOrder.rend());
    std::vector<int> stock;
    for (const auto& card : *mode->Stock->Cards) stock.push_back(card->CardNumber);
    std::vector<bool> removed(size_t(mode->Cards->Count()), false);
    auto uncovered = [&](int c) {
      for (int above : cover.Above[size_t(c)])
        if (!removed[size_t(above)]) return false;
      return true;
    };
    auto number = [&](int c) { return mode->Cards->ValueAtIndex(c)->CardNumber; };
    std::vector<std::pair<int, int>> steps; // (layout card, partner layout card or -1 for a stock card)
    for (size_t i = 0; i < order.size(); ++i) {
      const int c = order[i];
      if (!uncovered(c)) {
        failure = "card " + std::to_string(c) + " still covered";
        return {};
      }
      // Both cards of a pair are clicked while both lie there.
      if (i + 1 < order.size() && number(order[i + 1]) == number(c) && uncovered(order[i + 1])) {
        removed[size_t(c)] = removed[size_t(order[i + 1])] = true;
        steps.push_back({c, order[i + 1]});
        ++i;
        continue;
      }
      const auto partner = std::find(stock.begin(), stock.end(), number(c));
      if (partner == stock.end()) {
        failure = "card " + std::to_string(c) + " has no partner";
        return {};
      }
      stock.erase(partner);
      removed[size_t(c)] = true;
      steps.push_back({c, -1});
    }
    if (int(mode->Dealer.FillOrder.size()) != mode->Cards->Count()) failure = "not every layout card was dealt";
    return steps;
  }

  std::vector<std::string> matched;
};

TEST_F(MatchingBotTest, AThousandSeededGamesAgreeWithABruteForceLookAtTheTable) {
  int games = 0, won = 0, stuck = 0, pairs = 0, turns = 0, undos = 0, refused = 0;
  Delta = 4; // four ticks at a time: the same rules, a quarter of the steps
  for (uint32_t game = 0; game < 1000; ++game) {
    const int layout = int(game % MatchingLayouts) + 1;
    matched.clear();
    Start(MatchingLayout(layout), game + 1);
    std::string failure;
    ClearingOrder(failure);
    ASSERT_EQ(failure, "") << "game " << game << " (layout " << layout << ") cannot be cleared";
    TRandom bot(game * 7919 + 3);
    const auto dealt = Identities();
    std::vector<std::vector<std::string>> undoStack;
    ++games;
    for (int step = 0; step < 500; ++step) {
      const std::string where = "game " + std::to_string(game) + " step " + std::to_string(step);
      const Brute brute = Look();
      Check(brute, dealt, where);
      if (HasFatalFailure()) return;
      if (mode->Cards->IsEmpty()) {
        int ticks = 0;
        while (!mode->IsGameFinished() && ticks < 20000) mode->Logic(), ++ticks;
        ASSERT_LT(ticks, 20000) << where << ": a cleared layout never finished";
        ++won;
        break;
      }
      const int roll = bot.Rand(0, 99);
      if (roll < 6 && !undoStack.empty()) {
        ASSERT_EQ(mode->Undo(), 1) << where;
        matched = undoStack.back();
        undoStack.pop_back();
        Settle();
        ++undos;
      } else if (roll < 12 && brute.uncovered.size() + brute.open.size() >= 2) {
        // Two clickable cards of different numbers: nothing is removed.
        std::vector<CardPtr> clickable = brute.uncovered;
        clickable.insert(clickable.end(), brute.open.begin(), brute.open.end());
        const auto a = clickable[size_t(bot.Rand(0, int32_t(clickable.size()) - 1))];
        const auto b = clickable[size_t(bot.Rand(0, int32_t(clickable.size()) - 1))];
        if (a->CardNumber == b->CardNumber) continue;
        const int count = mode->Cards->Count() + mode->Stock->Cards->Count();
        mode->MarkedCard1.reset();
        Click(a);
        Click(b);
        ASSERT_EQ(mode->MarkedCard1, b) << where;
        PointAt(-100, -100);
        Settle();
        ASSERT_EQ(mode->Cards->Count() + mode->Stock->Cards->Count(), count) << where << ": a wrong pair was taken";
        ++refused;
      } else if (roll < 80 && !brute.pairs.empty()) {
        const auto [a, b] = brute.pairs[size_t(bot.Rand(0, int32_t(brute.pairs.size()) - 1))];
        const int count = mode->Cards->Count() + mode->Stock->Cards->Count();
        undoStack.push_back(matched);
        matched.push_back(a->ToString());
        matched.push_back(b->ToString());
        mode->MarkedCard1.reset();
        Click(a);
        Click(b);
        PointAt(-100, -100);
        Settle();
        ASSERT_EQ(mode->Cards->Count() + mode->Stock->Cards->Count(), count - 2) << where << ": a legal pair was refused";
        ASSERT_TRUE(!mode->Stock->StockCard1 || mode->Stock->StockCard1 != mode->Stock->StockCard2) << where;
        ++pairs;
      } else if (!mode->Stock->Cards->IsEmpty() && (brute.stockFits || !brute.pairs.empty())) {
        PressD(); // a turn, or the recycling of a used-up pile
        Settle();
        ++turns;
      } else if (brute.pairs.empty() && !brute.stockFits) {
        ++stuck;
        break;
      }
    }
  }
  Delta = 1;
  std::printf("bot: %d games, %d won, %d stuck, %d pairs, %d stock turns, %d undos, %d refused pairs\n", games, won,
              stuck, pairs, turns, undos, refused);
  EXPECT_GT(won, 0);
}

// Each standard layout, dealt once, is played through the game's own clicks
// in the reverse order of the deal, turning the stock for the partners it holds.
TEST_F(MatchingBotTest, EveryStandardLayoutIsPlayedToAWin) {
  Delta = 4;
  for (int layout = 1; layout <= MatchingLayouts; ++layout) {
    Start(MatchingLayout(layout), uint32_t(layout) * 31);
    std::string failure;
    const auto steps = ClearingOrder(failure);
    ASSERT_EQ(failure, "") << "layout " << layout;
    // Card objects now: indices shift as cards leave the layout.
    std::vector<std::pair<CardPtr, CardPtr>> plan;
    for (const auto& [c, d] : steps) plan.push_back({LayoutCard(c), d >= 0 ? LayoutCard(d) : nullptr});
    for (const auto& [card, partner] : plan) {
      CardPtr second = partner;
      for (int turn = 0; !second && turn < 200; ++turn) {
        for (const auto& open : {mode->Stock->StockCard1, mode->Stock->StockCard2})
          if (open && open->CardNumber == card->CardNumber) second = open;
        if (!second) Turn();
      }
      ASSERT_TRUE(second) << "layout " << layout << ": no partner came up";
      mode->MarkedCard1.reset();
      Click(card);
      Click(second);
      PointAt(-100, -100);
      Settle();
      ASSERT_EQ(mode->Cards->IndexOf(card.get()), -1) << "layout " << layout << ": " << card->ToString();
    }
    ASSERT_TRUE(mode->Cards->IsEmpty()) << "layout " << layout;
    int ticks = 0;
    while (!mode->IsGameFinished() && ticks < 20000) mode->Logic(), ++ticks;
    ASSERT_LT(ticks, 20000) << "layout " << layout;
  }
  Delta = 1;
}

} // namespace
