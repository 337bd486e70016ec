// The particle system's hot paths: moving and ageing a particle list, the
// flying-bonus effect over its whole life, drawing particles on the software
// renderer, and the victory fireworks frame by frame at the highest particle
// setting (bursts of 50 every 250 to 750 ms), reporting the most particles
// alive. Run from anywhere: the game's files are found through the build.
#include <benchmark/benchmark.h>

#include "HeadlessBench.h"
#include "app/TGame.h"
#include "effects/ParticleEffects.h"
#include "effects/ParticleRandom.h"
#include "effects/TParticleList.h"
#include "effects/TSmashParticleFX.h"
#include "platform/Audio.h"
#include "platform/Graphics.h"
#include "resources/TGameImage.h"
#include "resources/TPakFileManager.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

const std::string DataDir = MARROWDECK_BENCH_DATA "/";
const std::string SourceDir = MARROWDECK_BENCH_SOURCE "/";

void OpenHeadless() {
  OpenHeadlessGraphics();
  platform::audio::SelectDriver("None");
  if (!Game) Game = std::make_shared<TGame>();
}

// CPU time of this thread in milliseconds (unlike the wall clock, not
// stretched by other programs on a busy machine).
double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

// A picture from the game's data pack ("particle2.png", "gamescreen1.jpg").
std::shared_ptr<TGameImage> PackPicture(const std::string& name) {
  if (!PakFiles) PakFiles = TPakFileManager::Create(DataDir + "data/resources/", ".pak");
  return TGameImage::Create(name, -1, 1);
}

// N long-lived particles drifting and spinning, moved and aged once per iteration.
void BM_ParticleListManage(benchmark::State& state) {
  if (!Game) Game = std::make_shared<TGame>();
  SeedParticleRandom(1);
  auto image = TGameImage::CreateFromImage(nullptr, "NONE", 1);
  TParticleList list;
  for (int64_t i = 0; i < state.range(0); ++i) {
    auto p = list.AddNew(ParticleRandomFloat(0, 800), ParticleRandomFloat(0, 600), image,
                         ParticleRandomFloat(-0.1f, 0.1f), ParticleRandomFloat(-0.1f, 0.1f), 0.0001f, 0, 1, 1, 0.5f,
                         0.5f, 0, 0, 0);
    p->NoOutOfBounds = 1;
    p->SetFade(0, 1e9f, 1000);
  }
  for (auto _ : state) list.Manage();
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ParticleListManage)->Arg(1000)->Arg(10000);

// "bonusfly.par" from its first tick until its last particle is gone, drawn.
void BM_SmashFXRender(benchmark::State& state) {
  OpenHeadless();
  TSmashParticle::SetImage(DataDir + "data/graphics/particles.png");
  auto shipped = TSmashParticleFX::Load(SourceDir + "data/resources/bonusfly.par", 0);
  shipped->MoveTo(400, 300);
  int64_t ticks = 0;
  size_t most = 0;
  for (auto _ : state) {
    auto fx = TSmashParticleFX::DuplicateFrom(*shipped);
    do {
      fx->Render(1, 1);
      most = std::max(most, fx->ParticleCount());
      ++ticks;
    } while (!fx->Finished() || fx->ParticleCount() > 0);
    platform::FinishDrawing();
    platform::Cls();
  }
  state.counters["ticks"] = double(ticks) / double(state.iterations());
  state.counters["most_alive"] = double(most);
}
BENCHMARK(BM_SmashFXRender)->Unit(benchmark::kMicrosecond);

// 2000 firework stars drawn with additive blending, one frame per iteration.
void BM_DrawParticles(benchmark::State& state) {
  OpenHeadless();
  SeedParticleRandom(2);
  auto star = PackPicture("particle2.png");
  TParticleList list;
  Game->Particles = 100;
  for (int64_t i = 0; i < state.range(0); i += 50)
    SpawnVictoryBurst(list, ParticleRandomFloat(100, 700), ParticleRandomFloat(100, 500), star, 50);
  for (int tick = 0; tick < 60; ++tick) list.Manage(); // spread out, part faded
  for (auto _ : state) {
    platform::Cls();
    list.Draw();
    platform::FinishDrawing();
  }
  state.SetItemsProcessed(state.iterations() * list.Count());
}
BENCHMARK(BM_DrawParticles)->Arg(2000)->Unit(benchmark::kMicrosecond);

// The victory fireworks as the game screen runs them, one 60 Hz frame per
// iteration (3 1/3 logic ticks of 5 ms, then the background and the
// fireworks drawn): each tick a threshold is drawn in 250..750 ms and a burst
// of 50 stars (scaled by the setting) goes off once that long has passed
// since the last. Besides the mean frame time it reports the most particles
// alive and the frame times (CPU, and wall clock, which a loaded machine
// inflates) of the frames with at least 90 % of that many.
void BM_FireworksFrame(benchmark::State& state) {
  OpenHeadless();
  SeedParticleRandom(3);
  Game->Particles = int(state.range(0));
  auto star = PackPicture("particle2.png");
  auto background = PackPicture("gamescreen1.jpg");
  TParticleList fireworks;
  double now = 0, lastBurst = 0, tickDebt = 0;
  struct Frame {
    int alive;
    double cpuMs, wallMs;
  };
  std::vector<Frame> frames;
  frames.reserve(size_t(state.max_iterations));
  for (auto _ : state) {
    const double cpu0 = ThreadCpuMs();
    const auto wall0 = std::chrono::steady_clock::now();
    tickDebt += 1000.0 / 60.0 / 5.0;
    for (; tickDebt >= 1; tickDebt -= 1) {
      now += 5;
      if (now - lastBurst >= double(ParticleRandomInt(250, 750))) {
        lastBurst = now;
        SpawnVictoryBurst(fireworks, float(ParticleRandomInt(100, 700)), float(ParticleRandomInt(100, 500)), star,
                          50);
      }
      fireworks.Manage();
    }
    platform::SetBlend(platform::Blend::Solid);
    platform::DrawPicture(*background->image, 400, 300);
    platform::SetBlend(platform::Blend::Alpha);
    fireworks.Draw();
    platform::FinishDrawing();
    const std::chrono::duration<double, std::milli> wall = std::chrono::steady_clock::now() - wall0;
    frames.push_back({fireworks.Count(), ThreadCpuMs() - cpu0, wall.count()});
  }
  int most = 0;
  double alive = 0;
  for (const auto& f : frames) {
    most = std::max(most, f.alive);
    alive += f.alive;
  }
  double cpuAtPeak = 0, wallAtPeak = 0, worstCpu = 0;
  int peakFrames = 0;
  for (const auto& f : frames) {
    worstCpu = std::max(worstCpu, f.cpuMs);
    if (f.alive * 10 < most * 9) continue;
    cpuAtPeak += f.cpuMs;
    wallAtPeak += f.wallMs;
    ++peakFrames;
  }
  state.counters["most_alive"] = most;
  state.counters["mean_alive"] = alive / double(frames.size());
  state.counters["peak_cpu_ms"] = peakFrames ? cpuAtPeak / peakFrames : 0;
  state.counters["peak_wall_ms"] = peakFrames ? wallAtPeak / peakFrames : 0;
  state.counters["worst_cpu_ms"] = worstCpu;
}
BENCHMARK(BM_FireworksFrame)->Arg(100)->Iterations(3600)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
