#pragma once
#include "solitaire/TLayoutUndo.h"

#include <memory>

class TGameModeMatching;
class TMatchingStock;

// One undo snapshot of a Matching game: the layout and the stock (cards,
// pile position, both open cards, the empty place) and what taking the match
// back costs.
class TMatchingUndo : public TLayoutUndo<TMatchingUndo, TGameModeMatching, TMatchingStock> {
public:
  // A deep copy with CurrentPosition kept (nullptr stays nullptr).
  static std::shared_ptr<TMatchingStock> CopyStock(const std::shared_ptr<TMatchingStock>& stock);
};
