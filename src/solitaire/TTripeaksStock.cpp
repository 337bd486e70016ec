#include "solitaire/TTripeaksStock.h"

#include "app/TGame.h"
#include "platform/Graphics.h"
#include "platform/Keys.h"
#include "solitaire/CardFlight.h"
#include "solitaire/CardPictures.h"
#include "app/TAnimation.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeTripeaks.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/StockKey.h"

namespace {

constexpr int32_t StockX = TLayoutGameMode::StockX, StockY = TLayoutGameMode::StockY;
constexpr int32_t OpenCardX = TLayoutGameMode::OpenCardX, OpenCardY = TLayoutGameMode::OpenCardY;


std::shared_ptr<TCard> PlaceCard(CardPicture picture) {
  auto card = TCard::Create(GetCardPicture(picture), StockX, StockY);
  card->CardNumber = card->CardSuit = 0;
  card->Opened = 1;
  return card;
}

} // namespace

TTripeaksStock::TTripeaksStock() {
  if (GamePlay) GameMode = dynamic_cast<TGameModeTripeaks*>(GamePlay->GameMode.get());
}

void TTripeaksStock::AddCards(int32_t count) {
  TLayoutGameMode::AddStockCards(*Cards, count, GameMode ? GameMode->CardBackground : 1);
}

void TTripeaksStock::Clear() {
  Cards = TCardList::Create();
  MovingCards = TCardList::Create();
  StockCard1.reset();
  StockEmptyCard = PlaceCard(CardPicture::Empty);
  StockDeniedCard = PlaceCard(CardPicture::Denied);
}

std::shared_ptr<TCard> TTripeaksStock::DoesAnyCardMatch(const std::shared_ptr<TCard>& card) const {
  if (!GameMode || !card) return nullptr;
  for (int32_t i = std::min(Cards->CurrentPosition, Cards->Count() - 1); i >= 0; --i) {
    const auto& stockCard = Cards->Items()[size_t(i)];
    if (GameMode->CheckIfMatchingCards(card, stockCard)) return stockCard;
  }
  return nullptr;
}

std::shared_ptr<TCard> TTripeaksStock::GetNextStockCard() const {
  if (!Cards || Cards->IsEmpty()) return nullptr;
  return Cards->ValueAtIndex(Cards->CurrentPosition);
}

std::shared_ptr<TCard> TTripeaksStock::GetPreviousStockCard() const {
  if (!Cards || Cards->IsEmpty() || Cards->CurrentPosition + 1 < 0) return nullptr;
  return Cards->ValueAtIndex(Cards->CurrentPosition + 1);
}

void TTripeaksStock::InsertCardAtRandomPosition(const std::shared_ptr<TCard>& card) {
  if (Cards->IsEmpty() || !GameMode) {
    Cards->AddLast(card);
    return;
  }
  Cards->InsertAt(GameMode->Random.Rand(0, Cards->Count() - 1), card);
}

// ---- Drawing -----------------------------------------------------------------

void TTripeaksStock::Draw() {
  DrawHintCards();
  DrawCards();
  DrawMovingCards();
}

void TTripeaksStock::DrawCards() {
  const TAnimation* fade = GameMode ? GameMode->FadeOutAnimation.get() : nullptr;
  if (fade && fade->Finished) return;
  const float alpha = fade ? fade->GetRatio() : 1.0f;
  platform::SetAlpha(alpha);
  const TAnimation* hint1 = GameMode ? GameMode->Hint1Animation.get() : nullptr;
  const TAnimation* hint2 = GameMode ? GameMode->Hint2Animation.get() : nullptr;
  const TAnimation* slider = GameMode ? GameMode->StockSliderAnimation.get() : nullptr;
  const int32_t back = GameMode ? GameMode->CardBackground : 1;
  const int32_t top = Cards->CurrentPosition;
  if (top < 0 || (top == 0 && Cards->First() && Cards->First()->IsMoving)) StockDeniedCard->DrawStockDeniedCard();
  if (StockCard1) {
    if (StockCard1->CardNumber != 0)
      StockCard1->DrawStockCard(0, hint1, hint2);
    else
      StockCard1->DrawClosedCard(0, StockCard1->x, StockCard1->y, hint1, hint2, back);
  }
  for (int32_t i = 0; i < Cards->Count() && i <= top; ++i) {
    const auto& card = Cards->Items()[size_t(i)];
    if (card == StockCard1) continue;
    const float lift = i < top && card->DoDrawHint ? TLayoutGameMode::HintLift(slider, 20) : 0;
    card->DrawClosedCard(0, card->x, card->y - lift, hint1, hint2, back);
  }
  platform::SetAlpha(1);
}

void TTripeaksStock::DrawHintCards() {
  if (!GameMode || !GameMode->StockSliderAnimation || !GameMode->StockSliderAnimation->Active) return;
  const float lift = TLayoutGameMode::HintLift(GameMode->StockSliderAnimation.get(), 50);
  for (int32_t i = Cards->CurrentPosition + 2; i < Cards->Count(); ++i) {
    const auto& card = Cards->Items()[size_t(i)];
    if (card->DoDrawHint)
      card->DrawOpenedCard(0, float(OpenCardX), float(OpenCardY) - lift, 0, 0, GameMode->Hint1Animation.get(),
                           GameMode->Hint2Animation.get());
  }
}

void TTripeaksStock::DrawMovingCards() {
  for (const auto& card : *MovingCards) card->DrawOpenedCard(0, card->x, card->y, 0, 0, nullptr, nullptr);
}

// ---- Logic -------------------------------------------------------------------

void TTripeaksStock::Manage() {
  ManageMovingCards();
  ManageCards();
  ManageStock();
}

// Arrivals may start further flights but never change the lists, so the
// walks go by index.
void TTripeaksStock::ManageCards() {
  for (int32_t i = 0; i < Cards->Count(); ++i) {
    const auto card = Cards->Items()[size_t(i)];
    if (card != StockCard1 && card->IsMoving) ManageMovingCard(card);
  }
}

void TTripeaksStock::ManageMovingCards() {
  for (int32_t i = 0; i < MovingCards->Count(); ++i) {
    const auto card = MovingCards->Items()[size_t(i)];
    if (card->IsMoving) ManageMovingCard(card);
  }
}

void TTripeaksStock::ManageMovingCard(const std::shared_ptr<TCard>& card) {
  float t = 0;
  if (!StepCardFlight(*card, t)) return;
  switch (card->AnimationType) {
  case 6:
    SetStockCard(card);
    if (GameMode) GameMode->CreateHints();
    break;
  case 9:
    if (auto next = GetNextStockCard()) StartStockDealAnimation(next);
    break;
  default: break;
  }
}

void TTripeaksStock::ManageStock() {
  const bool turnKey = stock_key::Hit();
  if (StockCard1 && StockCard1->IsMoving) {
    ManageMovingCard(StockCard1);
    return;
  }
  if (Cards->IsEmpty() || Cards->CurrentPosition < 0) return;
  auto card = GetNextStockCard();
  if (!card || card->IsMoving) return;
  const bool clicked = TLayoutGameMode::MouseClicked() && card->IsMouseOver();
  if (!clicked && !turnKey) return;
  if (GameMode) {
    GameMode->EndBonus();
    GameMode->PlayDealSound();
  }
  StartStockDealAnimation(card);
}

void TTripeaksStock::SetNewStockCard(const std::shared_ptr<TCard>& card) {
  StockCard1 = card;
  if (card) card->x = float(OpenCardX), card->y = float(OpenCardY);
}

void TTripeaksStock::SetStockCard(const std::shared_ptr<TCard>& card) {
  SetNewStockCard(card);
  --Cards->CurrentPosition;
  Cards->UpdatePosition();
  if (GameMode) {
    GameMode->MarkedCard1 = StockCard1;
    GameMode->MarkedCard2.reset();
  }
}

void TTripeaksStock::StartResetStockAnimation() {
  for (int32_t i = 0; i <= Cards->CurrentPosition && i < Cards->Count(); ++i) {
    const auto& card = Cards->Items()[size_t(i)];
    // The bottom card's arrival turns the top one over.
    StartCardFlight(*card, StockX, StockY, int32_t(card->x), int32_t(card->y), 0.014f, i == 0 ? 9 : 8);
    card->x = float(StockX), card->y = float(StockY);
  }
}

void TTripeaksStock::StartStockDealAnimation(const std::shared_ptr<TCard>& card) {
  if (!card) return;
  StartCardFlight(*card, int32_t(card->x), int32_t(card->y), OpenCardX, OpenCardY, 0.015f, 6);
  --Cards->CurrentPosition;
  Cards->UpdateLocation(TLayoutGameMode::StockX, TLayoutGameMode::StockY, TLayoutGameMode::FanStep);
  ++Cards->CurrentPosition;
}

int32_t TTripeaksStock::IsAnyCardMoving() const {
  if (StockCard1 && StockCard1->IsMoving) return 1;
  for (const auto& card : *Cards)
    if (card->IsMoving) return 1;
  return 0;
}
