#include "solitaire/TGameModeMatching.h"

#include "app/TGame.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "solitaire/CardFlight.h"
#include "solitaire/CardPictures.h"
#include "solitaire/LevelTimer.h"
#include "app/TAnimation.h"
#include "solitaire/TBezier.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardLayoutFile.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/TLayoutSaveFile.h"
#include "solitaire/TMatchingBonus.h"
#include "solitaire/TMatchingHint.h"
#include "solitaire/TMatchingStock.h"
#include "solitaire/TMatchingUndo.h"
#include "solitaire/TState.h"

#include <algorithm>

namespace {

TLayoutSaveFile::Position PositionOf(const TCardList* layout, const TMatchingStock* stock) {
  TLayoutSaveFile::Position position;
  if (stock && stock->Cards) {
    position.StockPosition = stock->Cards->CurrentPosition;
    for (const auto& card : *stock->Cards) position.Stock.push_back(TLayoutSaveFile::LineOf(*card));
  }
  if (layout)
    for (const auto& card : *layout) position.Layout.push_back(TLayoutSaveFile::LineOf(*card));
  return position;
}

// Speed of a dealt card: one deck slowly, two or more faster.
float DealSpeed(int32_t decks) { return decks > 1 ? 0.07f : 0.04f; }

} // namespace

TGameModeMatching::TGameModeMatching() {
  GameType = 3;
  Cards = TCardList::Create();
}

// ---- The contract --------------------------------------------------------------

int32_t TGameModeMatching::Init(const std::string& layoutFile, int32_t isCustom) {
  RememberLevel(layoutFile, isCustom);
  Clear();
  OriginalPuzzle.reset();
  Cards->LoadCards(layoutFile, LayoutOriginX, LayoutOriginY);
  return Shuffle();
}

int32_t TGameModeMatching::Clear() {
  Cards = TCardList::Create();
  Stock = std::make_shared<TMatchingStock>();
  Stock->GameMode = this;
  Stock->Clear();
  MarkedCard1.reset();
  MarkedCard2.reset();
  FadeOutAnimation.reset();
  HintList.reset();
  CurrentHint.reset();
  ClearStreak();
  ClearUndoes();
  StartLevelTimer();
  ResetScore();
  ShowHelpMessage = 1;
  return 1;
}

// A new deal must not be paid an old streak or its bonuses.
void TGameModeMatching::ClearStreak() {
  BonusCounter = 0;
  BonusAnimation.reset();
  DropBonuses();
  CheckedEndBonus = 0;
}

int32_t TGameModeMatching::Shuffle() {
  if (OriginalPuzzle) {
    OriginalPuzzle->SetAsCurrentValues(*this);
    Stock->GameMode = this;
  }
  HintList.reset();
  CurrentHint.reset();
  ClearUndoes();
  Stock = std::make_shared<TMatchingStock>();
  Stock->GameMode = this;
  Stock->Clear();
  MarkedCard1.reset();
  MarkedCard2.reset();
  Cards->SetAsEmptyCards();
  ClearStreak();
  ResetScore();
  ResetHint();
  // A layout no deal fits (only a custom one can be such) starts no game.
  DealFailed = GenerateCards(1) ? 0 : 1;
  if (DealFailed) {
    Cards->SetAsEmptyCards();
    Stock->Clear();
    OriginalPuzzle.reset();
    return 0;
  }
  Cards->UpdateCardsOnTop();
  Cards->UpdateOpenedBasedOnCardsOnTop();
  AddOriginalUndo();
  if (GameState) GameState->Clear();
  StartDealAnimation();
  return 1;
}

int32_t TGameModeMatching::Reset() {
  if (!OriginalPuzzle) return 0;
  OriginalPuzzle->SetAsCurrentValues(*this);
  Stock->GameMode = this;
  MarkedCard1.reset();
  MarkedCard2.reset();
  HintList.reset();
  CurrentHint.reset();
  Cards->UpdateCardsOnTop();
  Cards->UpdatePosition();
  StartLevelTimer();
  ClearStreak();
  ClearUndoes();
  if (GameState) GameState->Clear();
  ResetScore();
  ResetHint();
  FadeOutAnimation.reset();
  StartDealAnimation();
  ShowHelpMessage = 1;
  return 1;
}


int32_t TGameModeMatching::Draw() {
  if (DoingDealAnimation && !DealAnimationFinished) {
    DrawDealAnimation();
    return 1;
  }
  const bool finished = GameState && GameState->stateFinished;
  DrawPlayingCards(1);
  Stock->Draw();
  if (!finished) DrawHint();
  DrawScorePopup();
  if (!finished) DrawHelpMessage();
  DrawBonus();
  return 1;
}

int32_t TGameModeMatching::IsGameFinished() {
  if (!TLayoutGameMode::IsGameFinished()) return 0;
  BonusAnimation.reset(); // no streak runs on into the next layout
  return 1;
}

std::shared_ptr<TSolitaireHighScoreList> TGameModeMatching::GetHighscoreList() {
  return GamePlay ? GamePlay->HighscoreListMatching : nullptr;
}

// ---- Undo ----------------------------------------------------------------------

void TGameModeMatching::AddOriginalUndo() {
  ResetHint();
  ResetCurrentHint();
  OriginalPuzzle = std::make_shared<TMatchingUndo>();
  OriginalPuzzle->SetFromCurrentValues(*this, 0, 0);
}

void TGameModeMatching::AddUndo(int32_t scorePoints) {
  if (!UndoList) UndoList = std::make_shared<std::vector<std::shared_ptr<TMatchingUndo>>>();
  ResetHint();
  ResetCurrentHint();
  auto snapshot = std::make_shared<TMatchingUndo>();
  snapshot->SetFromCurrentValues(*this, scorePoints, IsNextMatchBonus());
  UndoList->push_back(snapshot);
}

void TGameModeMatching::ClearUndoes() { UndoList.reset(); }

int32_t TGameModeMatching::Undo() {
  if (!UndoList || UndoList->empty()) return 0;
  // A matched pair pays when it lands; taking it back before then would
  // charge for points not yet given.
  if ((DoingDealAnimation && !DealAnimationFinished) || IsAnyCardMoving()) return 0;
  const auto snapshot = UndoList->back();
  UndoList->pop_back();
  EndBonus();
  BonusAnimation.reset();
  BonusCounter = 0;
  snapshot->SetAsCurrentValues(*this);
  Stock->GameMode = this;
  Stock->ShowOpenCardsFromList();
  Cards->UpdateCardsOnTop();
  Cards->UpdatePosition();
  MarkedCard1.reset();
  MarkedCard2.reset();
  CreateHints();
  ScoreMinus(snapshot->ScorePoints, snapshot->BonusMatch);
  return 1;
}

// ---- Rules ---------------------------------------------------------------------

int32_t TGameModeMatching::CheckIfMatchingCards(const std::shared_ptr<TCard>& a,
                                                const std::shared_ptr<TCard>& b) const {
  return a && b && a != b && a->CardNumber == b->CardNumber ? 1 : 0;
}

int32_t TGameModeMatching::CheckIfCardMarked(const std::shared_ptr<TCard>& card) const {
  return card && card == MarkedCard1 ? 1 : 0;
}

std::shared_ptr<TCard> TGameModeMatching::DoesAnyCardMatch(const std::shared_ptr<TCard>& card) const {
  for (const auto& layoutCard : *Cards)
    if (layoutCard->Opened && !layoutCard->IsMoving && CheckIfMatchingCards(card, layoutCard)) return layoutCard;
  return nullptr;
}

int32_t TGameModeMatching::CheckMatchCards(const std::shared_ptr<TCard>& card) {
  if (!MarkedCard1) {
    MarkedCard1 = card;
    PlayClickSound();
    return 0;
  }
  MarkedCard2 = card;
  if (card == MarkedCard1) {
    MarkedCard2.reset();
    return 0;
  }
  if (!CheckIfMatchingCards(MarkedCard1, card)) {
    PlayInvalidSound();
    MarkedCard1 = card;
    MarkedCard2.reset();
    return 0;
  }
  PlayValidSound();
  StopHelpMessage();
  AddUndo(-60);
  MousePosition(BonusCardX, BonusCardY);
  ++BonusCounter;
  CheckBonusCounter();
  const auto first = MarkedCard1, second = MarkedCard2;
  FlyMatchingCard(first, 1);
  FlyMatchingCard(second, 0);
  for (const auto& matched : {first, second})
    if (matched->Cards == Stock->Cards.get()) Stock->ProcessMatchedCard(matched);
  MarkedCard1.reset();
  MarkedCard2.reset();
  return 1;
}

void TGameModeMatching::FlyMatchingCard(const std::shared_ptr<TCard>& card, int32_t first) {
  card->IsMoving = 1;
  card->AnimationType = first ? 1 : 2;
  card->TempValue = card->RotationAngle;
  card->Bezier = TBezier::Create();
  card->Bezier->Init(int32_t(card->x), int32_t(card->y), ScoreX, ScoreY, ScoreX, ScoreY, ScoreX, ScoreY, 0.01f, 0, 0,
                     0);
}

void TGameModeMatching::ManageMovingCard(const std::shared_ptr<TCard>& card) {
  float t = 0;
  const int32_t kind = card->AnimationType;
  const int32_t landed = StepCardFlight(*card, t);
  if ((kind == 1 || kind == 2) && card->TempValue != 0) card->RotationAngle = card->TempValue - card->TempValue * t;
  if (!landed || (kind != 1 && kind != 2)) return;
  if (kind == 1) ScorePlus(int32_t(card->x), int32_t(card->y));
  card->Kill();
  Cards->UpdatePosition();
  Cards->UpdateCardsOnTop();
  Cards->UpdateSetOpenedIfNoCardsOnTop();
  CreateHints();
}

void TGameModeMatching::ManagePlayingCards() {
  LastPlayingCardMouseOverPosition = -1;
  const bool clicked = MouseClicked();
  walk_.assign(Cards->begin(), Cards->end()); // landing cards leave the list
  for (size_t k = 0; k < walk_.size(); ++k) {
    const auto card = walk_[k];
    if (card->IsMoving) {
      ManageMovingCard(card);
      continue;
    }
    card->Manage();
    if (!card->Opened || !card->IsMouseOver()) continue;
    LastPlayingCardMouseOverPosition = int32_t(k);
    if (!card->HasCardsOnTop && clicked) CheckMatchCards(card);
  }
}

void TGameModeMatching::ManageStock() { Stock->Manage(); }

// ---- Streak --------------------------------------------------------------------

void TGameModeMatching::CheckBonusCounter() {
  BonusAnimation = TAnimation::Create(float(StreakMs));
  BonusAnimation->Start();
  if (BonusCounter <= 2) return;
  auto bonus = std::make_shared<TMatchingBonus>();
  bonus->Create(BonusCardX, BonusCardY);
  BonusList.push_back(bonus);
}

void TGameModeMatching::EndBonus() {
  if (BonusCounter > 2) StartBonusBanner(50 * BonusCounter - 100, BonusCounter > 7 ? 1 : 0);
  BonusCounter = 0;
}

void TGameModeMatching::ManageBonus() {
  if (BonusAnimation) {
    BonusAnimation->Manage();
    if (BonusAnimation->Finished) {
      EndBonus();
      BonusAnimation.reset();
      BonusCounter = 0;
    }
  }
  TLayoutGameMode::ManageBonus();
}

float TGameModeMatching::GetBonusCounterPitch() const {
  return BonusCounter == 0 ? 1.0f : 1.0f + float((BonusCounter - 3) / 2);
}

// ---- Hints ---------------------------------------------------------------------

void TGameModeMatching::CreateHints() {
  HintList = std::make_shared<std::vector<std::shared_ptr<TMatchingHint>>>();
  auto add = [&](const std::shared_ptr<TCard>& first, const std::shared_ptr<TCard>& second) {
    auto hint = std::make_shared<TMatchingHint>();
    hint->SetHint(first, second);
    HintList->push_back(hint);
  };
  // Cards on their way somewhere (turning, matched, returning) are no moves.
  auto usable = [](const std::shared_ptr<TCard>& card) { return card && !card->IsMoving && card->CardNumber != 0; };
  const auto open1 = Stock && usable(Stock->StockCard1) ? Stock->StockCard1 : nullptr;
  const auto open2 = Stock && usable(Stock->StockCard2) ? Stock->StockCard2 : nullptr;
  if (open1 && open2 && CheckIfMatchingCards(open1, open2)) add(open1, open2);
  for (const auto& card : *Cards) {
    if (!card->Opened || card->IsMoving) continue;
    if (open1 && CheckIfMatchingCards(open1, card)) add(open1, card);
    if (open2 && CheckIfMatchingCards(open2, card)) add(open2, card);
    if (auto other = DoesAnyCardMatch(card)) add(other, card);
  }
  if (!HintList->empty() || !Stock) return;
  for (const auto& card : *Cards) {
    if (!card->Opened || card->IsMoving) continue;
    if (auto stockCard = Stock->DoesAnyCardMatch(card)) add(stockCard, card);
  }
}

std::shared_ptr<TMatchingHint> TGameModeMatching::GetRandomHint() {
  if (!HintList || HintList->empty()) return nullptr;
  return (*HintList)[size_t(Random.Rand(0, int32_t(HintList->size()) - 1))];
}


std::shared_ptr<TCardPairHint> TGameModeMatching::PickHint() { return GetRandomHint(); }

void TGameModeMatching::ListOpenStockCards(std::vector<std::shared_ptr<TCard>>& cards) const {
  if (Stock && Stock->StockCard1) cards.push_back(Stock->StockCard1);
  if (Stock && Stock->StockCard2) cards.push_back(Stock->StockCard2);
}

int32_t TGameModeMatching::IsNoMovesLeft() const { return HintList && HintList->empty() && !Cards->IsEmpty() ? 1 : 0; }

// ---- Deal ----------------------------------------------------------------------

int32_t TGameModeMatching::GetNumberOfStocks() const {
  return TMatchingDealer::DecksFor(Cards ? Cards->Count() : 0);
}

int32_t TGameModeMatching::GetNumberOfStockCards() const {
  return GetTotalNumberOfCards() - (Cards ? Cards->Count() : 0);
}

std::pair<int32_t, int32_t> TGameModeMatching::GetCardNumberAndSuitFromID(int32_t id) {
  return {TMatchingDealer::NumberOfID(id), TMatchingDealer::SuitOfID(id)};
}

int32_t TGameModeMatching::GenerateCards(int32_t giveUp) {
  // Which card lies on which is worked out from the pixels once per layout.
  if (!cover_.Matches(*Cards)) cover_.Compute(*Cards);
  if (!Dealer.Deal(cover_, GetNumberOfStocks(), Random, giveUp)) return 0;
  ApplyDeal();
  return 1;
}

void TGameModeMatching::ApplyDeal() {
  for (int32_t i = 0; i < Cards->Count(); ++i) {
    const auto& card = Cards->Items()[size_t(i)];
    const auto [number, suit] = GetCardNumberAndSuitFromID(Dealer.LayoutIds[size_t(i)]);
    card->CardNumber = number, card->CardSuit = suit, card->Opened = 1;
    card->UpdateCardImage();
  }
  Stock->Cards->Clear();
  const auto& empty = GetCardPicture(CardPicture::Empty);
  for (size_t i = 0; i < Dealer.StockIds.size(); ++i) {
    auto card = TCard::Create(empty, StockX, StockY);
    const auto [number, suit] = GetCardNumberAndSuitFromID(Dealer.StockIds[i]);
    card->CardNumber = number, card->CardSuit = suit, card->Opened = Dealer.StockOpened[i];
    card->UpdateCardImage();
    Stock->Cards->AddLast(card);
  }
  Stock->Cards->CurrentPosition = Stock->Cards->Count() - 1;
  Stock->Cards->UpdateLocation(TLayoutGameMode::StockX, TLayoutGameMode::StockY, TLayoutGameMode::FanStep);
  Stock->Cards->UpdatePosition();
}

void TGameModeMatching::StartDealAnimation() {
  DealAnimationFinished = 0;
  DoingDealAnimation = 1;
  StartedDeal = 0;
  DealNumber = -1;
  if (GameState) GameState->StartBuildingLevel();
}

void TGameModeMatching::ManageDealAnimation() {
  bool flying = false;
  for (const auto& card : *Cards) {
    if (!card->IsMoving) continue;
    float t = 0;
    const int32_t landed = StepCardFlight(*card, t);
    // Dealt cards turn from straight to their layout angle on the way.
    card->RotationAngle = landed ? card->TempValue : t * card->TempValue;
    if (landed) StartedDeal = 0;
    else flying = true;
  }
  if (flying) return;
  if (DealNumber + 1 >= Cards->Count()) {
    DealAnimationFinished = 1;
    Stock->StartResetStockAnimation();
    if (GameState) GameState->StopBuildingLevel();
    CreateHints();
    return;
  }
  StartedDeal = 1;
  ++DealNumber;
  const auto& card = Cards->Items()[size_t(DealNumber)];
  card->TempValue = card->RotationAngle;
  StartCardFlight(*card, StockX, StockY, int32_t(card->x), int32_t(card->y), DealSpeed(GetNumberOfStocks()), 0);
  card->x = float(StockX), card->y = float(StockY);
  card->RotationAngle = 0;
  PlayDealSound();
}

int32_t TGameModeMatching::IsAnyCardMoving() const {
  for (const auto& card : *Cards)
    if (card->IsMoving) return 1;
  return Stock && Stock->IsAnyCardMoving();
}

// ---- Drawing -------------------------------------------------------------------

void TGameModeMatching::DrawDealAnimation() {
  if (Stock && Stock->StockEmptyCard)
    Stock->StockEmptyCard->DrawClosedCard(0, float(StockX), float(StockY), nullptr, nullptr, CardBackground);
  for (int32_t i = 0; i <= DealNumber && i < Cards->Count(); ++i) {
    const auto& card = Cards->Items()[size_t(i)];
    if (card->Opened) card->DrawOpenedCard(0, card->x, card->y, 0, 0, nullptr, nullptr);
    else card->DrawClosedCard(0, card->x, card->y, nullptr, nullptr, CardBackground);
  }
}

void TGameModeMatching::DrawHelpMessage() {
  if (ShowHelpMessage) DrawHelpLine("Matching Information", "helptextback");
  if (IsNoMovesLeft()) DrawNoMovesLine();
}

// The hinted cards draw their own glows (DoDrawHint) with the hint timers.
void TGameModeMatching::DrawHint() {}

void TGameModeMatching::DrawShrinkingCard(TCard& card) {
  const bool shrinking = card.IsMoving && card.Bezier && (card.AnimationType == 1 || card.AnimationType == 2);
  const float scale = shrinking ? std::max(0.0f, 1 - card.Bezier->t) : 1.0f;
  if (shrinking) platform::SetScale(scale, scale);
  card.DrawOpenedCard(0, card.x, card.y, 0, 0, nullptr, nullptr);
  if (shrinking) platform::SetScale(1, 1);
}

void TGameModeMatching::DrawPlayingCards(int32_t flag) {
  const TAnimation* hint1 = Hint1Animation.get();
  const TAnimation* hint2 = Hint2Animation.get();
  for (int32_t i = 0; i < Cards->Count(); ++i) {
    const auto& card = Cards->Items()[size_t(i)];
    if (card->IsMoving) continue;
    if (!card->Opened) {
      card->DrawClosedCard(0, card->x, card->y, hint1, hint2, CardBackground);
      continue;
    }
    card->DrawOpenedCard(flag && i == LastPlayingCardMouseOverPosition, card->x, card->y, 0, 0, hint1, hint2);
    if (CheckIfCardMarked(card)) card->DrawMarked(card->x, card->y);
  }
  for (const auto& card : *Cards)
    if (card->IsMoving) DrawShrinkingCard(*card);
}

// ---- Saved games ---------------------------------------------------------------

int32_t TGameModeMatching::CanSaveGame() {
  if (DoingDealAnimation && !DealAnimationFinished) return 0;
  return OriginalPuzzle && !IsAnyCardMoving() ? 1 : 0;
}

int32_t TGameModeMatching::SaveGame(const std::string& path) {
  FileMessage.clear();
  if (!CanSaveGame()) return 0;
  TMatchingSaveFile file;
  file.ElapsedMs = std::max<int64_t>(0, LevelElapsedMs());
  file.Score = GamePlay ? std::max<int64_t>(0, int64_t(GamePlay->Score) + GamePlay->ScoreAdder) : 0;
  file.Original = PositionOf(OriginalPuzzle->Cards.get(), OriginalPuzzle->Stock.get());
  file.Current = PositionOf(Cards.get(), Stock.get());
  const std::string name = path + ".msave";
  if (!platform::WriteFileAtomic(platform::ResolvePath(name), file.Format())) {
    FileMessage = TCardLayoutFile::FileMessage("Could Not Create File", name);
    return 0;
  }
  FileMessage.clear();
  return 1;
}

int32_t TGameModeMatching::LoadGame(const std::string& fileName) {
  std::string text;
  TMatchingSaveFile file;
  if (!platform::ReadWholeFile(platform::ResolvePath(fileName), text, TLayoutSaveFile::MaxBytes) ||
      !file.Parse(text)) {
    FileMessage = "Could not read file '" + fileName + "'";
    return 0;
  }
  auto build = [&](const TLayoutSaveFile::Position& position) {
    Clear();
    Stock->Cards->CurrentPosition = position.StockPosition;
    for (const auto& line : position.Stock) TLayoutSaveFile::CardFrom(Stock->Cards.get(), line);
    for (const auto& line : position.Layout) TLayoutSaveFile::CardFrom(Cards.get(), line);
  };
  build(file.Original);
  OriginalPuzzle = std::make_shared<TMatchingUndo>();
  OriginalPuzzle->SetFromCurrentValues(*this, 0, 0);
  build(file.Current);
  LevelStartTime = LevelStartTime - file.ElapsedMs;
  if (GamePlay) GamePlay->Score = int32_t(file.Score);
  Stock->ShowOpenCardsFromList();
  Cards->UpdateCardsOnTop();
  Cards->UpdatePosition();
  Stock->Cards->UpdateLocation(TLayoutGameMode::StockX, TLayoutGameMode::StockY, TLayoutGameMode::FanStep);
  Stock->Cards->UpdatePosition();
  // A loaded game is dealt again before play resumes.
  StartDealAnimation();
  ResetHint();
  CreateHints();
  FileMessage.clear();
  return 1;
}
