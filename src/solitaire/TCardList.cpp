#include "solitaire/TCardList.h"

#include "resources/TImageBank.h"
#include "solitaire/CardPictures.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardLayoutFile.h"

#include <algorithm>
#include <cstdio>


TCardList::~TCardList() {
  // Cards that outlive their list must not point at it.
  for (auto& card : items_)
    if (card) Release(*card);
}

// ---- The list ----------------------------------------------------------------

// A card in no list is adopted by the list it joins; a card taken out of
// its own list belongs to none. So Cards never points at a list that no
// longer holds the card (nor at a freed one), while lists that merely
// collect cards of another (GetAllCardsOnTop) leave them their home.
void TCardList::Adopt(TCard& card) {
  if (!card.Cards) card.Cards = this;
}

void TCardList::Release(TCard& card) {
  if (card.Cards == this) card.Cards = nullptr;
}

void TCardList::AddLast(const std::shared_ptr<TCard>& card) {
  if (!card) return;
  Adopt(*card);
  items_.push_back(card);
}

void TCardList::AddFirst(const std::shared_ptr<TCard>& card) { InsertAt(0, card); }

void TCardList::InsertAt(int32_t index, const std::shared_ptr<TCard>& card) {
  if (!card) return;
  index = std::clamp(index, int32_t(0), Count());
  Adopt(*card);
  items_.insert(items_.begin() + index, card);
}

int32_t TCardList::Remove(const TCard* card) {
  int32_t index = IndexOf(card);
  if (index < 0) return 0;
  if (items_[size_t(index)]) Release(*items_[size_t(index)]);
  items_.erase(items_.begin() + index);
  return 1;
}

std::shared_ptr<TCard> TCardList::RemoveAt(int32_t index) {
  if (index < 0 || index >= Count()) return nullptr;
  auto card = items_[size_t(index)];
  items_.erase(items_.begin() + index);
  if (card) Release(*card);
  return card;
}

std::shared_ptr<TCard> TCardList::RemoveFirst() { return RemoveAt(0); }
std::shared_ptr<TCard> TCardList::RemoveLast() { return RemoveAt(Count() - 1); }

void TCardList::Clear() {
  for (auto& card : items_)
    if (card) Release(*card);
  items_.clear();
}

std::shared_ptr<TCard> TCardList::ValueAtIndex(int32_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return items_[size_t(index)];
}

std::shared_ptr<TCard> TCardList::First() const { return ValueAtIndex(0); }
std::shared_ptr<TCard> TCardList::Last() const { return ValueAtIndex(Count() - 1); }

int32_t TCardList::IndexOf(const TCard* card) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == card) return int32_t(i);
  return -1;
}

// ---- Cards -------------------------------------------------------------------

std::shared_ptr<TCard> TCardList::AddNew(float x, float y, const std::shared_ptr<TGameImage>& image, int32_t suit,
                                         int32_t rank, int32_t opened, float rotation) {
  auto card = TCard::Create(image, x, y);
  card->Cards = this;
  card->Position = Count();
  card->CardSuit = suit;
  card->CardNumber = rank;
  card->Opened = opened;
  card->RotationAngle = rotation;
  card->UpdateCardImage();
  items_.push_back(card);
  return card;
}

int32_t TCardList::AreAllCardsOpened() const {
  for (const auto& card : items_)
    if (card && !card->Opened) return 0;
  return 1;
}

bool TCardList::AnyMoving() const {
  return std::any_of(items_.begin(), items_.end(), [](const auto& card) { return card && card->IsMoving; });
}

std::shared_ptr<TCardList> TCardList::Clone() const {
  auto copy = Create();
  copy->items_.reserve(items_.size());
  for (const auto& card : items_) {
    if (!card) continue;
    auto clone = card->Clone();
    clone->Cards = copy.get();
    copy->items_.push_back(std::move(clone));
  }
  return copy;
}

void TCardList::Manage() {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i]) items_[i]->Manage();
}

std::string TCardList::PrintContent() const {
  std::string line;
  for (const auto& card : items_)
    if (card) line += std::to_string(card->CardSuit) + "-" + std::to_string(card->CardNumber) + " ";
  std::fprintf(stderr, "%s\n", line.c_str());
  return line;
}

void TCardList::SetAsEmptyCards() {
  for (auto& card : items_)
    if (card) card->CardNumber = 0, card->CardSuit = 0;
}

void TCardList::UpdateCardsOnTop() {
  const auto& outline = GetCardPicture(CardPicture::Back1);
  if (!outline || !outline->image) return;
  const platform::Picture& picture = *outline->image;
  const size_t count = items_.size();
  // Every card's two boxes gathered once, so the pair loop compares plain
  // integers; the storage is kept between calls (this runs after every move
  // and throughout the deal generator's playouts).
  struct Boxes {
    int32_t outline[4]; // as the card lying below
    int32_t image[4];   // as a card lying on top; empty when it has no picture
  };
  static thread_local std::vector<Boxes> boxes;
  if (boxes.size() < count) boxes.resize(count);
  for (size_t i = 0; i < count; ++i) {
    const TCard* card = items_[i].get();
    Boxes& b = boxes[i];
    b = Boxes{{0, 0, 0, 0}, {0, 0, 0, 0}};
    if (!card) continue;
    const TCard::OverlapBox& mine = card->OutlineBox(picture);
    b.outline[0] = mine.x0, b.outline[1] = mine.y0, b.outline[2] = mine.x1, b.outline[3] = mine.y1;
    if (const TCard::OverlapBox* theirs = card->ImageBox())
      b.image[0] = theirs->x0, b.image[1] = theirs->y0, b.image[2] = theirs->x1, b.image[3] = theirs->y1;
  }
  for (size_t i = 0; i < count; ++i) {
    TCard* card = items_[i].get();
    if (!card) continue;
    const int32_t* mine = boxes[i].outline;
    int32_t onTop = 0;
    bool written = false;
    for (size_t j = i + 1; j < count && !onTop; ++j) {
      const int32_t* theirs = boxes[j].image;
      if (theirs[2] <= mine[0] || theirs[0] >= mine[2] || theirs[3] <= mine[1] || theirs[1] >= mine[3]) continue;
      if (items_[j] && card->Covers(picture, *items_[j], written)) onTop = 1;
    }
    card->HasCardsOnTop = onTop;
  }
}

void TCardList::UpdateLocation(float endX, float endY, float step) {
  for (int32_t i = 0; i <= CurrentPosition && i < Count(); ++i) {
    if (!items_[size_t(i)]) continue;
    items_[size_t(i)]->x = endX - step * float(CurrentPosition - i);
    items_[size_t(i)]->y = endY;
  }
}

void TCardList::UpdateOpenedBasedOnCardsOnTop() {
  for (auto& card : items_)
    if (card) card->Opened = card->HasCardsOnTop ? 0 : 1;
}

void TCardList::UpdatePosition() {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i]) items_[i]->Position = int32_t(i);
}

void TCardList::UpdateSetOpenedIfNoCardsOnTop() {
  for (auto& card : items_) {
    if (!card || card->Opened || card->HasCardsOnTop) continue;
    card->Opened = 1;
    card->StartFlipAnimation();
  }
}

// ---- Layout files ------------------------------------------------------------

int32_t TCardList::LoadCards(const std::string& file, int32_t originX, int32_t originY, int32_t failureFatal) {
  return TCardLayoutFile::Load(file, *this, originX, originY, failureFatal);
}

int32_t TCardList::SaveCards(const std::string& file, int32_t originX, int32_t originY, int32_t failureFatal) const {
  return TCardLayoutFile::Save(file, *this, originX, originY, failureFatal);
}
