#pragma once
#include <cairo.h>

#include <cstdint>

// The four suit symbols as filled paths, and the card palette they share.
namespace assetgen {

enum class Suit { Hearts, Diamonds, Spades, Clubs };

constexpr uint32_t CardRed = 0xB01530;   // deep crimson
constexpr uint32_t CardBlack = 0x1A1C24; // near-black, never the mask's pure black
constexpr int CardWidth = 72;
constexpr int CardHeight = 96;
constexpr double CardRadius = 6.5;

inline bool IsRed(Suit s) { return s == Suit::Hearts || s == Suit::Diamonds; }
inline uint32_t SuitColour(Suit s) { return IsRed(s) ? CardRed : CardBlack; }
const char* SuitName(Suit s); // "hearts", "diamonds", "spades", "clubs"

// Appends the suit's outline to the path, centred on (cx, cy), `size` pixels
// tall; `flipped` turns it upside down (pips in a card's lower half).
void SuitPath(cairo_t* cr, Suit suit, double cx, double cy, double size, bool flipped = false);

// A pip filled in the suit colour with a gentle top-lit gradient.
void DrawPip(cairo_t* cr, Suit suit, double cx, double cy, double size, bool flipped = false);

// The card outline every card picture shares (collision outline of the game).
void CardOutlinePath(cairo_t* cr, double x = 0, double y = 0);

} // namespace assetgen
