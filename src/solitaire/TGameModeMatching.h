#pragma once
#include "solitaire/TLayoutCover.h"
#include "solitaire/TLayoutGameMode.h"
#include "solitaire/TMatchingDealer.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TMatchingHint;
class TMatchingStock;
class TMatchingUndo;

// Matching: clear a layout of overlapping cards by removing uncovered cards in
// pairs of equal number (suits never matter); the stock turns two cards at a
// time onto two open places that pair with layout cards or each other, and is
// turned back over as often as wanted. Every pair is worth 50; matches less
// than 4000 ms apart form a streak, and from its third match each one also
// launches a flying 50-point bonus. Deals are built in pairs from the back of
// the layout to the front, so every deal can be cleared. Owns the layout,
// stock, undo snapshots, hints and its ".msave" files.
class TGameModeMatching : public TLayoutGameMode {
public:
  static constexpr int32_t StreakMs = 4000;

  TGameModeMatching();

  // The contract.
  int32_t Clear() override;
  int32_t Draw() override;
  int32_t Init(const std::string& layoutFile, int32_t isCustom) override;
  int32_t IsGameFinished() override;
  std::shared_ptr<TSolitaireHighScoreList> GetHighscoreList() override;
  int32_t LoadGame(const std::string& fileName) override;
  int32_t SaveGame(const std::string& path) override;
  int32_t Reset() override;
  // A new deal; 0 when the layout could not be dealt (DealFailed, no game).
  int32_t Shuffle() override;
  int32_t Undo() override;
  int32_t IsDealUnsolvable() override { return DealFailed; }

  int32_t IsAnyCardMoving() const override;
  // 1 when the game can be saved now: dealt, nothing in flight.
  int32_t CanSaveGame() override;

  // Undo snapshots: before each match; the deal as first dealt.
  virtual void AddOriginalUndo();
  virtual void AddUndo(int32_t scorePoints);
  virtual void ClearUndoes();

  // Rules.
  virtual void CheckBonusCounter();
  virtual int32_t CheckIfCardMarked(const std::shared_ptr<TCard>& card) const;
  virtual int32_t CheckIfMatchingCards(const std::shared_ptr<TCard>& a, const std::shared_ptr<TCard>& b) const;
  virtual int32_t CheckMatchCards(const std::shared_ptr<TCard>& card);
  void CreateHints() override;
  virtual std::shared_ptr<TCard> DoesAnyCardMatch(const std::shared_ptr<TCard>& card) const;
  void EndBonus() override;
  virtual void FlyMatchingCard(const std::shared_ptr<TCard>& card, int32_t first);
  // Deals the layout in pairs; 0 when giveUp is set and no deal completed within the restarts.
  virtual int32_t GenerateCards(int32_t giveUp);
  virtual float GetBonusCounterPitch() const;
  static std::pair<int32_t, int32_t> GetCardNumberAndSuitFromID(int32_t id);
  virtual int32_t GetNumberOfStockCards() const;
  virtual int32_t GetNumberOfStocks() const;
  virtual int32_t GetTotalNumberOfCards() const { return 52 * GetNumberOfStocks(); }
  virtual std::shared_ptr<TMatchingHint> GetRandomHint();
  virtual int32_t IsNextMatchBonus() const { return BonusCounter >= 2 ? 1 : 0; }
  void ManageBonus() override;
  void ManageDealAnimation() override;
  virtual void ManageMovingCard(const std::shared_ptr<TCard>& card);
  void ManagePlayingCards() override;
  void ManageStock() override;
  std::shared_ptr<TCardPairHint> PickHint() override;
  void ListOpenStockCards(std::vector<std::shared_ptr<TCard>>& cards) const override;
  virtual void StartDealAnimation();
  // 1 when the layout is not empty and no pair can be made (HintList empty).
  int32_t IsNoMovesLeft() const;

  // Drawing.
  virtual void DrawDealAnimation();
  virtual void DrawHelpMessage();
  virtual void DrawHint();
  virtual void DrawPlayingCards(int32_t flag);
  // A card face up; one flying to the score display (kinds 1, 2) shrinks as it goes.
  static void DrawShrinkingCard(TCard& card);

  // Sounds.
  virtual void PlayClickSound() { PlayNamedSound("buttonclick2"); }
  virtual void PlayDealSound() { PlayNamedSound("swish"); }
  virtual void PlayInvalidSound() { PlayNamedSound("buttonclick2"); }
  virtual void PlayValidSound() { PlayNamedSound("buttonclick3"); }

  std::shared_ptr<TMatchingStock> Stock;
  std::shared_ptr<TMatchingUndo> OriginalPuzzle;
  std::shared_ptr<std::vector<std::shared_ptr<TMatchingUndo>>> UndoList;
  std::shared_ptr<std::vector<std::shared_ptr<TMatchingHint>>> HintList;
  // The streak timer: one StreakMs phase, restarted at every match.
  std::shared_ptr<TAnimation> BonusAnimation;
  // 1 when the last Shuffle found no deal within the restarts (the session says "Editor Error Unsolvable").
  int32_t DealFailed = 0;
  // The last deal's figures (restarts, fill order) for tests and benchmarks.
  TMatchingDealer Dealer;

protected:
  int32_t StreakShownFrom() const override { return 2; }

private:
  void ApplyDeal();
  void ClearStreak();

  TLayoutCover cover_;
};
