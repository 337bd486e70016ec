#pragma once
#include <memory>

class TGameImage;

// The card pictures of the main image bank by fixed slot. Each is looked up
// by name once per bank and kept, so drawing a table and testing overlaps do
// no name lookups. A missing picture is fatal, like every bank lookup.
enum class CardPicture {
  Back1, Back2, Back3, Back4, Back5, Back6, // "cardback1" ... "cardback6"
  Empty,           // "cardempty"
  FoundationEmpty, // "cardfoundationempty"
  StockEmpty,      // "cardstockempty"
  Denied,          // "carddenied"
  Flip,            // "cardflip"
  Hint1, Hint2,    // "cardhint1", "cardhint2"
  Marked,          // "cardmarked"
  MouseOver,       // "cardmo"
  Count
};

const std::shared_ptr<TGameImage>& GetCardPicture(CardPicture which);
// Drops every kept picture (after pictures in the bank were replaced).
void ForgetCardPictures();
