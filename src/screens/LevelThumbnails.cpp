#include "screens/LevelThumbnails.h"

#include "effects/SavedDrawState.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Picture.h"
#include "resources/TGameImage.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardLayoutFile.h"
#include "solitaire/TCardList.h"

#include <algorithm>
#include <cmath>

int32_t ReadLevelLayout(const std::string& path, TCardList& cards, int32_t originX, int32_t originY) {
  std::string text;
  if (!platform::ReadWholeFile(platform::ResolvePath(path), text, TCardLayoutFile::MaxBytes)) return 0;
  if (!TCardLayoutFile::Parse(text, cards, originX, originY)) return 0;
  if (cards.Count() > MaxLevelCards) {
    cards.Clear();
    return 0;
  }
  return 1;
}

void ThumbnailSize(float largestX, float largestY, int32_t& w, int32_t& h) {
  // In doubles: a coordinate near the limits of the file must not overflow.
  const auto side = [](float largest, int32_t most) {
    const double scaled = std::trunc((double(largest) + 96.0) * double(ThumbnailScale));
    if (!std::isfinite(scaled)) return 1;
    return int32_t(std::clamp(scaled, 1.0, double(most)));
  };
  w = side(largestX, MaxThumbnailWidth);
  h = side(largestY, MaxThumbnailHeight);
}

std::shared_ptr<TGameImage> CreateLevelThumbnail(const std::string& path, int32_t& cardCount, int32_t /*index*/) {
  cardCount = 0;
  TCardList cards;
  if (!ReadLevelLayout(path, cards, 0, 0)) return nullptr;
  cardCount = cards.Count();
  float largestX = 0, largestY = 0;
  for (int32_t i = 0; i < cards.Count(); ++i) {
    const auto& card = cards.Items()[size_t(i)];
    largestX = i == 0 ? card->x : std::max(largestX, card->x);
    largestY = i == 0 ? card->y : std::max(largestY, card->y);
  }
  int32_t w = 1, h = 1;
  ThumbnailSize(largestX, largestY, w, h);
  auto picture = platform::Picture::CreateRenderTarget(w, h);
  if (!picture) return nullptr;
  if (platform::BeginRenderTo(*picture)) {
    const SavedDrawState saved;
    float originX = 0, originY = 0;
    platform::GetOrigin(originX, originY);
    platform::SetOrigin(0, 0);
    platform::SetBlend(platform::Blend::Alpha);
    platform::SetAlpha(1.0f);
    platform::SetColor(255, 255, 255);
    platform::SetScale(ThumbnailScale, ThumbnailScale);
    for (const auto& card : cards) {
      if (!card->image || !card->image->image) continue;
      platform::Picture& face = *card->image->image;
      // However it is turned, the card stays within this distance of its centre.
      const float reach = ThumbnailScale * std::hypot(float(face.Width()), float(face.Height())) / 2 + 1;
      const float px = std::trunc(card->x) * ThumbnailScale, py = std::trunc(card->y) * ThumbnailScale;
      if (px + reach < 0 || py + reach < 0 || px - reach > float(w) || py - reach > float(h)) continue;
      platform::SetRotation(std::isfinite(card->RotationAngle) ? card->RotationAngle : 0.0f);
      platform::DrawPicture(face, px, py);
    }
    saved.Restore();
    platform::SetOrigin(originX, originY);
    platform::EndRenderTo();
  }
  auto thumbnail = TGameImage::CreateFromImage(picture, "LEVELTHUMBNAIL", 1);
  return thumbnail;
}
