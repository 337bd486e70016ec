#pragma once
#include <cstdint>
#include <memory>

class TCardList;
class TGameModeTripeaks;
class TTripeaksStock;

// One undo snapshot of a Tri Peaks game: deep copies of the layout and the
// stock (cards, pile position, open card) and what taking it back costs.
// Restoring gives the mode fresh copies, so a snapshot can be restored any
// number of times.
class TTripeaksUndo {
public:
  void Clear();
  void SetFromCurrentValues(const TGameModeTripeaks& mode, int32_t scorePoints, int32_t bonusMatch);
  // The restored stock's GameMode is null; the caller sets it.
  void SetAsCurrentValues(TGameModeTripeaks& mode) const;

  int32_t ScorePoints = 0; // -60 for a play, 0 for the deal
  int32_t BonusMatch = 0;  // 1 when the play after this snapshot earned a flying bonus
  std::shared_ptr<TCardList> Cards;
  std::shared_ptr<TTripeaksStock> Stock;

  // Deep copies with CurrentPosition kept (nullptr stays nullptr).
  static std::shared_ptr<TCardList> CopyList(const std::shared_ptr<TCardList>& list);
  static std::shared_ptr<TTripeaksStock> CopyStock(const std::shared_ptr<TTripeaksStock>& stock);
};
