#include "solitaire/TTripeaksUndo.h"

#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeTripeaks.h"
#include "solitaire/TTripeaksStock.h"

namespace {
// A copy in no list (the original may lie in a list the copy will outlive).
std::shared_ptr<TCard> CopyCard(const std::shared_ptr<TCard>& card) {
  if (!card) return nullptr;
  auto copy = card->Clone();
  copy->Cards = nullptr;
  return copy;
}
} // namespace

std::shared_ptr<TCardList> TTripeaksUndo::CopyList(const std::shared_ptr<TCardList>& list) {
  if (!list) return nullptr;
  auto copy = list->Clone();
  copy->CurrentPosition = list->CurrentPosition;
  return copy;
}

std::shared_ptr<TTripeaksStock> TTripeaksUndo::CopyStock(const std::shared_ptr<TTripeaksStock>& stock) {
  if (!stock) return nullptr;
  auto copy = std::make_shared<TTripeaksStock>();
  copy->GameMode = nullptr;
  copy->Cards = CopyList(stock->Cards);
  copy->MovingCards = TCardList::Create();
  // The open card is a turned pile card or the clone of a played one; it
  // is copied on its own (a copy of the pile's card when it is one of them).
  copy->StockCard1 = CopyCard(stock->StockCard1);
  if (stock->StockCard1 && stock->Cards) {
    const int32_t index = stock->Cards->IndexOf(stock->StockCard1.get());
    if (index >= 0) copy->StockCard1 = copy->Cards->ValueAtIndex(index);
  }
  copy->StockEmptyCard = CopyCard(stock->StockEmptyCard);
  copy->StockDeniedCard = CopyCard(stock->StockDeniedCard);
  return copy;
}

void TTripeaksUndo::Clear() {
  ScorePoints = BonusMatch = 0;
  Cards.reset();
  Stock.reset();
}

void TTripeaksUndo::SetFromCurrentValues(const TGameModeTripeaks& mode, int32_t scorePoints, int32_t bonusMatch) {
  Clear();
  ScorePoints = scorePoints;
  BonusMatch = bonusMatch;
  Cards = CopyList(mode.Cards);
  Stock = CopyStock(mode.Stock);
}

void TTripeaksUndo::SetAsCurrentValues(TGameModeTripeaks& mode) const {
  mode.Cards = CopyList(Cards);
  mode.Stock = CopyStock(Stock);
  if (!mode.Cards) mode.Cards = TCardList::Create();
}
