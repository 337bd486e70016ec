#pragma once
#include "AssetSet.h"
#include "Fonts.h"

// Everything card-shaped that is not a face: the six backs, the empty
// places, the selection and flip overlays and the three glows drawn under a
// card. All share cardback1's outline so the game's hit tests agree.
namespace assetgen {

class CardExtras {
public:
  explicit CardExtras(const Fonts& fonts) : fonts_(fonts) {}
  void AddAll(AssetSet& out) const;

  std::shared_ptr<Canvas> Back(int design) const; // 1..6
  // Base colours of each back's family (the tables reuse them).
  static uint32_t BackColour(int design);

private:
  std::shared_ptr<Canvas> Place(int kind) const; // 0 empty, 1 foundation, 2 stock, 3 denied
  std::shared_ptr<Canvas> Glow(uint32_t rgb) const;
  std::shared_ptr<Canvas> Marked() const;
  std::shared_ptr<Canvas> Flip() const;
  const Fonts& fonts_;
};

// Forces `picture`'s alpha to the same side of one half as `reference` at
// every pixel, so both have exactly the same collision outline.
void MatchOutline(Canvas& picture, Canvas& reference);

} // namespace assetgen
