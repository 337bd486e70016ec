#pragma once
#include "solitaire/TLayoutCover.h"
#include "solitaire/TLayoutGameMode.h"
#include "solitaire/TTripeaksDealer.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TTripeaksHint;
class TTripeaksStock;
class TTripeaksUndo;

// Tri Peaks: clear a layout of overlapping cards by playing uncovered cards
// one rank above or below the open stock card (King and Ace are
// neighbours). Every play is worth 50; from the fifth play in a row without
// turning the stock each play also launches a flying 50-point bonus. Deals
// are checked by a solver before they are shown. Owns the layout, stock,
// undo snapshots, hints and its ".tsave" files.
class TGameModeTripeaks : public TLayoutGameMode {
public:
  TGameModeTripeaks();

  // The contract.
  int32_t Clear() override;
  int32_t Draw() override;
  int32_t Init(const std::string& layoutFile, int32_t isCustom) override;
  std::shared_ptr<TSolitaireHighScoreList> GetHighscoreList() override;
  int32_t LoadGame(const std::string& fileName) override;
  int32_t SaveGame(const std::string& path) override;
  int32_t Reset() override;
  int32_t Shuffle() override;
  int32_t Undo() override;

  int32_t IsAnyCardMoving() const override;
  // 1 when the game can be saved now: no card in flight, an open card, not dealing.
  int32_t CanSaveGame() override;

  // Undo snapshots: before each play; the deal as first dealt.
  virtual void AddOriginalUndo();
  virtual void AddUndo(int32_t scorePoints);
  virtual void ClearUndoes();

  // Rules.
  virtual int32_t CheckIfMatchingCards(const std::shared_ptr<TCard>& a, const std::shared_ptr<TCard>& b) const;
  virtual int32_t CheckIfCardMarked(const std::shared_ptr<TCard>& card) const;
  virtual int32_t CheckMatchCards(const std::shared_ptr<TCard>& card);
  virtual std::shared_ptr<TCard> DoesAnyCardMatch(const std::shared_ptr<TCard>& card) const;
  virtual void FlyMatchingCard(const std::shared_ptr<TCard>& card);
  virtual void ManageMovingCard(const std::shared_ptr<TCard>& card);
  void ManagePlayingCards() override;
  void ManageStock() override;

  // Streak: a bonus from the fifth play; the streak ends on a stock turn, an undo, a cleared layout.
  virtual void CheckBonusCounter();
  void EndBonus() override;
  virtual int32_t IsNextMatchBonus() const { return BonusCounter >= 4 ? 1 : 0; }

  // Hints: the plays possible now (HintList empty: no move left).
  void CreateHints() override;
  virtual std::shared_ptr<TTripeaksHint> GetRandomHint();
  std::shared_ptr<TCardPairHint> PickHint() override;
  void ListOpenStockCards(std::vector<std::shared_ptr<TCard>>& cards) const override;
  // 1 when the layout is not empty and no uncovered card fits the open card or any remaining stock card.
  int32_t IsNoMovesLeft() const;

  // Deal: counts, generation with the solver, the deal animation.
  virtual int32_t GetNumberOfStocks() const;
  virtual int32_t GetTotalNumberOfCards() const { return 52 * GetNumberOfStocks(); }
  virtual int32_t GetNumberOfStockCards() const;
  static std::pair<int32_t, int32_t> GetCardNumberAndSuitFromID(int32_t id);
  virtual void GenerateCards();
  virtual int32_t SolveLevel();
  virtual void StartDealAnimation();
  void ManageDealAnimation() override;

  // Drawing.
  virtual void DrawDealAnimation();
  virtual void DrawHelpMessage();
  virtual void DrawHint();
  virtual void DrawPlayingCards(int32_t flag);

  // Sounds.
  virtual void PlayDealSound() { PlayNamedSound("swish"); }
  virtual void PlayInvalidSound() { PlayNamedSound("invalid"); }
  virtual void PlayValidSound() { PlayNamedSound("buttonclick3"); }

  std::shared_ptr<TTripeaksStock> Stock;
  std::shared_ptr<TTripeaksUndo> OriginalPuzzle;
  std::shared_ptr<std::vector<std::shared_ptr<TTripeaksUndo>>> UndoList;
  std::shared_ptr<std::vector<std::shared_ptr<TTripeaksHint>>> HintList;
  // The last deal's figures (attempts, solved) for tests and benchmarks.
  TTripeaksDealer Dealer;

protected:
  int32_t StreakShownFrom() const override { return 4; }

private:
  // Puts the dealer's result into the layout and a new stock.
  void ApplyDeal();
  void RefreshCover();

  TLayoutCover cover_;
};
