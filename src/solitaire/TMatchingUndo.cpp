#include "solitaire/TMatchingUndo.h"

#include "solitaire/CardCopies.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeMatching.h"
#include "solitaire/TMatchingStock.h"

std::shared_ptr<TMatchingStock> TMatchingUndo::CopyStock(const std::shared_ptr<TMatchingStock>& stock) {
  if (!stock) return nullptr;
  auto copy = std::make_shared<TMatchingStock>();
  copy->GameMode = nullptr;
  copy->Cards = CopyCardList(stock->Cards);
  copy->MovingCards = TCardList::Create();
  copy->StockCard1 = CopyCardOf(stock->StockCard1, stock->Cards.get(), copy->Cards.get());
  copy->StockCard2 = CopyCardOf(stock->StockCard2, stock->Cards.get(), copy->Cards.get());
  copy->StockEmptyCard = CopyLooseCard(stock->StockEmptyCard);
  return copy;
}

void TMatchingUndo::Clear() {
  ScorePoints = BonusMatch = 0;
  Cards.reset();
  Stock.reset();
}

void TMatchingUndo::SetFromCurrentValues(const TGameModeMatching& mode, int32_t scorePoints, int32_t bonusMatch) {
  Clear();
  ScorePoints = scorePoints;
  BonusMatch = bonusMatch;
  Cards = CopyCardList(mode.Cards);
  Stock = CopyStock(mode.Stock);
}

void TMatchingUndo::SetAsCurrentValues(TGameModeMatching& mode) const {
  mode.Cards = CopyCardList(Cards);
  mode.Stock = CopyStock(Stock);
  if (!mode.Cards) mode.Cards = TCardList::Create();
  if (!mode.Stock) {
    mode.Stock = std::make_shared<TMatchingStock>();
    mode.Stock->Clear();
  }
}
