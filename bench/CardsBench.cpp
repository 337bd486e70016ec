// Hot paths of the card games: which cards lie on which (every move, and
// every step of the deal generator's playouts), pointer hit tests and the
// layout copies undo snapshots and playouts take.
#include "platform/Collision.h"
#include "platform/Picture.h"
#include "resources/TImageBank.h"
#include "screens/GameGlobals.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

// The generated card back when the data tree is found (MARROWDECK_DATA or
// ./gamedata), else a 72 x 96 card with rounded corners made here.
std::shared_ptr<TGameImage> CardBack() {
  static std::shared_ptr<TGameImage> back;
  if (back) return back;
  const char* data = std::getenv("MARROWDECK_DATA");
  for (std::string root : {std::string(data ? data : ""), std::string("gamedata"), std::string("../gamedata")}) {
    if (root.empty()) continue;
    if (auto picture = platform::Picture::Load(root + "/data/graphics/cardback1.png")) {
      back = TGameImage::CreateFromImage(picture, "CARDBACK1", 1);
      break;
    }
  }
  if (!back) {
    platform::Pixmap pixmap;
    pixmap.width = 72, pixmap.height = 96;
    pixmap.rgba.assign(72 * 96 * 4, 255);
    for (int y = 0; y < 96; ++y)
      for (int x = 0; x < 72; ++x) {
        int dx = x < 6 ? 6 - x : (x > 65 ? x - 65 : 0), dy = y < 6 ? 6 - y : (y > 89 ? y - 89 : 0);
        if (dx * dx + dy * dy > 36) pixmap.Pixel(x, y)[3] = 0;
      }
    back = TGameImage::CreateFromImage(platform::Picture::FromPixmap(pixmap), "CARDBACK1", 1);
  }
  CreateGameGlobals();
  Images->Insert(back);
  HeartsImages.reset(); // no faces: the benchmarks deal nothing
  return back;
}

// `count` cards in rows of eight, 80 pixels apart, each row 40 pixels lower
// and half a step aside, so every card lies on two of the row before (as in
// a pyramid layout); every third card is turned by up to 20 degrees either
// way, and turned neighbours in a row touch as well.
void FillLayout(TCardList& list, int count) {
  const auto back = CardBack();
  for (int i = 0; i < count; ++i) {
    const int column = i % 8, row = i / 8;
    const float angle = i % 3 == 0 ? float((i * 7) % 41 - 20) : 0.0f;
    list.AddNew(80.0f + column * 80 + (row % 2) * 40, 70.0f + row * 40, back, 1, 1, 0, angle);
  }
}

void BM_UpdateCardsOnTop(benchmark::State& state) {
  TCardList list;
  FillLayout(list, int(state.range(0)));
  int covered = 0;
  for (auto _ : state) {
    list.UpdateCardsOnTop();
    benchmark::DoNotOptimize(list.First()->HasCardsOnTop);
  }
  for (const auto& card : list) covered += card->HasCardsOnTop;
  state.counters["covered"] = covered;
}
BENCHMARK(BM_UpdateCardsOnTop)->Arg(28)->Arg(52)->Arg(104)->Unit(benchmark::kMicrosecond);

// The same answers from the collision layer alone, without the card's own
// box rejection in front of it: what the rejection saves.
void BM_UpdateCardsOnTopLayerOnly(benchmark::State& state) {
  TCardList list;
  FillLayout(list, int(state.range(0)));
  const auto& cards = list.Items();
  for (auto _ : state) {
    for (size_t i = 0; i < cards.size(); ++i) {
      platform::ResetCollisions(1);
      cards[i]->Collide();
      int32_t onTop = 0;
      for (size_t j = i + 1; j < cards.size() && !onTop; ++j) onTop = cards[i]->IsCardOver(*cards[j]);
      cards[i]->HasCardsOnTop = onTop;
    }
    benchmark::DoNotOptimize(cards.front()->HasCardsOnTop);
  }
}
BENCHMARK(BM_UpdateCardsOnTopLayerOnly)->Arg(104)->Unit(benchmark::kMicrosecond);

void BM_IsPointOver(benchmark::State& state) {
  TCardList list;
  auto card = list.AddNew(400, 300, CardBack(), 1, 1, 0, 30);
  // Points inside, on the turned edge and in the unturned corners.
  const int points[][2] = {{400, 300}, {430, 260}, {368, 256}, {440, 350}, {390, 340}, {600, 300}};
  size_t next = 0;
  int hits = 0;
  for (auto _ : state) {
    const auto& p = points[next];
    next = (next + 1) % std::size(points);
    hits += card->IsPointOver(p[0], p[1]);
  }
  benchmark::DoNotOptimize(hits);
}
BENCHMARK(BM_IsPointOver)->Unit(benchmark::kNanosecond);

void BM_CloneCardList(benchmark::State& state) {
  TCardList list;
  FillLayout(list, int(state.range(0)));
  for (auto _ : state) {
    auto copy = list.Clone();
    benchmark::DoNotOptimize(copy->Count());
  }
}
BENCHMARK(BM_CloneCardList)->Arg(104)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
