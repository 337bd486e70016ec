#include "ui/TSprite.h"

#include "app/InputTables.h"
#include "app/TGame.h"
#include "app/Delta.h"
#include "support/GameWorld.h"
#include "platform/Graphics.h"
#include "support/HeadlessGraphics.h"

#include <cmath>

namespace {

using UiTestWorld = test_support::GameWorld;

class SpriteAnimation : public test_support::GameWorld {
protected:
  // Four frames over 100 ms: 20 ticks, five ticks per frame.
  void Setup(int counterDir, int reverse, int pingPong, int loop) {
    sprite.SetupAnim(4, 100, counterDir, reverse, 0, pingPong, loop);
    sprite.AnimStoppedFunction = [this](TSprite&) { ++stops; };
  }
  // Runs ticks and counts how often the frame jumps back to where it began.
  std::vector<int> Frames(int ticks) {
    std::vector<int> frames;
    for (int i = 0; i < ticks; ++i) {
      sprite.ManageAnim();
      frames.push_back(sprite.frame);
    }
    return frames;
  }
  TSprite sprite;
  int stops = 0;
};

TEST_F(SpriteAnimation, StartsWhereItsDirectionBegins) {
  sprite.SetupAnim(4, 100, 1, 0, 0, 0, 1);
  EXPECT_EQ(sprite.AnimLength, 20);
  EXPECT_FLOAT_EQ(sprite.FrameLength, 5.0f);
  EXPECT_FLOAT_EQ(sprite.AnimCounter, 0.0f);
  sprite.SetupAnim(4, 100, 0, 1, 0, 0, 1);
  EXPECT_FLOAT_EQ(sprite.AnimCounter, 0.01f);
  sprite.SetupAnim(4, 100, 0, 0, 0, 0, 1);
  EXPECT_FLOAT_EQ(sprite.AnimCounter, 20.0f);
  EXPECT_EQ(sprite.GetAnimFrame(), 0);
  sprite.SetupAnim(4, 100, 1, 1, 0, 0, 1);
  EXPECT_FLOAT_EQ(sprite.AnimCounter, 20.0f);
  EXPECT_EQ(sprite.GetAnimFrame(), 3); // clamped to the last frame
  for (int i = 0; i < 50; ++i) {
    sprite.SetupAnim(4, 100, 1, 0, 1, 0, 1);
    EXPECT_GE(sprite.AnimCounter, 0.01f);
    EXPECT_LE(sprite.AnimCounter, 20.0f);
  }
}

TEST_F(SpriteAnimation, ForwardFramesAdvanceEveryFrameLength) {
  Setup(1, 0, 0, 1);
  const auto frames = Frames(20);
  EXPECT_EQ(frames[3], 0);
  EXPECT_EQ(frames[4], 1);  // counter 5
  EXPECT_EQ(frames[9], 2);  // counter 10
  EXPECT_EQ(frames[18], 3); // counter 19
  EXPECT_EQ(frames[19], 0); // counter 20 wraps to 0
  EXPECT_EQ(stops, 1);      // a wrap reports
}

TEST_F(SpriteAnimation, LoopCountThreeRunsThreeTimesAndRestsSilently) {
  for (int reverse = 0; reverse <= 1; ++reverse) {
    SCOPED_TRACE(reverse ? "running backward" : "running forward");
    stops = 0;
    Setup(1, reverse, 0, 1);
    sprite.LoopCount = 3;
    const auto frames = Frames(200);
    const int first = reverse ? 3 : 0, last = reverse ? 0 : 3;
    int runs = 1;
    for (size_t i = 1; i < frames.size(); ++i)
      if (frames[i] == first && frames[i - 1] == last) ++runs;
    EXPECT_EQ(runs, 3);
    EXPECT_EQ(stops, 2); // the two wraps; the end of the last run does not call
    EXPECT_EQ(sprite.Loop, 0);
    EXPECT_EQ(sprite.frame, last);
    Frames(100);
    EXPECT_EQ(stops, 2);
    EXPECT_EQ(sprite.frame, last);
  }
}

TEST_F(SpriteAnimation, PingPongBouncesWithoutCallingBack) {
  for (int dir = 0; dir <= 1; ++dir) {
    SCOPED_TRACE(dir ? "frames follow the counter" : "frames run against the counter");
    stops = 0;
    Setup(dir, 0, 1, 1);
    const auto frames = Frames(400);
    int lowEnds = 0, highEnds = 0;
    for (size_t i = 1; i + 1 < frames.size(); ++i) {
      if (frames[i] == 3 && frames[i + 1] == 2) ++highEnds;
      if (frames[i] == 0 && frames[i + 1] == 1) ++lowEnds;
    }
    // 400 ticks over a 20-tick animation: close to ten bounces at each end.
    EXPECT_GE(highEnds, 8);
    EXPECT_GE(lowEnds, 8);
    EXPECT_EQ(stops, 0);
  }
}

TEST_F(SpriteAnimation, OneShotReportsOnceAndHoldsTheLastFrame) {
  Setup(1, 0, 0, 0);
  Frames(60);
  EXPECT_EQ(stops, 1);
  EXPECT_EQ(sprite.frame, 3);
  EXPECT_FLOAT_EQ(sprite.AnimCounter, 20.0f);
}

TEST_F(SpriteAnimation, FewerThanTwoFramesNeverAnimate) {
  sprite.SetupAnim(1, 100, 1, 0, 0, 0, 1);
  sprite.AnimStoppedFunction = [this](TSprite&) { ++stops; };
  EXPECT_EQ(sprite.ManageAnim(), 0);
  EXPECT_FLOAT_EQ(sprite.AnimCounter, 0.0f);
  EXPECT_EQ(stops, 0);
}

TEST_F(UiTestWorld, GlowDecaysAndPulsesWithinItsBounds) {
  TSprite sprite;
  sprite.SetGlow(2, 1.0f, 0.1f, 0, 1.0f);
  for (int i = 0; i < 5; ++i) sprite.ManageGlow();
  EXPECT_NEAR(sprite.Glow, 0.5f, 1e-5);
  for (int i = 0; i < 20; ++i) sprite.ManageGlow();
  EXPECT_FLOAT_EQ(sprite.Glow, 0.0f);

  // The title header's glow: 0.25 degrees a tick between 0 and 0.5.
  sprite.SetGlow(3, 0, 0.25f, 0, 0.5f);
  float lowest = 1, highest = 0;
  for (int i = 0; i < 1440; ++i) {
    sprite.ManageGlow();
    lowest = std::min(lowest, sprite.Glow);
    highest = std::max(highest, sprite.Glow);
    if (i == 359) {
      EXPECT_NEAR(sprite.Glow, 0.5f, 1e-4); // 90 degrees
    }
  }
  EXPECT_NEAR(lowest, 0.0f, 1e-3);
  EXPECT_NEAR(highest, 0.5f, 1e-4);
}

TEST_F(UiTestWorld, MovementFollowsVelocityRotationAndBounds) {
  TSprite sprite;
  sprite.SetImage(SolidImage(20, 10, 1));
  sprite.SetPosition(100, 100);
  sprite.Rotation = 90;
  sprite.speed = 2;
  sprite.MoveForward();
  EXPECT_NEAR(sprite.x, 102, 1e-4);
  EXPECT_NEAR(sprite.y, 100, 1e-4);

  sprite.Stop();
  sprite.ygravity = 0.5f;
  Delta = 0.5f;
  sprite.Move();
  EXPECT_FLOAT_EQ(sprite.dy, 0.25f);
  Delta = 1.0f;

  sprite.xspeed = 1000;
  sprite.MoveRight();
  EXPECT_FLOAT_EQ(sprite.x, 790); // 800 - w2
  sprite.MoveLeft();
  EXPECT_FLOAT_EQ(sprite.x, 10);

  sprite.SetPosition(-9, 300);
  EXPECT_EQ(sprite.OutOfBounds(), 0);
  sprite.SetPosition(-11, 300);
  EXPECT_EQ(sprite.OutOfBounds(), 1);
}

TEST_F(UiTestWorld, ScaleAndRotationRunForTheirLength) {
  TSprite sprite;
  sprite.SetupScale(0.01f, 0.02f, 50); // 10 ticks
  for (int i = 0; i < 30; ++i) sprite.ManageScale();
  EXPECT_NEAR(sprite.ScaleX, 1.1f, 1e-4);
  EXPECT_NEAR(sprite.ScaleY, 1.2f, 1e-4);
  sprite.SetupRotation(10, 0, 1, 0);
  for (int i = 0; i < 40; ++i) sprite.ManageRotation();
  EXPECT_NEAR(sprite.Rotation, 40, 1e-3); // 400 wrapped into [0, 360)
  sprite.SetScaleXY(2, 0);
  EXPECT_FLOAT_EQ(sprite.ScaleY, 2);
}

class SpriteDrawing : public test_support::HeadlessGraphics {};

TEST_F(SpriteDrawing, ShadowAndGlowLandWhereExpected) {
  auto target = platform::Picture::CreateRenderTarget(64, 64);
  ASSERT_TRUE(target);
  auto sprite = TSprite::Create(test_support::GameWorld::SolidImage(10, 10, 0, 100), 10, 10);
  sprite->SetShadow(1, 20, 0, 1.0f);
  sprite->SetGlow(2, 1.0f, 0, 0, 1.0f);
  ASSERT_TRUE(platform::BeginRenderTo(*target));
  platform::SetClsColor(128, 128, 128);
  platform::Cls();
  sprite->Draw();
  platform::EndRenderTo();
  const auto& pixels = target->FramePixels(0);
  const uint8_t* body = pixels.Pixel(15, 15);
  const uint8_t* shadow = pixels.Pixel(35, 15);
  const uint8_t* background = pixels.Pixel(55, 55);
  EXPECT_NEAR(background[0], 128, 2);
  EXPECT_LT(shadow[0], 10);       // black at full shadow alpha
  EXPECT_NEAR(body[0], 200, 3);   // 100 plus the full additive glow of 100
}

} // namespace
