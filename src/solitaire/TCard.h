#pragma once
#include "ui/TSprite.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

class TAnimation;
class TBezier;
class TCardList;
class TGameMode;
namespace platform {
class Picture;
}

// One card on the table, or an empty place that can be drawn and pointed at
// (foundation, empty column, empty stock). Of the sprite it uses x, y (the
// centre, truncated to whole pixels when drawn or tested) and image. Overlap
// and hit tests are pixel-exact on "cardback1"'s outline turned by
// RotationAngle, through collision layer 1. Cards are shared (std::shared_ptr);
// the list they belong to owns them.
class TCard : public TSprite {
public:
  // Suits: 1 hearts, 2 diamonds (red), 3 spades, 4 clubs (black); 0 an empty place.
  // A placeOnFoundation function answers which foundation place a card would go to (nullptr: none).
  using PlaceOnFoundationFunc = std::function<std::shared_ptr<TCard>(const std::shared_ptr<TCard>&)>;

  // A face-down ace of hearts showing `image` at (x, y), in no list.
  static std::shared_ptr<TCard> Create(const std::shared_ptr<TGameImage>& image, float x, float y);
  // Rank and suit of a deck id 0..51 (hearts, diamonds, spades, clubs; ace..king); {0, -1} for any other id.
  static std::pair<int32_t, int32_t> GetCardNumberAndSuitFromID(int32_t id);

  // Leaves its list (renumbering it); Move is the sprite's; Manage runs the flip flash.
  void Kill() override;
  void Move() override;
  void Manage();
  // A copy sharing list, picture, flight path and target; no flash, TempValue 0.
  std::shared_ptr<TCard> Clone() const;

  // Drawing at (x, y) with rotation RotationAngle; the timers drive the hint glows (nullptr: none).
  // A place lights up under a dragged card that the game mode lets go there.
  void DrawClosedCard(int32_t mouseOver, float x, float y, const TAnimation* hint1Timer,
                      const TAnimation* hint2Timer, int32_t back);
  void DrawEmptyCard(float x, float y, int32_t highlight, const std::shared_ptr<TCard>& draggedCard,
                     TGameMode* mode, int32_t foundation, int32_t stock, const TAnimation* hint1Timer,
                     const TAnimation* hint2Timer);
  void DrawOpenedCard(int32_t mouseOver, float x, float y, int32_t foundation, int32_t stock,
                      const TAnimation* hint1Timer, const TAnimation* hint2Timer);
  void DrawFlipAnimation();
  void DrawFoundationCard(const TCardList* draggedCards, TGameMode& mode, const TAnimation* hint1Timer,
                          const TAnimation* hint2Timer);
  void DrawHint(float x, float y, const TAnimation* hint1Timer, const TAnimation* hint2Timer);
  void DrawMarked(float x, float y);
  void DrawMouseOver(float x, float y);
  void DrawStockCard(int32_t mouseOver, const TAnimation* hint1Timer, const TAnimation* hint2Timer);
  void DrawStockEmptyCard(int32_t mouseOver, const TAnimation* hint1Timer, const TAnimation* hint2Timer);
  void DrawStockDeniedCard();

  // Overlaps within the list: later cards lying on this one (flying ones left
  // out), earlier cards under it with the given Opened, any later card at all.
  std::shared_ptr<TCardList> GetAllCardsOnTop() const;
  int32_t HasOpenedCardBehind(int32_t opened) const;
  int32_t IsAnyCardsOnTop() const;
  // Collision layer 1: write this card's outline; test another card against it.
  void Collide() const;
  int32_t IsCardOver(const TCard& other) const;
  // Hit tests: the card games' pointer (GameMouse), or one pixel.
  int32_t IsMouseOver() const;
  int32_t IsPointOver(int32_t px, int32_t py) const;
  // A card's outline placed at (px, py) turned by `angle`, tested against
  // rectangles (x, y, width, height): 1 when it touches any of them. The
  // same pixel-exact test as the overlaps (a turned card reaches further).
  struct Rect {
    float x, y, w, h;
  };
  static int32_t OutlineTouchesAny(float px, float py, float angle, const Rect* rects, int32_t count);

  void ManageFlipAnimation();
  // CardImage from the suit bank for CardSuit and CardNumber (kept when they name no face).
  void UpdateCardImage();
  // "H1" .. "C13": suit letter and rank.
  std::string ToString() const;
  // Starts the turn-over flash: fade in, hold, fade out, 500 ms each.
  void StartFlipAnimation();

  TCardList* Cards = nullptr; // the list holding this card; not owned (the list owns its cards)
  std::shared_ptr<TGameImage> CardImage;
  int32_t Position = 0;
  int32_t Opened = 0;
  int32_t HasCardsOnTop = 0;
  int32_t CardNumber = 0;
  int32_t CardSuit = 0;
  int32_t Dragging = 0;
  int32_t CardType = 0;
  float RotationAngle = 0;
  int32_t IsMoving = 0;
  std::shared_ptr<TBezier> Bezier;
  int32_t AnimationType = 0;
  std::shared_ptr<TCard> CardRef;
  int32_t DoDrawHint = 0;
  int32_t HintNumber = 0;
  float TempValue = 0;
  std::shared_ptr<TAnimation> FlipAnimation;

private:
  friend class TCardList;

  // Screen box a picture can cover at a whole-pixel position and rotation
  // (one pixel wider all round than the collision outline can reach), kept
  // until the position, rotation or picture changes.
  struct OverlapBox {
    uint64_t serial = 0;
    float handleX = 0, handleY = 0, rotation = 0;
    int32_t px = 0, py = 0;
    bool valid = false;
    int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  };
  static const OverlapBox& BoxFor(OverlapBox& cache, const platform::Picture& picture, int32_t px, int32_t py,
                                  float rotation);
  const OverlapBox& OutlineBox(const platform::Picture& outline) const;
  const OverlapBox* ImageBox() const; // nullptr: no picture, covers nothing

  // True when `other` (written or not) overlaps this card's outline; writes
  // the outline into layer 1 the first time a test gets past the boxes.
  bool Covers(const platform::Picture& outline, const TCard& other, bool& outlineWritten) const;
  // Index of this card in Cards (-1 when it is not there).
  int32_t IndexInList() const;

  mutable OverlapBox outlineBox_, imageBox_;
};
