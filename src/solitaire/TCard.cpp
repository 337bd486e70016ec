#include "solitaire/TCard.h"

#include "app/VQMouse.h"
#include "platform/Collision.h"
#include "platform/Graphics.h"
#include "resources/TImageBank.h"
#include "solitaire/CardPictures.h"
#include "app/TAnimation.h"
#include "solitaire/TBezier.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameMode.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr uint32_t CardLayer = 1; // collision layer 1

// Whole pixel of a coordinate, truncated towards zero; coordinates far off
// the table are held at a bound so the conversion stays defined.
int32_t PixelOf(float value) {
  if (!std::isfinite(value)) return 0;
  return int32_t(std::clamp(value, -1.0e7f, 1.0e7f));
}

// Rotations that are no number are drawn and tested as 0.
float SafeAngle(float degrees) { return std::isfinite(degrees) ? degrees : 0.0f; }

void DrawImage(const std::shared_ptr<TGameImage>& image, float x, float y) {
  if (image && image->image) platform::DrawPicture(*image->image, float(PixelOf(x)), float(PixelOf(y)), 0);
}

std::shared_ptr<TImageBank> BankOfSuit(int32_t suit, const char*& word) {
  switch (suit) {
  case 1: word = "hearts"; return HeartsImages;
  case 2: word = "diamonds"; return DiamondsImages;
  case 3: word = "spades"; return SpadesImages;
  case 4: word = "clubs"; return ClubsImages;
  default: word = ""; return nullptr;
  }
}

// Alpha of a glow or flash for the phase its timer is in (phase numbers from 0).
// -1 keeps the current alpha.
float PhaseAlpha(const TAnimation& timer, int32_t inverseAt, int32_t keepAt, int32_t ratioAt) {
  if (timer.CurrentPhase == inverseAt) return timer.GetRatioInv();
  if (timer.CurrentPhase == keepAt) return -1;
  if (timer.CurrentPhase == ratioAt) return timer.GetRatio();
  return -1;
}

} // namespace

// ---- Identity ----------------------------------------------------------------

std::shared_ptr<TCard> TCard::Create(const std::shared_ptr<TGameImage>& image, float x, float y) {
  auto card = std::make_shared<TCard>();
  if (image) card->SetImage(image);
  card->x = x;
  card->y = y;
  card->RotationAngle = 0;
  card->CardNumber = 1;
  card->CardSuit = 1;
  card->Position = -1;
  card->UpdateCardImage();
  return card;
}

std::pair<int32_t, int32_t> TCard::GetCardNumberAndSuitFromID(int32_t id) {
  if (id < 0 || id > 51) return {0, -1};
  return {id % 13 + 1, id / 13 + 1};
}

void TCard::UpdateCardImage() {
  const char* word = "";
  std::shared_ptr<TImageBank> bank = BankOfSuit(CardSuit, word);
  // A rank outside 1..13 names no face either; the card keeps its picture.
  if (!bank || CardNumber < 1 || CardNumber > 13) return;
  CardImage = bank->Find(word + std::to_string(CardNumber));
}

std::string TCard::ToString() const {
  static constexpr const char* Letters[] = {"", "H", "D", "S", "C"};
  const char* letter = CardSuit >= 1 && CardSuit <= 4 ? Letters[CardSuit] : "";
  return letter + std::to_string(CardNumber);
}

// ---- Life --------------------------------------------------------------------

void TCard::Kill() {
  auto keepAlive = weak_from_this().lock(); // the list may hold the last reference
  if (TCardList* list = Cards) {
    list->Remove(this);
    list->UpdatePosition();
    Cards = nullptr;
  }
}

void TCard::Move() { TSprite::Move(); }

void TCard::Manage() { ManageFlipAnimation(); }

void TCard::ManageFlipAnimation() {
  if (!FlipAnimation) return;
  FlipAnimation->Manage();
  if (FlipAnimation->Finished) FlipAnimation.reset();
}

void TCard::StartFlipAnimation() {
  FlipAnimation = TAnimation::Create(500, 0, 0, 0);
  FlipAnimation->AddPhase(500);
  FlipAnimation->AddPhase(500);
  FlipAnimation->Start();
}

std::shared_ptr<TCard> TCard::Clone() const {
  // Built directly rather than through Create: the face is copied, so the
  // suit bank lookup Create would make is not needed.
  auto card = std::make_shared<TCard>();
  if (image) card->SetImage(image);
  card->x = x;
  card->y = y;
  card->RotationAngle = RotationAngle;
  card->Cards = Cards;
  card->CardImage = CardImage;
  card->Opened = Opened;
  card->CardNumber = CardNumber;
  card->CardSuit = CardSuit;
  card->CardType = CardType;
  card->CardRef = CardRef;
  card->HasCardsOnTop = HasCardsOnTop;
  card->Position = Position;
  card->Dragging = Dragging;
  card->Bezier = Bezier;
  card->HintNumber = HintNumber;
  card->DoDrawHint = DoDrawHint;
  card->AnimationType = AnimationType;
  card->IsMoving = IsMoving;
  card->outlineBox_ = outlineBox_;
  card->imageBox_ = imageBox_;
  return card;
}

// ---- Overlap -----------------------------------------------------------------

const TCard::OverlapBox& TCard::BoxFor(OverlapBox& cache, const platform::Picture& picture, int32_t px, int32_t py,
                                       float rotation) {
  const uint64_t serial = picture.Serial();
  if (cache.valid && cache.serial == serial && cache.px == px && cache.py == py && cache.rotation == rotation &&
      cache.handleX == picture.HandleX() && cache.handleY == picture.HandleY())
    return cache;
  cache.serial = serial;
  cache.px = px, cache.py = py;
  cache.rotation = rotation;
  cache.handleX = picture.HandleX(), cache.handleY = picture.HandleY();
  cache.valid = true;
  // The picture's rectangle turned clockwise about its handle, as the
  // collision layer turns it; one spare pixel all round covers rounding.
  const double radians = double(rotation) * std::numbers::pi / 180.0;
  const double c = rotation == 0 ? 1.0 : std::cos(radians), s = rotation == 0 ? 0.0 : std::sin(radians);
  double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
  for (int corner = 0; corner < 4; ++corner) {
    const double cx = ((corner & 1) ? picture.Width() : 0) - double(picture.HandleX());
    const double cy = ((corner & 2) ? picture.Height() : 0) - double(picture.HandleY());
    const double qx = c * cx - s * cy, qy = s * cx + c * cy;
    minX = std::min(minX, qx), maxX = std::max(maxX, qx);
    minY = std::min(minY, qy), maxY = std::max(maxY, qy);
  }
  cache.x0 = px + int32_t(std::floor(minX)) - 1;
  cache.y0 = py + int32_t(std::floor(minY)) - 1;
  cache.x1 = px + int32_t(std::ceil(maxX)) + 1;
  cache.y1 = py + int32_t(std::ceil(maxY)) + 1;
  return cache;
}

const TCard::OverlapBox& TCard::OutlineBox(const platform::Picture& outline) const {
  return BoxFor(outlineBox_, outline, PixelOf(x), PixelOf(y), SafeAngle(RotationAngle));
}

const TCard::OverlapBox* TCard::ImageBox() const {
  if (!image || !image->image) return nullptr;
  return &BoxFor(imageBox_, *image->image, PixelOf(x), PixelOf(y), SafeAngle(RotationAngle));
}

void TCard::Collide() const {
  const auto& outline = GetCardPicture(CardPicture::Back1);
  if (!outline || !outline->image) return;
  platform::CollisionTransform at{float(PixelOf(x)), float(PixelOf(y)), SafeAngle(RotationAngle)};
  platform::CollidePicture(*outline->image, 0, at, 0, CardLayer, this);
}

int32_t TCard::IsCardOver(const TCard& other) const {
  if (!other.image || !other.image->image) return 0;
  platform::CollisionTransform at{float(PixelOf(other.x)), float(PixelOf(other.y)), SafeAngle(other.RotationAngle)};
  return platform::CollidePicture(*other.image->image, 0, at, CardLayer, 0, nullptr) ? 1 : 0;
}

bool TCard::Covers(const platform::Picture& outline, const TCard& other, bool& outlineWritten) const {
  const OverlapBox* theirs = other.ImageBox();
  if (!theirs) return false;
  const OverlapBox& mine = OutlineBox(outline);
  if (theirs->x1 <= mine.x0 || theirs->x0 >= mine.x1 || theirs->y1 <= mine.y0 || theirs->y0 >= mine.y1) return false;
  if (!outlineWritten) {
    platform::ResetCollisions(CardLayer);
    Collide();
    outlineWritten = true;
  }
  return IsCardOver(other) != 0;
}

int32_t TCard::IndexInList() const {
  if (!Cards) return -1;
  const auto& items = Cards->Items();
  if (Position >= 0 && Position < int32_t(items.size()) && items[size_t(Position)].get() == this) return Position;
  return Cards->IndexOf(this);
}

std::shared_ptr<TCardList> TCard::GetAllCardsOnTop() const {
  auto onTop = TCardList::Create();
  const int32_t index = IndexInList();
  const auto& outline = GetCardPicture(CardPicture::Back1);
  if (index < 0 || !outline || !outline->image) return onTop;
  const auto& items = Cards->Items();
  bool written = false;
  for (size_t i = size_t(index) + 1; i < items.size(); ++i) {
    const auto& other = items[i];
    if (other && !other->IsMoving && Covers(*outline->image, *other, written)) onTop->AddLast(other);
  }
  return onTop;
}

int32_t TCard::HasOpenedCardBehind(int32_t opened) const {
  const int32_t index = IndexInList();
  const auto& outline = GetCardPicture(CardPicture::Back1);
  if (index < 0 || !outline || !outline->image) return 0;
  const auto& items = Cards->Items();
  const size_t below = size_t(index);
  bool written = false;
  for (size_t i = 0; i < below; ++i) {
    const auto& other = items[i];
    if (other && other.get() != this && other->Opened == opened && Covers(*outline->image, *other, written))
      return 1;
  }
  return 0;
}

int32_t TCard::IsAnyCardsOnTop() const {
  const int32_t index = IndexInList();
  const auto& outline = GetCardPicture(CardPicture::Back1);
  if (index < 0 || !outline || !outline->image) return 0;
  const auto& items = Cards->Items();
  bool written = false;
  for (size_t i = size_t(index) + 1; i < items.size(); ++i)
    if (items[i] && Covers(*outline->image, *items[i], written)) return 1;
  return 0;
}

int32_t TCard::IsPointOver(int32_t px, int32_t py) const {
  const auto& outline = GetCardPicture(CardPicture::Back1);
  if (!outline || !outline->image) return 0;
  const OverlapBox& box = OutlineBox(*outline->image);
  if (px < box.x0 || px >= box.x1 || py < box.y0 || py >= box.y1) return 0;
  platform::ResetCollisions(CardLayer);
  Collide();
  return platform::CollideRect(float(px), float(py), 1, 1, CardLayer, 0, nullptr) ? 1 : 0;
}

int32_t TCard::OutlineTouchesAny(float px, float py, float angle, const Rect* rects, int32_t count) {
  const auto& outline = GetCardPicture(CardPicture::Back1);
  if (!outline || !outline->image || !rects) return 0;
  static const char owner = 0;
  platform::ResetCollisions(CardLayer);
  platform::CollisionTransform at{float(PixelOf(px)), float(PixelOf(py)), SafeAngle(angle)};
  platform::CollidePicture(*outline->image, 0, at, 0, CardLayer, &owner);
  for (int32_t i = 0; i < count; ++i)
    if (platform::CollideRect(rects[i].x, rects[i].y, rects[i].w, rects[i].h, CardLayer, 0, nullptr)) return 1;
  return 0;
}

int32_t TCard::IsMouseOver() const {
  if (!GameMouse) return 0;
  return IsPointOver(GameMouse->x, GameMouse->y);
}

// ---- Drawing -----------------------------------------------------------------

void TCard::DrawMouseOver(float px, float py) { DrawImage(GetCardPicture(CardPicture::MouseOver), px, py); }

void TCard::DrawMarked(float px, float py) {
  const float previous = platform::GetRotation();
  platform::SetRotation(SafeAngle(RotationAngle));
  DrawImage(GetCardPicture(CardPicture::Marked), px, py);
  platform::SetRotation(previous);
}

void TCard::DrawHint(float px, float py, const TAnimation* hint1Timer, const TAnimation* hint2Timer) {
  const bool first = HintNumber == 1;
  const TAnimation* timer = first ? hint1Timer : hint2Timer;
  // The first phase is the wait before the glow shows.
  if (!timer || !timer->Active || timer->CurrentPhase == 0) return;
  const float previousAlpha = platform::GetAlpha();
  const float previousRotation = platform::GetRotation();
  const float alpha = PhaseAlpha(*timer, 1, 2, 3);
  if (alpha >= 0) platform::SetAlpha(alpha);
  DrawImage(GetCardPicture(first ? CardPicture::Hint1 : CardPicture::Hint2), px, py);
  platform::SetAlpha(previousAlpha);
  platform::SetRotation(previousRotation);
}

void TCard::DrawFlipAnimation() {
  if (!FlipAnimation || !FlipAnimation->Active) return;
  const float previousAlpha = platform::GetAlpha();
  const float previousRotation = platform::GetRotation();
  platform::SetRotation(SafeAngle(RotationAngle));
  const float alpha = PhaseAlpha(*FlipAnimation, 0, 1, 2);
  if (alpha >= 0) platform::SetAlpha(alpha);
  DrawImage(GetCardPicture(CardPicture::Flip), x, y);
  platform::SetAlpha(previousAlpha);
  platform::SetRotation(previousRotation);
}

void TCard::DrawClosedCard(int32_t mouseOver, float px, float py, const TAnimation* hint1Timer,
                           const TAnimation* hint2Timer, int32_t back) {
  platform::SetRotation(SafeAngle(RotationAngle));
  if (mouseOver && IsMouseOver()) DrawMouseOver(px, py);
  if (DoDrawHint) DrawHint(px, py, hint1Timer, hint2Timer);
  if (back >= 1 && back <= 6) DrawImage(GetCardPicture(CardPicture(int(CardPicture::Back1) + back - 1)), px, py);
  platform::SetRotation(0);
}

void TCard::DrawEmptyCard(float px, float py, int32_t highlight, const std::shared_ptr<TCard>& draggedCard,
                          TGameMode* mode, int32_t foundation, int32_t stock, const TAnimation* hint1Timer,
                          const TAnimation* hint2Timer) {
  platform::SetRotation(SafeAngle(RotationAngle));
  // A free place lights up under a dragged card the mode lets go there.
  const bool takesDragged = draggedCard && mode && HasCardsOnTop == 0 && IsMouseOver() &&
                            mode->AcceptsOnEmptyPlace(*draggedCard, *this);
  if (highlight || takesDragged) DrawMouseOver(px, py);
  if (DoDrawHint) DrawHint(px, py, hint1Timer, hint2Timer);
  CardPicture place = stock ? CardPicture::StockEmpty : foundation ? CardPicture::FoundationEmpty : CardPicture::Empty;
  DrawImage(GetCardPicture(place), px, py);
  platform::SetRotation(0);
}

void TCard::DrawOpenedCard(int32_t mouseOver, float px, float py, int32_t foundation, int32_t stock,
                           const TAnimation* hint1Timer, const TAnimation* hint2Timer) {
  if (CardNumber == 0 && CardSuit == 0) {
    DrawEmptyCard(px, py, mouseOver && IsMouseOver(), nullptr, nullptr, foundation, stock, hint1Timer, hint2Timer);
    return;
  }
  platform::SetRotation(SafeAngle(RotationAngle));
  if (mouseOver && IsMouseOver()) DrawMouseOver(px, py);
  if (DoDrawHint) DrawHint(px, py, hint1Timer, hint2Timer);
  DrawImage(CardImage, px, py);
  platform::SetRotation(0);
  DrawFlipAnimation();
}

void TCard::DrawFoundationCard(const TCardList* draggedCards, TGameMode& mode, const TAnimation* hint1Timer,
                               const TAnimation* hint2Timer) {
  int32_t highlight = 0;
  if (draggedCards && draggedCards->Count() == 1 && draggedCards->First() && IsMouseOver())
    highlight = mode.AcceptsOnFoundation(*draggedCards->First(), *this) ? 1 : 0;
  DrawOpenedCard(highlight, x, y, 1, 0, hint1Timer, hint2Timer);
}

void TCard::DrawStockCard(int32_t mouseOver, const TAnimation* hint1Timer, const TAnimation* hint2Timer) {
  DrawOpenedCard(mouseOver, x, y, 0, 0, hint1Timer, hint2Timer);
}

void TCard::DrawStockEmptyCard(int32_t mouseOver, const TAnimation* hint1Timer, const TAnimation* hint2Timer) {
  DrawOpenedCard(mouseOver, x, y, 0, 1, hint1Timer, hint2Timer);
}

void TCard::DrawStockDeniedCard() {
  const float previous = platform::GetRotation();
  platform::SetRotation(SafeAngle(RotationAngle));
  DrawImage(GetCardPicture(CardPicture::Denied), x, y);
  platform::SetRotation(previous);
}
