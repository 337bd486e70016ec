#pragma once
#include "SoakVariant.h"

#include <map>
#include <string>
#include <vector>

class TCard;
class TCardList;
class TLayoutGameMode;

// What the soaks of the layout games (Tri Peaks, Matching) share: the table
// written out card by card, the cards dealt counted by rank and suit, and the
// player's clicks and D key.
class LayoutSoak : public SoakVariant {
public:
  using SoakVariant::SoakVariant;

protected:
  // Each card of `list` where it lies (withX false: its height only), face up or down; the stock's position first.
  static std::string Cards(const TCardList& list, bool withX = true);
  // The layout and stock cards by identity ("H1" .. "C13") and how many of each.
  static std::map<std::string, int> Count(const TCardList& layout, const TCardList& stock);
  // "" when no card object lies twice on the table and `now` holds no card that was not dealt.
  static std::string Conserved(const TCardList& layout, const TCardList& stock, const std::map<std::string, int>& dealt,
                               const std::map<std::string, int>& now);
  // Layout cards nothing lies on, face up; the others face down ("" when so).
  static std::string Uncovered(const TCardList& layout, std::vector<std::shared_ptr<TCard>>& uncovered);
  bool LayoutBusy(const TLayoutGameMode& mode, bool cardsMoving) const;
  void Click(const TCard& card);
  void TurnStock();
};
