#include "platform/Graphics.h"
#include "platform/WindowState.h"
#include "support/HeadlessGraphics.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

#include <string>

using namespace platform;

namespace {

std::shared_ptr<Picture> Solid(int w, int h, int r, int g, int b, int a = 255) {
  const Pixmap pixmap = test_support::SolidPixmap(w, h, uint8_t(r), uint8_t(g), uint8_t(b), uint8_t(a));
  return Picture::FromPixmap(pixmap, 0); // no filtering: exact pixel values
}

struct Rgb {
  int r, g, b;
};

Rgb At(const Pixmap& frame, int x, int y) {
  const uint8_t* p = frame.Pixel(x, y);
  return {p[0], p[1], p[2]};
}

Pixmap Grab() {
  Pixmap frame;
  EXPECT_TRUE(GrabBackBuffer(frame));
  EXPECT_EQ(frame.width, 800);
  EXPECT_EQ(frame.height, 600);
  return frame;
}

#define EXPECT_RGB_NEAR(actual, R, G, B)                                                                              \
  do {                                                                                                                 \
    Rgb value = (actual);                                                                                              \
    EXPECT_NEAR(value.r, R, 2);                                                                                        \
    EXPECT_NEAR(value.g, G, 2);                                                                                        \
    EXPECT_NEAR(value.b, B, 2);                                                                                        \
  } while (0)

using GraphicsTest = test_support::HeadlessGraphics;

TEST_F(GraphicsTest, BlendModesMixWithTheBackground) {
  SetClsColor(100, 50, 20);
  Cls();
  auto grey = Solid(10, 10, 100, 100, 100);
  DrawPicture(*grey, 0, 0); // Alpha, opaque: replaces
  SetAlpha(0.5f);
  DrawPicture(*grey, 20, 0); // half way between
  SetAlpha(1);
  SetBlend(Blend::Light);
  DrawPicture(*grey, 40, 0); // adds
  SetBlend(Blend::Shade);
  auto half = Solid(10, 10, 128, 128, 128);
  DrawPicture(*half, 60, 0); // multiplies
  SetBlend(Blend::Solid);
  auto clearRed = Solid(10, 10, 255, 0, 0, 0);
  DrawPicture(*clearRed, 80, 0); // copied, alpha ignored
  SetBlend(Blend::Alpha);
  DrawPicture(*clearRed, 100, 0); // invisible

  Pixmap frame = Grab();
  EXPECT_RGB_NEAR(At(frame, 5, 5), 100, 100, 100);
  EXPECT_RGB_NEAR(At(frame, 25, 5), 100, 75, 60);
  EXPECT_RGB_NEAR(At(frame, 45, 5), 200, 150, 120);
  EXPECT_RGB_NEAR(At(frame, 65, 5), 50, 25, 10);
  EXPECT_RGB_NEAR(At(frame, 85, 5), 255, 0, 0);
  EXPECT_RGB_NEAR(At(frame, 105, 5), 100, 50, 20);
  EXPECT_RGB_NEAR(At(frame, 15, 5), 100, 50, 20); // between the squares: untouched
}

TEST_F(GraphicsTest, ColourAndAlphaModulateThePicture) {
  auto white = Solid(10, 10, 255, 255, 255);
  SetColor(255, 128, 0);
  DrawPicture(*white, 0, 0);
  SetColor(0, 0, 255);
  SetAlpha(0.25f);
  DrawPicture(*white, 20, 0);
  ResetDrawState();
  SetColor(200, 100, 50);
  DrawRect(40, 0, 10, 10);
  SetAlpha(0.5f);
  Plot(60, 5);
  Pixmap frame = Grab();
  EXPECT_RGB_NEAR(At(frame, 5, 5), 255, 128, 0);
  EXPECT_RGB_NEAR(At(frame, 25, 5), 0, 0, 64);
  EXPECT_RGB_NEAR(At(frame, 45, 5), 200, 100, 50);
  EXPECT_RGB_NEAR(At(frame, 60, 5), 100, 50, 25);
  EXPECT_RGB_NEAR(At(frame, 61, 5), 0, 0, 0);
}

// A picture with fully transparent edges, blended or added with any colour
// and alpha, at whole and fractional positions on either side of the
// origin, gives exactly the pixels of a copy of its whole rectangle.
TEST_F(GraphicsTest, APictureWithClearEdgesDrawsExactlyLikeItsWholeRectangle) {
  Pixmap backdrop = test_support::SolidPixmap(800, 600, 0, 0, 0);
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) {
      uint8_t* p = backdrop.Pixel(x, y);
      p[0] = uint8_t(x * 3), p[1] = uint8_t(y * 5), p[2] = uint8_t(x ^ y);
    }
  auto background = Picture::FromPixmap(backdrop, 0);
  Pixmap edged = test_support::SolidPixmap(40, 30, 0, 0, 0, 0);
  for (int y = 6; y < 25; ++y)
    for (int x = 9; x < 33; ++x) {
      uint8_t* p = edged.Pixel(x, y);
      p[0] = uint8_t(x * 9), p[1] = uint8_t(y * 13), p[2] = 200, p[3] = uint8_t(x * y % 256);
    }
  for (int flags : {0, int(picture_flags::Filter)}) {
    auto picture = Picture::FromPixmap(edged, flags);
    const float places[][2] = {{100, 100}, {200.5f, 100.25f}, {-12, 300}, {-4.5f, -2.5f}, {-12.5f, 400.5f}, {700.75f, -7}};
    for (Blend blend : {Blend::Alpha, Blend::Light})
      for (const auto& at : places) {
        SCOPED_TRACE(std::to_string(at[0]) + "," + std::to_string(at[1]));
        auto draw = [&](bool whole) {
          ResetDrawState();
          SetBlend(Blend::Solid);
          DrawPicture(*background, 0, 0);
          SetBlend(blend);
          SetColor(250, 180, 90);
          SetAlpha(0.6f);
          if (whole) DrawSubPicture(*picture, at[0], at[1], 40, 30, 0, 0, 40, 30);
          else DrawPicture(*picture, at[0], at[1]);
          ResetDrawState();
          return Grab();
        };
        const Pixmap drawn = draw(false), whole = draw(true);
        EXPECT_TRUE(drawn.rgba == whole.rgba);
        Flip(false);
      }
  }
}

TEST_F(GraphicsTest, RotationAndScaleTurnAboutTheHandle) {
  auto bar = Solid(40, 4, 255, 255, 255);
  bar->SetHandle(0, 2);
  SetRotation(90); // clockwise: the bar hangs down from its handle
  DrawPicture(*bar, 200, 100);
  SetRotation(0);
  SetScale(2, 2);
  auto square = Solid(10, 10, 255, 0, 0);
  square->MidHandle(true);
  DrawPicture(*square, 400, 100); // 20 x 20 around (400, 100)
  SetScale(1, 1);
  SetOrigin(100, 200);
  DrawPicture(*square, 400, 100); // moved by the origin
  Pixmap frame = Grab();
  EXPECT_RGB_NEAR(At(frame, 199, 130), 255, 255, 255);
  EXPECT_RGB_NEAR(At(frame, 230, 99), 0, 0, 0);
  EXPECT_RGB_NEAR(At(frame, 199, 70), 0, 0, 0);
  EXPECT_RGB_NEAR(At(frame, 391, 91), 255, 0, 0);
  EXPECT_RGB_NEAR(At(frame, 408, 108), 255, 0, 0);
  EXPECT_RGB_NEAR(At(frame, 388, 100), 0, 0, 0);
  EXPECT_RGB_NEAR(At(frame, 500, 300), 255, 0, 0);
  EXPECT_RGB_NEAR(At(frame, 507, 300), 0, 0, 0);
}

TEST_F(GraphicsTest, ViewportClipsDrawing) {
  SetViewport(100, 100, 50, 50);
  SetColor(0, 255, 0);
  DrawRect(0, 0, 800, 600);
  ResetViewport();
  Pixmap frame = Grab();
  EXPECT_RGB_NEAR(At(frame, 100, 100), 0, 255, 0);
  EXPECT_RGB_NEAR(At(frame, 149, 149), 0, 255, 0);
  EXPECT_RGB_NEAR(At(frame, 150, 120), 0, 0, 0);
  EXPECT_RGB_NEAR(At(frame, 99, 120), 0, 0, 0);
}

TEST_F(GraphicsTest, RenderTargetsKeepWhatWasDrawnIntoThem) {
  auto target = Picture::CreateRenderTarget(32, 16);
  ASSERT_NE(target, nullptr);
  uint64_t serial = target->Serial();
  ASSERT_TRUE(BeginRenderTo(*target));
  SetClsColor(0, 0, 255);
  Cls();
  SetColor(255, 255, 0);
  DrawRect(16, 0, 16, 16);
  EndRenderTo();
  const Pixmap& pixels = target->FramePixels(0);
  EXPECT_RGB_NEAR(At(pixels, 2, 2), 0, 0, 255);
  EXPECT_RGB_NEAR(At(pixels, 20, 10), 255, 255, 0);
  EXPECT_NE(target->Serial(), serial); // collision outlines see the new pixels

  // Drawing carries on into the back buffer, and the target draws like a picture.
  SetClsColor(0, 0, 0);
  Cls();
  ResetDrawState();
  DrawPicture(*target, 300, 300);
  Pixmap frame = Grab();
  EXPECT_RGB_NEAR(At(frame, 302, 302), 0, 0, 255);
  EXPECT_RGB_NEAR(At(frame, 325, 310), 255, 255, 0);
  EXPECT_FALSE(BeginRenderTo(*Solid(4, 4, 0, 0, 0))); // an ordinary picture is no target
}

TEST_F(GraphicsTest, PicturesSurviveANewRenderer) {
  auto square = Solid(10, 10, 0, 200, 0);
  DrawPicture(*square, 10, 10);
  unsigned generation = RendererGeneration();
  CloseGraphics();
  DrawPicture(*square, 10, 10); // nothing to draw on: ignored
  ASSERT_TRUE(test_support::EnsureHeadlessGraphics());
  EXPECT_NE(RendererGeneration(), generation);
  Cls();
  DrawPicture(*square, 10, 10);
  EXPECT_RGB_NEAR(At(Grab(), 15, 15), 0, 200, 0);
}

TEST_F(GraphicsTest, FullScreenKeepsTheSurfaceAndMapsTheMouse) {
  int x, y;
  LogicalToWindow(400, 300, x, y);
  EXPECT_EQ(x * 1000 + y, 400300); // windowed: one to one
  ASSERT_TRUE(SetFullScreen(true));
  EXPECT_TRUE(IsFullScreen());
  // Whatever the desktop size, the middle of the screen is the middle of the surface.
  WindowToLogical(DesktopWidth() / 2, DesktopHeight() / 2, x, y);
  EXPECT_NEAR(x, 400, 1);
  EXPECT_NEAR(y, 300, 1);
  SetColor(255, 0, 0);
  DrawRect(0, 0, 10, 10);
  EXPECT_RGB_NEAR(At(Grab(), 5, 5), 255, 0, 0);
  ASSERT_TRUE(SetFullScreen(false));
  EXPECT_FALSE(IsFullScreen());
  LogicalToWindow(799, 599, x, y);
  EXPECT_EQ(x * 1000 + y, 799599);
  EXPECT_FALSE(VSyncActive()); // the software renderer never waits for a retrace
  Flip(true);                  // paced, and drawing can start again
  Cls();
  EXPECT_RGB_NEAR(At(Grab(), 5, 5), 0, 0, 0);
}

} // namespace
