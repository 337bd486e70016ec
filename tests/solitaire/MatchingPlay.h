#pragma once
#include "LayoutPlay.h"
#include "solitaire/TGameModeMatching.h"
#include "solitaire/TMatchingStock.h"

#include <cstdio>
#include <string>

// A Matching game in the session, driven headless, and the standard layouts.
class MatchingPlay : public LayoutPlay<TGameModeMatching> {
protected:
  static constexpr int MatchingLayouts = 80;
  // "layouts/matching/001.layout" .. "080.layout" in the data tree.
  static std::string MatchingLayout(int number) {
    char name[64];
    std::snprintf(name, sizeof(name), "layouts/matching/%03d.layout", number);
    return test_support::DataPath(name);
  }
  // Turns the pile (or recycles it) with D and waits for the cards to land.
  void Turn() {
    PressD();
    Settle();
  }
};
