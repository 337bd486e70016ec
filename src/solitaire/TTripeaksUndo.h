#pragma once
#include "solitaire/TLayoutUndo.h"

#include <memory>

class TGameModeTripeaks;
class TTripeaksStock;

// One undo snapshot of a Tri Peaks game: the layout and the stock (cards,
// pile position, open card) and what taking the play back costs.
class TTripeaksUndo : public TLayoutUndo<TTripeaksUndo, TGameModeTripeaks, TTripeaksStock> {
public:
  // A deep copy with CurrentPosition kept (nullptr stays nullptr).
  static std::shared_ptr<TTripeaksStock> CopyStock(const std::shared_ptr<TTripeaksStock>& stock);
};
