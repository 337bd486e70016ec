#include "solitaire/TSolitaireUndo.h"

#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeKlondike.h"
#include "solitaire/TStock.h"

namespace {
std::shared_ptr<TCard> CloneOf(const std::shared_ptr<TCard>& card) { return card ? card->Clone() : nullptr; }

std::shared_ptr<TCardList> CloneOf(const std::shared_ptr<TCardList>& list) {
  if (!list) return TCardList::Create();
  auto copy = list->Clone();
  copy->CurrentPosition = list->CurrentPosition;
  return copy;
}

std::shared_ptr<TStock> CloneOf(const TStock* stock) {
  auto copy = std::make_shared<TStock>(nullptr);
  if (!stock) {
    copy->Clear();
    return copy;
  }
  copy->Cards = CloneOf(stock->Cards);
  copy->StockEmptyCard = CloneOf(stock->StockEmptyCard);
  copy->StockCardTop = CloneOf(stock->StockCardTop);
  copy->StockCardBottom = CloneOf(stock->StockCardBottom);
  return copy;
}
} // namespace

void TSolitaireUndo::Clear() { *this = TSolitaireUndo(); }

void TSolitaireUndo::SetFromCurrentValues(const TGameModeKlondike& mode, int32_t points) {
  Clear();
  ScorePoints = points;
  Cards = CloneOf(mode.Cards);
  Stock = CloneOf(mode.Stock.get());
  for (size_t i = 0; i < Foundation.size(); ++i) Foundation[i] = CloneOf(mode.Foundation[i]);
  for (size_t i = 0; i < EmptyColumnCard.size(); ++i) EmptyColumnCard[i] = CloneOf(mode.EmptyColumnCard[i]);
}

void TSolitaireUndo::SetAsCurrentValues(TGameModeKlondike& mode) const {
  mode.Cards = CloneOf(Cards);
  mode.Stock = CloneOf(Stock.get());
  for (size_t i = 0; i < Foundation.size(); ++i) mode.Foundation[i] = CloneOf(Foundation[i]);
  for (size_t i = 0; i < EmptyColumnCard.size(); ++i) mode.EmptyColumnCard[i] = CloneOf(EmptyColumnCard[i]);
}
