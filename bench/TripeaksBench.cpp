// The whole Tri Peaks Shuffle (deal generation with its solver playouts,
// repeated until a deal is accepted) for every standard layout: it runs
// inside one logic tick, so the player must never notice it. Each layout
// reports its cards, decks, the mean number of complete deals tried per
// accepted one, and the median and 99th-percentile time of one Shuffle.
#include "BenchData.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeTripeaks.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/TState.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>


namespace {

void BM_TripeaksShuffle(benchmark::State& state, int number) {
  const std::string root = DataRoot();
  if (root.empty() || !LoadPictures(root)) {
    state.SkipWithError("no data tree: run from the build folder or set MARROWDECK_DATA");
    return;
  }
  GamePlay = std::make_shared<TGamePlay>();
  GameState = std::make_shared<TState>();
  auto mode = std::make_shared<TGameModeTripeaks>();
  GamePlay->GameMode = mode;
  char name[64];
  std::snprintf(name, sizeof(name), "layouts/tripeaks/%03d.layout", number);
  mode->Init(root + name, 0);
  // Wall time as the player would wait, and the thread's own CPU time.
  auto cpuMs = ThreadCpuMs;
  std::vector<double> times, cpuTimes;
  int64_t attempts = 0, accepted = 0;
  uint32_t seed = 0;
  for (auto _ : state) {
    mode->Random.Seed(++seed);
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = cpuMs();
    mode->Shuffle();
    cpuTimes.push_back(cpuMs() - cpuStart);
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    attempts += mode->Dealer.Attempts;
    accepted += mode->Dealer.Solved;
  }
  std::sort(times.begin(), times.end());
  std::sort(cpuTimes.begin(), cpuTimes.end());
  state.counters["cards"] = mode->Cards->Count();
  state.counters["decks"] = mode->GetNumberOfStocks();
  state.counters["attempts"] = double(attempts) / double(std::max<int64_t>(accepted, 1));
  state.counters["accepted"] = double(accepted) / double(times.size());
  state.counters["p50_ms"] = times[times.size() / 2];
  const size_t p99 = std::min(times.size() - 1, times.size() * 99 / 100);
  state.counters["p99_ms"] = times[p99];
  state.counters["cpu_p50_ms"] = cpuTimes[cpuTimes.size() / 2];
  state.counters["cpu_p99_ms"] = cpuTimes[p99];
  GamePlay.reset();
  GameState.reset();
}

const bool registered = [] {
  for (int number = 1; number <= 32; ++number) {
    char name[64];
    std::snprintf(name, sizeof(name), "BM_TripeaksShuffle/%03d", number);
    benchmark::RegisterBenchmark(name, BM_TripeaksShuffle, number)->Iterations(1000)->Unit(benchmark::kMillisecond);
  }
  return true;
}();

} // namespace

BENCHMARK_MAIN();
