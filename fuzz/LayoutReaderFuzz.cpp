// Feeds arbitrary bytes to the card-layout reader. A refused file is an
// ordinary outcome; whatever loads must hold finite, bounded positions and
// angles, survive overlap tests, and read back the same after being written.
#include "platform/ErrorReport.h"
#include "platform/Picture.h"
#include "resources/TImageBank.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardLayoutFile.h"
#include "solitaire/TCardList.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void Ignore(const std::string&, int) {}

void EnsureCardBack() {
  if (Images && Images->Map.count("CARDBACK1")) return;
  platform::Pixmap pixmap;
  pixmap.width = 72, pixmap.height = 96;
  pixmap.rgba.assign(72 * 96 * 4, 255);
  Images = std::make_shared<TImageBank>();
  Images->Insert(TGameImage::CreateFromImage(platform::Picture::FromPixmap(pixmap), "CARDBACK1", 1));
  HeartsImages.reset(); // no faces: layouts deal nothing
}

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SetErrorHandler(&Ignore);
  EnsureCardBack();
  TCardList list;
  if (!TCardLayoutFile::Parse(std::string(reinterpret_cast<const char*>(data), size), list, 25, 125)) return 0;
  Check(list.Count() <= TCardLayoutFile::MaxCards);
  for (const auto& card : list) {
    Check(std::isfinite(card->x) && std::fabs(card->x) <= 100025);
    Check(std::isfinite(card->y) && std::fabs(card->y) <= 100125);
    Check(std::isfinite(card->RotationAngle));
  }
  if (list.Count() <= 200) list.UpdateCardsOnTop();
  // Written and read again, a layout keeps its cards, places and angles.
  TCardList again;
  Check(TCardLayoutFile::Parse(TCardLayoutFile::Format(list, 25, 125), again, 25, 125) == 1);
  Check(again.Count() == list.Count());
  for (int32_t i = 0; i < list.Count(); ++i) {
    const auto& a = *list.ValueAtIndex(i);
    const auto& b = *again.ValueAtIndex(i);
    Check(a.x == b.x && a.y == b.y && a.RotationAngle == b.RotationAngle);
  }
  return 0;
}
