// Hot paths of the card games: which cards lie on which (every move, and
// every step of the deal generator's playouts), pointer hit tests and the
// layout copies undo snapshots and playouts take.
#include "platform/Collision.h"
#include "platform/Picture.h"
#include "resources/TImageBank.h"
#include "screens/GameGlobals.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeKlondike.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/TKlondikeSaveFile.h"
#include "solitaire/TSolitaireUndo.h"
#include "solitaire/TState.h"
#include "solitaire/TStock.h"

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

// A Klondike table on the standard layout's places (seven columns of 1 to 7
// cards, 90 pixels apart, 20 pixels a step), dealt from `seed` without its flights.
std::shared_ptr<TGameModeKlondike> DealtKlondike(uint32_t seed) {
  const auto back = CardBack();
  if (!Images->Map.count("CARDEMPTY")) Images->Insert(TGameImage::CreateFromImage(back->image, "CARDEMPTY", 1));
  DiamondsImages.reset(), SpadesImages.reset(), ClubsImages.reset(); // no faces either
  if (!GamePlay) GamePlay = std::make_shared<TGamePlay>();
  if (!GameState) GameState = std::make_shared<TState>();
  auto mode = std::make_shared<TGameModeKlondike>();
  mode->Clear();
  for (int row = 0; row < 7; ++row)
    for (int column = row; column < 7; ++column)
      mode->Cards->AddNew(TGameModeKlondike::EmptyColumnX[column], TGameModeKlondike::EmptyColumnY + 20.0f * row, back,
                          1, 1, 0, 0);
  mode->Seed(seed);
  mode->Shuffle();
  mode->DealAnimationFinished = 1;
  GameState->StopBuildingLevel();
  return mode;
}

// A new deal on the loaded layout: restore, draw 52 ids, covers, the deal snapshot.
void BM_KlondikeShuffle(benchmark::State& state) {
  auto mode = DealtKlondike(1);
  for (auto _ : state) {
    mode->Shuffle();
    benchmark::DoNotOptimize(mode->OriginalPuzzle);
  }
}
BENCHMARK(BM_KlondikeShuffle)->Unit(benchmark::kMicrosecond);

// The hint search on mid-game tables: half the face-down cards turned up.
void BM_KlondikeCreateHints(benchmark::State& state) {
  auto mode = DealtKlondike(uint32_t(state.range(0)));
  int i = 0;
  for (const auto& card : *mode->Cards) card->Opened |= (i++ % 2);
  for (auto _ : state) {
    mode->CreateHints();
    benchmark::DoNotOptimize(mode->HintList);
  }
}
BENCHMARK(BM_KlondikeCreateHints)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

// Undo with a long history: one snapshot restored and one recorded again.
void BM_KlondikeUndo(benchmark::State& state) {
  auto mode = DealtKlondike(4);
  for (int i = 0; i < state.range(0); ++i) mode->AddUndo(-20);
  for (auto _ : state) {
    mode->Undo();
    mode->AddUndo(-20);
  }
}
BENCHMARK(BM_KlondikeUndo)->Arg(500)->Unit(benchmark::kMicrosecond);

// A saved game written, read, checked and put on a table, in memory.
void BM_KlondikeSaveLoad(benchmark::State& state) {
  auto mode = DealtKlondike(5);
  for (auto _ : state) {
    const std::string text = TKlondikeSaveFile::Format(*mode, 1234, 100);
    TKlondikeSaveFile saved;
    if (!saved.Parse(text)) state.SkipWithError("refused");
    mode->Clear();
    TKlondikeSaveFile::Apply(saved.Current, *mode);
    mode->Cards->UpdateCardsOnTop();
    benchmark::DoNotOptimize(text);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * 2200);
}
BENCHMARK(BM_KlondikeSaveLoad)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
