#pragma once
#include <cstdint>
#include <vector>

class TCardList;

// Which cards of a layout lie on which, computed once from the cards'
// pixel-exact outlines (the same tests HasOpenedCardBehind and
// UpdateCardsOnTop make) and kept as index lists, so the deal generators and
// solvers can run thousands of steps without touching a picture. A card lies
// on every earlier card its outline overlaps.
class TLayoutCover {
public:
  // Builds the relation for the cards' current positions and angles; also
  // remembers those positions so Matches can tell whether a list still has them.
  void Compute(const TCardList& cards);
  // 1 when `cards` holds exactly the positions and angles this was computed for.
  int32_t Matches(const TCardList& cards) const;

  int32_t Count() const { return int32_t(Below.size()); }

  // Below[i]: earlier cards that card i lies on; Above[i]: later cards lying on card i (ascending).
  std::vector<std::vector<int32_t>> Below;
  std::vector<std::vector<int32_t>> Above;

private:
  struct Place {
    float x, y, angle;
  };
  std::vector<Place> places_;
};
