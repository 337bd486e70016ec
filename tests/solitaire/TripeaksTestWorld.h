#pragma once
#include "CardTestWorld.h"
#include "app/TGame.h"
#include "solitaire/TGameMode.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/TState.h"

#include <cstdio>
#include <string>

// The card world (with its fresh session: GamePlay, GameState) and the
// standard Tri Peaks layouts for the Tri Peaks tests.
class TripeaksTestWorld : public CardTestWorld {
protected:
  static constexpr int StandardLayouts = 32;
  // "layouts/tripeaks/001.layout" .. "032.layout" in the data tree.
  static std::string StandardLayout(int number) {
    char name[64];
    std::snprintf(name, sizeof(name), "layouts/tripeaks/%03d.layout", number);
    return test_support::DataPath(name);
  }
  // `count` straight cards in rows of 13, 40 pixels apart and 30 down, so each lies on its left neighbour.
  static void FillRows(TCardList& list, int count, const std::shared_ptr<TGameImage>& back) {
    for (int i = 0; i < count; ++i) list.AddNew(float(60 + (i % 13) * 40), float(160 + (i / 13) * 30), back, 1, 1, 0, 0);
  }
};
