#pragma once
#include "solitaire/TGameMode.h"
#include "solitaire/TRandom.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TAnimation;
class TCard;
class TCardList;
class TCardPairHint;
class TFlyingBonus;

// What the layout games (Tri Peaks, Matching) share: a layout of overlapping
// cards in Cards, the marked cards, the score queue with its pop-ups, the
// timing of a hint request, the streak banner with its flying bonuses, the
// help line and the deal animation's counters. Each variant adds its stock,
// undo snapshots, hints and rules; nothing here draws cards.
class TLayoutGameMode : public TGameMode {
public:
  // Fixed places on the table.
  static constexpr int32_t StockX = 230, StockY = 70;
  static constexpr int32_t OpenCardX = 330, OpenCardY = 70;
  static constexpr int32_t ScoreX = 615, ScoreY = 50;
  static constexpr float FanStep = 5; // pixels between the face-down stock cards

  // The card games' pointer (GameMouse): pressed in this step; where it is.
  static bool MouseClicked();
  static void MousePosition(int32_t& x, int32_t& y);

  // One logic step: the deal animation alone while it runs; else (unless the
  // buttons are locked) the stock, the layout cards and the hint, then the
  // timers, the score queue and the bonuses.
  int32_t Logic() override;
  // Won once the layout is empty, no card flies any more (a stock card turned
  // at the last moment lands first) and every bonus, the end bonus among
  // them, has landed and been shown.
  int32_t IsGameFinished() override;
  // 1 while any layout or stock card flies.
  virtual int32_t IsAnyCardMoving() const = 0;
  // The variant's steps of Logic, and the end of a streak (its banner).
  virtual void ManageDealAnimation() = 0;
  virtual void ManageStock() = 0;
  virtual void ManagePlayingCards() = 0;
  virtual void EndBonus() = 0;

  // Score queue: changes wait in GamePlay->ScoreAdder and are counted out one
  // point per step; ResetScore zeroes the shown score and the queue.
  virtual void ManageScore();
  virtual void ResetScore();
  // Pop-ups: +PlusPoints rising from (x, y); `points` (with a further -50 for a
  // play that earned a bonus) rising from the score display.
  virtual void ScorePlus(int32_t x, int32_t y);
  virtual void ScoreMinus(int32_t points, int32_t bonusMatch);
  virtual void DrawScorePopup();

  // Hint request: after delayMs the hint shows for 5 s, the two cards' glows
  // staggered by 500 ms (ResetHintTimer); ResetHint drops the timers.
  int32_t ResetHintTimer(int32_t delayMs) override;
  virtual void ResetHint();
  // The hint step: once the request's delay has run (the game not paused) the
  // hints are made and a random one glows, with any open stock card showing
  // one of its cards; the glows end with the hint. ResetCurrentHint takes them off.
  virtual void ManageHint();
  virtual void ResetCurrentHint();
  // The variant's hints: make the list, pick one at random (nullptr: none), the open stock cards.
  virtual void CreateHints() = 0;
  virtual std::shared_ptr<TCardPairHint> PickHint() = 0;
  virtual void ListOpenStockCards(std::vector<std::shared_ptr<TCard>>& cards) const = 0;
  // Hint sounds, once each per request, as each glow begins.
  void ManageHintSounds();

  // Streak banner: BonusTotalPoints shown for 3500 ms; with applause the
  // fireworks run during its first 2000.
  void StartBonusBanner(int32_t totalPoints, int32_t applause);
  // Banner timing, fireworks switch-off and the flying bonuses (paid on arrival).
  virtual void ManageBonus();
  // The banner, the running streak (while BonusCounter > StreakShownFrom) and the trails.
  virtual void DrawBonus();
  // Drops every flying bonus and the banner (a new deal must not be paid old bonuses).
  void DropBonuses();

  // Help line: the introduction (key) on its backing picture, and "No Moves Left".
  void DrawHelpLine(const char* key, const char* picture = "helptextback2");
  void DrawNoMovesLine();
  void StopHelpMessage() { ShowHelpMessage = 0; }

  // Advances the hint, pop-up and fade timers; starts the fade once finished.
  virtual void ManageAnimations();

  // Sounds by name from the effect bank; nothing when it is not loaded.
  static void PlayNamedSound(const char* name);

  // The stock piles: count + 1 face-down cards with back 1..6 (others: 1)
  // appended to `pile` and fanned left of the stock point, the last one on top.
  static void AddStockCards(TCardList& pile, int32_t count, int32_t back);
  // How far a hinted stock card is lifted while the hint's slider runs: rising, held, sinking back.
  static float HintLift(const TAnimation* slider, float height);

  std::shared_ptr<TCardList> Cards;
  std::shared_ptr<TCard> MarkedCard1;
  std::shared_ptr<TCard> MarkedCard2;
  int32_t ShowHelpMessage = 0;
  int32_t LastPlayingCardMouseOverPosition = -1;
  int32_t BonusCounter = 0;
  int32_t BonusCardX = 0, BonusCardY = 0;
  std::vector<std::shared_ptr<TFlyingBonus>> BonusList;
  std::shared_ptr<TAnimation> BonusEndAnimation;
  int32_t BonusTotalPoints = 0;
  int32_t CheckedEndBonus = 0;
  std::shared_ptr<TAnimation> FadeOutAnimation;
  int32_t DoingDealAnimation = 0;
  int32_t StartedDeal = 0;
  int32_t DealNumber = -1;
  int32_t DealAnimationFinished = 0;
  std::shared_ptr<TAnimation> ScoreAnimation;
  int32_t ScorePoints = 0;
  int32_t ScorePlusX = -1, ScorePlusY = -1;
  std::shared_ptr<TAnimation> HintAnimation;
  std::shared_ptr<TCardPairHint> CurrentHint; // the hint shown now
  int32_t HasCreatedHints = 0;
  int32_t HasPlayedHint1Sound = 0, HasPlayedHint2Sound = 0, HasPlayedStockSliderSound = 0;
  std::shared_ptr<TAnimation> Hint1Animation, Hint2Animation, StockSliderAnimation;
  // The random stream of deals and hints (seed it to reproduce a game).
  TRandom Random;

protected:
  // A game text line by key, "NNN" replaced by `number`.
  const std::string& Line(const char* key, int32_t number = 0);

  // Points of one play and the streak length from which the banner counts it.
  virtual int32_t PlusPoints() const { return 50; }
  virtual int32_t StreakShownFrom() const = 0;
  virtual void PlayHint1Sound() { PlayNamedSound("hint1"); }
  virtual void PlayHint2Sound() { PlayNamedSound("hint2"); }
  virtual void PlayBonusSound() { PlayNamedSound("bonus"); }
  virtual void PlayBonusApplauseSound() { PlayNamedSound("applause2"); }

  // Scratch storage reused by the per-step walks over card lists.
  std::vector<std::shared_ptr<TCard>> walk_;

private:
  struct CachedLine {
    const char* key;
    int32_t number;
    const void* table;
    std::string text;
  };
  std::vector<CachedLine> lines_;
  std::vector<std::shared_ptr<TCard>> openCards_; // scratch for the open stock cards
};
