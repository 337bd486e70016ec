#include "solitaire/TLayoutGameMode.h"

#include "app/Delta.h"
#include "app/TGame.h"
#include "app/TSoundBank.h"
#include "app/VQMouse.h"
#include "effects/TParticleList.h"
#include "platform/Graphics.h"
#include "resources/TGameText.h"
#include "resources/TImageBank.h"
#include "app/TAnimation.h"
#include "solitaire/CardPictures.h"
#include "solitaire/StockKey.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardPairHint.h"
#include "solitaire/TCardList.h"
#include "solitaire/TFlyingBonus.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/TState.h"
#include "solitaire/VictoryParticles.h"
#include "ui/TextDraw.h"

#include <cstring>

namespace {

std::shared_ptr<TAnimation> Phases(std::initializer_list<float> lengths) {
  auto timer = TAnimation::Create(*lengths.begin());
  for (auto it = lengths.begin() + 1; it != lengths.end(); ++it) timer->AddPhase(*it);
  timer->Start();
  return timer;
}

void DrawNamedPicture(const char* name, float x, float y) {
  if (!Images) return;
  if (auto picture = Images->FindTImage(name)) platform::DrawPicture(*picture, x, y, 0);
}

std::string WithNumber(std::string text, int32_t number) {
  const size_t at = text.find("NNN");
  if (at != std::string::npos) text.replace(at, 3, std::to_string(number));
  return text;
}

void DrawCentredLine(const std::string& text, float y) {
  if (auto font = FontOfSize(20)) SetImageFont(font);
  DrawTextCentreX(text, y, 1);
}

} // namespace

void TLayoutGameMode::PlayNamedSound(const char* name) {
  if (!Game || !Sounds || !Sounds->Contains(name)) return;
  ChannelRef channel;
  Sounds->Find(name)->PlayInChannel(channel, 0);
}

// ---- Score -------------------------------------------------------------------

int32_t TLayoutGameMode::Logic() {
  if (DoingDealAnimation && !DealAnimationFinished) {
    stock_key::Hit(); // the table takes no input: a press now turns nothing, now or later
    ManageDealAnimation();
    return 1;
  }
  if (!GameState || !GameState->disableButtons) {
    ManageStock();
    ManagePlayingCards();
    ManageHint();
  }
  ManageAnimations();
  ManageScore();
  ManageBonus();
  return 1;
}

int32_t TLayoutGameMode::IsGameFinished() {
  // The end-of-level messages hold the table still: nothing may be left in the air under them.
  if (!BonusList.empty() || IsAnyCardMoving()) return 0;
  if (Cards->IsEmpty() && !CheckedEndBonus) {
    CheckedEndBonus = 1;
    EndBonus();
  }
  if (BonusEndAnimation) return 0;
  if (!Cards->IsEmpty()) return 0;
  BonusCounter = 0;
  BonusEndAnimation.reset();
  CheckedEndBonus = 0;
  return 1;
}

void TLayoutGameMode::AddStockCards(TCardList& pile, int32_t count, int32_t back) {
  if (back < 1 || back > 6) back = 1;
  for (int32_t i = 0; i <= count; ++i)
    pile.AddNew(StockX, StockY, GetCardPicture(CardPicture(int(CardPicture::Back1) + back - 1)), 1, 1, 0, 0);
  pile.CurrentPosition = pile.Count() - 1;
  pile.UpdateLocation(StockX, StockY, FanStep);
}

float TLayoutGameMode::HintLift(const TAnimation* slider, float height) {
  if (!slider || !slider->Active) return 0;
  const float r = slider->GetRatio();
  switch (slider->CurrentPhase) {
  case 1: return height * (1 - r);
  case 2: return height;
  case 3: return height * r;
  default: return 0;
  }
}

void TLayoutGameMode::ManageScore() {
  if (!GamePlay) return;
  if (GamePlay->ScoreAdder > 0) ++GamePlay->Score, --GamePlay->ScoreAdder;
  else if (GamePlay->ScoreAdder < 0) --GamePlay->Score, ++GamePlay->ScoreAdder;
  if (GamePlay->Score < 0) GamePlay->Score = 0;
}

void TLayoutGameMode::ResetScore() {
  if (!GamePlay) return;
  GamePlay->Score = 0;
  GamePlay->ScoreAdder = 0; // points still queued belong to the game just left
}

void TLayoutGameMode::ScorePlus(int32_t x, int32_t y) {
  if (GamePlay) GamePlay->ScoreAdder += PlusPoints();
  ScorePoints = PlusPoints();
  ScorePlusX = x, ScorePlusY = y;
  ScoreAnimation = Phases({500, 500});
}

void TLayoutGameMode::ScoreMinus(int32_t points, int32_t bonusMatch) {
  if (GamePlay) GamePlay->ScoreAdder += points + (bonusMatch ? -50 : 0);
  ScorePoints = points;
  ScoreAnimation = Phases({500, 500});
}

void TLayoutGameMode::DrawScorePopup() {
  if (!ScoreAnimation || !ScoreAnimation->Active) return;
  const bool plus = ScorePoints > 0;
  const float r = ScoreAnimation->GetRatio();
  const float x = float(plus ? ScorePlusX : ScoreX), y = float(plus ? ScorePlusY : ScoreY);
  const float rise = ScoreAnimation->CurrentPhase == 0 ? 50 * (1 - r) : 50 + 50 * (1 - r);
  const float previous = platform::GetAlpha();
  platform::SetAlpha(ScoreAnimation->CurrentPhase == 0 ? 1.0f : r);
  DrawNamedPicture(plus ? "scoreplus" : "scoreminus1", x, y - rise);
  platform::SetAlpha(previous);
}

// ---- Hint timing -------------------------------------------------------------

int32_t TLayoutGameMode::ResetHintTimer(int32_t delayMs) {
  ResetCurrentHint();
  ResetHint();
  const float delay = float(delayMs);
  HintAnimation = Phases({delay, 5000});
  Hint1Animation = Phases({delay, 500, 4000, 500});
  Hint2Animation = Phases({delay + 500, 500, 3500, 500});
  StockSliderAnimation = Phases({delay, 500, 4000, 500});
  return 1;
}

void TLayoutGameMode::ResetHint() {
  HintAnimation.reset();
  Hint1Animation.reset();
  Hint2Animation.reset();
  StockSliderAnimation.reset();
  HasCreatedHints = HasPlayedHint1Sound = HasPlayedHint2Sound = HasPlayedStockSliderSound = 0;
}

void TLayoutGameMode::ManageHint() {
  if (Game && (Game->Paused || Game->Suspended)) return;
  if (HintAnimation && HintAnimation->Active && HintAnimation->CurrentPhase == 1 && !HasCreatedHints) {
    HasCreatedHints = 1;
    CreateHints();
    CurrentHint = PickHint();
    if (CurrentHint) {
      CurrentHint->FirstCard->DoDrawHint = 1, CurrentHint->FirstCard->HintNumber = 1;
      CurrentHint->SecondCard->DoDrawHint = 1, CurrentHint->SecondCard->HintNumber = 2;
      openCards_.clear();
      ListOpenStockCards(openCards_);
      for (const auto& open : openCards_)
        for (const auto& hinted : {CurrentHint->FirstCard, CurrentHint->SecondCard})
          if (open && open->CardNumber == hinted->CardNumber && open->CardSuit == hinted->CardSuit)
            open->DoDrawHint = 1, open->HintNumber = 1;
    }
  }
  if (HintAnimation && HintAnimation->Finished) {
    ResetCurrentHint();
    HintAnimation.reset();
  }
  ManageHintSounds();
}

void TLayoutGameMode::ResetCurrentHint() {
  if (CurrentHint) {
    if (CurrentHint->FirstCard) CurrentHint->FirstCard->DoDrawHint = 0;
    if (CurrentHint->SecondCard) CurrentHint->SecondCard->DoDrawHint = 0;
  }
  openCards_.clear();
  ListOpenStockCards(openCards_);
  for (const auto& open : openCards_)
    if (open) open->DoDrawHint = 0;
}

void TLayoutGameMode::ManageHintSounds() {
  if (Hint1Animation && Hint1Animation->Active && Hint1Animation->CurrentPhase == 1 && !HasPlayedHint1Sound) {
    HasPlayedHint1Sound = 1;
    PlayHint1Sound();
  }
  if (Hint2Animation && Hint2Animation->Active && Hint2Animation->CurrentPhase == 1 && !HasPlayedHint2Sound) {
    HasPlayedHint2Sound = 1;
    PlayHint2Sound();
  }
}

void TLayoutGameMode::ManageAnimations() {
  for (auto* timer : {&HintAnimation, &Hint1Animation, &Hint2Animation, &StockSliderAnimation, &ScoreAnimation,
                      &FadeOutAnimation})
    if (*timer) (*timer)->Manage();
  if (GameState && GameState->stateFinished && !FadeOutAnimation) FadeOutAnimation = Phases({500});
}

// ---- Streak banner and flying bonuses ----------------------------------------

void TLayoutGameMode::StartBonusBanner(int32_t totalPoints, int32_t applause) {
  BonusEndAnimation = Phases({2000, 1000, 500});
  BonusTotalPoints = totalPoints;
  if (!applause) return;
  PlayBonusApplauseSound();
  VictoryParticles = std::make_shared<TParticleList>();
  if (GamePlay) GamePlay->ShowVictoryParticles = 1;
}

void TLayoutGameMode::ManageBonus() {
  if (BonusEndAnimation) {
    BonusEndAnimation->Manage();
    if (BonusEndAnimation->CurrentPhase >= 1 && GamePlay && GamePlay->ShowVictoryParticles)
      GamePlay->ShowVictoryParticles = 0;
    if (BonusEndAnimation->Finished) BonusEndAnimation.reset();
  }
  // Paid on arrival; swept after the walk.
  for (const auto& bonus : BonusList) {
    if (bonus->Manage()) {
      if (GamePlay) GamePlay->ScoreAdder += bonus->Points;
      PlayBonusSound();
    }
  }
  std::erase_if(BonusList, [](const std::shared_ptr<TFlyingBonus>& bonus) { return bonus->MayLeave() != 0; });
}

void TLayoutGameMode::DropBonuses() {
  BonusList.clear();
  BonusEndAnimation.reset();
}

void TLayoutGameMode::DrawBonus() {
  if (BonusEndAnimation) {
    const float previous = platform::GetAlpha();
    if (BonusEndAnimation->CurrentPhase == 2) platform::SetAlpha(BonusEndAnimation->GetRatio());
    DrawNamedPicture("helptextback", 400, 556);
    DrawCentredLine(Line("Bonus Points", BonusTotalPoints), 545);
    platform::SetAlpha(previous);
  }
  if (BonusCounter > StreakShownFrom()) {
    DrawNamedPicture("helptextback", 400, 556);
    DrawCentredLine(Line("Bonus Counter", BonusCounter), 545);
  }
  for (const auto& bonus : BonusList) bonus->Draw(Delta);
}

// ---- Help line ---------------------------------------------------------------

void TLayoutGameMode::DrawHelpLine(const char* key, const char* picture) {
  DrawNamedPicture(picture, 400, 556);
  DrawCentredLine(Line(key), 545);
}

void TLayoutGameMode::DrawNoMovesLine() {
  DrawNamedPicture("helptextback", 400, 422);
  DrawCentredLine(Line("No Moves Left"), 410);
}

// The lines are drawn every frame; each is looked up (and numbered) only when it changes.
const std::string& TLayoutGameMode::Line(const char* key, int32_t number) {
  for (auto& line : lines_)
    if (std::strcmp(line.key, key) == 0) {
      if (line.number != number || line.table != GameText.get()) {
        line.number = number;
        line.table = GameText.get();
        line.text = WithNumber(GameText ? GameText->FindString(key) : std::string(), number);
      }
      return line.text;
    }
  lines_.push_back({key, number, GameText.get(), WithNumber(GameText ? GameText->FindString(key) : std::string(), number)});
  return lines_.back().text;
}

bool TLayoutGameMode::MouseClicked() { return GameMouse && GameMouse->LeftClick() == 1; }

void TLayoutGameMode::MousePosition(int32_t& x, int32_t& y) {
  x = GameMouse ? GameMouse->x : 0;
  y = GameMouse ? GameMouse->y : 0;
}

