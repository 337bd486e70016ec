#pragma once
#include <gtest/gtest.h>

#include "app/Clock.h"
#include "app/InputTables.h"
#include "app/TGame.h"
#include "app/TScreen.h"
#include "platform/Audio.h"
#include "support/HeadlessGraphics.h"

// A fresh Game on the headless surface, driven by a clock the test sets.
class GameFixture : public test_support::HeadlessGraphics {
protected:
  void SetUp() override {
    test_support::HeadlessGraphics::SetUp();
    platform::audio::SelectDriver("None");
    now = 0;
    SetClockSource([this] { return now; });
    Game = std::make_shared<TGame>();
    Game->VSync = 0;
    Game->SetWindowCoords();
    Game->SetClientCoords();
    Game->FixedRateLogic.Create();
    Game->FixedRateLogic.Init();
    FlushKeys();
    Game->Mouse->ClearButtons();
  }
  void TearDown() override {
    Game.reset();
    SetClockSource(nullptr);
    FlushKeys();
  }

  double now = 0;
};

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
    DeltaSum += DeltaSeen();
    return 1;
  }
  static float DeltaSeen();

  int Loads = 0, Starts = 0, Kills = 0, FadeIns = 0, LogicTicks = 0;
  double DeltaSum = 0;
};

#include "app/Delta.h"
inline float CountingScreen::DeltaSeen() { return Delta; }
