#pragma once
#include "LayoutGeometry.h"

#include <string>
#include <vector>

// The standard layouts of the layout games, in the order the level lists show
// them. Cards are listed bottom first, so the cards that can be played at the
// start come last.
namespace layoutgen {

struct LayoutDesign {
  std::string name;
  std::vector<PlacedCard> cards;
};

// Tri Peaks: the classic three peaks first, then ever larger and deeper
// designs, the two-deck ones last.
std::vector<LayoutDesign> TripeaksDesigns();
// Matching: an even number of cards each; single-deck shapes first
// (pyramids, walls, rings, a spiral, letters, an hourglass, tilted fans),
// denser and two-deck layouts later.
std::vector<LayoutDesign> MatchingDesigns();

// Building blocks. A grid picture: each string one row, top row first, an "X"
// in column c a straight card there; columns half a card (37 pixels) apart,
// rows `step` pixels apart, lower rows on top unless `upward`; centred in the
// editing area.
std::vector<PlacedCard> GridCards(int step, bool upward, const std::vector<const char*>& rows);
// A fan of `count` cards turned about a pivot below them from `from` to `to`
// degrees, each centred `radius` above it; the middle card lies on top.
void AddFan(std::vector<PlacedCard>& cards, double pivotX, double pivotY, double radius, double from, double to,
            int count);
// Cards nothing covers go to the end, the others keeping their order (every cover stays as it was).
void MoveUncoveredCardsLast(LayoutDesign& design);

// The file bytes of a layout: the "Ostrelle Card Layout" header and one
// "x,y,angle" line per card, CR LF after every line.
std::string LayoutFileText(const LayoutDesign& design);

} // namespace layoutgen
