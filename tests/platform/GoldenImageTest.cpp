#include "TestScene.h"
#include "platform/Graphics.h"
#include "support/HeadlessGraphics.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace platform;

namespace {

// The test scene drawn by the software renderer must match the stored frame.
// A small per-channel tolerance absorbs rounding differences of the filters.
// To refresh the stored frame after an intended change:
//   marrowdeck-testscene --golden tests/platform/golden/testscene.png
using GoldenImageTest = test_support::HeadlessGraphics;

TEST_F(GoldenImageTest, TestSceneMatchesTheStoredFrame) {
  Pixmap golden;
  std::string error;
  ASSERT_TRUE(LoadPixmap(test_support::SourcePath("tests/platform/golden/testscene.png"), golden, &error)) << error;
  TestScene scene;
  scene.Draw(0);
  Pixmap frame;
  ASSERT_TRUE(GrabBackBuffer(frame));
  ASSERT_EQ(frame.width, golden.width);
  ASSERT_EQ(frame.height, golden.height);

  const int tolerance = 6;
  int differing = 0, firstX = -1, firstY = -1;
  for (int y = 0; y < frame.height; ++y)
    for (int x = 0; x < frame.width; ++x)
      for (int c = 0; c < 3; ++c)
        if (std::abs(frame.Pixel(x, y)[c] - golden.Pixel(x, y)[c]) > tolerance) {
          if (differing++ == 0) firstX = x, firstY = y;
          break;
        }
  EXPECT_LE(differing, 20) << "first different pixel at " << firstX << ", " << firstY;
  if (differing > 20) SavePng(frame, "testscene-actual.png");
}

} // namespace
