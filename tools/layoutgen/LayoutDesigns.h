#pragma once
#include "LayoutGeometry.h"

#include <string>
#include <vector>

// The standard Tri Peaks layouts, in the order the level list shows them:
// the classic three peaks first, then ever larger and deeper designs, the
// two-deck ones last. Cards are listed bottom first, so the cards that can be
// played at the start come last.
namespace layoutgen {

struct LayoutDesign {
  std::string name;
  std::vector<PlacedCard> cards;
};

std::vector<LayoutDesign> TripeaksDesigns();

// The file bytes of a layout: the "Ostrelle Card Layout" header and one
// "x,y,angle" line per card, CR LF after every line.
std::string LayoutFileText(const LayoutDesign& design);

} // namespace layoutgen
