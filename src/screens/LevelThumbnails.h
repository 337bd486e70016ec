#pragma once
#include <cstdint>
#include <memory>
#include <string>

class TCardList;
class TGameImage;

// Layouts as the level lists read them. Custom layouts come from the
// player's folder and may be anything, so reading one never ends the game:
// a file that cannot be read, is no layout or holds more cards than ten
// decks could fill is refused quietly and the caller shows what it must.

// More cards than this are refused (ten decks' worth).
constexpr int32_t MaxLevelCards = 520;
// The scale of a thumbnail, and its largest size (the 800 x 600 table at that scale).
constexpr float ThumbnailScale = 0.24f;
constexpr int32_t MaxThumbnailWidth = 192, MaxThumbnailHeight = 144;

// 1 and `cards` filled (positions relative to the origin) when `path` is a
// readable layout of at most MaxLevelCards cards; 0 otherwise (`cards` is
// then unchanged or empty).
int32_t ReadLevelLayout(const std::string& path, TCardList& cards, int32_t originX, int32_t originY);
// The thumbnail of the cards lying at (largest x, largest y) and before:
// (coordinate + 96) x the scale, truncated, and held to 1..192 by 1..144.
void ThumbnailSize(float largestX, float largestY, int32_t& w, int32_t& h);
// The level lists' thumbnail maker: the layout at `path` drawn at the scale
// into an off-screen picture (only the cards that reach into it), with its
// card count; nullptr and a count of 0 when the layout is refused. The
// picture's handle is its centre.
std::shared_ptr<TGameImage> CreateLevelThumbnail(const std::string& path, int32_t& cardCount, int32_t index);
