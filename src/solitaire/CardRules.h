#pragma once
#include "solitaire/TCard.h"

#include <cstdint>

// Rule predicates every variant may share. Suits 1 and 2 are red, 3 and 4
// black; suit 0 (an empty place) is neither. Ranks: 1 ace .. 13 king.
namespace card_rules {

inline bool IsRedSuit(int32_t suit) { return suit == 1 || suit == 2; }
inline bool IsBlackSuit(int32_t suit) { return suit == 3 || suit == 4; }
// Both red or both black (an empty place matches neither).
inline bool HaveSameColour(const TCard& a, const TCard& b) {
  return (IsRedSuit(a.CardSuit) && IsRedSuit(b.CardSuit)) || (IsBlackSuit(a.CardSuit) && IsBlackSuit(b.CardSuit));
}
// `target` is exactly one rank above `card`.
inline bool IsOneRankBelow(const TCard& card, const TCard& target) { return target.CardNumber == card.CardNumber + 1; }
inline bool IsAce(const TCard& card) { return card.CardNumber == 1; }
inline bool IsKing(const TCard& card) { return card.CardNumber == 13; }
// Same suit, one rank higher: `card` may be built on `top` of its suit pile.
inline bool BuildsOnSuitPile(const TCard& card, const TCard& top) {
  return card.CardSuit == top.CardSuit && card.CardNumber == top.CardNumber + 1;
}

} // namespace card_rules
