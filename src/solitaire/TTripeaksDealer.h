#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class TLayoutCover;
class TRandom;

// Tri Peaks deal generation and its solver, on index arrays and bit sets.
// A deal fills the layout from the back towards the front with random cards
// of `decks` decks, mixing one card in four into the stock while it has room;
// the solver then makes up to ten randomised greedy playouts and accepts the
// deal when one clears the layout without turning the last stock card. Whole
// attempts repeat until a deal is accepted or the attempt bound is reached,
// which keeps the last complete deal, unsolved. The random draws are the same,
// in the same order, as dealing into card lists and playing out on clones, so
// a seed gives the same deal either way.
class TTripeaksDealer {
public:
  // Complete deals tried before giving up, and deals abandoned half-way
  // (no suitable layout card found in 101 random picks) after which a stuck
  // card takes the first suitable one in list order instead.
  static constexpr int32_t MaxDealAttempts = 300;
  static constexpr int32_t MaxAbandonedAttempts = 3000;
  static constexpr int32_t UnsuitablePicksToAbandon = 101;
  static constexpr int32_t Playouts = 10;

  // Rank 1..13 and suit 1..4 of a card id of any deck.
  static int32_t NumberOfID(int32_t id) { return (id % 52) % 13 + 1; }
  static int32_t SuitOfID(int32_t id) { return (id % 52) / 13 + 1; }
  // King and Ace are neighbours; equal ranks never match.
  static bool Neighbours(int32_t a, int32_t b);

  // Deals into the layout described by `cover` with `decks` decks.
  void Deal(const TLayoutCover& cover, int32_t decks, TRandom& random);
  // One solver run on the deal held now (LayoutIds, StockIds): 1 when a playout clears the layout.
  int32_t SolveLevel(TRandom& random);

  // The result: card id per layout card; the stock bottom first, with the
  // Opened flag each stock card was dealt with (1 for those mixed in among
  // the layout cards).
  std::vector<int32_t> LayoutIds;
  std::vector<int32_t> StockIds;
  std::vector<uint8_t> StockOpened;
  int32_t Attempts = 0;  // complete deals tried
  int32_t Abandoned = 0; // attempts given up half-way
  int32_t Solved = 0;    // 1 when the solver accepted the deal

private:
  // One attempt; false when it was abandoned.
  bool TryDeal(TRandom& random, bool mayAbandon);
  int32_t DrawCard(TRandom& random);
  void InsertIntoStock(int32_t id, uint8_t opened, TRandom& random);
  bool Playout(TRandom& random);

  const TLayoutCover* cover_ = nullptr;
  int32_t total_ = 0;
  std::vector<uint8_t> used_;
  std::vector<uint8_t> filled_;
  std::vector<int32_t> unfilledBelow_;
  // Playout state: cards still lying on each card, face-up cards and the
  // layout cards of each rank as bit sets (one bit per layout card).
  std::vector<int32_t> coversLeft_;
  std::vector<int32_t> initialCovers_;
  std::vector<uint64_t> faceUp_, initialFaceUp_;
  std::vector<uint64_t> rankCards_; // 14 sets of words; rank r at r * words_
  std::vector<uint64_t> matches_;
  int32_t words_ = 0;
};
