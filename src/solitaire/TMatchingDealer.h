#pragma once
#include <cstdint>
#include <vector>

class TLayoutCover;
class TRandom;

// Matching deal generation on index arrays: cards are given out in pairs of
// equal number, each card of a pair either into the stock (one time in four
// while the stock has room) or onto a random layout card all of whose
// under-cards are dealt already, the partner never on top of its first card.
// Filling the layout from the back to the front this way means that playing
// the pairs in the reverse order of placement always clears it. An attempt
// that finds no suitable layout card in 101 random picks starts over; after
// more than MaxRestarts restarts the deal gives up. The random draws are the
// ones the rules make, in their order, so a seed reproduces a deal.
class TMatchingDealer {
public:
  static constexpr int32_t MaxRestarts = 300;
  static constexpr int32_t UnsuitablePicksToRestart = 101;

  // Number 1..13 and suit 1..4 of a card id of any deck.
  static int32_t NumberOfID(int32_t id) { return (id % 52) % 13 + 1; }
  static int32_t SuitOfID(int32_t id) { return (id % 52) / 13 + 1; }
  // Decks a layout of this many cards is dealt from: enough for every card, at least one.
  static int32_t DecksFor(int32_t layoutCards) { return layoutCards <= 0 ? 1 : (layoutCards + 51) / 52; }

  // Deals into the layout described by `cover` with `decks` decks; 1 when a
  // deal completed, 0 when giveUp is set and the restarts ran out.
  int32_t Deal(const TLayoutCover& cover, int32_t decks, TRandom& random, int32_t giveUp);

  // The result: card id per layout card; the stock bottom first with the
  // Opened flag each stock card was dealt with (1 for the cards of pairs dealt
  // among the layout's); the layout cards in the order they were filled.
  std::vector<int32_t> LayoutIds;
  std::vector<int32_t> StockIds;
  std::vector<uint8_t> StockOpened;
  std::vector<int32_t> FillOrder;
  int32_t Restarts = 0;

private:
  bool TryDeal(TRandom& random);
  int32_t DrawUnused(TRandom& random);
  int32_t DrawPartner(int32_t first, TRandom& random);
  void InsertIntoStock(int32_t id, uint8_t opened, TRandom& random);
  // A random layout card with every under-card dealt (`pending` counts as not
  // dealt and is never chosen); -1 after too many unsuitable picks.
  int32_t PickLayoutCard(TRandom& random, int32_t pending);
  void Fill(int32_t card, int32_t id);

  const TLayoutCover* cover_ = nullptr;
  int32_t total_ = 0;
  std::vector<uint8_t> used_;
  std::vector<uint8_t> filled_;
  std::vector<int32_t> unfilledBelow_;
};
