// Klondike's helps: undo snapshots, the hint search and its glow timers,
// auto-complete, the score count-up and the sounds.
#include "solitaire/TGameModeKlondike.h"

#include "app/TGame.h"
#include "app/TSoundBank.h"
#include "app/TAnimation.h"
#include "solitaire/TBezier.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/TSolitaireHint.h"
#include "solitaire/TSolitaireUndo.h"
#include "solitaire/TStock.h"
#include "ui/TButton.h"

#include <algorithm>

namespace {

std::shared_ptr<TAnimation> Timer(float firstMs, std::initializer_list<float> phases) {
  auto timer = TAnimation::Create(firstMs);
  for (float ms : phases) timer->AddPhase(ms);
  timer->Start();
  return timer;
}

} // namespace

// ---- Undo --------------------------------------------------------------------

int32_t TGameModeKlondike::AddUndo(int32_t points) {
  if (!UndoList) UndoList = std::make_shared<std::vector<std::shared_ptr<TSolitaireUndo>>>();
  ResetHint();
  ResetCurrentHint();
  auto snapshot = std::make_shared<TSolitaireUndo>();
  snapshot->SetFromCurrentValues(*this, points);
  UndoList->push_back(std::move(snapshot));
  return 1;
}

int32_t TGameModeKlondike::AddOriginalUndo() {
  ResetHint();
  ResetCurrentHint();
  OriginalPuzzle = std::make_shared<TSolitaireUndo>();
  OriginalPuzzle->SetFromCurrentValues(*this, 0);
  return 1;
}

int32_t TGameModeKlondike::ClearUndoes() {
  UndoList.reset();
  return 1;
}

int32_t TGameModeKlondike::Undo() {
  if (!UndoList || UndoList->empty()) return 0;
  // A card in the air or in the hand, the deal and auto-complete would be
  // left half done by a restored table.
  if (IsBusy()) return 0;
  const auto snapshot = UndoList->back();
  UndoList->pop_back();
  snapshot->SetAsCurrentValues(*this);
  Stock->GameMode = this;
  Cards->UpdateCardsOnTop();
  Cards->UpdatePosition();
  ScoreMinus(snapshot->ScorePoints);
  CreateHints();
  CheckAutoComplete();
  return 1;
}

// ---- Hints -------------------------------------------------------------------

int32_t TGameModeKlondike::CreateHints() {
  std::vector<std::shared_ptr<TSolitaireHint>> toFoundation, others;
  auto add = [](std::vector<std::shared_ptr<TSolitaireHint>>& list, const std::shared_ptr<TCard>& first,
                const std::shared_ptr<TCard>& second) {
    auto hint = std::make_shared<TSolitaireHint>();
    hint->SetHint(first, second);
    list.push_back(std::move(hint));
  };
  auto ontoTops = [&](const std::shared_ptr<TCard>& card) {
    for (const auto& top : *Cards)
      if (top->Opened && !top->HasCardsOnTop && CanMoveOnCard(*card, *top)) add(others, card, top);
  };
  for (const auto& card : *Cards) {
    if (!card->Opened) continue;
    if (!card->HasCardsOnTop)
      if (auto place = PlaceOnFoundation(*card)) add(toFoundation, card, place);
    if (card->HasOpenedCardBehind(1)) continue; // only the lowest face-up card of a run moves
    if (auto place = CanMoveOnEmptyColumn(*card, 0); place && card->HasOpenedCardBehind(0)) add(others, card, place);
    ontoTops(card);
  }
  // A run lying on a face-up card that its foundation would take may move
  // on too, though it is not the lowest of its run: without this, such a
  // table would say "No Moves Left" with a way forward.
  for (const auto& card : *Cards) {
    if (!card->Opened || !card->HasCardsOnTop || !PlaceOnFoundation(*card)) continue;
    const auto onTop = card->GetAllCardsOnTop();
    if (const auto lowest = onTop->First(); lowest && lowest->Opened) ontoTops(lowest);
  }
  if (toFoundation.empty() && others.empty()) {
    for (const auto& card : *Stock->Cards) {
      if (auto place = PlaceOnFoundation(*card)) add(toFoundation, card, place);
      if (auto place = CanMoveOnEmptyColumn(*card, 0)) add(others, card, place);
      ontoTops(card);
    }
  }
  HintList = std::make_shared<std::vector<std::shared_ptr<TSolitaireHint>>>(
      toFoundation.empty() ? std::move(others) : std::move(toFoundation));
  return 1;
}

std::shared_ptr<TSolitaireHint> TGameModeKlondike::GetRandomHint() {
  if (!HintList || HintList->empty()) return nullptr;
  return (*HintList)[size_t(Rand(0, int32_t(HintList->size()) - 1))];
}

bool TGameModeKlondike::ShowsNoMovesLeft() const { return HintList && HintList->empty() && !Cards->IsEmpty(); }

int32_t TGameModeKlondike::ResetHintTimer(int32_t delayMs) {
  ResetCurrentHint();
  ResetHint();
  const float delay = float(delayMs);
  HintAnimation = Timer(delay, {5000});
  Hint1Animation = Timer(delay, {500, 4000, 500});
  Hint2Animation = Timer(delay + 500, {500, 3500, 500});
  StockSliderAnimation = Timer(delay, {500, 4000, 500});
  return 1;
}

int32_t TGameModeKlondike::ManageHint() {
  if (Game && (Game->Paused || Game->Suspended)) return 0;
  if (HintAnimation && HintAnimation->Active && HintAnimation->CurrentPhase == 1 && !HasCreatedHints) {
    HasCreatedHints = 1;
    CreateHints();
    CurrentHint = GetRandomHint();
    if (CurrentHint) {
      CurrentHint->FirstCard->DoDrawHint = 1, CurrentHint->FirstCard->HintNumber = 1;
      CurrentHint->SecondCard->DoDrawHint = 1, CurrentHint->SecondCard->HintNumber = 2;
      if (const auto& top = Stock->StockCardTop) {
        for (const auto& hinted : {CurrentHint->FirstCard, CurrentHint->SecondCard})
          if (top->CardNumber == hinted->CardNumber && top->CardSuit == hinted->CardSuit)
            top->DoDrawHint = 1, top->HintNumber = 1;
      }
    }
  }
  if (HintAnimation && HintAnimation->Finished) {
    ResetCurrentHint();
    HintAnimation.reset();
  }
  if (Hint1Animation && Hint1Animation->Active && Hint1Animation->CurrentPhase == 1 && !HasPlayedHint1Sound) {
    HasPlayedHint1Sound = 1;
    PlayHint1Sound();
  }
  if (Hint2Animation && Hint2Animation->Active && Hint2Animation->CurrentPhase == 1 && !HasPlayedHint2Sound) {
    HasPlayedHint2Sound = 1;
    PlayHint2Sound();
  }
  return 1;
}

int32_t TGameModeKlondike::ResetCurrentHint() {
  if (!CurrentHint) return 0;
  if (CurrentHint->FirstCard) CurrentHint->FirstCard->DoDrawHint = 0;
  if (CurrentHint->SecondCard) CurrentHint->SecondCard->DoDrawHint = 0;
  if (Stock && Stock->StockCardTop) Stock->StockCardTop->DoDrawHint = 0;
  return 1;
}

int32_t TGameModeKlondike::ResetHint() {
  HintAnimation.reset();
  Hint1Animation.reset();
  Hint2Animation.reset();
  StockSliderAnimation.reset();
  HasCreatedHints = HasPlayedHint1Sound = HasPlayedHint2Sound = HasPlayedStockSliderSound = 0;
  return 1;
}

// ---- Auto-complete -----------------------------------------------------------

int32_t TGameModeKlondike::CheckAutoComplete() {
  if (!Cards->AreAllCardsOpened() || Cards->IsEmpty()) {
    AutoCompleteButton.reset();
    return 0;
  }
  if (AutoCompleteButton) return 1;
  AutoCompleteButton = std::make_shared<TButton>();
  AutoCompleteButton->UseMenuPath = 1;
  AutoCompleteButton->Load("autocomplete", "autocompletemo", "buttonMO", "buttonclick", 1, 0, 0);
  AutoCompleteButton->x = 336, AutoCompleteButton->y = 538;
  return 1;
}

int32_t TGameModeKlondike::ManageAutoComplete() {
  if (!AutoCompleteButton) return 0;
  AutoCompleteButton->Manage();
  if (AutoCompleteButton->Clicked) StartAutoCompleteAnimation();
  return 1;
}

int32_t TGameModeKlondike::StartAutoCompleteAnimation() {
  AutoCompleteAnimationFinished = 0;
  DoingAutoCompleteAnimation = 1;
  StartedAutoCompleteDeal = 0;
  AutoCompleteNumber = Cards->Count();
  if (GamePlay) GamePlay->ScoreAdder += 50 * Stock->Cards->Count();
  Stock->Clear();
  return 1;
}

int32_t TGameModeKlondike::ManageAutoCompleteAnimation() {
  if (!StartedAutoCompleteDeal) {
    if (AutoCompleteNumber <= 0) {
      AutoCompleteAnimationFinished = 1;
      for (int32_t i = 0; i < 4; ++i) {
        Foundation[size_t(i)]->CardSuit = i + 1;
        Foundation[size_t(i)]->CardNumber = 13;
        Foundation[size_t(i)]->UpdateCardImage();
      }
      Cards->Clear();
      AutoCompleteButton.reset();
      return 1;
    }
    --AutoCompleteNumber;
    auto card = Cards->ValueAtIndex(AutoCompleteNumber);
    if (AutoCompleteFoundation < 0 || AutoCompleteFoundation > 3) AutoCompleteFoundation = 0;
    card->AnimationType = DealFlight;
    card->Bezier = TBezier::Create();
    const int32_t ax = int32_t(card->x), ay = int32_t(card->y);
    card->Bezier->Init(ax, ay, ax, ay, ax, ay, int32_t(FoundationX[AutoCompleteFoundation]), int32_t(FoundationY),
                       0.04f, 0, 0, 0);
    card->IsMoving = 1;
    ++AutoCompleteFoundation;
    StartedAutoCompleteDeal = 1;
    return 1;
  }
  auto card = Cards->ValueAtIndex(AutoCompleteNumber);
  if (!card || !card->Bezier) {
    StartedAutoCompleteDeal = 0;
    return 1;
  }
  float px, py;
  card->Bezier->MovePoint(px, py);
  card->x = px, card->y = py;
  if (card->Bezier->IsFinished()) {
    card->x = card->Bezier->dx, card->y = card->Bezier->dy;
    card->IsMoving = 0;
    card->Bezier.reset();
    StartedAutoCompleteDeal = 0;
    PlayValidSound();
    if (GamePlay) GamePlay->ScoreAdder += 50;
  }
  return 1;
}

// ---- Score -------------------------------------------------------------------

int32_t TGameModeKlondike::ManageScore() {
  if (!GamePlay) return 0;
  if (GamePlay->ScoreAdder > 0) {
    ++GamePlay->Score;
    --GamePlay->ScoreAdder;
  } else if (GamePlay->ScoreAdder < 0) {
    --GamePlay->Score;
    ++GamePlay->ScoreAdder;
  }
  GamePlay->Score = std::max(GamePlay->Score, 0);
  return 1;
}

int32_t TGameModeKlondike::ScorePlus(int32_t x, int32_t y) {
  if (GamePlay) GamePlay->ScoreAdder += 50;
  ScorePoints = 50;
  ScorePlusX = x, ScorePlusY = y;
  ScoreAnimation = Timer(500, {500});
  CheckAutoComplete();
  return 1;
}

int32_t TGameModeKlondike::ScoreMinus(int32_t points) {
  if (GamePlay) GamePlay->ScoreAdder += points;
  ScorePoints = points;
  ScoreAnimation = Timer(500, {500});
  return 1;
}

int32_t TGameModeKlondike::ResetScore() {
  // Points still counting up belong to the game that earned them.
  if (GamePlay) GamePlay->Score = 0, GamePlay->ScoreAdder = 0;
  return 1;
}

// ---- Sounds ------------------------------------------------------------------

void TGameModeKlondike::PlaySound(const char* name) {
  LastSoundPlayed = name;
  if (!Game || !Sounds || !Sounds->Contains(name)) return;
  const auto sound = Sounds->Find(name);
  if (Game->Channels)
    Game->Channels->PlayGameSound(sound, nullptr, 1.0f, 0.0f);
  else
    Game->GameSoundPlay(SoundChannel, sound, 0.0f);
}

int32_t TGameModeKlondike::PlayDealSound() { return PlaySound("swish"), 1; }
int32_t TGameModeKlondike::PlayMoveSound() { return PlaySound("swish"), 1; }
int32_t TGameModeKlondike::PlayHint1Sound() { return PlaySound("hint1"), 1; }
int32_t TGameModeKlondike::PlayHint2Sound() { return PlaySound("hint2"), 1; }
int32_t TGameModeKlondike::PlayInvalidSound() { return PlaySound("invalid"), 1; }
int32_t TGameModeKlondike::PlayValidSound() { return PlaySound("buttonclick3"), 1; }
