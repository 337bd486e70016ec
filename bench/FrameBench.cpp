// Whole frames of the game as it runs them: the real start-up (settings,
// packs, fonts, every picture, sound and music), then frames of the main loop
// (the logic ticks the clock asks for, the screen's drawing with the pointer,
// the software renderer rasterising into its off-screen canvas and the
// present), paced at 60 Hz as in the game, on the headless surface.
//
// - BM_TitleFrame: the title screen with its glowing logo, the pointer at rest.
// - BM_KlondikeTableFrame: a Klondike table at rest after the deal.
// - BM_BusiestFrame: the victory fireworks at the highest particle setting
//   over a full Klondike table (all 52 cards dealt: the seven columns and
//   the stock), the busiest frame the game draws.
//
// The game's clock moves by exactly 1/60 s per frame, so every run draws the
// same frames. Each iteration is one frame; its time is the CPU time of the game's thread
// for that frame (the pacing's sleep is not in it, and other programs on a
// busy machine do not stretch it). Counters: the mean, the 99th percentile
// and the worst frame, and for the fireworks the most particles alive and
// the mean frame time at the peak (frames with at least 90 % of that many).
#include "app/AppGlobals.h"
#include "app/Clock.h"
#include "app/ErrorReporter.h"
#include "app/TGame.h"
#include "effects/ParticleRandom.h"
#include "effects/TParticleList.h"
#include "screens/GameGlobals.h"
#include "screens/GameSetup.h"
#include "screens/ProgramEntry.h"
#include "screens/TGameGUI.h"
#include "screens/TGameScreen.h"
#include "screens/TTitleScreen.h"
#include "solitaire/LevelTimer.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeKlondike.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/VictoryParticles.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <time.h>

namespace {

double ThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The game's clock moves by exactly one 60 Hz frame per frame, so that the
// logic ticks, the fireworks' bursts and so every frame drawn are the same
// from run to run.
double frameClock = 0;

void Frame() {
  frameClock += 1000.0 / 60.0;
  RunFrame();
}

// The player "Tester" chosen in the settings, with the marker file that makes
// the player known, so that the title shows its menu and no name prompt.
void PlantPlayer(const std::string& shared) {
  std::filesystem::create_directories(shared + "/profiles");
  std::ofstream(shared + "/profiles/Tester.dat", std::ios::binary).write("\1\0\0\0", 4);
  std::ifstream defaults(std::string(MARROWDECK_BENCH_DATA) + "/data/Default.ini", std::ios::binary);
  std::ofstream settings(shared + "/marrowdeck.ini", std::ios::binary);
  for (std::string line; std::getline(defaults, line);)
    settings << (line.rfind("PROFILE NAME=", 0) == 0 ? std::string("PROFILE NAME=Tester\r") : line) << "\n";
}

// The game started once for all benchmarks, in a fresh home with the
// default settings and a player, up to its title screen.
void StartGame() {
  static bool started = false;
  if (started) return;
  started = true;
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_RENDER_DRIVER", "software", 1);
  setenv("ALSOFT_DRIVERS", "null", 1);
  setenv("MARROWDECK_NO_MESSAGE_BOX", "1", 1);
  const std::string home = (std::filesystem::temp_directory_path() / "marrowdeck-framebench").string();
  std::filesystem::remove_all(home);
  std::filesystem::create_directories(home);
  setenv("HOME", home.c_str(), 1);
  setenv("XDG_DATA_HOME", (home + "/share").c_str(), 1);
  PlantPlayer(home + "/share/" + SharedDataFolder);
  InstallErrorReporter();
  CreateGameGlobals();
  Game->ProgramName = "marrowdeck"; // the game's own settings file, not one named after this program
  ScreenWidth = 800;
  ScreenHeight = 600;
  TRunOptions options;
  options.DataFolder = MARROWDECK_BENCH_DATA;
  options.FullScreen = 0;
  GameSetup(options);
  frameClock = AppMillisecs();
  SetClockSource([] { return frameClock; });
  Game->FixedRateLogic.Init();
  Game->NoTimingTicks = 3;
}

void RunFrames(int count) {
  for (int i = 0; i < count; ++i) Frame();
}

// Runs frames until `done` holds or `limit` frames have passed.
template <class Done> bool RunUntil(Done done, int limit) {
  for (int i = 0; i < limit && !done(); ++i) Frame();
  return done();
}

// What the play screen's "klondike" does, then the fade to the table and
// frames until the deal has come to rest.
std::shared_ptr<TGameModeKlondike> DealKlondike() {
  StartLevelTimer();
  GamePlay->Init(2, -1);
  auto mode = std::static_pointer_cast<TGameModeKlondike>(GamePlay->GameMode);
  mode->Seed(7);
  GameGUI->Start(1);
  GamePlay->GameMode->Init(KlondikeLayoutPath(), 0);
  Game->DestinationTScreen = GameScreen;
  Game->GameFade.Init(500.0f, 1, Game->MusicChannel);
  RunUntil([] { return Game->CurrentTScreen == GameScreen && !Game->Fading(); }, 600);
  RunUntil([&] { return !mode->IsBusy(); }, 1200);
  RunFrames(60);
  return mode;
}

struct FrameTimes {
  std::vector<double> ms;
  void Report(benchmark::State& state) const {
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    double sum = 0;
    for (double t : sorted) sum += t;
    state.counters["mean_ms"] = sorted.empty() ? 0 : sum / double(sorted.size());
    state.counters["p99_ms"] = sorted.empty() ? 0 : sorted[std::min(sorted.size() - 1, sorted.size() * 99 / 100)];
    state.counters["worst_ms"] = sorted.empty() ? 0 : sorted.back();
  }
};

// One frame of the main loop, timed by the CPU the thread spent on it.
double TimedFrame(benchmark::State& state) {
  const double start = ThreadCpuMs();
  Frame();
  const double ms = ThreadCpuMs() - start;
  state.SetIterationTime(ms / 1000.0);
  return ms;
}

void BM_TitleFrame(benchmark::State& state) {
  StartGame();
  RunUntil([] { return Game->CurrentTScreen == TitleScreen && !Game->Fading(); }, 1200);
  RunFrames(60);
  FrameTimes times;
  for (auto _ : state) times.ms.push_back(TimedFrame(state));
  times.Report(state);
}
BENCHMARK(BM_TitleFrame)->Iterations(600)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_KlondikeTableFrame(benchmark::State& state) {
  StartGame();
  DealKlondike();
  FrameTimes times;
  for (auto _ : state) times.ms.push_back(TimedFrame(state));
  times.Report(state);
}
BENCHMARK(BM_KlondikeTableFrame)->Iterations(600)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_BusiestFrame(benchmark::State& state) {
  StartGame();
  auto mode = DealKlondike();
  Game->Particles = 100; // the highest particle setting
  SeedParticleRandom(3);
  VictoryParticles = std::make_shared<TParticleList>();
  GamePlay->ShowVictoryParticles = 1;
  RunFrames(120); // the first bursts spread out
  FrameTimes times;
  std::vector<int> alive;
  for (auto _ : state) {
    times.ms.push_back(TimedFrame(state));
    alive.push_back(VictoryParticles->Count());
  }
  times.Report(state);
  const int most = alive.empty() ? 0 : *std::max_element(alive.begin(), alive.end());
  double peak = 0;
  int peakFrames = 0;
  for (size_t i = 0; i < alive.size(); ++i)
    if (alive[i] * 10 >= most * 9) {
      peak += times.ms[i];
      ++peakFrames;
    }
  state.counters["most_alive"] = most;
  state.counters["peak_ms"] = peakFrames ? peak / peakFrames : 0;
  state.counters["cards"] = double(mode->Cards ? mode->Cards->Count() : 0);
}
BENCHMARK(BM_BusiestFrame)->Iterations(1200)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
