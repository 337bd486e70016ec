// Feeds arbitrary bytes to the Klondike saved-game reader. A refused file is
// an ordinary outcome; an accepted one holds the whole deck once in each
// table, goes onto a table, and is written and read back unchanged.
#include "platform/ErrorReport.h"
#include "platform/Picture.h"
#include "platform/Pixmap.h"
#include "resources/TImageBank.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeKlondike.h"
#include "solitaire/TKlondikeSaveFile.h"
#include "solitaire/TStock.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void Ignore(const std::string&, int) {}

void EnsurePictures() {
  if (Images && Images->Map.count("CARDBACK1")) return;
  Images = std::make_shared<TImageBank>();
  for (const char* name : {"CARDBACK1", "CARDEMPTY"}) {
    platform::Pixmap pixmap;
    pixmap.width = 72, pixmap.height = 96;
    pixmap.rgba.assign(72 * 96 * 4, 255);
    Images->Insert(TGameImage::CreateFromImage(platform::Picture::FromPixmap(pixmap), name, 1));
  }
  HeartsImages.reset(), DiamondsImages.reset(), SpadesImages.reset(), ClubsImages.reset();
}

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

bool SameTable(const TKlondikeSaveFile::Table& a, const TKlondikeSaveFile::Table& b) {
  auto same = [](const TKlondikeSaveFile::CardLine& x, const TKlondikeSaveFile::CardLine& y) {
    return x.x == y.x && x.y == y.y && x.suit == y.suit && x.rank == y.rank && x.opened == y.opened &&
           x.angle == y.angle;
  };
  if (a.P != b.P || a.EmptyColumns != b.EmptyColumns || a.Stock.size() != b.Stock.size() ||
      a.Tableau.size() != b.Tableau.size())
    return false;
  for (size_t i = 0; i < a.Stock.size(); ++i)
    if (!same(a.Stock[i], b.Stock[i])) return false;
  for (size_t i = 0; i < a.Tableau.size(); ++i)
    if (!same(a.Tableau[i], b.Tableau[i])) return false;
  return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SetErrorHandler(&Ignore);
  EnsurePictures();
  TKlondikeSaveFile saved;
  if (!saved.Parse(std::string(reinterpret_cast<const char*>(data), size))) return 0;
  for (const auto* table : {&saved.Deal, &saved.Current}) {
    Check(table->Stock.size() + table->Tableau.size() <= 52);
    Check(table->P >= -1 && table->P < int32_t(table->Stock.size()));
    for (const auto& card : table->Tableau) Check(std::isfinite(card.angle) && card.rank >= 1 && card.rank <= 13);
  }
  // On a table, then written and read again: the same game.
  TGameModeKlondike mode;
  mode.Clear();
  TKlondikeSaveFile::Apply(saved.Current, mode);
  mode.Cards->UpdateCardsOnTop();
  TKlondikeSaveFile again;
  Check(again.Parse(TKlondikeSaveFile::Format(mode, saved.ElapsedMs, saved.Score)) == 1);
  Check(SameTable(again.Current, saved.Current));
  return 0;
}
