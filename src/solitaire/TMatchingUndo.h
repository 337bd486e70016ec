#pragma once
#include <cstdint>
#include <memory>

class TCardList;
class TGameModeMatching;
class TMatchingStock;

// One undo snapshot of a Matching game: deep copies of the layout and the
// stock (cards, pile position, both open cards, the empty place) and what
// taking the match back costs. Restoring gives the mode fresh copies, so a
// snapshot can be restored any number of times.
class TMatchingUndo {
public:
  void Clear();
  void SetFromCurrentValues(const TGameModeMatching& mode, int32_t scorePoints, int32_t bonusMatch);
  // The restored stock's GameMode is null; the caller sets it.
  void SetAsCurrentValues(TGameModeMatching& mode) const;

  int32_t ScorePoints = 0; // -60 for a match, 0 for the deal
  int32_t BonusMatch = 0;  // 1 when the match after this snapshot earned a flying bonus
  std::shared_ptr<TCardList> Cards;
  std::shared_ptr<TMatchingStock> Stock;

  static std::shared_ptr<TMatchingStock> CopyStock(const std::shared_ptr<TMatchingStock>& stock);
};
