#pragma once
#include "app/Delta.h"
#include "app/TScreen.h"

#include <string>

// A screen that counts what the main loop asks of it.
class CountingScreen : public TScreen {
public:
  explicit CountingScreen(const std::string& screenName) { name = screenName; }
  int Load() override { ++Loads; return 1; }
  int Start() override { ++Starts; return TScreen::Start(); }
  int Kill() override { ++Kills; return TScreen::Kill(); }
  int PostFadeIn() override { ++FadeIns; return 1; }
  int Logic() override {
    ++LogicTicks;
    DeltaSum += Delta;
    return 1;
  }

  int Loads = 0, Starts = 0, Kills = 0, FadeIns = 0, LogicTicks = 0;
  double DeltaSum = 0;
};
