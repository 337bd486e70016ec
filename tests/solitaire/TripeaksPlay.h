#pragma once
#include "LayoutPlay.h"
#include "solitaire/TGameModeTripeaks.h"
#include "solitaire/TTripeaksStock.h"

// A Tri Peaks game in the session, driven headless.
class TripeaksPlay : public LayoutPlay<TGameModeTripeaks> {
protected:
  void SetAllStockRanks(int rank) {
    for (const auto& card : *mode->Stock->Cards) SetRank(card, rank);
  }
};
