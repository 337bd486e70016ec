// Building one page of a level list: eight standard Matching layouts read,
// drawn at a quarter scale into off-screen pictures and grabbed, and the
// completed marks read. It runs when a play screen opens and on every page
// turn, inside one logic tick, so it must stay well below what a player
// would notice as a stutter. Reports the median and 99th-percentile time of
// one page.
#include "BenchData.h"
#include "HeadlessBench.h"
#include "screens/LevelFiles.h"
#include "screens/LevelThumbnails.h"
#include "screens/VQLevelList.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void BM_LevelListPage(benchmark::State& state) {
  const std::string root = DataRoot();
  if (root.empty() || !LoadPictures(root) || !OpenHeadlessGraphics()) {
    state.SkipWithError("no data tree or no drawing surface: run from the build folder or set MARROWDECK_DATA");
    return;
  }
  // A player who has won every other layout.
  const std::string marks = "/tmp/marrowdeck-bench-" + std::to_string(getpid());
  for (int n = 1; n <= 80; n += 2) {
    char layout[32];
    std::snprintf(layout, sizeof(layout), "%03d.layout", n);
    MarkLevelCompleted(marks + "ms", layout, "1");
  }
  VQLevelList list;
  list.FolderPath = root + "layouts/matching/";
  list.FilePrefix = "layout";
  list.LevelCompletedPath = "/tmp/";
  list.LevelCompletedFile = marks.substr(5) + "ms";
  list.CreateLevelImageFunction = CreateLevelThumbnail;
  list.Init();
  std::vector<double> times;
  int32_t page = 0, ticks = 0;
  for (auto _ : state) {
    list.CurrentPagePosition = page;
    const auto start = std::chrono::steady_clock::now();
    list.CreateImages(0);
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    ticks += int32_t(std::count(list.LevelCompletedList.begin(), list.LevelCompletedList.end(), "1"));
    page = (page + list.NumLevelItems) % int32_t(list.LevelList.size());
  }
  std::remove((marks + "ms.ini").c_str());
  std::sort(times.begin(), times.end());
  state.counters["layouts"] = double(list.LevelList.size());
  state.counters["ticks_per_page"] = double(ticks) / double(times.size());
  state.counters["p50_ms"] = times[times.size() / 2];
  state.counters["p99_ms"] = times[std::min(times.size() - 1, times.size() * 99 / 100)];
}

BENCHMARK(BM_LevelListPage)->Iterations(200)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
