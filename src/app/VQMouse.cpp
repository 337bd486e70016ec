#include "app/VQMouse.h"

#include "app/Clock.h"
#include "app/InputTables.h"
#include "app/TGame.h"
#include "platform/Keys.h"

#include <cstdlib>

std::shared_ptr<VQMouse> GameMouse;

void VQMouse::UpdateMouseClicks() {
  bool left = false, right = false;
  if (Game && Game->Mouse) {
    x = Game->Mouse->x;
    y = Game->Mouse->y;
    left = Game->Mouse->b1 != 0;
    right = Game->Mouse->b2 != 0;
  }
  const int32_t now = int32_t(int64_t(AppMillisecs()));
  float elapsed = float(now - _milliCounter);
  if (elapsed > 1000 || elapsed < 0) elapsed = 0; // a long pause (or the first tick) counts nothing
  _milliCounter = now;

  const bool control = KeyDown(platform::keys::LeftControl) || KeyDown(platform::keys::RightControl);
  if (right || (left && control))
    ++MBR;
  else
    MBR = 0;
  if (left && !control) {
    ++MBL;
  } else {
    MBL = 0;
    DragStartX = DragStartY = -1;
    IsDragging = 0;
  }

  if (MBL == 1) {
    if (DoubleClickCounter > 0 && x > DoubleClickX - DoubleClickSquare && x < DoubleClickX + DoubleClickSquare &&
        y > DoubleClickY - DoubleClickSquare && y < DoubleClickY + DoubleClickSquare) {
      MBLDC = 1;
      DoubleClickCounter = 0;
    }
    DoubleClickX = x, DoubleClickY = y;
    DoubleClickCounter = DoubleClickTime;
  } else {
    MBLDC = 0;
  }
  if (DoubleClickCounter > 0) DoubleClickCounter -= elapsed;
}

int32_t VQMouse::Drag() {
  if (IsDragging) return 1;
  if (MBL > 0 && DragStartX == -1 && DragStartY == -1) {
    DragStartX = x, DragStartY = y;
    return 0;
  }
  if (MBL > 1 && std::abs(DragStartX - x) + std::abs(DragStartY - y) > DraggingPixels) {
    IsDragging = 1;
    return 1;
  }
  return 0;
}
