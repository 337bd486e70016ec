#include "solitaire/TMatchingStock.h"

#include "app/TGame.h"
#include "platform/Graphics.h"
#include "solitaire/CardFlight.h"
#include "solitaire/CardPictures.h"
#include "app/TAnimation.h"
#include "solitaire/TBezier.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeMatching.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/StockKey.h"

#include <vector>

namespace {

constexpr int32_t StockX = TLayoutGameMode::StockX, StockY = TLayoutGameMode::StockY;
constexpr int32_t OpenCardX = TLayoutGameMode::OpenCardX, OpenCardY = TLayoutGameMode::OpenCardY;

bool Clicked(const std::shared_ptr<TCard>& card) {
  return card && TLayoutGameMode::MouseClicked() && card->IsMouseOver();
}


} // namespace

TMatchingStock::TMatchingStock() {
  if (GamePlay) GameMode = dynamic_cast<TGameModeMatching*>(GamePlay->GameMode.get());
}

void TMatchingStock::AddCards(int32_t count) {
  TLayoutGameMode::AddStockCards(*Cards, count, GameMode ? GameMode->CardBackground : 1);
}

void TMatchingStock::Clear() {
  Cards = TCardList::Create();
  MovingCards = TCardList::Create();
  StockCard1.reset();
  StockCard2.reset();
  StockEmptyCard = TCard::Create(GetCardPicture(CardPicture::Empty), StockX, StockY);
  StockEmptyCard->CardNumber = StockEmptyCard->CardSuit = 0;
  StockEmptyCard->Opened = 1;
}

std::shared_ptr<TCard> TMatchingStock::DoesAnyCardMatch(const std::shared_ptr<TCard>& card) const {
  if (!GameMode || !card) return nullptr;
  std::vector<std::shared_ptr<TCard>> matching;
  for (const auto& stockCard : *Cards)
    if (GameMode->CheckIfMatchingCards(card, stockCard)) matching.push_back(stockCard);
  if (matching.empty()) return nullptr;
  return matching[size_t(GameMode->Random.Rand(0, int32_t(matching.size()) - 1))];
}

std::shared_ptr<TCard> TMatchingStock::GetNextStockCard(int32_t which) const {
  if (!Cards) return nullptr;
  return Cards->ValueAtIndex(which == 1 ? Cards->CurrentPosition - 1 : Cards->CurrentPosition);
}

std::shared_ptr<TCard> TMatchingStock::GetPreviousStockCard(int32_t) const {
  return Cards ? Cards->ValueAtIndex(Cards->CurrentPosition + 2) : nullptr;
}

void TMatchingStock::InsertCardAtRandomPosition(const std::shared_ptr<TCard>& card) {
  if (Cards->IsEmpty() || !GameMode) {
    Cards->AddLast(card);
    return;
  }
  Cards->InsertAt(GameMode->Random.Rand(0, Cards->Count() - 1), card);
}

// ---- Drawing -----------------------------------------------------------------

void TMatchingStock::Draw() {
  DrawHintCards();
  DrawCards();
  DrawMovingCards();
}

void TMatchingStock::DrawCards() {
  const TAnimation* fade = GameMode ? GameMode->FadeOutAnimation.get() : nullptr;
  if (fade && fade->Finished) return;
  platform::SetAlpha(fade ? fade->GetRatio() : 1.0f);
  const TAnimation* hint1 = GameMode ? GameMode->Hint1Animation.get() : nullptr;
  const TAnimation* hint2 = GameMode ? GameMode->Hint2Animation.get() : nullptr;
  const TAnimation* slider = GameMode ? GameMode->StockSliderAnimation.get() : nullptr;
  const int32_t back = GameMode ? GameMode->CardBackground : 1;
  const int32_t top = Cards->CurrentPosition;
  const auto topCard = Cards->ValueAtIndex(top);
  if (Cards->IsEmpty()) {
    StockEmptyCard->DrawStockDeniedCard();
  } else if (top < 0) {
    const bool returning = StockCard1 && StockCard1->IsMoving && StockCard1->AnimationType == 4;
    StockEmptyCard->DrawStockEmptyCard(returning ? 0 : 1, nullptr, nullptr);
  } else if (top <= 1 && topCard && topCard->IsMoving) {
    StockEmptyCard->DrawStockEmptyCard(0, nullptr, nullptr);
  }
  for (const auto& open : {StockCard1, StockCard2}) {
    if (!open) continue;
    if (open->CardNumber != 0) open->DrawStockCard(0, hint1, hint2);
    else open->DrawClosedCard(0, open->x, open->y, hint1, hint2, back);
    if (GameMode && GameMode->CheckIfCardMarked(open)) open->DrawMarked(open->x, open->y);
  }
  for (int32_t i = 0; i < Cards->Count() && i <= top; ++i) {
    const auto& card = Cards->Items()[size_t(i)];
    if (IsOpenCard(card)) continue;
    const float lift = i < top && card->DoDrawHint ? TLayoutGameMode::HintLift(slider, 20) : 0;
    card->DrawClosedCard(0, card->x, card->y - lift, hint1, hint2, back);
  }
  platform::SetAlpha(1);
}

void TMatchingStock::DrawHintCards() {
  if (!GameMode || !GameMode->StockSliderAnimation || !GameMode->StockSliderAnimation->Active) return;
  const float lift = TLayoutGameMode::HintLift(GameMode->StockSliderAnimation.get(), 50);
  for (int32_t i = Cards->CurrentPosition + 3; i < Cards->Count(); ++i) {
    const auto& card = Cards->Items()[size_t(i)];
    if (card->DoDrawHint && !IsOpenCard(card))
      card->DrawOpenedCard(0, float(OpenCardX), float(OpenCardY) - lift, 0, 0, GameMode->Hint1Animation.get(),
                           GameMode->Hint2Animation.get());
  }
}

void TMatchingStock::DrawMovingCards() {
  for (const auto& card : *MovingCards) TGameModeMatching::DrawShrinkingCard(*card);
}

// ---- Logic -------------------------------------------------------------------

void TMatchingStock::Manage() {
  ManageMovingCards();
  ManageCards();
  ManageStock();
}

void TMatchingStock::ManageCards() {
  for (int32_t i = 0; i < Cards->Count(); ++i) {
    const auto card = Cards->Items()[size_t(i)];
    if (!IsOpenCard(card) && card->IsMoving) ManageMovingCard(card);
  }
}

// Landing cards leave MovingCards, so the walk goes over a copy.
void TMatchingStock::ManageMovingCards() {
  const std::vector<std::shared_ptr<TCard>> moving(MovingCards->begin(), MovingCards->end());
  for (const auto& card : moving)
    if (card->IsMoving) ManageMovingCard(card);
}

void TMatchingStock::ManageMovingCard(const std::shared_ptr<TCard>& card) {
  float t = 0;
  const int32_t kind = card->AnimationType;
  const int32_t landed = StepCardFlight(*card, t);
  // A matched card straightens as it flies.
  if ((kind == 1 || kind == 2) && card->TempValue != 0) card->RotationAngle = card->TempValue - card->TempValue * t;
  if (!landed) return;
  switch (kind) {
  case 1:
  case 2:
    if (kind == 1 && GameMode) GameMode->ScorePlus(int32_t(card->x), int32_t(card->y));
    MovingCards->Remove(card.get());
    if (GameMode) GameMode->CreateHints();
    break;
  case 4:
    // The return markers have arrived: every remaining card lies face down
    // again, and neither marker stays behind as an open card.
    Cards->CurrentPosition = Cards->Count() - 1;
    StockCard1.reset();
    StockCard2.reset();
    Cards->UpdateLocation(TLayoutGameMode::StockX, TLayoutGameMode::StockY, TLayoutGameMode::FanStep);
    StartResetStockAnimation();
    if (GameMode) GameMode->CreateHints();
    break;
  case 5: StockCard1.reset(); break;
  // The open cards changed: the hints (and "No Moves Left") follow at once.
  case 6:
    SetStockCard(card, 1);
    if (GameMode) GameMode->CreateHints();
    break;
  case 7:
    SetStockCard(card, 2);
    if (GameMode) GameMode->CreateHints();
    break;
  default: break;
  }
}

void TMatchingStock::ManageStock() {
  const bool turnKey = stock_key::Hit();
  bool flew = false;
  if (StockCard1 && StockCard1->IsMoving) ManageMovingCard(StockCard1), flew = true;
  if (StockCard2 && StockCard2->IsMoving) ManageMovingCard(StockCard2), flew = true;
  if (flew || Cards->IsEmpty()) return;
  if (Cards->CurrentPosition < 0) {
    if (Clicked(StockEmptyCard) || turnKey) Recycle();
  } else {
    const auto top = GetNextStockCard(2);
    if (top && !top->IsMoving && (Clicked(top) || turnKey)) TurnPair();
  }
  const auto top = GetNextStockCard(2);
  for (const auto& open : {StockCard1, StockCard2}) {
    if (!open || !Clicked(open)) continue;
    if (Cards->CurrentPosition != -1 && top && top->IsMoving) continue;
    if (GameMode) GameMode->CheckMatchCards(open);
  }
}

void TMatchingStock::TurnPair() {
  const auto top = GetNextStockCard(2);
  const auto second = GetNextStockCard(1);
  StartCardFlight(*top, int32_t(top->x), int32_t(top->y), OpenCardX, OpenCardY, 0.015f, 6);
  if (second && !second->IsMoving)
    StartCardFlight(*second, int32_t(second->x), int32_t(second->y), SecondCardX, SecondCardY, 0.015f, 7);
  Cards->CurrentPosition -= 2;
  Cards->UpdateLocation(TLayoutGameMode::StockX, TLayoutGameMode::StockY, TLayoutGameMode::FanStep);
  Cards->CurrentPosition += 2;
  if (GameMode) {
    GameMode->MarkedCard1.reset();
    GameMode->MarkedCard2.reset();
    GameMode->PlayDealSound();
  }
}

void TMatchingStock::Recycle() {
  StockCard1.reset();
  StockCard2.reset();
  const auto marker = [](int32_t x, int32_t kind) {
    auto card = TCard::Create(GetCardPicture(CardPicture::Back1), float(x), float(OpenCardY));
    StartCardFlight(*card, x, OpenCardY, StockX, StockY, 0.014f, kind);
    return card;
  };
  if (Cards->Count() > 1) StockCard2 = marker(SecondCardX, 5);
  StockCard1 = marker(OpenCardX, 4);
  if (GameMode) {
    // The open cards go back into the pile: a selected one can no longer be matched.
    GameMode->MarkedCard1.reset();
    GameMode->MarkedCard2.reset();
    GameMode->PlayDealSound();
  }
}

void TMatchingStock::ProcessMatchedCard(const std::shared_ptr<TCard>& card) {
  const int32_t which = card == StockCard2 ? 2 : 1;
  auto flying = card->Clone();
  flying->Cards = nullptr;
  flying->TempValue = card->TempValue;
  MovingCards->AddLast(flying);
  card->IsMoving = 0;
  card->Bezier.reset();
  if (card == StockCard1) StockCard1.reset();
  if (card == StockCard2) StockCard2.reset();
  Cards->Remove(card.get());
  auto next = GetPreviousStockCard(which);
  // The other open card lies at CurrentPosition + 1, never the one coming back;
  // a table built by hand may hold them otherwise, and no card shows twice.
  if (next && IsOpenCard(next)) next.reset();
  if (!next) return;
  next->x = float(which == 1 ? OpenCardX : SecondCardX), next->y = float(OpenCardY);
  (which == 1 ? StockCard1 : StockCard2) = next;
}

void TMatchingStock::SetStockCard(const std::shared_ptr<TCard>& card, int32_t which) {
  card->x = float(which == 1 ? OpenCardX : SecondCardX), card->y = float(OpenCardY);
  (which == 1 ? StockCard1 : StockCard2) = card;
  --Cards->CurrentPosition;
  Cards->UpdatePosition();
  KeepOpenCardsNewest(which);
}

// An undo and a saved game know the open cards only as the two turned cards
// nearest the pile, CurrentPosition + 1 and + 2, so play keeps them there. A
// pair turned puts both there; the last pile card turned alone covers the
// first place only, and the card it covers must not stay between the new
// card and the one on the second place: that one moves down next to the new
// card, or, with the second place empty, the covered card takes it.
void TMatchingStock::KeepOpenCardsNewest(int32_t which) {
  for (const auto& card : *Cards)
    if (card->IsMoving && (card->AnimationType == 6 || card->AnimationType == 7)) return; // its partner still turns
  auto& other = which == 1 ? StockCard2 : StockCard1;
  const int32_t second = Cards->CurrentPosition + 2;
  if (!other) {
    other = Cards->ValueAtIndex(second);
    if (other) other->x = float(which == 1 ? SecondCardX : OpenCardX), other->y = float(OpenCardY);
    return;
  }
  const int32_t at = Cards->IndexOf(other.get());
  if (at <= second) return;
  const auto card = Cards->RemoveAt(at);
  Cards->InsertAt(second, card);
  Cards->UpdatePosition();
}

void TMatchingStock::StartResetStockAnimation() {
  for (int32_t i = 0; i <= Cards->CurrentPosition && i < Cards->Count(); ++i) {
    const auto& card = Cards->Items()[size_t(i)];
    StartCardFlight(*card, StockX, StockY, int32_t(card->x), int32_t(card->y), 0.014f, 8);
    card->x = float(StockX), card->y = float(StockY);
  }
}

void TMatchingStock::ShowOpenCardsFromList() {
  StockCard1 = Cards->ValueAtIndex(Cards->CurrentPosition + 1);
  StockCard2 = Cards->ValueAtIndex(Cards->CurrentPosition + 2);
  if (StockCard1) StockCard1->x = float(OpenCardX), StockCard1->y = float(OpenCardY);
  if (StockCard2) StockCard2->x = float(SecondCardX), StockCard2->y = float(SecondCardY);
}

int32_t TMatchingStock::IsAnyCardMoving() const {
  if ((StockCard1 && StockCard1->IsMoving) || (StockCard2 && StockCard2->IsMoving)) return 1;
  for (const auto& card : *Cards)
    if (card->IsMoving) return 1;
  return MovingCards->IsEmpty() ? 0 : 1;
}
