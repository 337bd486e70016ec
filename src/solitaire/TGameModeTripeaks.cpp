#include "solitaire/TGameModeTripeaks.h"

#include "app/Delta.h"
#include "app/TGame.h"
#include "platform/Files.h"
#include "resources/TGameText.h"
#include "solitaire/CardFlight.h"
#include "solitaire/CardPictures.h"
#include "solitaire/LevelTimer.h"
#include "app/TAnimation.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardLayoutFile.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/TState.h"
#include "solitaire/TTripeaksBonus.h"
#include "solitaire/TTripeaksHint.h"
#include "solitaire/TLayoutSaveFile.h"
#include "solitaire/TTripeaksStock.h"
#include "solitaire/TTripeaksUndo.h"

#include <algorithm>
#include <cmath>

namespace {

TLayoutSaveFile::Position PositionOf(const TCardList* layout, const TTripeaksStock* stock) {
  TLayoutSaveFile::Position position;
  if (stock && stock->Cards) {
    position.StockPosition = stock->Cards->CurrentPosition;
    for (const auto& card : *stock->Cards) position.Stock.push_back(TLayoutSaveFile::LineOf(*card));
  }
  if (stock && stock->StockCard1) {
    position.HasOpenCard = true;
    position.OpenCard = TLayoutSaveFile::LineOf(*stock->StockCard1);
  }
  if (layout)
    for (const auto& card : *layout) position.Layout.push_back(TLayoutSaveFile::LineOf(*card));
  return position;
}

} // namespace

TGameModeTripeaks::TGameModeTripeaks() {
  GameType = 4;
  Cards = TCardList::Create();
}

// ---- The contract --------------------------------------------------------------

int32_t TGameModeTripeaks::Init(const std::string& layoutFile, int32_t isCustom) {
  RememberLevel(layoutFile, isCustom);
  Clear();
  OriginalPuzzle.reset();
  Cards->LoadCards(layoutFile, LayoutOriginX, LayoutOriginY);
  Shuffle();
  return 1;
}

int32_t TGameModeTripeaks::Clear() {
  Cards = TCardList::Create();
  Stock = std::make_shared<TTripeaksStock>();
  Stock->GameMode = this;
  Stock->Clear();
  MarkedCard1.reset();
  MarkedCard2.reset();
  FadeOutAnimation.reset();
  HintList.reset();
  CurrentHint.reset();
  BonusCounter = 0;
  DropBonuses();
  CheckedEndBonus = 0;
  ClearUndoes();
  StartLevelTimer();
  ResetScore();
  ShowHelpMessage = 1;
  return 1;
}

int32_t TGameModeTripeaks::Shuffle() {
  if (OriginalPuzzle) {
    OriginalPuzzle->SetAsCurrentValues(*this);
    Stock->GameMode = this;
  }
  HintList.reset();
  CurrentHint.reset();
  ClearUndoes();
  Stock = std::make_shared<TTripeaksStock>();
  Stock->GameMode = this;
  Stock->Clear();
  MarkedCard1.reset();
  MarkedCard2.reset();
  Cards->SetAsEmptyCards();
  GenerateCards();
  Cards->UpdateCardsOnTop();
  Cards->UpdateOpenedBasedOnCardsOnTop();
  Stock->StockCard1 = Stock->GetNextStockCard();
  AddOriginalUndo();
  Stock->StockCard1.reset();
  if (GameState) GameState->Clear();
  StartDealAnimation();
  BonusCounter = 0;
  DropBonuses();
  CheckedEndBonus = 0;
  ResetScore();
  ResetHint();
  return 1;
}

int32_t TGameModeTripeaks::Reset() {
  if (!OriginalPuzzle) return 0;
  OriginalPuzzle->SetAsCurrentValues(*this);
  Stock->GameMode = this;
  // The snapshot names the first stock card as the coming open card; it is
  // still face down in the pile and turns over when the deal has been shown.
  Stock->StockCard1.reset();
  MarkedCard1.reset();
  MarkedCard2.reset();
  HintList.reset();
  CurrentHint.reset();
  Cards->UpdateCardsOnTop();
  Cards->UpdatePosition();
  StartLevelTimer();
  BonusCounter = 0;
  DropBonuses();
  CheckedEndBonus = 0;
  ClearUndoes();
  if (GameState) GameState->Clear();
  ResetScore();
  ResetHint();
  FadeOutAnimation.reset();
  StartDealAnimation();
  ShowHelpMessage = 1;
  return 1;
}


int32_t TGameModeTripeaks::Draw() {
  if (DoingDealAnimation && !DealAnimationFinished) {
    DrawDealAnimation();
    return 1;
  }
  const bool finished = GameState && GameState->stateFinished;
  Stock->Draw();
  DrawPlayingCards(1);
  if (!finished) DrawHint();
  DrawScorePopup();
  if (!finished) DrawHelpMessage();
  DrawBonus();
  return 1;
}


std::shared_ptr<TSolitaireHighScoreList> TGameModeTripeaks::GetHighscoreList() {
  return GamePlay ? GamePlay->HighscoreListTripeaks : nullptr;
}

// ---- Undo ----------------------------------------------------------------------

void TGameModeTripeaks::AddOriginalUndo() {
  ResetHint();
  ResetCurrentHint();
  OriginalPuzzle = std::make_shared<TTripeaksUndo>();
  OriginalPuzzle->SetFromCurrentValues(*this, 0, 0);
}

void TGameModeTripeaks::AddUndo(int32_t scorePoints) {
  if (!UndoList) UndoList = std::make_shared<std::vector<std::shared_ptr<TTripeaksUndo>>>();
  ResetHint();
  ResetCurrentHint();
  auto snapshot = std::make_shared<TTripeaksUndo>();
  snapshot->SetFromCurrentValues(*this, scorePoints, IsNextMatchBonus());
  UndoList->push_back(snapshot);
}

void TGameModeTripeaks::ClearUndoes() { UndoList.reset(); }

int32_t TGameModeTripeaks::Undo() {
  if (!UndoList || UndoList->empty()) return 0;
  // A played card pays its points when it lands; taking it back before
  // then would charge for points not yet given.
  if ((DoingDealAnimation && !DealAnimationFinished) || IsAnyCardMoving()) return 0;
  const auto snapshot = UndoList->back();
  UndoList->pop_back();
  EndBonus();
  snapshot->SetAsCurrentValues(*this);
  Stock->GameMode = this;
  Stock->SetNewStockCard(Stock->StockCard1);
  Cards->UpdateCardsOnTop();
  Cards->UpdatePosition();
  MarkedCard1 = Stock->StockCard1;
  MarkedCard2.reset();
  CreateHints();
  ScoreMinus(snapshot->ScorePoints, snapshot->BonusMatch);
  return 1;
}

// ---- Rules ---------------------------------------------------------------------

int32_t TGameModeTripeaks::CheckIfMatchingCards(const std::shared_ptr<TCard>& a,
                                                const std::shared_ptr<TCard>& b) const {
  if (!a || !b || a == b) return 0;
  return TTripeaksDealer::Neighbours(a->CardNumber, b->CardNumber) ? 1 : 0;
}

int32_t TGameModeTripeaks::CheckIfCardMarked(const std::shared_ptr<TCard>& card) const {
  return card && (card == MarkedCard1 || card == MarkedCard2) ? 1 : 0;
}

std::shared_ptr<TCard> TGameModeTripeaks::DoesAnyCardMatch(const std::shared_ptr<TCard>& card) const {
  for (const auto& layoutCard : *Cards)
    if (layoutCard->Opened && CheckIfMatchingCards(card, layoutCard)) return layoutCard;
  return nullptr;
}

int32_t TGameModeTripeaks::CheckMatchCards(const std::shared_ptr<TCard>& card) {
  if (!MarkedCard1) return 0;
  MarkedCard2 = card;
  if (card != MarkedCard1 && CheckIfMatchingCards(MarkedCard1, card)) {
    PlayValidSound();
    StopHelpMessage();
    AddUndo(-60);
    MousePosition(BonusCardX, BonusCardY);
    ++BonusCounter;
    CheckBonusCounter();
    FlyMatchingCard(card);
    MarkedCard1.reset();
    MarkedCard2.reset();
    return 1;
  }
  if (card != MarkedCard1) PlayInvalidSound();
  MarkedCard2.reset();
  return 0;
}

void TGameModeTripeaks::FlyMatchingCard(const std::shared_ptr<TCard>& card) {
  card->TempValue = card->RotationAngle;
  StartCardFlight(*card, int32_t(card->x), int32_t(card->y), OpenCardX, OpenCardY, 0.01f, 1);
}

void TGameModeTripeaks::ManageMovingCard(const std::shared_ptr<TCard>& card) {
  float t = 0;
  const int32_t landed = StepCardFlight(*card, t);
  // A played card straightens as it flies.
  if (card->AnimationType == 1 && card->TempValue != 0) card->RotationAngle = card->TempValue - card->TempValue * t;
  if (!landed) return;
  if (card->AnimationType == 1) ScorePlus(int32_t(card->x), int32_t(card->y));
  card->Kill();
  Cards->UpdatePosition();
  Cards->UpdateCardsOnTop();
  Cards->UpdateSetOpenedIfNoCardsOnTop();
  if (!Cards->IsEmpty()) {
    auto open = card->Clone();
    open->Cards = nullptr;
    open->IsMoving = 0;
    open->Bezier.reset();
    open->RotationAngle = 0;
    Stock->SetNewStockCard(open);
  } else {
    Stock->StockCard1.reset();
  }
  MarkedCard1 = Stock->StockCard1;
  MarkedCard2.reset();
  CreateHints();
}

void TGameModeTripeaks::ManagePlayingCards() {
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
    if (!card->Opened || card->HasCardsOnTop) continue;
    if (!card->IsMouseOver()) continue;
    if (MarkedCard1 && CheckIfMatchingCards(MarkedCard1, card)) LastPlayingCardMouseOverPosition = int32_t(k);
    if (clicked) CheckMatchCards(card);
  }
}

void TGameModeTripeaks::ManageStock() { Stock->Manage(); }

// ---- Streak --------------------------------------------------------------------

void TGameModeTripeaks::CheckBonusCounter() {
  if (BonusCounter <= 4) return;
  auto bonus = std::make_shared<TTripeaksBonus>();
  bonus->Create(BonusCardX, BonusCardY);
  BonusList.push_back(bonus);
}

void TGameModeTripeaks::EndBonus() {
  if (BonusCounter > 4) StartBonusBanner(50 * BonusCounter - 200, BonusCounter > 9 ? 1 : 0);
  BonusCounter = 0;
}

// ---- Hints ---------------------------------------------------------------------

void TGameModeTripeaks::CreateHints() {
  HintList = std::make_shared<std::vector<std::shared_ptr<TTripeaksHint>>>();
  auto add = [&](const std::shared_ptr<TCard>& first, const std::shared_ptr<TCard>& second) {
    auto hint = std::make_shared<TTripeaksHint>();
    hint->SetHint(first, second);
    HintList->push_back(hint);
  };
  const auto open = Stock ? Stock->StockCard1 : nullptr;
  if (open)
    for (const auto& card : *Cards)
      if (card->Opened && !card->IsMoving && CheckIfMatchingCards(open, card)) add(open, card);
  if (!HintList->empty() || !Stock) return;
  for (const auto& card : *Cards)
    if (card->Opened && !card->IsMoving)
      if (auto stockCard = Stock->DoesAnyCardMatch(card)) add(stockCard, card);
  if (HintList->empty()) return;
  // Only the play whose stock card comes up soonest.
  auto best = HintList->front();
  for (const auto& hint : *HintList)
    if (hint->FirstCard->Position > best->FirstCard->Position) best = hint;
  HintList->assign(1, best);
}

std::shared_ptr<TTripeaksHint> TGameModeTripeaks::GetRandomHint() {
  if (!HintList || HintList->empty()) return nullptr;
  return (*HintList)[size_t(Random.Rand(0, int32_t(HintList->size()) - 1))];
}


std::shared_ptr<TCardPairHint> TGameModeTripeaks::PickHint() { return GetRandomHint(); }

void TGameModeTripeaks::ListOpenStockCards(std::vector<std::shared_ptr<TCard>>& cards) const {
  if (Stock && Stock->StockCard1) cards.push_back(Stock->StockCard1);
}

int32_t TGameModeTripeaks::IsNoMovesLeft() const { return HintList && HintList->empty() && !Cards->IsEmpty() ? 1 : 0; }

// ---- Deal ----------------------------------------------------------------------

int32_t TGameModeTripeaks::GetNumberOfStocks() const {
  const int32_t layout = Cards ? Cards->Count() : 0;
  return layout == 0 ? 1 : (layout + 51) / 52;
}

int32_t TGameModeTripeaks::GetNumberOfStockCards() const {
  return GetTotalNumberOfCards() - (Cards ? Cards->Count() : 0);
}

std::pair<int32_t, int32_t> TGameModeTripeaks::GetCardNumberAndSuitFromID(int32_t id) {
  return {TTripeaksDealer::NumberOfID(id), TTripeaksDealer::SuitOfID(id)};
}

void TGameModeTripeaks::RefreshCover() {
  if (!cover_.Matches(*Cards)) cover_.Compute(*Cards);
}

void TGameModeTripeaks::GenerateCards() {
  RefreshCover();
  Dealer.Deal(cover_, GetNumberOfStocks(), Random);
  ApplyDeal();
}

void TGameModeTripeaks::ApplyDeal() {
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

int32_t TGameModeTripeaks::SolveLevel() {
  RefreshCover();
  Dealer.LayoutIds.clear();
  Dealer.StockIds.clear();
  auto id = [](const TCard& card) { return std::max(0, (card.CardSuit - 1) * 13 + card.CardNumber - 1); };
  for (const auto& card : *Cards) Dealer.LayoutIds.push_back(id(*card));
  for (const auto& card : *Stock->Cards) Dealer.StockIds.push_back(id(*card));
  return Dealer.SolveLevel(Random);
}

void TGameModeTripeaks::StartDealAnimation() {
  DealAnimationFinished = 0;
  DoingDealAnimation = 1;
  StartedDeal = 0;
  DealNumber = -1;
  if (GameState) GameState->StartBuildingLevel();
}

void TGameModeTripeaks::ManageDealAnimation() {
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
    // A layout that takes every card has no stock to turn: say so at once.
    if (Stock->Cards->IsEmpty()) CreateHints();
    return;
  }
  StartedDeal = 1;
  ++DealNumber;
  const auto& card = Cards->Items()[size_t(DealNumber)];
  card->TempValue = card->RotationAngle;
  StartCardFlight(*card, StockX, StockY, int32_t(card->x), int32_t(card->y), 0.04f, 0);
  card->x = float(StockX), card->y = float(StockY);
  card->RotationAngle = 0;
  PlayDealSound();
}

int32_t TGameModeTripeaks::IsAnyCardMoving() const {
  for (const auto& card : *Cards)
    if (card->IsMoving) return 1;
  return Stock && Stock->IsAnyCardMoving();
}

// ---- Drawing -------------------------------------------------------------------

void TGameModeTripeaks::DrawDealAnimation() {
  if (Stock && Stock->StockEmptyCard)
    Stock->StockEmptyCard->DrawClosedCard(0, float(StockX), float(StockY), nullptr, nullptr, CardBackground);
  for (int32_t i = 0; i <= DealNumber && i < Cards->Count(); ++i) {
    const auto& card = Cards->Items()[size_t(i)];
    if (card->Opened) card->DrawOpenedCard(0, card->x, card->y, 0, 0, nullptr, nullptr);
    else card->DrawClosedCard(0, card->x, card->y, nullptr, nullptr, CardBackground);
  }
}

void TGameModeTripeaks::DrawHelpMessage() {
  if (ShowHelpMessage) DrawHelpLine("Tripeaks Information");
  if (IsNoMovesLeft()) DrawNoMovesLine();
}

// The hinted cards draw their own glows (DoDrawHint) with the hint timers.
void TGameModeTripeaks::DrawHint() {}

void TGameModeTripeaks::DrawPlayingCards(int32_t flag) {
  const TAnimation* hint1 = Hint1Animation.get();
  const TAnimation* hint2 = Hint2Animation.get();
  for (int32_t pass = 0; pass < 2; ++pass)
    for (int32_t i = 0; i < Cards->Count(); ++i) {
      const auto& card = Cards->Items()[size_t(i)];
      if ((card->IsMoving != 0) != (pass == 1)) continue;
      if (!card->Opened) {
        card->DrawClosedCard(0, card->x, card->y, hint1, hint2, CardBackground);
        continue;
      }
      card->DrawOpenedCard(flag && i == LastPlayingCardMouseOverPosition, card->x, card->y, 0, 0, hint1, hint2);
      if (CheckIfCardMarked(card)) card->DrawMarked(card->x, card->y);
    }
}

// ---- Saved games ---------------------------------------------------------------

int32_t TGameModeTripeaks::CanSaveGame() {
  if (DoingDealAnimation && !DealAnimationFinished) return 0;
  return !IsAnyCardMoving() && Stock && Stock->StockCard1 ? 1 : 0;
}

int32_t TGameModeTripeaks::SaveGame(const std::string& path) {
  FileMessage.clear();
  if (!CanSaveGame() || !OriginalPuzzle) return 0;
  TTripeaksSaveFile file;
  file.ElapsedMs = std::max<int64_t>(0, LevelElapsedMs());
  file.Score = GamePlay ? std::max<int64_t>(0, int64_t(GamePlay->Score) + GamePlay->ScoreAdder) : 0;
  file.Original = PositionOf(OriginalPuzzle->Cards.get(), OriginalPuzzle->Stock.get());
  file.Current = PositionOf(Cards.get(), Stock.get());
  const std::string name = path + ".tsave";
  if (!platform::WriteFileAtomic(platform::ResolvePath(name), file.Format())) {
    FileMessage = TCardLayoutFile::FileMessage("Could Not Create File", name);
    return 0;
  }
  FileMessage.clear();
  return 1;
}

int32_t TGameModeTripeaks::LoadGame(const std::string& fileName) {
  std::string text;
  TTripeaksSaveFile file;
  if (!platform::ReadWholeFile(platform::ResolvePath(fileName), text, TTripeaksSaveFile::MaxBytes) ||
      !file.Parse(text)) {
    FileMessage = TCardLayoutFile::FileMessage("Could Not Read File", fileName);
    return 0;
  }
  auto build = [&](const TLayoutSaveFile::Position& position) {
    Clear();
    Stock->Cards->CurrentPosition = position.StockPosition;
    for (const auto& line : position.Stock) TLayoutSaveFile::CardFrom(Stock->Cards.get(), line);
    if (position.HasOpenCard) Stock->StockCard1 = TLayoutSaveFile::CardFrom(nullptr, position.OpenCard);
    for (const auto& line : position.Layout) TLayoutSaveFile::CardFrom(Cards.get(), line);
  };
  build(file.Original);
  OriginalPuzzle = std::make_shared<TTripeaksUndo>();
  OriginalPuzzle->SetFromCurrentValues(*this, 0, 0);
  build(file.Current);
  LevelStartTime = LevelStartTime - file.ElapsedMs;
  if (GamePlay) GamePlay->Score = int32_t(file.Score);
  DoingDealAnimation = 0;
  DealAnimationFinished = 1;
  StartedDeal = 0;
  if (GameState && GameState->stateBuildingLevel) GameState->StopBuildingLevel();
  Stock->SetNewStockCard(Stock->StockCard1);
  Cards->UpdateCardsOnTop();
  Cards->UpdatePosition();
  Stock->Cards->UpdateLocation(TLayoutGameMode::StockX, TLayoutGameMode::StockY, TLayoutGameMode::FanStep);
  Stock->Cards->UpdatePosition();
  MarkedCard1 = Stock->StockCard1;
  MarkedCard2.reset();
  ResetHint();
  CreateHints();
  FileMessage.clear();
  return 1;
}
