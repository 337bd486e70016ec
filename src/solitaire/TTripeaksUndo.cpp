#include "solitaire/TTripeaksUndo.h"

#include "solitaire/CardCopies.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeTripeaks.h"
#include "solitaire/TTripeaksStock.h"

std::shared_ptr<TTripeaksStock> TTripeaksUndo::CopyStock(const std::shared_ptr<TTripeaksStock>& stock) {
  if (!stock) return nullptr;
  auto copy = std::make_shared<TTripeaksStock>();
  copy->GameMode = nullptr;
  copy->Cards = CopyCardList(stock->Cards);
  copy->MovingCards = TCardList::Create();
  // The open card is a turned pile card or the clone of a played one; it
  // is copied on its own (a copy of the pile's card when it is one of them).
  copy->StockCard1 = CopyCardOf(stock->StockCard1, stock->Cards.get(), copy->Cards.get());
  copy->StockEmptyCard = CopyLooseCard(stock->StockEmptyCard);
  copy->StockDeniedCard = CopyLooseCard(stock->StockDeniedCard);
  return copy;
}
