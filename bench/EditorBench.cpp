// The layout editor's check, run when the player presses save: the overlaps
// worked out from the pixels and the Matching deal generator with its 300
// restarts, inside one logic tick. Layouts of overlapping layers:
// 102 cards that pass; 104 cards that deal but leave Tri Peaks no stock; and
// 102 cards whose generator gives up after 300 restarts (a stack of 30 cards
// on one spot on top of 72 spread ones: the stack almost never empties before
// the spread cards run out, so nearly every attempt fails near its end, the
// dearest way to fail); and the 1000 cards the editor places at most, in
// stacks no deal fits. Each reports the result, the mean restarts and the
// share of checks the generator dealt and the median and 99th-percentile
// time of one check, wall and CPU.
#include "BenchData.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeEditor.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

// Layers of 9 x 4 cards filling the editing area, each layer shifted by
// (20, 8) onto the one below (from the fourth on, the three again), every third card turned a little.
void Dense(TCardList& cards, int count) {
  const auto& back = Images->Find("cardback1");
  for (int i = 0; i < count; ++i) {
    const int layer = (i / 36) % 3, column = i % 9, row = (i % 36) / 9;
    const float angle = i % 3 == 0 ? 10.0f : i % 3 == 1 ? 0.0f : 350.0f;
    cards.AddNew(float(70 + column * 78 + layer * 20), float(75 + row * 100 + layer * 8), back, 1, 1, 0, angle);
  }
}

void Build(TCardList& cards, int kind) {
  switch (kind) {
  case 0: Dense(cards, 102); break;
  case 1: Dense(cards, 104); break;
  case 3: Dense(cards, 1000); break;
  default:
    Dense(cards, 72);
    for (int i = 0; i < 30; ++i) cards.AddNew(400, 230, Images->Find("cardback1"), 1, 1, 0, 0);
    break;
  }
}

void BM_EditorIsLayoutValid(benchmark::State& state, int kind) {
  const std::string root = DataRoot();
  if (root.empty() || !LoadPictures(root)) {
    state.SkipWithError("no data tree: run from the build folder or set MARROWDECK_DATA");
    return;
  }
  TGameModeEditor editor;
  Build(*editor.Cards, kind);
  editor.UpdatedCards();
  std::vector<double> times, cpuTimes;
  int64_t restarts = 0, dealt = 0;
  int32_t result = -1;
  uint32_t seed = 0;
  for (auto _ : state) {
    editor.Random.Seed(++seed);
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ThreadCpuMs();
    result = editor.IsLayoutValid();
    cpuTimes.push_back(ThreadCpuMs() - cpuStart);
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    restarts += editor.Dealer.Restarts;
    dealt += editor.Dealer.Restarts <= TMatchingDealer::MaxRestarts ? 1 : 0;
  }
  std::sort(times.begin(), times.end());
  std::sort(cpuTimes.begin(), cpuTimes.end());
  const size_t p99 = std::min(times.size() - 1, times.size() * 99 / 100);
  state.counters["cards"] = editor.Cards->Count();
  state.counters["result"] = result;
  state.counters["restarts"] = double(restarts) / double(times.size());
  state.counters["dealt"] = double(dealt) / double(times.size()); // share of checks whose generator found a deal
  state.counters["p50_ms"] = times[times.size() / 2];
  state.counters["p99_ms"] = times[p99];
  state.counters["cpu_p50_ms"] = cpuTimes[cpuTimes.size() / 2];
  state.counters["cpu_p99_ms"] = cpuTimes[p99];
}

BENCHMARK_CAPTURE(BM_EditorIsLayoutValid, pass102, 0)->Iterations(200)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EditorIsLayoutValid, deals104, 1)->Iterations(200)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EditorIsLayoutValid, fail300, 2)->Iterations(50)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EditorIsLayoutValid, most1000, 3)->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
