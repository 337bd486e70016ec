#include "app/VQMouse.h"

#include "app/InputTables.h"
#include "app/TGame.h"
#include "platform/Keys.h"
#include "support/GameWorld.h"

namespace {

// The card games' mouse read once per tick from the game pointer, with the
// clock moving 5 ms a tick.
class VQMouseTest : public test_support::GameWorld {
protected:
  VQMouse mouse;
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) {
      now += 5;
      mouse.UpdateMouseClicks();
    }
  }
  void PressAt(int x, int y) {
    Game->Mouse->MoveTo(x, y);
    Game->Mouse->ButtonDown(1);
    Tick();
  }
  void Release() {
    Game->Mouse->ButtonUp(1);
    Tick();
  }
};

TEST_F(VQMouseTest, DoubleClickIsASecondPressSoonAndNear) {
  Tick();
  PressAt(100, 100);
  EXPECT_EQ(mouse.LeftClick(), 1);
  EXPECT_EQ(mouse.DoubleClick(), 0);
  Release();
  Tick(40); // 200 ms
  PressAt(120, 80);
  EXPECT_EQ(mouse.DoubleClick(), 1);
  Tick();
  EXPECT_EQ(mouse.DoubleClick(), 0); // one tick only
  EXPECT_EQ(mouse.LeftClick(), 2);
  Release();
  PressAt(120, 80); // a third quick press counts again
  EXPECT_EQ(mouse.DoubleClick(), 1);
  Release();
  Tick(120); // 600 ms later: a new first click
  PressAt(120, 80);
  EXPECT_EQ(mouse.DoubleClick(), 0);
  Release();
  PressAt(150, 80); // 30 pixels away on one axis
  EXPECT_EQ(mouse.DoubleClick(), 0);
}

TEST_F(VQMouseTest, DragStartsPastTwoPixelsWithTheButtonHeld) {
  mouse.DraggingPixels = 2;
  Tick();
  PressAt(200, 200);
  EXPECT_EQ(mouse.Drag(), 0); // stores where the press began
  Game->Mouse->MoveTo(201, 201);
  Tick();
  EXPECT_EQ(mouse.Drag(), 0); // two pixels: not yet
  Game->Mouse->MoveTo(202, 201);
  Tick();
  EXPECT_EQ(mouse.Drag(), 1);
  Game->Mouse->MoveTo(200, 200);
  Tick();
  EXPECT_EQ(mouse.Drag(), 1); // stays dragging until the button goes up
  Release();
  EXPECT_EQ(mouse.Drag(), 0);
  EXPECT_EQ(mouse.DragStartX, -1);
}

TEST_F(VQMouseTest, ControlClickIsARightClick) {
  Tick();
  KeyDowns[platform::keys::LeftControl] = 1;
  PressAt(10, 10);
  EXPECT_EQ(mouse.LeftClick(), 0);
  EXPECT_EQ(mouse.RightClick(), 1);
  KeyDowns[platform::keys::LeftControl] = 0;
  Tick();
  EXPECT_EQ(mouse.LeftClick(), 1);
  EXPECT_EQ(mouse.RightClick(), 0);
}

TEST_F(VQMouseTest, EveryLogicTickUpdatesGameMouseFromThePlayersInput) {
  MoveMouse(42, 24);
  PressButton();
  Ticks(1);
  EXPECT_EQ(GameMouse->x, 42);
  EXPECT_EQ(GameMouse->y, 24);
  EXPECT_EQ(GameMouse->LeftClick(), 1);
  Ticks(1);
  EXPECT_EQ(GameMouse->LeftClick(), 2);
  ReleaseButton();
  Ticks(1);
  EXPECT_EQ(GameMouse->LeftClick(), 0);
}

} // namespace
