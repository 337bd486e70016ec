#include "solitaire/TTripeaksDealer.h"

#include "solitaire/TLayoutCover.h"
#include "solitaire/TRandom.h"

#include <bit>

namespace {
// Set bits of a word; matches are few, so counting them one by one is cheap.
int32_t CountBits(uint64_t m) {
  int32_t n = 0;
  for (; m; m &= m - 1) ++n;
  return n;
}
} // namespace

bool TTripeaksDealer::Neighbours(int32_t a, int32_t b) {
  if (a == 13) return b == 1 || b == 12;
  if (a == 1) return b == 13 || b == 2;
  return a - b == 1 || b - a == 1;
}

int32_t TTripeaksDealer::DrawCard(TRandom& random) {
  int32_t id;
  do id = random.Rand(0, total_ - 1);
  while (used_[size_t(id)]);
  used_[size_t(id)] = 1;
  return id;
}

// Into an empty stock the card is appended; otherwise it goes directly
// before a random card, so it never becomes the last one.
void TTripeaksDealer::InsertIntoStock(int32_t id, uint8_t opened, TRandom& random) {
  if (StockIds.empty()) {
    StockIds.push_back(id);
    StockOpened.push_back(opened);
    return;
  }
  const int32_t at = random.Rand(0, int32_t(StockIds.size()) - 1);
  StockIds.insert(StockIds.begin() + at, id);
  StockOpened.insert(StockOpened.begin() + at, opened);
}

bool TTripeaksDealer::TryDeal(TRandom& random, bool mayAbandon) {
  const int32_t layout = cover_->Count();
  used_.assign(size_t(total_), 0);
  filled_.assign(size_t(layout), 0);
  unfilledBelow_.resize(size_t(layout));
  for (int32_t i = 0; i < layout; ++i) unfilledBelow_[size_t(i)] = int32_t(cover_->Below[size_t(i)].size());
  LayoutIds.assign(size_t(layout), -1);
  StockIds.clear();
  StockOpened.clear();
  int32_t n = 0, k = 0;
  while (n < layout) {
    const int32_t id = DrawCard(random);
    if (layout - n < total_ - k && random.Rand(0, 3) == 3) {
      InsertIntoStock(id, 1, random);
      ++k;
      continue;
    }
    int32_t unsuitable = 0, card;
    for (;;) {
      card = random.Rand(0, layout - 1);
      if (!filled_[size_t(card)] && unfilledBelow_[size_t(card)] == 0) break;
      if (++unsuitable >= UnsuitablePicksToAbandon) {
        if (mayAbandon) return false;
        // Past the abandon bound: the first suitable card in list order.
        for (card = 0; filled_[size_t(card)] || unfilledBelow_[size_t(card)] != 0; ++card) {}
        break;
      }
    }
    filled_[size_t(card)] = 1;
    LayoutIds[size_t(card)] = id;
    for (int32_t above : cover_->Above[size_t(card)]) --unfilledBelow_[size_t(above)];
    ++n, ++k;
  }
  while (int32_t(StockIds.size()) < total_ - layout) InsertIntoStock(DrawCard(random), 0, random);
  return true;
}

void TTripeaksDealer::Deal(const TLayoutCover& cover, int32_t decks, TRandom& random) {
  cover_ = &cover;
  total_ = 52 * (decks < 1 ? 1 : decks);
  Attempts = Abandoned = Solved = 0;
  std::vector<int32_t> keptLayout, keptStock;
  std::vector<uint8_t> keptOpened;
  for (;;) {
    if (!TryDeal(random, Abandoned < MaxAbandonedAttempts)) {
      ++Abandoned;
      continue;
    }
    ++Attempts;
    if (SolveLevel(random)) {
      Solved = 1;
      return;
    }
    if (Attempts >= MaxDealAttempts) return; // the last complete deal stays, unsolved
  }
}

int32_t TTripeaksDealer::SolveLevel(TRandom& random) {
  const int32_t layout = int32_t(LayoutIds.size());
  words_ = (layout + 63) / 64;
  initialCovers_.resize(size_t(layout));
  initialFaceUp_.assign(size_t(words_), 0);
  rankCards_.assign(size_t(14 * words_), 0);
  for (int32_t i = 0; i < layout; ++i) {
    initialCovers_[size_t(i)] = int32_t(cover_->Above[size_t(i)].size());
    if (initialCovers_[size_t(i)] == 0) initialFaceUp_[size_t(i / 64)] |= uint64_t(1) << (i % 64);
    rankCards_[size_t(NumberOfID(LayoutIds[size_t(i)]) * words_ + i / 64)] |= uint64_t(1) << (i % 64);
  }
  matches_.resize(size_t(words_));
  for (int32_t i = 0; i < Playouts; ++i)
    if (Playout(random)) return 1;
  return 0;
}

bool TTripeaksDealer::Playout(TRandom& random) {
  const int32_t layout = int32_t(LayoutIds.size());
  coversLeft_ = initialCovers_;
  faceUp_ = initialFaceUp_;
  int32_t remaining = layout;
  int32_t stockPosition = int32_t(StockIds.size()) - 1;
  int32_t open = 0;
  bool needDraw = true;
  for (;;) {
    if (needDraw) {
      // The solver never turns the last stock card (index 0).
      if (stockPosition <= 0) return false;
      open = NumberOfID(StockIds[size_t(stockPosition)]);
      --stockPosition;
    }
    const int32_t lower = open == 1 ? 13 : open - 1, upper = open == 13 ? 1 : open + 1;
    int32_t found = 0;
    for (int32_t w = 0; w < words_; ++w) {
      const uint64_t m = faceUp_[size_t(w)] &
                         (rankCards_[size_t(lower * words_ + w)] | rankCards_[size_t(upper * words_ + w)]);
      matches_[size_t(w)] = m;
      found += CountBits(m);
    }
    if (found == 0) {
      needDraw = true;
      continue;
    }
    // The chosen match, counted in list order.
    int32_t pick = random.Rand(0, found - 1), card = -1;
    for (int32_t w = 0; w < words_; ++w) {
      uint64_t m = matches_[size_t(w)];
      const int32_t here = CountBits(m);
      if (pick >= here) {
        pick -= here;
        continue;
      }
      for (; pick > 0; --pick) m &= m - 1;
      card = w * 64 + std::countr_zero(m);
      break;
    }
    open = NumberOfID(LayoutIds[size_t(card)]);
    faceUp_[size_t(card / 64)] &= ~(uint64_t(1) << (card % 64));
    for (int32_t below : cover_->Below[size_t(card)])
      if (--coversLeft_[size_t(below)] == 0) faceUp_[size_t(below / 64)] |= uint64_t(1) << (below % 64);
    if (--remaining == 0) return true;
    needDraw = false;
  }
}
