#pragma once
#include "AssetSet.h"
#include "Fonts.h"
#include "SuitShapes.h"

// The 52 card faces: ivory cards with corner indices, classic pip layouts,
// ornamented aces and framed court panels that differ per suit.
namespace assetgen {

class CardFaces {
public:
  explicit CardFaces(const Fonts& fonts) : fonts_(fonts) {}
  void AddAll(AssetSet& out) const;                       // data/graphics/<suit><rank>.png
  std::shared_ptr<Canvas> Face(Suit suit, int rank) const; // rank 1..13

private:
  void Base(cairo_t* cr) const;
  void Indices(cairo_t* cr, Suit suit, int rank) const;
  void Pips(cairo_t* cr, Suit suit, int rank) const;
  void Ace(cairo_t* cr, Suit suit) const;
  void Court(cairo_t* cr, Suit suit, int rank) const;
  const Fonts& fonts_;
};

// Clips a finished card picture to the shared card outline (alpha = the
// outline's coverage times the picture's own alpha).
void ApplyCardOutline(Canvas& canvas);

} // namespace assetgen
