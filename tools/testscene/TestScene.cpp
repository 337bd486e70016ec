#include "TestScene.h"
#include "platform/Graphics.h"

#include <algorithm>
#include <cmath>

using namespace platform;

namespace {

void Put(Pixmap& pixmap, int x, int y, int r, int g, int b, int a) {
  uint8_t* p = pixmap.Pixel(x, y);
  p[0] = uint8_t(r), p[1] = uint8_t(g), p[2] = uint8_t(b), p[3] = uint8_t(a);
}

Pixmap Blank(int w, int h) {
  Pixmap pixmap;
  pixmap.width = w;
  pixmap.height = h;
  pixmap.rgba.assign(size_t(w) * h * 4, 0);
  return pixmap;
}

// A 72 x 96 card: rounded corners, a dark border and a red diamond.
Pixmap MakeCard() {
  Pixmap card = Blank(72, 96);
  const int radius = 7;
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 72; ++x) {
      int cx = std::clamp(x, radius, 71 - radius), cy = std::clamp(y, radius, 95 - radius);
      float d = std::hypot(float(x - cx), float(y - cy));
      if (d > radius) continue;
      bool border = d > radius - 2 || x < 2 || y < 2 || x > 69 || y > 93;
      int dx = std::abs(x - 36), dy = std::abs(y - 48);
      bool diamond = dx * 3 + dy * 2 < 54;
      if (border) Put(card, x, y, 30, 30, 60, 255);
      else if (diamond) Put(card, x, y, 200, 20, 40, 255);
      else Put(card, x, y, 250, 248, 240, 255);
    }
  return card;
}

// A soft white spot, strongest in the middle.
Pixmap MakeGlow() {
  Pixmap glow = Blank(64, 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      float d = std::hypot(x - 31.5f, y - 31.5f) / 32.0f;
      float a = d >= 1 ? 0 : (1 - d) * (1 - d);
      Put(glow, x, y, 255, 255, 255, int(a * 255));
    }
  return glow;
}

// Grey levels from light at the top to dark at the bottom, for multiplying.
Pixmap MakeShade() {
  Pixmap shade = Blank(128, 128);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) {
      int v = 255 - y * 3 / 2;
      Put(shade, x, y, v, v, std::min(255, v + 40), 255);
    }
  return shade;
}

// Four 32 x 32 frames in a row: a bar turning in steps of 45 degrees.
Pixmap MakeStrip() {
  Pixmap strip = Blank(128, 32);
  for (int frame = 0; frame < 4; ++frame) {
    float angle = float(frame) * float(M_PI) / 4;
    float c = std::cos(angle), s = std::sin(angle);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        float u = x - 15.5f, v = y - 15.5f;
        float along = u * c + v * s, across = -u * s + v * c;
        if (std::fabs(along) < 14 && std::fabs(across) < 3) Put(strip, frame * 32 + x, y, 40, 200, 90, 255);
      }
  }
  return strip;
}

} // namespace

TestScene::TestScene() {
  card_ = Picture::FromPixmap(MakeCard(), picture_flags::Filter);
  card_->MidHandle(true);
  glow_ = Picture::FromPixmap(MakeGlow(), picture_flags::Filter);
  glow_->MidHandle(true);
  shade_ = Picture::FromPixmap(MakeShade(), picture_flags::Filter);
  strip_ = Picture::FromPixmapCells(MakeStrip(), 32, 32, 0, 4, picture_flags::Filter);
  strip_->MidHandle(true);
  badge_ = Picture::CreateRenderTarget(96, 64);
}

void TestScene::Draw(float seconds) {
  // The render-target picture is drawn once, then used like any other.
  if (!badgeDrawn_ && BeginRenderTo(*badge_)) {
    SetClsColor(20, 60, 120);
    Cls();
    ResetDrawState();
    SetColor(250, 210, 60);
    DrawRect(8, 8, 80, 48);
    SetScale(0.5f, 0.5f);
    SetColor(255, 255, 255);
    DrawPicture(*card_, 48, 32);
    EndRenderTo();
    badgeDrawn_ = true;
  }

  ResetDrawState();
  SetClsColor(16, 70, 40);
  Cls();
  // Background bands.
  for (int i = 0; i < 12; ++i) {
    SetColor(16 + i * 6, 90 + i * 4, 50);
    DrawRect(0, float(i * 50), 800, 25);
  }

  // A fan of cards turning about their centres, each tinted differently.
  const int tints[5][3] = {{255, 255, 255}, {255, 200, 200}, {200, 255, 200}, {200, 200, 255}, {255, 255, 160}};
  for (int i = 0; i < 5; ++i) {
    ResetDrawState();
    SetColor(tints[i][0], tints[i][1], tints[i][2]);
    SetRotation(-30.0f + i * 15.0f + seconds * 20.0f);
    DrawPicture(*card_, 140.0f + i * 70.0f, 160.0f);
  }
  // Scaled and see-through cards.
  ResetDrawState();
  SetScale(1.5f, 1.5f);
  SetRotation(45);
  DrawPicture(*card_, 560, 160);
  SetScale(-1, 1);
  SetRotation(0);
  SetAlpha(0.5f);
  DrawPicture(*card_, 690, 160);

  // The multiplied shade darkens a card lying under it.
  ResetDrawState();
  DrawPicture(*card_, 120, 420);
  SetBlend(Blend::Shade);
  DrawPicture(*shade_, 60, 360);

  // Additive glows, overlapping into white.
  ResetDrawState();
  SetBlend(Blend::Light);
  SetScale(2, 2);
  const int glowColors[3][3] = {{255, 60, 60}, {60, 255, 60}, {60, 60, 255}};
  for (int i = 0; i < 3; ++i) {
    SetColor(glowColors[i][0], glowColors[i][1], glowColors[i][2]);
    float angle = float(i) * 2.0944f + seconds;
    DrawPicture(*glow_, 330 + 28 * std::cos(angle), 420 + 28 * std::sin(angle));
  }

  // The animation strip, one frame each.
  ResetDrawState();
  for (int frame = 0; frame < 4; ++frame) DrawPicture(*strip_, 460.0f + frame * 40.0f, 330.0f, frame);

  // The render-target picture and a part of the card stretched.
  DrawPicture(*badge_, 460, 380);
  DrawSubPicture(*card_, 600, 380, 120, 60, 0, 0, 36, 24);

  // Shapes: a rotated half-transparent box, a line fan and a row of points.
  SetColor(240, 240, 90);
  SetAlpha(0.6f);
  SetRotation(20 + seconds * 10);
  DrawRect(480, 480, 120, 50);
  ResetDrawState();
  SetColor(255, 255, 255);
  for (int i = 0; i <= 8; ++i) DrawLine(650, 560, 650 + 120 * std::cos(i * 0.196f), 560 - 120 * std::sin(i * 0.196f));
  SetColor(255, 80, 80);
  for (int i = 0; i < 60; ++i) Plot(20.0f + i * 4.0f, 580.0f);
  // A clipped rectangle: only its part inside the viewport shows.
  SetViewport(20, 530, 100, 30);
  SetColor(90, 160, 255);
  DrawRect(0, 500, 300, 300);
  ResetViewport();
  ResetDrawState();
}
