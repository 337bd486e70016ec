// The per-frame cost of the application core: the frame-time bookkeeping of
// the fixed-rate logic, and one whole frame of logic ticks (event pump, keys,
// fader, screen change, screen logic) with an idle screen, headless.
#include <benchmark/benchmark.h>

#include "HeadlessBench.h"
#include "app/Clock.h"
#include "app/TGame.h"
#include "app/TScreen.h"
#include "platform/Audio.h"
#include "platform/Graphics.h"
#include "screens/GameGlobals.h"

#include <cstdlib>

namespace {

double fakeNow = 0;
int frameCount = 0;

// The clock of a 60 Hz display read in whole milliseconds: 17, 16, 17, ... ms.
void NextFrame() {
  ++frameCount;
  fakeNow = double((frameCount * 1000 + 30) / 60);
}

void OpenHeadless() {
  OpenHeadlessGraphics();
  platform::audio::SelectDriver("None");
}

void BM_FixedRateCalc(benchmark::State& state) {
  SetClockSource([] { return fakeNow; });
  TFixedRateLogic logic;
  logic.Create();
  logic.Init();
  for (auto _ : state) {
    NextFrame();
    logic.Calc();
    benchmark::DoNotOptimize(logic.NumTicks);
  }
  SetClockSource(nullptr);
}
BENCHMARK(BM_FixedRateCalc);

// One 60 Hz frame: about three and a third logic ticks.
void BM_MainLogicLoopFrame(benchmark::State& state) {
  OpenHeadless();
  SetClockSource([] { return fakeNow; });
  CreateGameGlobals();
  Game->FixedRateLogic.Create();
  Game->FixedRateLogic.Init();
  Game->SetWindowCoords();
  Game->CurrentTScreen = std::make_shared<TScreen>();
  for (auto _ : state) {
    NextFrame();
    benchmark::DoNotOptimize(Game->MainLogicLoop());
  }
  state.counters["ticks/frame"] = Game->FixedRateLogic.NumTicks;
  ResetGameGlobals();
  SetClockSource(nullptr);
}
BENCHMARK(BM_MainLogicLoopFrame);

} // namespace

BENCHMARK_MAIN();
