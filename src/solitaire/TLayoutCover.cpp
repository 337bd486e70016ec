#include "solitaire/TLayoutCover.h"

#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"

void TLayoutCover::Compute(const TCardList& cards) {
  const int32_t count = cards.Count();
  Below.assign(size_t(count), {});
  Above.assign(size_t(count), {});
  places_.clear();
  const auto& items = cards.Items();
  for (int32_t i = 0; i < count; ++i) {
    const auto& card = items[size_t(i)];
    places_.push_back({card->x, card->y, card->RotationAngle});
    // GetAllCardsOnTop finds the card by its index, which may be stale.
    card->Position = i;
  }
  for (int32_t i = 0; i < count; ++i) {
    const auto onTop = items[size_t(i)]->GetAllCardsOnTop();
    for (const auto& other : *onTop) {
      const int32_t j = cards.IndexOf(other.get());
      if (j <= i) continue;
      Above[size_t(i)].push_back(j);
      Below[size_t(j)].push_back(i);
    }
  }
}

int32_t TLayoutCover::Matches(const TCardList& cards) const {
  if (cards.Count() != int32_t(places_.size())) return 0;
  for (size_t i = 0; i < places_.size(); ++i) {
    const auto& card = cards.Items()[i];
    if (card->x != places_[i].x || card->y != places_[i].y || card->RotationAngle != places_[i].angle) return 0;
  }
  return 1;
}
