// Matching deal generation for every standard layout: GenerateCards runs
// inside one logic tick (Shuffle), so the player must never notice it. Each
// layout reports its cards, decks, the mean number of restarts and the median
// and 99th-percentile time of one deal, wall and CPU. BM_MatchingCreateHints
// times the hint search the game runs after every landing card.
#include "BenchData.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeMatching.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/TState.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::shared_ptr<TGameModeMatching> StartMode(benchmark::State& state, int number) {
  const std::string root = DataRoot();
  if (root.empty() || !LoadPictures(root)) {
    state.SkipWithError("no data tree: run from the build folder or set MARROWDECK_DATA");
    return nullptr;
  }
  GamePlay = std::make_shared<TGamePlay>();
  GameState = std::make_shared<TState>();
  auto mode = std::make_shared<TGameModeMatching>();
  GamePlay->GameMode = mode;
  char name[64];
  std::snprintf(name, sizeof(name), "layouts/matching/%03d.layout", number);
  mode->Random.Seed(1);
  mode->Init(root + name, 0);
  return mode;
}

void BM_MatchingGenerateCards(benchmark::State& state, int number) {
  auto mode = StartMode(state, number);
  if (!mode) return;
  std::vector<double> times, cpuTimes;
  int64_t restarts = 0, dealt = 0;
  uint32_t seed = 0;
  for (auto _ : state) {
    mode->Random.Seed(++seed);
    mode->Cards->SetAsEmptyCards();
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ThreadCpuMs();
    dealt += mode->GenerateCards(1);
    cpuTimes.push_back(ThreadCpuMs() - cpuStart);
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    restarts += mode->Dealer.Restarts;
  }
  std::sort(times.begin(), times.end());
  std::sort(cpuTimes.begin(), cpuTimes.end());
  const size_t p99 = std::min(times.size() - 1, times.size() * 99 / 100);
  state.counters["cards"] = mode->Cards->Count();
  state.counters["decks"] = mode->GetNumberOfStocks();
  state.counters["restarts"] = double(restarts) / double(times.size());
  state.counters["dealt"] = double(dealt) / double(times.size());
  state.counters["p50_ms"] = times[times.size() / 2];
  state.counters["p99_ms"] = times[p99];
  state.counters["cpu_p50_ms"] = cpuTimes[cpuTimes.size() / 2];
  state.counters["cpu_p99_ms"] = cpuTimes[p99];
  GamePlay.reset();
  GameState.reset();
}

void BM_MatchingCreateHints(benchmark::State& state, int number) {
  auto mode = StartMode(state, number);
  if (!mode) return;
  for (auto _ : state) {
    mode->CreateHints();
    benchmark::DoNotOptimize(mode->HintList->size());
  }
  state.counters["cards"] = mode->Cards->Count();
  state.counters["hints"] = double(mode->HintList->size());
  GamePlay.reset();
  GameState.reset();
}

const bool registered = [] {
  for (int number = 1; number <= 80; ++number) {
    char name[64];
    std::snprintf(name, sizeof(name), "BM_MatchingGenerateCards/%03d", number);
    benchmark::RegisterBenchmark(name, BM_MatchingGenerateCards, number)->Iterations(1000)->Unit(benchmark::kMillisecond);
  }
  for (int number : {1, 40, 80}) {
    char name[64];
    std::snprintf(name, sizeof(name), "BM_MatchingCreateHints/%03d", number);
    benchmark::RegisterBenchmark(name, BM_MatchingCreateHints, number)->Unit(benchmark::kMicrosecond);
  }
  return true;
}();

} // namespace

BENCHMARK_MAIN();
