#include "platform/Graphics.h"
#include "support/HeadlessGraphics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

using namespace platform;

namespace {

// A soft, glowing five-pointed star like the fireworks' own: white, its
// alpha falling off towards the edge, clear in the corners.
std::shared_ptr<Picture> Star(int size) {
  Pixmap pixmap;
  pixmap.width = pixmap.height = size;
  pixmap.rgba.assign(size_t(size) * size * 4, 0);
  const double c = size / 2.0;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double dx = x + 0.5 - c, dy = y + 0.5 - c, r = std::hypot(dx, dy) / c;
      const double arms = 0.45 + 0.5 * std::pow(std::fabs(std::cos(2.5 * std::atan2(dy, dx))), 3);
      const double glow = std::max(0.0, 0.6 * (1 - r));
      const double alpha = r < arms ? 1.0 : glow;
      uint8_t* p = pixmap.Pixel(x, y);
      p[0] = p[1] = p[2] = 255;
      p[3] = uint8_t(std::lround(alpha * 255));
    }
  auto picture = Picture::FromPixmap(pixmap, picture_flags::Filter);
  picture->MidHandle(true);
  return picture;
}

struct Light {
  float x, y, angle, scale;
  int r, g, b;
  float alpha;
};

void DrawLight(Picture& picture, const Light& light) {
  ResetDrawState();
  SetBlend(Blend::Light);
  SetColor(light.r, light.g, light.b);
  SetAlpha(light.alpha);
  SetRotation(light.angle);
  SetScale(light.scale, std::fabs(light.scale));
  DrawPicture(picture, light.x, light.y);
  ResetDrawState();
}

// The lights drawn on the window's canvas (where the software renderer draws
// them in one pass from the picture's pixels).
Pixmap OnCanvas(Picture& picture, const Light& light) {
  SetClsColor(0, 0, 0);
  Cls();
  DrawLight(picture, light);
  Pixmap frame;
  EXPECT_TRUE(GrabBackBuffer(frame));
  Flip(false);
  return frame;
}

// The same drawn by the renderer itself, into an off-screen picture.
Pixmap ByRenderer(Picture& picture, const Light& light) {
  auto target = Picture::CreateRenderTarget(800, 600);
  EXPECT_TRUE(BeginRenderTo(*target));
  SetClsColor(0, 0, 0);
  Cls();
  DrawLight(picture, light);
  EndRenderTo();
  return target->FramePixels(0);
}

struct Lit {
  double total = 0, x = 0, y = 0; // the light summed, and its centroid
};

Lit Measure(const Pixmap& frame) {
  Lit lit;
  for (int y = 0; y < frame.height; ++y)
    for (int x = 0; x < frame.width; ++x) {
      const uint8_t* p = frame.Pixel(x, y);
      const double light = p[0] + p[1] + p[2];
      lit.total += light;
      lit.x += light * x;
      lit.y += light * y;
    }
  if (lit.total > 0) {
    lit.x /= lit.total;
    lit.y /= lit.total;
  }
  return lit;
}

// An opaque canvas-sized picture whose every pixel differs from its
// neighbours, bright enough in blue that lights over it saturate.
Pixmap BusyCanvas() {
  Pixmap pattern;
  pattern.width = 800, pattern.height = 600;
  pattern.rgba.resize(size_t(800) * 600 * 4);
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) {
      uint8_t* p = pattern.Pixel(x, y);
      p[0] = uint8_t(x * 7 + y), p[1] = uint8_t(y * 5 ^ x), p[2] = uint8_t(200 + (x + y) % 56), p[3] = 255;
    }
  return pattern;
}

using TurnedLightTest = test_support::HeadlessGraphics;

// Turned, scaled, mirrored, tinted and faded stars, at whole and fractional
// positions and partly off the canvas: each lands where the renderer's own
// drawing puts it (its light's centre within a sixth of a pixel), as bright,
// with only soft-edge pixels a few levels apart.
TEST_F(TurnedLightTest, TurnedStarsLookAsTheRendererDrawsThem) {
  auto star = Star(64);
  const Light lights[] = {
      {400, 300, 30, 1.0f, 255, 255, 255, 1.0f},   {200.5f, 150.25f, 12.5f, 0.62f, 255, 140, 100, 0.8f},
      {600.7f, 420.3f, 301, 0.3f, 120, 255, 200, 0.5f}, {410, 310, 97, -0.8f, 200, 200, 255, 1.0f},
      {10.4f, 590.6f, 200, 1.0f, 255, 255, 120, 0.9f}, {795, 5, 45, 0.45f, 160, 220, 255, 0.3f},
  };
  for (const Light& light : lights) {
    SCOPED_TRACE("star at " + std::to_string(light.x) + ", " + std::to_string(light.y) + " turned " +
                 std::to_string(light.angle));
    const Pixmap canvas = OnCanvas(*star, light);
    const Pixmap reference = ByRenderer(*star, light);
    const Lit a = Measure(canvas), b = Measure(reference);
    ASSERT_GT(b.total, 0);
    EXPECT_NEAR(a.total / b.total, 1.0, 0.03);
    EXPECT_NEAR(a.x, b.x, 0.15);
    EXPECT_NEAR(a.y, b.y, 0.15);
    int lit = 0, far = 0;
    double apart = 0;
    for (int y = 0; y < canvas.height; ++y)
      for (int x = 0; x < canvas.width; ++x)
        for (int c = 0; c < 3; ++c) {
          const int here = canvas.Pixel(x, y)[c], there = reference.Pixel(x, y)[c];
          if (there > 0 || here > 0) {
            ++lit;
            apart += std::abs(here - there);
          }
          if (std::abs(here - there) > 24) ++far;
        }
    // One filtering pass instead of the renderer's two (scale, then turn)
    // leaves soft edges a little crisper: a few levels on average.
    EXPECT_LE(apart / lit, 6.0);
    EXPECT_LE(far * 10, lit) << far << " of " << lit << " lit channels differ by more than 24";
  }
}

// Under a viewport a turned light shows only inside it, exactly as it does
// there unclipped, and another frame's drawing (the next particle) is unharmed.
TEST_F(TurnedLightTest, ClippedStarShowsOnlyInsideTheViewport) {
  auto star = Star(64);
  const Light light{300.5f, 200.5f, 33, 0.9f, 255, 180, 90, 1.0f};
  const Pixmap whole = OnCanvas(*star, light);
  SetClsColor(0, 0, 0);
  Cls();
  SetViewport(290, 180, 25, 60);
  DrawLight(*star, light);
  ResetViewport();
  Pixmap clipped;
  ASSERT_TRUE(GrabBackBuffer(clipped));
  Flip(false);
  int inside = 0;
  for (int y = 150; y < 250; ++y)
    for (int x = 250; x < 350; ++x)
      for (int c = 0; c < 3; ++c) {
        const bool in = x >= 290 && x < 315 && y >= 180 && y < 240;
        const int value = clipped.Pixel(x, y)[c];
        if (in) {
          EXPECT_EQ(value, whole.Pixel(x, y)[c]) << x << ", " << y;
          inside += value > 0;
        } else {
          EXPECT_EQ(value, 0) << x << ", " << y;
        }
      }
  EXPECT_GT(inside, 1000);
}

// Over a busy canvas a light adds to every pixel under it, each colour held
// at white, exactly as over black plus what was there: nothing shifted,
// nothing lost under the dark parts of the light, the canvas opaque still.
TEST_F(TurnedLightTest, LightAddsToWhatTheCanvasShowsAndHoldsAtWhite) {
  auto star = Star(96);
  const Light light{400.5f, 300.25f, 21, 1.3f, 255, 230, 160, 0.8f};
  const Pixmap alone = OnCanvas(*star, light);
  const Pixmap pattern = BusyCanvas();
  auto background = Picture::FromPixmap(pattern);
  SetClsColor(0, 0, 0);
  Cls();
  ResetDrawState();
  DrawPicture(*background, 0, 0);
  DrawLight(*star, light);
  Pixmap both;
  ASSERT_TRUE(GrabBackBuffer(both));
  Flip(false);
  int lit = 0, held = 0;
  for (int y = 200; y < 400; ++y)
    for (int x = 300; x < 500; ++x) {
      for (int c = 0; c < 3; ++c) {
        const int sum = std::min(255, alone.Pixel(x, y)[c] + pattern.Pixel(x, y)[c]);
        ASSERT_EQ(both.Pixel(x, y)[c], sum) << x << ", " << y << " channel " << c;
        lit += alone.Pixel(x, y)[c] > 0;
        held += sum == 255 && alone.Pixel(x, y)[c] > 0;
      }
      ASSERT_EQ(both.Pixel(x, y)[3], 255) << x << ", " << y;
    }
  EXPECT_GT(lit, 5000);
  EXPECT_GT(held, 500);
}

// A light neither turned nor scaled (a glowing header) gives exactly the
// renderer's own pixels, over a busy canvas, at a fractional position, tinted
// and faded, and partly off the canvas.
TEST_F(TurnedLightTest, StraightLightGivesTheRenderersOwnPixels) {
  auto star = Star(96);
  const Pixmap pattern = BusyCanvas();
  auto background = Picture::FromPixmap(pattern);
  const Light lights[] = {{200.6f, 150.3f, 0, 1, 255, 255, 255, 1.0f},
                          {420.0f, 310.0f, 0, 1, 90, 200, 255, 0.55f},
                          {20.0f, 590.0f, 0, 1, 255, 128, 40, 0.9f}};
  auto draw = [&] {
    SetClsColor(0, 0, 0);
    Cls();
    ResetDrawState();
    DrawPicture(*background, 0, 0);
    for (const Light& light : lights) DrawLight(*star, light);
  };
  draw();
  Pixmap mine;
  ASSERT_TRUE(GrabBackBuffer(mine));
  Flip(false);
  auto target = Picture::CreateRenderTarget(800, 600);
  ASSERT_TRUE(BeginRenderTo(*target));
  draw();
  EndRenderTo();
  const Pixmap theirs = target->FramePixels(0);
  int differ = 0;
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x)
      for (int c = 0; c < 4; ++c) differ += mine.Pixel(x, y)[c] != theirs.Pixel(x, y)[c];
  EXPECT_EQ(differ, 0);
  // The lights did show: the first star's centre is brighter than the canvas under it.
  EXPECT_GT(mine.Pixel(200, 150)[0] + mine.Pixel(200, 150)[1], pattern.Pixel(200, 150)[0] + pattern.Pixel(200, 150)[1]);
}

} // namespace
