#include "solitaire/TTripeaksDealer.h"

#include "TripeaksTestWorld.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TLayoutCover.h"
#include "solitaire/TRandom.h"

#include <vector>

namespace {

// The deal generator and solver written the direct way: identities dealt
// into the card list itself with the pixel overlap tests, and every playout
// on cloned lists. The fast dealer must give the same deals from the same
// random stream. Card ids travel in CardType.
struct DirectResult {
  std::vector<int32_t> layoutIds, stockIds;
  int32_t attempts = 0, solved = 0;
};

bool DirectSolve(const TCardList& layout, const TCardList& stock, TRandom& random) {
  std::shared_ptr<TCardList> play, pile;
  auto fresh = [&] {
    play = layout.Clone();
    play->UpdatePosition();
    play->UpdateCardsOnTop();
    play->UpdateOpenedBasedOnCardsOnTop();
    pile = stock.Clone();
    pile->CurrentPosition = stock.CurrentPosition;
  };
  fresh();
  std::shared_ptr<TCard> open;
  bool needDraw = true;
  for (int i = 0; i < TTripeaksDealer::Playouts;) {
    if (needDraw) {
      if (pile->CurrentPosition <= 0) {
        fresh();
        ++i;
        continue;
      }
      open = pile->ValueAtIndex(pile->CurrentPosition);
      --pile->CurrentPosition;
    }
    std::vector<std::shared_ptr<TCard>> matches;
    for (const auto& card : *play)
      if (card->Opened && TTripeaksDealer::Neighbours(open->CardNumber, card->CardNumber)) matches.push_back(card);
    if (matches.empty()) {
      needDraw = true;
      continue;
    }
    const auto chosen = matches[size_t(random.Rand(0, int32_t(matches.size()) - 1))];
    open = chosen->Clone();
    chosen->Kill();
    play->UpdatePosition();
    play->UpdateCardsOnTop();
    play->UpdateSetOpenedIfNoCardsOnTop();
    if (play->IsEmpty()) return true;
    needDraw = false;
  }
  return false;
}

DirectResult DirectDeal(TCardList& layout, int32_t decks, TRandom& random, const std::shared_ptr<TGameImage>& back) {
  const int32_t total = 52 * decks, count = layout.Count();
  DirectResult result;
  int32_t abandoned = 0;
  TCardList stock;
  std::vector<uint8_t> used;
  auto draw = [&] {
    int32_t id;
    do id = random.Rand(0, total - 1);
    while (used[size_t(id)]);
    used[size_t(id)] = 1;
    return id;
  };
  auto toStock = [&](int32_t id, int32_t opened) {
    auto card = TCard::Create(back, 230, 70);
    card->CardNumber = TTripeaksDealer::NumberOfID(id), card->CardSuit = TTripeaksDealer::SuitOfID(id);
    card->CardType = id, card->Opened = opened;
    if (stock.IsEmpty()) stock.AddLast(card);
    else stock.InsertAt(random.Rand(0, stock.Count() - 1), card);
  };
  for (;;) {
    used.assign(size_t(total), 0);
    for (const auto& card : layout) card->CardNumber = card->CardSuit = card->Opened = 0;
    stock.Clear();
    int32_t n = 0, k = 0;
    bool abandon = false;
    while (n < count && !abandon) {
      const int32_t id = draw();
      if (count - n < total - k && random.Rand(0, 3) == 3) {
        toStock(id, 1);
        ++k;
        continue;
      }
      std::shared_ptr<TCard> card;
      for (int32_t unsuitable = 0;;) {
        card = layout.ValueAtIndex(random.Rand(0, count - 1));
        if (card->CardNumber == 0 && !card->HasOpenedCardBehind(0)) break;
        if (++unsuitable >= TTripeaksDealer::UnsuitablePicksToAbandon) {
          if (abandoned < TTripeaksDealer::MaxAbandonedAttempts) {
            abandon = true;
            break;
          }
          for (const auto& first : layout)
            if (first->CardNumber == 0 && !first->HasOpenedCardBehind(0)) {
              card = first;
              break;
            }
          break;
        }
      }
      if (abandon) break;
      card->CardNumber = TTripeaksDealer::NumberOfID(id), card->CardSuit = TTripeaksDealer::SuitOfID(id);
      card->CardType = id, card->Opened = 1;
      ++n, ++k;
    }
    if (abandon) {
      ++abandoned;
      continue;
    }
    while (stock.Count() < total - count) toStock(draw(), 0);
    stock.CurrentPosition = stock.Count() - 1;
    ++result.attempts;
    result.solved = DirectSolve(layout, stock, random) ? 1 : 0;
    if (result.solved || result.attempts >= TTripeaksDealer::MaxDealAttempts) break;
  }
  for (const auto& card : layout) result.layoutIds.push_back(card->CardType);
  for (const auto& card : stock) result.stockIds.push_back(card->CardType);
  return result;
}

class TripeaksDealerTest : public TripeaksTestWorld {
protected:
  // Both ways from the same seed: the same deal, attempts and verdict, and
  // the same number of draws taken from the stream.
  void ExpectSameAsDirect(TCardList& layout, uint32_t seed, const std::string& what) {
    const int32_t decks = layout.Count() == 0 ? 1 : (layout.Count() + 51) / 52;
    TLayoutCover cover;
    cover.Compute(layout);
    TRandom fastStream(seed), directStream(seed);
    TTripeaksDealer dealer;
    dealer.Deal(cover, decks, fastStream);
    const DirectResult direct = DirectDeal(layout, decks, directStream, Back());
    EXPECT_EQ(dealer.LayoutIds, direct.layoutIds) << what;
    EXPECT_EQ(dealer.StockIds, direct.stockIds) << what;
    EXPECT_EQ(dealer.Attempts, direct.attempts) << what;
    EXPECT_EQ(dealer.Solved, direct.solved) << what;
    EXPECT_EQ(fastStream.Rand(0, 1 << 30), directStream.Rand(0, 1 << 30)) << what;
  }
};

TEST_F(TripeaksDealerTest, SameDealsAsTheDirectAlgorithmOnEveryStandardLayout) {
  for (int number = 1; number <= StandardLayouts; ++number) {
    TCardList layout;
    ASSERT_EQ(layout.LoadCards(StandardLayout(number), 25, 125), 1) << number;
    for (uint32_t seed : {7u, 1234u}) ExpectSameAsDirect(layout, seed, "layout " + std::to_string(number));
  }
}

TEST_F(TripeaksDealerTest, SameDealsAsTheDirectAlgorithmAtTheAttemptBound) {
  TCardList layout;
  FillRows(layout, 50, Back()); // two stock cards: the solver can never turn one
  ExpectSameAsDirect(layout, 99, "50 cards");
}

TEST_F(TripeaksDealerTest, UnwinnableLayoutsStopAtTheBoundWithACompleteDeal) {
  for (int count : {50, 52, 104}) {
    TCardList layout;
    FillRows(layout, count, Back());
    TLayoutCover cover;
    cover.Compute(layout);
    TRandom random(5);
    TTripeaksDealer dealer;
    dealer.Deal(cover, (count + 51) / 52, random);
    EXPECT_EQ(dealer.Solved, 0) << count;
    EXPECT_EQ(dealer.Attempts, TTripeaksDealer::MaxDealAttempts) << count;
    // Every card of the decks once per deck, none missing.
    std::vector<int> seen(size_t(52 * ((count + 51) / 52)), 0);
    for (int id : dealer.LayoutIds) ++seen.at(size_t(id));
    for (int id : dealer.StockIds) ++seen.at(size_t(id));
    for (int n : seen) EXPECT_EQ(n, 1) << count;
    EXPECT_EQ(int(dealer.LayoutIds.size()), count);
  }
}

TEST_F(TripeaksDealerTest, OneDeckForTwentyEightCardsTwoForSixty) {
  for (int count : {28, 60}) {
    TCardList layout;
    FillRows(layout, count, Back());
    TLayoutCover cover;
    cover.Compute(layout);
    TRandom random(3);
    TTripeaksDealer dealer;
    const int decks = (count + 51) / 52;
    dealer.Deal(cover, decks, random);
    EXPECT_EQ(int(dealer.StockIds.size()), 52 * decks - count) << count; // 24 and 44
    // Each card as often as there are decks, wherever it went.
    std::vector<int> copies(52, 0);
    for (int id : dealer.LayoutIds) ++copies[size_t(id % 52)];
    for (int id : dealer.StockIds) ++copies[size_t(id % 52)];
    for (int n : copies) EXPECT_EQ(n, decks) << count;
  }
}

TEST_F(TripeaksDealerTest, TheSolverNeverTurnsTheLastStockCard) {
  // One layout card, a 5; stock bottom first. The top card is turned first.
  TCardList layout;
  layout.AddNew(300, 300, Back(), 1, 1, 0, 0);
  TLayoutCover cover;
  cover.Compute(layout);
  TTripeaksDealer dealer;
  TRandom random(1);
  dealer.Deal(cover, 1, random); // sets the layout the solver works on
  const int32_t five = 4, four = 3, nine = 8, king = 12, ace = 0, queen = 11;
  dealer.LayoutIds = {five};
  dealer.StockIds = {four, nine}; // only the last card (index 0) fits
  EXPECT_EQ(dealer.SolveLevel(random), 0);
  dealer.StockIds = {nine, four, nine};
  EXPECT_EQ(dealer.SolveLevel(random), 1);
  // King and Ace are neighbours, equal ranks are not.
  dealer.LayoutIds = {king};
  dealer.StockIds = {nine, ace};
  EXPECT_EQ(dealer.SolveLevel(random), 1);
  dealer.StockIds = {nine, queen};
  EXPECT_EQ(dealer.SolveLevel(random), 1);
  dealer.StockIds = {nine, king};
  EXPECT_EQ(dealer.SolveLevel(random), 0);
  EXPECT_TRUE(TTripeaksDealer::Neighbours(1, 13));
  EXPECT_TRUE(TTripeaksDealer::Neighbours(1, 2));
  EXPECT_FALSE(TTripeaksDealer::Neighbours(1, 12));
  EXPECT_FALSE(TTripeaksDealer::Neighbours(7, 7));
}

} // namespace
