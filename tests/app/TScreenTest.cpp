#include "support/GameWorld.h"
#include "CountingScreen.h"
#include "app/InputTables.h"
#include "app/TGame.h"

#include "platform/Graphics.h"
#include "platform/Pixmap.h"
#include "support/Pictures.h"
#include "support/TempFolder.h"

namespace {

using ScreenTest = test_support::GameWorld;

// A header is placed by its centre: "optionsheader" at (400, 50) must straddle
// that point, not hang below and right of it.
TEST_F(ScreenTest, HeaderIsDrawnCentredOnItsPosition) {
  test_support::TempFolder folder;
  ASSERT_TRUE(platform::SavePng(test_support::SolidPixmap(40, 20, 220, 30, 30), folder.File("header.png")));
  Game->ImagePath = folder.Path();

  TScreen screen;
  ASSERT_EQ(screen.HeaderLoad("header", 100, 50), 1);
  EXPECT_EQ(screen.Header->midhandled, 1);

  platform::SetClsColor(0, 0, 0);
  screen.Draw();
  platform::Pixmap frame;
  ASSERT_TRUE(platform::GrabBackBuffer(frame));
  auto red = [&frame](int x, int y) { return frame.Pixel(x, y)[0] > 150 && frame.Pixel(x, y)[1] < 80; };
  EXPECT_TRUE(red(100, 50));
  EXPECT_TRUE(red(81, 41)) << "top-left corner of a centred 40 x 20 header";
  EXPECT_FALSE(red(125, 65)) << "a top-left handle would reach here";
}

} // namespace
