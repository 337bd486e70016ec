#include "solitaire/CardPictures.h"

#include "resources/TImageBank.h"

#include <array>

namespace {

constexpr std::array<const char*, size_t(CardPicture::Count)> PictureNames = {
    "cardback1", "cardback2",  "cardback3",  "cardback4",  "cardback5",  "cardback6", "cardempty",
    "cardfoundationempty",     "cardstockempty",           "carddenied", "cardflip",  "cardhint1",
    "cardhint2", "cardmarked", "cardmo"};

struct Kept {
  // The bank the pictures came from: a new bank (tests build fresh ones) or a
  // freed one makes every slot stale.
  const TImageBank* bank = nullptr;
  std::weak_ptr<TImageBank> bankAlive;
  std::array<std::shared_ptr<TGameImage>, size_t(CardPicture::Count)> pictures;
};

Kept& KeptPictures() {
  static Kept kept;
  return kept;
}

} // namespace

const std::shared_ptr<TGameImage>& GetCardPicture(CardPicture which) {
  static const std::shared_ptr<TGameImage> none;
  Kept& kept = KeptPictures();
  if (kept.bank != Images.get() || kept.bankAlive.expired()) {
    ForgetCardPictures();
    kept.bank = Images.get();
    kept.bankAlive = Images;
  }
  if (!Images || which >= CardPicture::Count) return none;
  auto& slot = kept.pictures[size_t(which)];
  if (!slot) slot = Images->Find(PictureNames[size_t(which)]);
  return slot;
}

void ForgetCardPictures() {
  Kept& kept = KeptPictures();
  kept.bank = nullptr;
  kept.bankAlive.reset();
  for (auto& picture : kept.pictures) picture.reset();
}
