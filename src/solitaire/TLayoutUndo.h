#pragma once
#include "solitaire/CardCopies.h"
#include "solitaire/TCardList.h"

#include <cstdint>
#include <memory>

// One undo snapshot of a layout game (Tri Peaks, Matching): deep copies of
// the layout and the stock and what taking the play back costs. Restoring
// gives the mode fresh copies, so a snapshot can be restored any number of
// times. Snapshot (the variant's own class) says how its stock is copied:
// static std::shared_ptr<StockType> CopyStock(const std::shared_ptr<StockType>&),
// the copy's GameMode null.
template <class Snapshot, class Mode, class StockType> class TLayoutUndo {
public:
  void Clear() {
    ScorePoints = BonusMatch = 0;
    Cards.reset();
    Stock.reset();
  }
  void SetFromCurrentValues(const Mode& mode, int32_t scorePoints, int32_t bonusMatch) {
    Clear();
    ScorePoints = scorePoints;
    BonusMatch = bonusMatch;
    Cards = CopyCardList(mode.Cards);
    Stock = Snapshot::CopyStock(mode.Stock);
  }
  // The restored stock's GameMode is null; the caller sets it.
  void SetAsCurrentValues(Mode& mode) const {
    mode.Cards = CopyCardList(Cards);
    mode.Stock = Snapshot::CopyStock(Stock);
    if (!mode.Cards) mode.Cards = TCardList::Create();
    if (!mode.Stock) {
      mode.Stock = std::make_shared<StockType>();
      mode.Stock->Clear();
    }
  }

  int32_t ScorePoints = 0; // -60 for a play, 0 for the deal
  int32_t BonusMatch = 0;  // 1 when the play after this snapshot earned a flying bonus
  std::shared_ptr<TCardList> Cards;
  std::shared_ptr<StockType> Stock;
};
