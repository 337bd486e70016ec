#pragma once
#include "solitaire/TGameMode.h"
#include "solitaire/TMatchingDealer.h"
#include "solitaire/TRandom.h"

#include <cstdint>
#include <memory>
#include <string>

class TCardList;

// The layout editor: the player builds a custom layout of face-down cards.
// A left click in the editing area places a card at the pointer, turned by
// the current angle and snapped to a 15-pixel grid (Shift held: where the
// pointer is); a right click removes the first uncovered card under the
// pointer; Ctrl held with sideways pointer moves turns the angle (10 degrees
// a step, 1 with Shift). Uncovered cards show their face. IsLayoutValid says
// whether a layout may be saved: an even count, two uncovered cards, a deal
// the Matching generator can make, and a count that leaves Tri Peaks a stock.
// Layout files are read and written with the origin (25, 25), which puts the
// editing area where the games show a layout. Owns the cards placed.
class TGameModeEditor : public TGameMode {
public:
  // The editing area (right and bottom edges excluded) and the grid.
  static constexpr int32_t AreaLeft = 25, AreaTop = 25, AreaRight = 775, AreaBottom = 440;
  static constexpr int32_t GridStep = 15;
  static constexpr int32_t FileOriginX = 25, FileOriginY = 25;

  TGameModeEditor();

  // The contract: an empty layout (Init only clears), the table, one tick.
  int32_t Clear() override;
  int32_t Init(const std::string& layoutPath, int32_t isCustomLevel) override;
  int32_t Draw() override;
  int32_t Logic() override;

  // Drawing: the darkened margins and the area's outline, the cards, the texts.
  void DrawBounds();
  void DrawPlayingCards(int32_t flag);
  void DrawTextMessage();
  // Where the next card goes: the pointer (snapped while UseGrid), or where
  // turning began while IsRotating.
  int32_t GetPositionX() const;
  int32_t GetPositionY() const;
  // Down to a multiple of the grid step (the remainder keeps the sign of the value).
  static int32_t GetGridX(int32_t x) { return x - x % GridStep; }
  static int32_t GetGridY(int32_t y) { return y - y % GridStep; }
  // 0 when the layout may be saved; 1 no cards or an odd count, 2 fewer than
  // two uncovered cards, 3 no Matching deal within the restarts or a count
  // that leaves Tri Peaks no stock to draw from (52 x n and 52 x n - 1).
  int32_t IsLayoutValid();
  // 1 when the next card (GetPosition, Rotation) touches no margin; always 1 while turning.
  int32_t IsCardWithinBounds() const;
  // The same for a card at (x, y) turned by Rotation.
  int32_t IsCardWithinBoundsAt(int32_t x, int32_t y) const;
  // The right click: the first uncovered card under the pointer goes.
  void ManageCards();
  // Covered and uncovered from the overlaps.
  void UpdatedCards();
  // The card a right click would remove now (-1: none).
  int32_t CardUnderPointer() const;

  // Layout files. A file that cannot be written or read (or is refused)
  // answers 0 with the reason in FileMessage; the cards stay as they were.
  int32_t SaveLayout(const std::string& path);
  int32_t LoadLayout(const std::string& path);

  std::shared_ptr<TCardList> Cards;
  float Rotation = 0;          // degrees, 0..360, given to the next card
  int32_t IsRotating = 0;      // 1 while Ctrl is held
  int32_t OrgRotationX = 0, OrgRotationY = 0; // pointer when turning began; the preview stays there
  int32_t CurrentRotationX = 0, LastRotationX = 0;
  int32_t UseGrid = 1;         // 0 while Shift is held
  // The random stream of the validity check's deals (seed it to reproduce one), and its figures.
  TRandom Random;
  TMatchingDealer Dealer;

private:
  // The texts under the area for the count, angle and position they were made for.
  struct Texts {
    bool valid = false;
    const void* table = nullptr;
    int32_t values[4] = {};
    std::string lines[5];
  };
  Texts texts_;
};
