#pragma once
#include <array>
#include <cstdint>
#include <memory>

class TCard;
class TCardList;
class TGameModeKlondike;
class TStock;

// A complete snapshot of a Klondike table (tableau, stock with its three
// place cards, foundations, empty-column places) and the points restoring it
// costs. Made of deep copies, so it shares no card with the live table and can
// be restored any number of times.
class TSolitaireUndo {
public:
  // Back to the constructor's values (nothing held, 0 points).
  void Clear();
  // Copies the mode's table; restores copies of it into the mode (whose Stock.GameMode the caller sets).
  void SetFromCurrentValues(const TGameModeKlondike& mode, int32_t points);
  void SetAsCurrentValues(TGameModeKlondike& mode) const;

  int32_t ScorePoints = 0; // -20 a tableau move, -60 a foundation move, 0 the deal
  std::shared_ptr<TCardList> Cards;
  std::shared_ptr<TStock> Stock;
  std::array<std::shared_ptr<TCard>, 4> Foundation;      // Foundation1 .. Foundation4
  std::array<std::shared_ptr<TCard>, 7> EmptyColumnCard; // EmptyColumnCard1 .. EmptyColumnCard7
};
