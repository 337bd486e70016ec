#pragma once
#include "platform/Graphics.h"
#include "platform/Pixmap.h"

#include <gtest/gtest.h>

// The headless drawing surface for tests: the SDL dummy video driver with the
// software renderer (the test environment sets SDL_VIDEODRIVER=dummy and
// SDL_RENDER_DRIVER=software). The surface is opened once per test binary and
// closed at exit; every test using the fixture starts from a cleared surface
// and the default drawing state.
namespace test_support {

// Opens the headless graphics if they are not open yet; false when it fails.
bool EnsureHeadlessGraphics();

// What the window shows: the pixels last put into it (alpha undefined).
bool GrabShownWindow(platform::Pixmap& out);

class HeadlessGraphics : public ::testing::Test {
protected:
  void SetUp() override;
};

} // namespace test_support
