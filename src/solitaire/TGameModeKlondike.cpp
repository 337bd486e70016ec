#include "solitaire/TGameModeKlondike.h"

#include "app/VQMouse.h"
#include "platform/ErrorReport.h"
#include "solitaire/CardPictures.h"
#include "solitaire/CardRules.h"
#include "solitaire/LevelTimer.h"
#include "solitaire/StockKey.h"
#include "app/TAnimation.h"
#include "solitaire/TBezier.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/TSolitaireUndo.h"
#include "solitaire/TState.h"
#include "solitaire/TStock.h"
#include "ui/TButton.h"

#include <algorithm>

namespace {

// A straight flight from where the card is to (toX, toY): both control
// points on the start, no speed correction, ending exactly on the target.
void FlyTo(TCard& card, float fromX, float fromY, float toX, float toY, float speed) {
  card.Bezier = TBezier::Create();
  const int32_t ax = int32_t(fromX), ay = int32_t(fromY);
  card.Bezier->Init(ax, ay, ax, ay, ax, ay, int32_t(toX), int32_t(toY), speed, 0, 0, 0);
  card.IsMoving = 1;
}

// Moves a flying card one step; true when it has arrived (and lies on the end point).
bool StepFlight(TCard& card) {
  if (!card.Bezier) return true;
  float px, py;
  card.Bezier->MovePoint(px, py);
  card.x = px, card.y = py;
  if (!card.Bezier->IsFinished()) return false;
  card.x = card.Bezier->dx, card.y = card.Bezier->dy;
  return true;
}

std::shared_ptr<TAnimation> Timer(float firstMs, std::initializer_list<float> phases) {
  auto timer = TAnimation::Create(firstMs);
  for (float ms : phases) timer->AddPhase(ms);
  timer->Start();
  return timer;
}

void Advance(const std::shared_ptr<TAnimation>& timer) {
  if (timer && timer->Active) timer->Manage();
}

} // namespace

TGameModeKlondike::TGameModeKlondike() {
  GameType = 2;
  Cards = TCardList::Create();
  Stock = std::make_shared<TStock>(this);
  Stock->Clear();
  CreatePlaces();
}

TGameModeKlondike::~TGameModeKlondike() = default;

int32_t TGameModeKlondike::Rand(int32_t low, int32_t high) {
  if (high <= low) return low;
  const uint64_t range = uint64_t(int64_t(high) - low) + 1;
  const uint64_t limit = (uint64_t(1) << 32) / range * range; // rejection keeps every value equally likely
  uint64_t value;
  do value = Random(); while (value >= limit);
  return int32_t(low + int64_t(value % range));
}

void TGameModeKlondike::CreatePlaces() {
  const auto& empty = GetCardPicture(CardPicture::Empty);
  for (size_t i = 0; i < Foundation.size(); ++i) {
    auto place = TCard::Create(empty, FoundationX[i], FoundationY);
    place->Opened = 1, place->CardNumber = 0, place->CardSuit = 0, place->CardType = 0;
    Foundation[i] = place;
  }
  for (size_t i = 0; i < EmptyColumnCard.size(); ++i) {
    auto place = TCard::Create(empty, EmptyColumnX[i], EmptyColumnY);
    place->Opened = 1, place->CardNumber = 0, place->CardSuit = 0, place->HasCardsOnTop = 1;
    EmptyColumnCard[i] = place;
  }
}

void TGameModeKlondike::ResetTransientState() {
  DraggingCards.reset();
  IsDraggingCardsMoving = 0;
  HoldingMouseDown = 0;
  DoingAutoCompleteAnimation = 0;
  AutoCompleteAnimationFinished = 0;
  StartedAutoCompleteDeal = 0;
  AutoCompleteNumber = -1;
  LastPlayingCardMouseOverPosition = -1;
  DraggingCardsOverPosition = -1;
  CurrentHint.reset();
}

// ---- Contract ----------------------------------------------------------------

int32_t TGameModeKlondike::Clear() {
  ResetTransientState();
  Cards = TCardList::Create();
  Stock = std::make_shared<TStock>(this);
  Stock->Clear();
  HintList.reset();
  CreatePlaces();
  FadeOutAnimation.reset();
  CardBackground = Rand(1, 6);
  ClearUndoes();
  StartLevelTimer();
  ResetScore();
  ShowHelpMessage = 1;
  return 1;
}

int32_t TGameModeKlondike::Init(const std::string& layoutPath, int32_t isCustomLevel) {
  RememberLevel(layoutPath, isCustomLevel);
  Clear();
  OriginalPuzzle.reset();
  if (!Cards->LoadCards(layoutPath, LayoutOriginX, LayoutOriginY)) return 0;
  // 28 table cards and 24 in the stock make the deck: with more the deal could
  // never end, with fewer the game could never be won.
  if (Cards->Count() != LayoutCards) {
    ShowError("Error loading layout " + layoutPath + ": " + std::to_string(Cards->Count()) + " cards, " +
                  std::to_string(LayoutCards) + " needed",
              1);
    Cards = TCardList::Create();
    return 0;
  }
  AutoCompleteButton.reset();
  return Shuffle();
}

int32_t TGameModeKlondike::Shuffle() {
  if (OriginalPuzzle) {
    OriginalPuzzle->SetAsCurrentValues(*this);
    Stock->GameMode = this;
  }
  ResetTransientState();
  HintList.reset();
  ClearUndoes();
  Stock = std::make_shared<TStock>(this);
  Stock->Clear();
  Cards->SetAsEmptyCards();
  Stock->AddCards(23);
  GenerateCards();
  Cards->UpdateCardsOnTop();
  Cards->UpdateOpenedBasedOnCardsOnTop();
  AddOriginalUndo();
  if (GameState) GameState->Clear();
  AutoCompleteButton.reset();
  StartDealAnimation();
  ResetScore();
  ResetHint();
  return 1;
}

int32_t TGameModeKlondike::Reset() {
  if (!OriginalPuzzle) return 0;
  ResetTransientState();
  OriginalPuzzle->SetAsCurrentValues(*this);
  Stock->GameMode = this;
  HintList.reset();
  Cards->UpdateCardsOnTop();
  Cards->UpdatePosition();
  StartLevelTimer();
  ClearUndoes();
  if (GameState) GameState->Clear();
  ResetScore();
  AutoCompleteButton.reset();
  ResetHint();
  FadeOutAnimation.reset();
  StartDealAnimation();
  ShowHelpMessage = 1;
  return 1;
}

int32_t TGameModeKlondike::IsGameFinished() {
  for (const auto& place : Foundation)
    if (!place || place->CardNumber != 13) return 0;
  return 1;
}

std::shared_ptr<TSolitaireHighScoreList> TGameModeKlondike::GetHighscoreList() {
  return GamePlay ? GamePlay->HighscoreListSolitaire : nullptr;
}

bool TGameModeKlondike::IsBusy() const {
  if (DraggingCards || IsDraggingCardsMoving) return true;
  if (DoingDealAnimation && !DealAnimationFinished) return true;
  if (DoingAutoCompleteAnimation && !AutoCompleteAnimationFinished) return true;
  for (const auto& card : *Cards)
    if (card->IsMoving) return true;
  return Stock && Stock->IsAnyCardMoving();
}

int32_t TGameModeKlondike::CanSaveGame() { return !IsBusy() && OriginalPuzzle ? 1 : 0; }

int32_t TGameModeKlondike::Logic() {
  const bool buttonsOff = GameState && GameState->disableButtons;
  // A won table keeps its score pop-up and fade going under the end-of-level
  // dialogs; mid-game a dialog holds everything still.
  if (!buttonsOff || (GameState && GameState->stateFinished)) {
    ManageScore();
    ManageAnimations();
  }
  const bool dealing = DoingDealAnimation && !DealAnimationFinished;
  const bool autoCompleting = DoingAutoCompleteAnimation && !AutoCompleteAnimationFinished;
  if (dealing || autoCompleting) {
    stock_key::Hit(); // the table takes no input: a press now turns nothing, now or later
    if (dealing) ManageDealAnimation();
    else ManageAutoCompleteAnimation();
    return 1;
  }
  if (buttonsOff) return 1;
  ManageStock();
  ManagePlayingCards();
  ManageHint();
  if (DraggingCards) ManageDraggingCards();
  ManageAutoComplete();
  return 1;
}

// ---- Deal --------------------------------------------------------------------

std::pair<int32_t, int32_t> TGameModeKlondike::GetCardNumberAndSuitFromID(int32_t id) {
  return TCard::GetCardNumberAndSuitFromID(id);
}

int32_t TGameModeKlondike::GenerateCards() {
  bool dealt[52] = {};
  int32_t left = 52;
  auto deal = [&](TCard& card) {
    if (left == 0) return; // a layout of more than 28 cards is refused before this
    int32_t id;
    do id = Rand(0, 51); while (dealt[id]);
    dealt[id] = true;
    --left;
    auto [rank, suit] = GetCardNumberAndSuitFromID(id);
    card.CardNumber = rank, card.CardSuit = suit;
    card.UpdateCardImage();
  };
  for (const auto& card : *Cards) deal(*card);
  for (const auto& card : *Stock->Cards) deal(*card);
  return 1;
}

int32_t TGameModeKlondike::StartDealAnimation() {
  DealAnimationFinished = 0;
  DoingDealAnimation = 1;
  StartedDeal = 0;
  DealNumber = -1;
  if (GameState) GameState->StartBuildingLevel();
  return 1;
}

int32_t TGameModeKlondike::ManageDealAnimation() {
  if (!StartedDeal) {
    if (DealNumber + 1 >= Cards->Count()) {
      DealAnimationFinished = 1;
      Stock->StartResetStockAnimation();
      if (GameState) GameState->StopBuildingLevel();
      return 1;
    }
    ++DealNumber;
    auto card = Cards->ValueAtIndex(DealNumber);
    card->AnimationType = DealFlight;
    FlyTo(*card, TStock::StockX, TStock::StockY, card->x, card->y, 0.04f);
    card->x = TStock::StockX, card->y = TStock::StockY;
    PlayDealSound();
    StartedDeal = 1;
    return 1;
  }
  auto card = Cards->ValueAtIndex(DealNumber);
  if (!card || StepFlight(*card)) {
    if (card) card->IsMoving = 0, card->Bezier.reset();
    StartedDeal = 0;
  }
  return 1;
}

// ---- Play --------------------------------------------------------------------

int32_t TGameModeKlondike::ManageAnimations() {
  Advance(HintAnimation);
  Advance(Hint1Animation);
  Advance(Hint2Animation);
  Advance(StockSliderAnimation);
  Advance(ScoreAnimation);
  Advance(FadeOutAnimation);
  if (GameState && GameState->stateFinished && !FadeOutAnimation) FadeOutAnimation = Timer(500, {});
  return 1;
}

int32_t TGameModeKlondike::ManageStock() {
  Stock->Manage();
  return 1;
}

int32_t TGameModeKlondike::ManagePlayingCards() {
  LastPlayingCardMouseOverPosition = -1;
  DraggingCardsOverPosition = -1;
  const std::shared_ptr<TCard> grabbed = DraggingCards ? DraggingCards->First() : nullptr;
  // A double click moves a card to the end and a landing card may change the
  // list: only then is it walked in a copy.
  const auto& items = Cards->Items();
  const bool mayChange = (GameMouse && GameMouse->DoubleClick() == 1) || Cards->AnyMoving();
  std::vector<std::shared_ptr<TCard>> copy;
  if (mayChange) copy = items;
  const auto& cards = mayChange ? copy : items;
  for (size_t i = 0; i < cards.size(); ++i) {
    const auto& card = cards[i];
    if (card->IsMoving) {
      ManageMovingCard(card);
      continue;
    }
    if (!DraggingCards) {
      card->Manage();
      const bool over = card->IsMouseOver() != 0;
      if (!IsDraggingCardsMoving && card->Opened && over) LastPlayingCardMouseOverPosition = int32_t(i);
      if (!card->HasCardsOnTop && over && GameMouse && GameMouse->DoubleClick() == 1) {
        auto target = PlaceOnFoundation(*card);
        if (!target) {
          PlayInvalidSound();
          continue;
        }
        StopHelpMessage();
        AddUndo(-60);
        target->CardType = 3;
        Cards->Remove(card.get());
        Cards->AddLast(card);
        Cards->UpdatePosition();
        card->AnimationType = FoundationFlight;
        card->TempValue = card->RotationAngle;
        FlyTo(*card, card->x, card->y, target->x, target->y, 0.01f);
        card->CardRef = target;
        IsDraggingCardsMoving = 1;
      }
    } else if (grabbed && card->Opened && !card->HasCardsOnTop && card->IsMouseOver() &&
               CanMoveOnCard(*grabbed, *card)) {
      DraggingCardsOverPosition = int32_t(i);
    }
  }
  const int32_t drag = GameMouse ? GameMouse->Drag() : 0;
  // The run is taken from where the button went down: a quick hand can be
  // well past the card by the tick that sees the drag begin.
  const int32_t pressed = drag == 1 && !DraggingCards ? PlayingCardAt(GameMouse->DragStartX, GameMouse->DragStartY) : -1;
  if (pressed < 0 && drag == 1) HoldingMouseDown = 1;
  if (drag == 0) HoldingMouseDown = 0;
  if (!DraggingCards && !HoldingMouseDown && pressed >= 0) AddDraggingCards(pressed);
  return 1;
}

int32_t TGameModeKlondike::PlayingCardAt(int32_t px, int32_t py) const {
  if (IsDraggingCardsMoving) return -1;
  for (int32_t i = Cards->Count() - 1; i >= 0; --i) {
    const auto card = Cards->ValueAtIndex(i);
    if (card && !card->IsMoving && card->Opened && card->IsPointOver(px, py)) return i;
  }
  return -1;
}

int32_t TGameModeKlondike::AddDraggingCards(int32_t index) {
  auto card = Cards->ValueAtIndex(index);
  if (!card || card->IsMoving || !GameMouse) return 0;
  DraggingCards = TCardList::Create();
  DraggingCards->AddLast(card);
  card->Dragging = 1, card->CardType = 1;
  DraggingOffsetX = int32_t(card->x - float(GameMouse->x));
  DraggingOffsetY = int32_t(card->y - float(GameMouse->y));
  for (int32_t k = 0; k < DraggingCards->Count(); ++k) {
    const auto member = DraggingCards->ValueAtIndex(k);
    if (member->IsMoving) continue;
    const auto onTop = member->GetAllCardsOnTop();
    for (const auto& above : *onTop) {
      if (DraggingCards->IndexOf(above.get()) >= 0) continue;
      DraggingCards->AddLast(above);
      above->Dragging = 1, above->CardType = 1;
    }
  }
  return 1;
}

int32_t TGameModeKlondike::AddStockDraggingCard(const std::shared_ptr<TCard>& card) {
  if (!card || !GameMouse) return 0;
  DraggingCards = TCardList::Create();
  DraggingCards->AddLast(card);
  card->Dragging = 1, card->CardType = 2;
  DraggingOffsetX = int32_t(card->x - float(GameMouse->x));
  DraggingOffsetY = int32_t(card->y - float(GameMouse->y));
  return 1;
}

int32_t TGameModeKlondike::ManageDraggingCards() {
  if (DraggingCards && GameMouse && GameMouse->LeftClick() == 0) {
    auto run = DraggingCards;
    CanMoveCards(run);
    DraggingCards.reset();
  }
  return 1;
}

int32_t TGameModeKlondike::CanMoveCards(const std::shared_ptr<TCardList>& cards) {
  if (!cards || cards->IsEmpty()) return 0;
  const auto grabbed = cards->First();
  const int32_t homeX = int32_t(grabbed->x), homeY = int32_t(grabbed->y);
  // Where the run would go: onto an accepting uncovered card under the pointer, else a free column.
  bool accepted = false;
  float destX = 0, destY = 0;
  std::shared_ptr<TCard> place;
  for (const auto& card : *Cards) {
    if (card->Dragging || card->HasCardsOnTop || !card->IsMouseOver() || !CanMoveOnCard(*grabbed, *card)) continue;
    accepted = true;
    destX = card->x, destY = card->y + StackStep;
    break;
  }
  if (!accepted) {
    place = CanMoveOnEmptyColumn(*grabbed, 1);
    if (place) {
      accepted = true;
      destX = place->x, destY = place->y;
      place->HasCardsOnTop = 1;
    }
  }
  if (accepted) {
    for (const auto& card : *cards) card->Dragging = 0;
    StopHelpMessage();
    if (place) place->HasCardsOnTop = 0; // the snapshot shows the column free
    AddUndo(-20);
    if (place) place->HasCardsOnTop = 1;
    float y = destY;
    for (const auto& card : *cards) {
      card->x = destX, card->y = y;
      y += StackStep;
      if (card->CardType == 1) {
        Cards->Remove(card.get());
      } else if (card->CardType == 2) {
        Stock->RemoveCurrentStockCard();
        card->CardType = 0;
        card->Cards = nullptr; // it belonged to no list but the drag's
      }
      Cards->AddLast(card);
    }
  } else {
    const float fromX = float(GameMouse ? GameMouse->x : 0) + float(DraggingOffsetX);
    float fromY = float(GameMouse ? GameMouse->y : 0) + float(DraggingOffsetY);
    for (const auto& card : *cards) {
      card->Dragging = 0;
      card->AnimationType = card->CardType == 2 ? StockBack : TableauBack;
      FlyTo(*card, fromX, fromY, card->x, card->y, 0.02f);
      fromY += StackStep;
    }
    IsDraggingCardsMoving = 1;
  }
  if (cards->Count() == 1) {
    if (auto target = CanMoveOnFoundationCard(*grabbed)) {
      StopHelpMessage();
      grabbed->CardRef.reset();
      grabbed->Bezier.reset();
      grabbed->IsMoving = 0;
      AddUndo(-60);
      grabbed->CardRef = target;
      FlyTo(*grabbed, float(homeX), float(homeY), float(homeX), float(homeY), 0.01f); // carries the former place
      ScorePlus(int32_t(target->x), int32_t(target->y));
      SetCardAsFoundationCard(grabbed);
      grabbed->IsMoving = 0;
      grabbed->Bezier.reset();
      PlayValidSound();
      CreateHints();
      CheckAutoComplete();
      return 1;
    }
  }
  if (!accepted) {
    PlayInvalidSound();
    return 0;
  }
  PlayMoveSound();
  Cards->UpdatePosition();
  Cards->UpdateCardsOnTop();
  Cards->UpdateSetOpenedIfNoCardsOnTop();
  CheckIfEmptyColumn(homeX, homeY);
  CreateHints();
  CheckAutoComplete();
  return 1;
}

int32_t TGameModeKlondike::SetCardAsFoundationCard(const std::shared_ptr<TCard>& card) {
  const auto target = card->CardRef;
  if (!target) return 0;
  if (card->CardType == 1) {
    target->CardType = 3;
    const int32_t fromX = card->Bezier ? int32_t(card->Bezier->ax) : int32_t(card->x);
    const int32_t fromY = card->Bezier ? int32_t(card->Bezier->ay) : int32_t(card->y);
    card->Kill();
    Cards->UpdatePosition();
    Cards->UpdateCardsOnTop();
    Cards->UpdateSetOpenedIfNoCardsOnTop();
    CheckIfEmptyColumn(fromX, fromY);
  } else if (card->CardType == 2) {
    target->CardType = 3;
    Stock->RemoveCurrentStockCard();
    Stock->UpdateFan();
  } else {
    card->CardRef.reset();
    IsDraggingCardsMoving = 0;
    return 0;
  }
  target->CardNumber = card->CardNumber;
  target->CardSuit = card->CardSuit;
  target->CardImage = card->CardImage;
  card->CardRef.reset();
  IsDraggingCardsMoving = 0;
  return 1;
}

int32_t TGameModeKlondike::ManageMovingCard(const std::shared_ptr<TCard>& card) {
  const bool arrived = StepFlight(*card);
  if (card->AnimationType == FoundationFlight && card->TempValue != 0 && card->Bezier)
    card->RotationAngle = card->TempValue * (1 - std::min(card->Bezier->t, 1.0f));
  if (!arrived) return 0;
  if (card->AnimationType == FoundationFlight && card->CardRef) {
    ScorePlus(int32_t(card->CardRef->x), int32_t(card->CardRef->y));
    card->CardType = 1;
    SetCardAsFoundationCard(card);
    card->CardType = 0;
    PlayValidSound();
    CreateHints();
    CheckAutoComplete();
  } else if (card->AnimationType == TableauBack) {
    IsDraggingCardsMoving = 0;
  }
  card->IsMoving = 0;
  card->Bezier.reset();
  return 1;
}

int32_t TGameModeKlondike::CheckIfEmptyColumn(int32_t x, int32_t y) {
  for (const auto& card : *Cards)
    if (card->IsPointOver(x, y)) return 0;
  return CheckWhichEmptyColumnCard(x, y);
}

int32_t TGameModeKlondike::CheckWhichEmptyColumnCard(int32_t x, int32_t y) {
  for (const auto& place : EmptyColumnCard)
    if (place->IsPointOver(x, y)) {
      place->HasCardsOnTop = 0;
      return 1;
    }
  return 0;
}

int32_t TGameModeKlondike::StopHelpMessage() {
  ShowHelpMessage = 0;
  return 1;
}

// ---- Rules -------------------------------------------------------------------

int32_t TGameModeKlondike::CanMoveOnCard(const TCard& card, const TCard& target) const {
  if (card_rules::HaveSameColour(card, target)) return 0;
  return card_rules::IsOneRankBelow(card, target) ? 1 : 0;
}

std::shared_ptr<TCard> TGameModeKlondike::CanMoveOnEmptyColumn(const TCard& card, int32_t useMouse) const {
  if (!card_rules::IsKing(card)) return nullptr;
  for (const auto& place : EmptyColumnCard)
    if (!place->HasCardsOnTop && (!useMouse || place->IsMouseOver())) return place;
  return nullptr;
}

std::shared_ptr<TCard> TGameModeKlondike::PlaceOnFoundation(const TCard& card) const {
  for (const auto& place : Foundation) {
    if (card_rules::IsAce(card) ? place->CardSuit == 0 && place->CardType == 0
                                : card_rules::BuildsOnSuitPile(card, *place))
      return place;
  }
  return nullptr;
}

std::shared_ptr<TCard> TGameModeKlondike::CanMoveOnFoundationCard(const TCard& card) const {
  std::shared_ptr<TCard> under;
  for (const auto& place : Foundation)
    if (place->IsMouseOver()) under = place; // the highest-numbered one under the pointer
  if (!under) return nullptr;
  return FoundationTakes(card, *under) ? under : nullptr;
}

bool TGameModeKlondike::FoundationTakes(const TCard& card, const TCard& place) const {
  const auto natural = PlaceOnFoundation(card);
  if (!natural) return false;
  // An ace may go to any foundation not yet claimed.
  return natural.get() == &place || (card_rules::IsAce(card) && place.CardType != 3);
}

int32_t TGameModeKlondike::AcceptsOnFoundation(const TCard& card, const TCard& place) {
  return FoundationTakes(card, place) ? 1 : 0;
}

int32_t TGameModeKlondike::AcceptsOnEmptyPlace(const TCard& card, const TCard& /*place*/) {
  return card_rules::IsKing(card) ? 1 : 0; // only a king may start a column
}

