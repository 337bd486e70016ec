// Text hot paths: measuring and wrapping strings (labels re-wrap when their
// text changes) and drawing a line of glyphs from the atlas with the software
// renderer; plus the one-off cost of building the seven fonts at start-up.
#include "HeadlessBench.h"
#include "platform/FontRaster.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "ui/TLabel.h"
#include "ui/TextDraw.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

const char* FontPath = "/usr/share/fonts/truetype/crosextra/Carlito-Regular.ttf";
const std::string Line = "The quick brown fox jumps over the lazy dog, caf\xe9 \xc5ngstr\xf6m 0123456789";
const std::string Paragraph =
    "Build the four foundations up by suit from Ace to King. On the table, build down in alternating colours. "
    "Move a run of cards together when enough free places allow it. Click the stock to turn over new cards; "
    "when it is empty, the waste turns back into the stock. Double-click a card to send it home.";

std::shared_ptr<platform::ImageFont> Font(int size) {
  static std::shared_ptr<platform::ImageFont> fonts[64];
  if (!fonts[size]) fonts[size] = platform::ImageFont::Load(FontPath, size);
  return fonts[size];
}

void BM_TextWidth(benchmark::State& state) {
  auto font = Font(20);
  for (auto _ : state) benchmark::DoNotOptimize(font->TextWidth(Line));
  state.SetItemsProcessed(state.iterations() * int64_t(Line.size()));
}
BENCHMARK(BM_TextWidth);

void BM_WrapParagraph(benchmark::State& state) {
  auto font = Font(18);
  for (auto _ : state) benchmark::DoNotOptimize(WrapText(Paragraph, *font, 420, 1.0f));
}
BENCHMARK(BM_WrapParagraph);

void BM_DrawTextLine(benchmark::State& state) {
  if (!OpenHeadlessGraphics()) {
    state.SkipWithError("no headless graphics");
    return;
  }
  SetImageFont(Font(int(state.range(0))));
  for (auto _ : state) DrawTextShadow(10, 300, Line, 0);
  platform::Cls();
  state.SetItemsProcessed(state.iterations() * int64_t(Line.size()) * 2); // text and shadow
}
BENCHMARK(BM_DrawTextLine)->Arg(12)->Arg(20)->Arg(34);

void BM_BuildSevenFonts(benchmark::State& state) {
  std::vector<uint8_t> bytes;
  if (!platform::ReadWholeFile(FontPath, bytes)) {
    state.SkipWithError("font file missing");
    return;
  }
  for (auto _ : state) {
    for (int size : FontSizes)
      benchmark::DoNotOptimize(platform::ImageFont::LoadFromMemory(bytes.data(), bytes.size(), size));
  }
}
BENCHMARK(BM_BuildSevenFonts)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
