#include "app/InputTables.h"
#include "app/TGame.h"
#include "app/TScreen.h"
#include "platform/Keys.h"
#include "support/GameWorld.h"

#include <string>

namespace {

namespace keys = platform::keys;

// A screen that writes down what a logic tick shows it of the player's input.
class InputRecordingScreen : public TScreen {
public:
  InputRecordingScreen() { name = "recording"; }
  int Logic() override {
    ++Ticks;
    x = Game->Mouse->x;
    y = Game->Mouse->y;
    wheel = Game->Mouse->z;
    left = Game->Mouse->b1;
    hits += Game->Mouse->GetMh(1);
    shiftHeld = KeyDown(keys::LeftShift);
    spaceHits += KeyHit(keys::Space);
    for (int ch = GetChar(); ch != 0; ch = GetChar()) typed += char(ch);
    return 1;
  }
  int Ticks = 0, x = -1, y = -1, wheel = 0, left = 0, hits = 0, shiftHeld = 0, spaceHits = 0;
  std::string typed;
};

class GameInputTest : public test_support::GameWorld {
protected:
  void SetUp() override {
    GameWorld::SetUp();
    screen = std::make_shared<InputRecordingScreen>();
    Game->CurrentTScreen = screen;
  }
  std::shared_ptr<InputRecordingScreen> screen;
};

// Pointer, buttons, wheel, keys and typing reach the screen at the next logic
// tick through the window system's events and the frame's event pump.
TEST_F(GameInputTest, PlayerInputReachesTheScreenAtTheNextTick) {
  MoveMouse(321, 123);
  PressButton();
  EXPECT_EQ(screen->hits, 0) << "nothing arrives before a tick";
  ASSERT_EQ(Ticks(1), 1);
  EXPECT_EQ(screen->x * 1000 + screen->y, 321123);
  EXPECT_EQ(screen->left, 1);
  EXPECT_EQ(screen->hits, 1);
  ReleaseButton();
  TurnWheel(-2);
  Ticks(1);
  EXPECT_EQ(screen->left, 0);
  EXPECT_EQ(screen->hits, 1) << "a release is no new press";
  EXPECT_EQ(screen->wheel, -2);

  HoldKey("Left Shift");
  TapKey("Space");
  Type("Zo\xC3\xAB");
  Ticks(1);
  EXPECT_EQ(screen->shiftHeld, 1);
  EXPECT_EQ(screen->spaceHits, 1);
  EXPECT_EQ(screen->typed, "Zo\xEB");
  ReleaseKey("Left Shift");
  Ticks(1);
  EXPECT_EQ(screen->shiftHeld, 0);
}

// A release and a move that arrive in the same tick: that tick sees the
// button come up where it came up (a drop lands there), the next the move.
TEST_F(GameInputTest, AReleaseIsSeenWhereTheButtonCameUp) {
  MoveMouse(100, 100);
  PressButton();
  Ticks(1);
  MoveMouse(200, 150);
  ReleaseButton();
  MoveMouse(600, 500);
  Ticks(1);
  EXPECT_EQ(screen->left, 0);
  EXPECT_EQ(screen->x * 1000 + screen->y, 200150);
  Ticks(1);
  EXPECT_EQ(screen->x * 1000 + screen->y, 600500);
  // A quick click, down and up within one tick (a busy machine), is seen
  // pressed by that tick and released by the next; a new press that came
  // after it is seen where it is at the tick after that release.
  const int hitsBefore = screen->hits;
  PressButton();
  ReleaseButton();
  MoveMouse(300, 300);
  PressButton();
  Ticks(1);
  EXPECT_EQ(screen->left, 1) << "the quick click's press is lost";
  EXPECT_EQ(screen->x * 1000 + screen->y, 600500);
  EXPECT_EQ(screen->hits, hitsBefore + 1);
  Ticks(1);
  EXPECT_EQ(screen->left, 1);
  EXPECT_EQ(screen->x * 1000 + screen->y, 300300);
  EXPECT_EQ(screen->hits, hitsBefore + 2);
  ReleaseButton();
  Ticks(1);
  EXPECT_EQ(screen->left, 0);
}

// Frames run the logic ticks their time asks for (5 ms each), and Escape on a
// plain screen fades out to the exit, which ends the program.
TEST_F(GameInputTest, FramesFollowTheClockAndEscapeEndsTheProgram) {
  ASSERT_EQ(Frames(10, 20.0), 1);
  EXPECT_EQ(screen->Ticks, 40);
  TapKey("Escape");
  int frames = 0;
  while (frames < 200 && Frames(1, 20.0) == 1) ++frames;
  EXPECT_LT(frames, 200) << "the exit fade never ended the program";
  EXPECT_GE(frames, 20) << "the half-second fade ran";
}

} // namespace
