#include "solitaire/CardCopies.h"

#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"

std::shared_ptr<TCard> CopyLooseCard(const std::shared_ptr<TCard>& card) {
  if (!card) return nullptr;
  auto copy = card->Clone();
  copy->Cards = nullptr;
  return copy;
}

std::shared_ptr<TCardList> CopyCardList(const std::shared_ptr<TCardList>& list) {
  if (!list) return nullptr;
  auto copy = list->Clone();
  copy->CurrentPosition = list->CurrentPosition;
  return copy;
}

std::shared_ptr<TCard> CopyCardOf(const std::shared_ptr<TCard>& card, const TCardList* original, const TCardList* copy) {
  if (!card) return nullptr;
  if (original && copy) {
    const int32_t index = original->IndexOf(card.get());
    if (index >= 0) return copy->ValueAtIndex(index);
  }
  return CopyLooseCard(card);
}
