// Hot paths of the platform layer: card outline overlap tests (the solvers
// call them thousands of times per deal) and drawing rotated cards with the
// software renderer.
#include "platform/Collision.h"
#include "platform/Graphics.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace platform;

namespace {

// A 72 x 96 card with rounded (transparent) corners.
std::shared_ptr<Picture> MakeCard() {
  Pixmap pixmap;
  pixmap.width = 72;
  pixmap.height = 96;
  pixmap.rgba.assign(72 * 96 * 4, 255);
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 72; ++x) {
      int dx = x < 6 ? 6 - x : (x > 65 ? x - 65 : 0), dy = y < 6 ? 6 - y : (y > 89 ? y - 89 : 0);
      if (dx * dx + dy * dy > 36) pixmap.Pixel(x, y)[3] = 0;
    }
  auto card = Picture::FromPixmap(pixmap, picture_flags::All);
  card->MidHandle(true);
  return card;
}

// Write one card into a layer, test an overlapping neighbour against it.
void BM_CollisionCardPair(benchmark::State& state) {
  auto card = MakeCard();
  float angle = float(state.range(0));
  int owner = 0;
  for (auto _ : state) {
    ResetCollisions(1);
    CollidePicture(*card, 0, {400, 300, angle}, 0, 1, &owner);
    bool hit = CollidePicture(*card, 0, {440, 330, angle}, 1, 0, &owner);
    benchmark::DoNotOptimize(hit);
  }
  ResetCollisions();
}
BENCHMARK(BM_CollisionCardPair)->Arg(0)->Arg(30);

// One card tested against a full layout of 110 cards (a solver's inner step).
void BM_CollisionAgainstLayout(benchmark::State& state) {
  auto card = MakeCard();
  std::vector<int> owners(110);
  ResetCollisions(1);
  for (int i = 0; i < 110; ++i)
    CollidePicture(*card, 0, {40.0f + (i % 14) * 52, 60.0f + (i / 14) * 64, float((i * 7) % 40)}, 0, 1, &owners[size_t(i)]);
  std::vector<CollisionOwner> hits;
  hits.reserve(16);
  for (auto _ : state) {
    hits.clear();
    bool hit = CollidePicture(*card, 0, {300, 250, 15}, 1, 0, nullptr, &hits);
    benchmark::DoNotOptimize(hit);
  }
  state.counters["owners_hit"] = double(hits.size());
  ResetCollisions();
}
BENCHMARK(BM_CollisionAgainstLayout);

bool OpenHeadlessGraphics(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_RENDER_DRIVER", "software", 1);
  GraphicsConfig config;
  config.vsync = false;
  if (OpenGraphics(config)) return true;
  state.SkipWithError("cannot open the headless drawing surface");
  return false;
}

// A table of 200 turned cards; `moving` of them move a pixel a frame.
void DrawTable(Picture& card, int frame, int moving) {
  Cls();
  for (int i = 0; i < 200; ++i) {
    SetRotation(float((i * 37) % 360));
    float shift = i < moving ? float(frame % 50) : 0.0f;
    DrawPicture(card, 40.0f + (i % 20) * 38 + shift, 60.0f + (i / 20) * 52);
  }
  SetRotation(0);
}

// 200 turned cards rasterised whole every frame by the software renderer;
// nothing is read back.
void BM_DrawCards(benchmark::State& state) {
  if (!OpenHeadlessGraphics(state)) return;
  SetFrameReuse(false);
  auto card = MakeCard();
  for (auto _ : state) {
    DrawTable(*card, 0, 0);
    FinishDrawing();
  }
  SetFrameReuse(true);
  ResetDrawState();
  state.SetItemsProcessed(state.iterations() * 200);
  CloseGraphics();
}
BENCHMARK(BM_DrawCards)->Unit(benchmark::kMillisecond);

// The same table frame after frame with `range(0)` cards moving: only the
// changed part is rasterised, and an unchanged frame costs its comparison.
void BM_DrawCardsReused(benchmark::State& state) {
  if (!OpenHeadlessGraphics(state)) return;
  auto card = MakeCard();
  int frame = 0;
  for (auto _ : state) {
    DrawTable(*card, ++frame, int(state.range(0)));
    FinishDrawing();
  }
  ResetDrawState();
  state.SetItemsProcessed(state.iterations() * 200);
  CloseGraphics();
}
BENCHMARK(BM_DrawCardsReused)->Arg(0)->Arg(1)->Arg(200)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
