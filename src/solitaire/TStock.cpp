#include "solitaire/TStock.h"

#include "app/VQMouse.h"
#include "platform/Graphics.h"
#include "solitaire/CardPictures.h"
#include "app/TAnimation.h"
#include "solitaire/TBezier.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeKlondike.h"
#include "solitaire/StockKey.h"

namespace {

void Fly(TCard& card, int32_t type, float toX, float toY, float speed) {
  card.IsMoving = 1;
  card.AnimationType = type;
  card.Bezier = TBezier::Create();
  const int32_t fromX = int32_t(card.x), fromY = int32_t(card.y);
  card.Bezier->Init(fromX, fromY, fromX, fromY, fromX, fromY, int32_t(toX), int32_t(toY), speed, 0, 0, 0);
}

// Height a hinted card is lifted by while the stock slider runs: up, held, down.
float SliderLift(const TAnimation* slider) {
  if (!slider || !slider->Active) return 0;
  switch (slider->CurrentPhase) {
  case 1: return 20 * slider->GetRatioInv();
  case 2: return 20;
  case 3: return 20 * slider->GetRatio();
  default: return 0;
  }
}

} // namespace

void TStock::Clear() {
  Cards = TCardList::Create();
  StockCardTop.reset();
  StockCardBottom.reset();
  StockEmptyCard = TCard::Create(GetCardPicture(CardPicture::Empty), StockX, StockY);
  StockEmptyCard->Opened = 1;
  StockEmptyCard->CardNumber = 0;
  StockEmptyCard->CardSuit = 0;
}

void TStock::AddCards(int32_t n) {
  if (!Cards) Clear();
  const auto& back = GetCardPicture(CardPicture::Back1);
  for (int32_t i = 0; i <= n; ++i) Cards->AddNew(StockX, StockY, back, 0, 0, 0, 0);
  Cards->CurrentPosition = Cards->Count() - 1;
  UpdateFan();
}

void TStock::UpdateFan() { Cards->UpdateLocation(StockX, StockY, FanStep); }

bool TStock::IsAnyCardMoving() const {
  if (StockCardTop && StockCardTop->IsMoving) return true;
  if (Cards)
    for (const auto& card : *Cards)
      if (card->IsMoving) return true;
  return false;
}

void TStock::Manage() {
  ManageCards();
  ManageStock();
}

void TStock::ManageCards() {
  if (!Cards) return;
  if (!Cards->AnyMoving()) return;
  const auto cards = Cards->Items(); // a landing card may change the list
  for (const auto& card : cards)
    if (card->IsMoving) ManageMovingCard(card);
}

void TStock::ManageMovingCard(const std::shared_ptr<TCard>& card) {
  if (!card->Bezier) {
    card->IsMoving = 0;
    return;
  }
  float px, py;
  card->Bezier->MovePoint(px, py);
  card->x = px, card->y = py;
  if (card->AnimationType == TGameModeKlondike::StockToFoundation && card->TempValue != 0)
    card->RotationAngle = card->TempValue * (1 - card->Bezier->t);
  if (!card->Bezier->IsFinished()) return;
  card->x = card->Bezier->dx, card->y = card->Bezier->dy;
  switch (card->AnimationType) {
  case TGameModeKlondike::StockToFoundation:
    if (GameMode && card->CardRef) {
      GameMode->ScorePlus(int32_t(card->CardRef->x), int32_t(card->CardRef->y));
      card->CardType = 2;
      GameMode->SetCardAsFoundationCard(card);
      card->CardType = 0;
      GameMode->PlayValidSound();
      GameMode->CreateHints();
    }
    break;
  case TGameModeKlondike::StockTurn:
    SetStockCard(*card);
    break;
  case TGameModeKlondike::StockRecycle:
    Cards->CurrentPosition = Cards->Count() - 1;
    StockCardTop.reset();
    UpdateFan();
    StartResetStockAnimation();
    break;
  case TGameModeKlondike::StockBack:
    if (GameMode) GameMode->IsDraggingCardsMoving = 0;
    break;
  default:
    break;
  }
  card->IsMoving = 0;
  card->Bezier.reset();
}

void TStock::ManageStock() {
  const bool turnKey = stock_key::Hit();
  if (StockCardTop && StockCardTop->IsMoving) {
    auto top = StockCardTop; // landing replaces StockCardTop
    ManageMovingCard(top);
    return;
  }
  if (!Cards || Cards->IsEmpty() || !GameMode || !GameMouse) return;
  const int32_t p = Cards->CurrentPosition;
  if (p < 0) {
    if ((StockEmptyCard->IsMouseOver() && GameMouse->LeftClick() == 1) || turnKey) {
      if (!StockCardTop) {
        StockCardTop = std::make_shared<TCard>();
        StockCardTop->x = WasteX, StockCardTop->y = WasteY;
      }
      Fly(*StockCardTop, TGameModeKlondike::StockRecycle, StockX, StockY, 0.014f);
      GameMode->PlayDealSound();
      return;
    }
  }
  const auto top = p >= 0 ? Cards->ValueAtIndex(p) : nullptr;
  const bool topFlying = top && top->IsMoving;
  if (top && !topFlying) {
    if ((top->IsMouseOver() && GameMouse->LeftClick() == 1) || turnKey) {
      Fly(*top, TGameModeKlondike::StockTurn, WasteX, WasteY, 0.015f);
      --Cards->CurrentPosition; // the rest of the pile closes up at once
      UpdateFan();
      ++Cards->CurrentPosition;
      GameMode->PlayDealSound();
      return;
    }
  }
  if (!StockCardTop || topFlying) return;
  if (StockCardTop->IsMouseOver() && GameMouse->DoubleClick() == 1) {
    auto target = GameMode->PlaceOnFoundation(*StockCardTop);
    if (!target) {
      GameMode->PlayInvalidSound();
      return;
    }
    GameMode->StopHelpMessage();
    GameMode->AddUndo(-60);
    target->CardType = 3;
    StockCardTop->TempValue = StockCardTop->RotationAngle;
    Fly(*StockCardTop, TGameModeKlondike::StockToFoundation, target->x, target->y, 0.02f);
    StockCardTop->CardRef = target;
    GameMode->IsDraggingCardsMoving = 1;
    return;
  }
  // Taken from where the button went down, as the tableau's cards are.
  if (!GameMode->DraggingCards && !GameMode->IsDraggingCardsMoving && GameMouse->Drag() == 1 &&
      StockCardTop->IsPointOver(GameMouse->DragStartX, GameMouse->DragStartY) && !GameMode->HoldingMouseDown)
    GameMode->AddStockDraggingCard(StockCardTop);
}

void TStock::SetStockCard(const TCard& card) {
  StockCardTop = TCard::Create(GetCardPicture(CardPicture::Back1), WasteX, WasteY);
  StockCardTop->Opened = 1;
  StockCardTop->CardNumber = card.CardNumber;
  StockCardTop->CardSuit = card.CardSuit;
  StockCardTop->DoDrawHint = card.DoDrawHint;
  StockCardTop->HintNumber = card.HintNumber;
  StockCardTop->CardImage = card.CardImage;
  --Cards->CurrentPosition;
  UpdateFan();
}

void TStock::SetNextStockCard() {
  if (Cards->IsEmpty()) {
    StockCardTop.reset();
    return;
  }
  if (Cards->CurrentPosition + 1 < Cards->Count()) ++Cards->CurrentPosition;
  if (auto card = Cards->ValueAtIndex(Cards->CurrentPosition)) SetStockCard(*card);
}

void TStock::RemoveCurrentStockCard() {
  Cards->RemoveAt(Cards->CurrentPosition + 1);
  Cards->UpdatePosition();
  SetNextStockCard();
}

std::shared_ptr<TCard> TStock::GetPreviousStockCard() const {
  if (!Cards || Cards->Count() < 2) return nullptr;
  const int32_t p = Cards->CurrentPosition;
  if (p < 0) return Cards->ValueAtIndex(1);
  if (p + 2 >= Cards->Count()) return nullptr;
  return Cards->ValueAtIndex(p + 2);
}

void TStock::StartResetStockAnimation() {
  for (const auto& card : *Cards) {
    const float toX = card->x, toY = card->y;
    card->x = StockX, card->y = StockY;
    Fly(*card, TGameModeKlondike::StockFan, toX, toY, 0.014f);
  }
}

// ---- Drawing -----------------------------------------------------------------

void TStock::Draw() {
  DrawHintCards();
  DrawStock();
  DrawStockCards();
}

void TStock::DrawStockCards() {
  const TAnimation* fade = GameMode ? GameMode->FadeOutAnimation.get() : nullptr;
  if (fade && fade->Finished) return;
  if (fade && fade->Active) platform::SetAlpha(fade->GetRatio());
  if (Cards && !Cards->IsEmpty()) {
    const int32_t p = Cards->CurrentPosition;
    if (p < 0) {
      const bool recycling = StockCardTop && StockCardTop->IsMoving &&
                             StockCardTop->AnimationType == TGameModeKlondike::StockRecycle;
      StockEmptyCard->DrawStockEmptyCard(recycling ? 0 : 1, nullptr, nullptr);
    } else {
      if (p == 0 && Cards->First()->IsMoving) StockEmptyCard->DrawStockEmptyCard(0, nullptr, nullptr);
      DrawCards(1);
    }
  } else if (StockEmptyCard) {
    StockEmptyCard->DrawStockDeniedCard();
  }
  platform::SetAlpha(1);
}

void TStock::DrawCards(int32_t mouseOver) {
  if (!GameMode) return;
  const TAnimation* h1 = GameMode->Hint1Animation.get();
  const TAnimation* h2 = GameMode->Hint2Animation.get();
  const float lift = SliderLift(GameMode->StockSliderAnimation.get());
  const int32_t p = Cards->CurrentPosition;
  for (int32_t i = 0; i < Cards->Count() && i <= p; ++i) {
    const auto& card = Cards->Items()[size_t(i)];
    const float y = card->y - (card->DoDrawHint ? lift : 0);
    if (card->Opened)
      card->DrawOpenedCard(0, card->x, y, 0, 0, h1, h2);
    else
      card->DrawClosedCard(i == p ? mouseOver : 0, card->x, y, h1, h2, GameMode->CardBackground);
  }
}

void TStock::DrawHintCards() {
  if (!GameMode || !Cards) return;
  const TAnimation* slider = GameMode->StockSliderAnimation.get();
  if (!slider || !slider->Active) return;
  float y = WasteY;
  if (slider->CurrentPhase == 1) y = WasteY - 20 * slider->GetRatioInv();
  else if (slider->CurrentPhase == 2) y = WasteY - 20;
  else if (slider->CurrentPhase == 3) y = WasteY - 20 * slider->GetRatio();
  for (int32_t i = Cards->CurrentPosition + 2; i < Cards->Count(); ++i) {
    const auto& card = Cards->Items()[size_t(i)];
    if (card->DoDrawHint)
      card->DrawOpenedCard(0, WasteX, y, 0, 0, GameMode->Hint1Animation.get(), GameMode->Hint2Animation.get());
  }
}

void TStock::DrawStock() {
  if (!StockCardTop || !GameMode) return;
  const TAnimation* h1 = GameMode->Hint1Animation.get();
  const TAnimation* h2 = GameMode->Hint2Animation.get();
  if (StockCardTop->Dragging || StockCardTop->IsMoving) {
    if (StockCardTop->IsMoving && StockCardTop->AnimationType == TGameModeKlondike::StockRecycle) {
      StockCardTop->DrawClosedCard(0, StockCardTop->x, StockCardTop->y, h1, h2, GameMode->CardBackground);
      return;
    }
    StockCardBottom = GetPreviousStockCard();
    if (StockCardBottom) {
      StockCardBottom->x = WasteX, StockCardBottom->y = WasteY;
      StockCardBottom->DrawOpenedCard(0, WasteX, WasteY, 0, 0, h1, h2);
    }
    if (!StockCardTop->Dragging) StockCardTop->DrawStockCard(0, h1, h2);
    return;
  }
  const auto top = Cards && Cards->CurrentPosition >= 0 ? Cards->ValueAtIndex(Cards->CurrentPosition) : nullptr;
  const bool glow = !GameMode->IsDraggingCardsMoving && !GameMode->DraggingCards && !(top && top->IsMoving);
  StockCardTop->DrawStockCard(glow ? 1 : 0, h1, h2);
}
