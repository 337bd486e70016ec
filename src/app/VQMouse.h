#pragma once
#include <cstdint>
#include <memory>

// Click, double-click and drag detection for the card games, read from the
// game pointer (Game->Mouse) and the key tables once per logic tick. A
// Control-click counts as a right click. One exists, `GameMouse`, updated by
// the application object between the screen change and the screen's logic.
class VQMouse {
public:
  // Per tick: position, held-button counts, the double click, its timer.
  void UpdateMouseClicks();
  // Ticks the left / right button has been held (1 in the tick of a press); 1 in a double click's tick.
  int32_t LeftClick() const { return MBL; }
  int32_t RightClick() const { return MBR; }
  int32_t DoubleClick() const { return MBLDC; }
  // 1 once the held pointer has moved more than DraggingPixels (both axes added) from where it was pressed.
  int32_t Drag();

  int32_t MBL = 0;
  int32_t MBR = 0;
  int32_t MBLDC = 0;
  int32_t x = 0, y = 0;
  float DoubleClickTime = 500;  // ms within which a second press counts
  float DoubleClickCounter = 0; // ms left for it
  int32_t DoubleClickX = -1, DoubleClickY = -1;
  int32_t DoubleClickSquare = 30; // the second press lies strictly within this many pixels on each axis
  int32_t _milliCounter = 0;      // clock of the previous update
  int32_t DraggingPixels = 4;
  int32_t DragStartX = -1, DragStartY = -1;
  int32_t IsDragging = 0;
};

extern std::shared_ptr<VQMouse> GameMouse;
