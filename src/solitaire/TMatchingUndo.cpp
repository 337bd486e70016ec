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
