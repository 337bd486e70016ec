#include "solitaire/TMatchingDealer.h"

#include "solitaire/TLayoutCover.h"
#include "solitaire/TRandom.h"

#include <algorithm>

int32_t TMatchingDealer::DrawUnused(TRandom& random) {
  int32_t id;
  do id = random.Rand(0, total_ - 1);
  while (used_[size_t(id)]);
  used_[size_t(id)] = 1;
  return id;
}

int32_t TMatchingDealer::DrawPartner(int32_t first, TRandom& random) {
  // Every number has an even count of cards and pairs come out together, so
  // an unused partner is always left.
  const int32_t number = NumberOfID(first);
  int32_t id;
  do id = random.Rand(0, total_ - 1);
  while (used_[size_t(id)] || NumberOfID(id) != number);
  used_[size_t(id)] = 1;
  return id;
}

// Into an empty stock the card is appended; otherwise it goes directly
// before a random card.
void TMatchingDealer::InsertIntoStock(int32_t id, uint8_t opened, TRandom& random) {
  if (StockIds.empty()) {
    StockIds.push_back(id);
    StockOpened.push_back(opened);
    return;
  }
  const int32_t at = random.Rand(0, int32_t(StockIds.size()) - 1);
  StockIds.insert(StockIds.begin() + at, id);
  StockOpened.insert(StockOpened.begin() + at, opened);
}

int32_t TMatchingDealer::PickLayoutCard(TRandom& random, int32_t pending) {
  const int32_t layout = cover_->Count();
  for (int32_t unsuitable = 0; unsuitable < UnsuitablePicksToRestart; ++unsuitable) {
    const int32_t card = random.Rand(0, layout - 1);
    if (card == pending || filled_[size_t(card)] || unfilledBelow_[size_t(card)] != 0) continue;
    if (pending >= 0) {
      const auto& below = cover_->Below[size_t(card)];
      if (std::find(below.begin(), below.end(), pending) != below.end()) continue;
    }
    return card;
  }
  return -1;
}

void TMatchingDealer::Fill(int32_t card, int32_t id) {
  filled_[size_t(card)] = 1;
  LayoutIds[size_t(card)] = id;
  FillOrder.push_back(card);
  for (int32_t above : cover_->Above[size_t(card)]) --unfilledBelow_[size_t(above)];
}

bool TMatchingDealer::TryDeal(TRandom& random) {
  const int32_t layout = cover_->Count();
  used_.assign(size_t(total_), 0);
  filled_.assign(size_t(layout), 0);
  unfilledBelow_.resize(size_t(layout));
  for (int32_t i = 0; i < layout; ++i) unfilledBelow_[size_t(i)] = int32_t(cover_->Below[size_t(i)].size());
  LayoutIds.assign(size_t(layout), -1);
  StockIds.clear();
  StockOpened.clear();
  FillOrder.clear();
  int32_t n = 0, k = 0;
  while (n < layout) {
    const int32_t first = DrawUnused(random);
    const int32_t partner = DrawPartner(first, random);
    int32_t firstCard = -1;
    if (layout - n < total_ - k && random.Rand(0, 3) == 3) {
      InsertIntoStock(first, 1, random);
    } else {
      firstCard = PickLayoutCard(random, -1);
      if (firstCard < 0) return false;
      ++n;
    }
    if (layout - n < total_ - k - 1 && random.Rand(0, 3) == 3) {
      InsertIntoStock(partner, 1, random);
    } else {
      const int32_t card = PickLayoutCard(random, firstCard);
      if (card < 0) return false;
      if (firstCard >= 0) Fill(firstCard, first);
      Fill(card, partner);
      firstCard = -1;
      ++n;
    }
    if (firstCard >= 0) Fill(firstCard, first);
    k += 2;
  }
  while (int32_t(StockIds.size()) + layout < total_) {
    const int32_t first = DrawUnused(random);
    const int32_t partner = DrawPartner(first, random);
    InsertIntoStock(first, 0, random);
    InsertIntoStock(partner, 0, random);
  }
  return true;
}

int32_t TMatchingDealer::Deal(const TLayoutCover& cover, int32_t decks, TRandom& random, int32_t giveUp) {
  cover_ = &cover;
  total_ = 52 * (decks < 1 ? 1 : decks);
  Restarts = 0;
  for (;;) {
    if (TryDeal(random)) return 1;
    ++Restarts;
    if (giveUp && Restarts > MaxRestarts) return 0;
  }
}
