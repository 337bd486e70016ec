// Frames that repeat the previous one are skipped and frames that change are
// redrawn only where they changed: these tests hold both to the picture a
// whole redraw gives, pixel for pixel.
#include "platform/Files.h"
#include "platform/FontRaster.h"
#include "platform/Graphics.h"
#include "platform/WindowState.h"
#include "support/HeadlessGraphics.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

using namespace platform;

namespace {

// A picture whose every pixel differs from its neighbours, so that any shift,
// turn or scaling shows.
std::shared_ptr<Picture> Pattern(int w, int h, int seed, int alpha = 255, int flags = picture_flags::Filter) {
  Pixmap pixmap = test_support::SolidPixmap(w, h, 0, 0, 0, uint8_t(alpha));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = pixmap.Pixel(x, y);
      p[0] = uint8_t(x * 7 + seed * 31);
      p[1] = uint8_t(y * 11 + seed * 17);
      p[2] = uint8_t((x ^ y) * 5 + seed);
    }
  return Picture::FromPixmap(pixmap, flags);
}

Pixmap Grab() {
  Pixmap frame;
  EXPECT_TRUE(GrabBackBuffer(frame));
  return frame;
}

// The first differing pixel, or "" when the frames are equal.
std::string Difference(const Pixmap& a, const Pixmap& b) {
  if (a.width != b.width || a.height != b.height) return "sizes differ";
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x)
      if (std::memcmp(a.Pixel(x, y), b.Pixel(x, y), 3) != 0) return "pixel " + std::to_string(x) + "," + std::to_string(y);
  return "";
}

// What the frame looks like drawn whole, with nothing kept from before.
Pixmap Reference(const std::function<void()>& draw) {
  SetFrameReuse(false);
  draw();
  Pixmap frame = Grab();
  Flip(false);
  SetFrameReuse(true);
  return frame;
}

class DrawListTest : public test_support::HeadlessGraphics {
protected:
  void TearDown() override {
    SetFrameReuse(true);
    ResetViewport();
    ResetDrawState();
  }
};

// One element of a scene, drawn with the state it names.
struct Item {
  int kind = 0; // 0 picture, 1 turned picture, 2 part of a picture, 3 rectangle, 4 turned rectangle, 5 line, 6 point
  int picture = 0, frame = 0;
  float x = 0, y = 0, angle = 0, scaleX = 1, scaleY = 1, alpha = 1;
  int r = 255, g = 255, b = 255;
  Blend blend = Blend::Alpha;
  bool clipped = false;
  int clip[4] = {0, 0, 0, 0};
};

struct Scene {
  int background = 0; // 0 a cleared screen, 1 a full-screen picture
  int cls[3] = {10, 60, 30};
  std::vector<Item> items;
};

class SceneDrawer {
public:
  SceneDrawer() {
    background_ = Pattern(800, 600, 9, 255, 0);
    pictures_ = {Pattern(40, 30, 1), Pattern(24, 24, 2, 160), Pattern(64, 48, 3, 255, 0)};
    Pixmap strip = test_support::SolidPixmap(96, 32, 0, 0, 0);
    for (int x = 0; x < 96; ++x)
      for (int y = 0; y < 32; ++y) strip.Pixel(x, y)[x / 32] = uint8_t(80 + y * 5);
    pictures_.push_back(Picture::FromPixmapCells(strip, 32, 32, 0, 3, 0));
    for (auto& picture : pictures_) picture->MidHandle(true);
  }

  void Draw(const Scene& scene) const {
    ResetDrawState();
    ResetViewport();
    SetClsColor(scene.cls[0], scene.cls[1], scene.cls[2]);
    if (scene.background == 1) {
      SetBlend(Blend::Solid);
      DrawPicture(*background_, 0, 0);
    } else {
      Cls();
    }
    DrawItems(scene.items);
  }

  void DrawItems(const std::vector<Item>& items) const {
    for (const Item& item : items) {
      ResetDrawState();
      if (item.clipped) SetViewport(item.clip[0], item.clip[1], item.clip[2], item.clip[3]);
      else ResetViewport();
      SetBlend(item.blend);
      SetAlpha(item.alpha);
      SetColor(item.r, item.g, item.b);
      SetScale(item.scaleX, item.scaleY);
      if (item.kind == 1 || item.kind == 4) SetRotation(item.angle);
      Picture& picture = *pictures_[size_t(item.picture) % pictures_.size()];
      switch (item.kind) {
      case 0:
      case 1: DrawPicture(picture, item.x, item.y, item.frame); break;
      case 2: DrawSubPicture(picture, item.x, item.y, 30 * item.scaleX, 20, 3, 2, 12, 9, item.frame); break;
      case 3:
      case 4: DrawRect(item.x, item.y, 35, 22); break;
      case 5: DrawLine(item.x, item.y, item.x + 60 * item.scaleX, item.y + 25 * item.scaleY); break;
      default: Plot(item.x, item.y); break;
      }
    }
    ResetViewport();
    ResetDrawState();
  }

private:
  std::shared_ptr<Picture> background_;
  std::vector<std::shared_ptr<Picture>> pictures_;
};

Item RandomItem(std::mt19937& random) {
  auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  Item item;
  item.kind = pick(0, 6);
  item.picture = pick(0, 3);
  item.frame = pick(0, 2);
  item.x = float(pick(-40, 820)) + (pick(0, 1) ? 0.5f : 0.0f);
  item.y = float(pick(-40, 620));
  item.angle = float(pick(0, 7) * 15);
  const float scales[] = {1, 1, 1, 0.5f, 1.5f, -1};
  item.scaleX = scales[pick(0, 5)];
  item.scaleY = scales[pick(0, 5)];
  item.alpha = float(pick(2, 10)) / 10.0f;
  item.r = pick(0, 255);
  item.g = pick(0, 255);
  item.b = pick(0, 255);
  item.blend = Blend(pick(0, 3));
  item.clipped = pick(0, 4) == 0;
  item.clip[0] = pick(0, 700);
  item.clip[1] = pick(0, 500);
  item.clip[2] = pick(0, 200);
  item.clip[3] = pick(0, 150);
  return item;
}

TEST_F(DrawListTest, AFrameLikeThePreviousOneIsNeitherDrawnNorShown) {
  SceneDrawer drawer;
  Scene scene;
  scene.background = 1;
  for (int i = 0; i < 12; ++i) {
    Item item;
    item.x = 60.0f + i * 60;
    item.y = 300;
    item.picture = i % 4;
    scene.items.push_back(item);
  }
  drawer.Draw(scene);
  Flip(false);
  const FrameStats shown = GetFrameStats();
  for (int i = 0; i < 3; ++i) {
    drawer.Draw(scene);
    Flip(false);
  }
  EXPECT_EQ(GetFrameStats().presented, shown.presented);
  EXPECT_EQ(GetFrameStats().skipped, shown.skipped + 3);
  EXPECT_EQ(GetFrameStats().changedPixels, 0);

  // A frame with no drawing at all leaves the picture as it is.
  Flip(false);
  EXPECT_EQ(GetFrameStats().presented, shown.presented);

  // One picture a pixel further: shown, and only around that picture.
  scene.items[5].x += 1;
  drawer.Draw(scene);
  Flip(false);
  EXPECT_EQ(GetFrameStats().presented, shown.presented + 1);
  EXPECT_GT(GetFrameStats().changedPixels, 0);
  EXPECT_LT(GetFrameStats().changedPixels, 800 * 600 / 50);
  EXPECT_EQ(Difference(Grab(), Reference([&] { drawer.Draw(scene); })), "");

  // The first and the last picture moved, 660 pixels apart: shown around
  // each, not across the box between them (some 700 x 60 pixels).
  scene.items[0].x += 1;
  scene.items[11].x += 1;
  drawer.Draw(scene);
  Flip(false);
  EXPECT_GT(GetFrameStats().changedPixels, 0);
  EXPECT_LT(GetFrameStats().changedPixels, 800 * 600 / 40);
  EXPECT_EQ(Difference(Grab(), Reference([&] { drawer.Draw(scene); })), "");

  // A picture freed before the frame is shown is still in it.
  drawer.Draw(scene);
  {
    auto passing = Pattern(20, 20, 5);
    DrawPicture(*passing, 400, 100);
  }
  SetColor(255, 0, 0);
  DrawRect(0, 0, 4, 4);
  Flip(false);
  const Pixmap shownFrame = Grab();
  const uint8_t* corner = shownFrame.Pixel(1, 1);
  EXPECT_EQ(corner[0] * 65536 + corner[1] * 256 + corner[2], 255 * 65536);
  const uint8_t* passed = shownFrame.Pixel(405, 105);
  const Pixmap reference = Reference([&] { drawer.Draw(scene); });
  EXPECT_NE(std::memcmp(passed, reference.Pixel(405, 105), 3), 0);
}

// Each change of one argument of one drawing call is drawn and shown.
TEST_F(DrawListTest, EveryChangedArgumentIsDrawnAndShown) {
  SceneDrawer drawer;
  Scene base;
  base.background = 1;
  Item picture;
  picture.x = 200;
  picture.y = 200;
  picture.picture = 3;
  Item rect;
  rect.kind = 3;
  rect.x = 400;
  rect.y = 300;
  rect.alpha = 0.5f;
  Item line;
  line.kind = 5;
  line.x = 100;
  line.y = 500;
  Item point;
  point.kind = 6;
  point.x = 700;
  point.y = 50;
  base.items = {picture, rect, line, point};

  const std::vector<std::pair<const char*, std::function<void(Scene&)>>> changes = {
      {"position", [](Scene& s) { s.items[0].x += 1; }},
      {"half a pixel", [](Scene& s) { s.items[0].y += 0.5f; }},
      {"frame", [](Scene& s) { s.items[0].frame = 1; }},
      {"colour", [](Scene& s) { s.items[0].g = 254; }},
      {"alpha", [](Scene& s) { s.items[1].alpha = 0.45f; }},
      {"alpha of a picture", [](Scene& s) { s.items[0].blend = Blend::Light, s.items[0].alpha = 0.99f; }},
      {"blend", [](Scene& s) { s.items[0].blend = Blend::Light; }},
      {"blend of a shape", [](Scene& s) { s.items[1].blend = Blend::Shade; }},
      {"turn", [](Scene& s) { s.items[0].kind = 1, s.items[0].angle = 1; }},
      {"scale", [](Scene& s) { s.items[0].scaleX = 1.01f; }},
      {"mirror", [](Scene& s) { s.items[0].scaleY = -1; }},
      {"picture", [](Scene& s) { s.items[0].picture = 0; }},
      {"part", [](Scene& s) { s.items[0].kind = 2; }},
      {"viewport", [](Scene& s) { s.items[0].clipped = true, s.items[0].clip[0] = 190, s.items[0].clip[1] = 190,
                                  s.items[0].clip[2] = 15, s.items[0].clip[3] = 40; }},
      {"rectangle", [](Scene& s) { s.items[1].y -= 1; }},
      {"turned rectangle", [](Scene& s) { s.items[1].kind = 4, s.items[1].angle = 30; }},
      {"line end", [](Scene& s) { s.items[2].scaleY = 1.1f; }},
      {"point", [](Scene& s) { s.items[3].r = 0; }},
      {"order", [](Scene& s) { std::swap(s.items[0], s.items[1]); s.items[1].x = 410, s.items[1].y = 305; }},
      {"one more", [](Scene& s) { s.items.push_back(s.items[3]); s.items.back().y += 3; }},
      {"one fewer", [](Scene& s) { s.items.pop_back(); }},
      {"clear colour", [](Scene& s) { s.background = 0, s.cls[2] = 31; }},
  };
  for (const auto& [name, change] : changes) {
    SCOPED_TRACE(name);
    Scene changed = base;
    change(changed);
    drawer.Draw(base);
    Flip(false);
    const uint64_t presented = GetFrameStats().presented;
    drawer.Draw(changed);
    const Pixmap drawn = Grab();
    Flip(false);
    EXPECT_EQ(GetFrameStats().presented, presented + 1);
    EXPECT_EQ(Difference(drawn, Reference([&] { drawer.Draw(changed); })), "");
  }

  // A render target drawn anew shows its new pixels wherever it is drawn.
  auto badge = Picture::CreateRenderTarget(40, 40);
  auto paint = [&badge](int blue) {
    ASSERT_TRUE(BeginRenderTo(*badge));
    SetClsColor(0, 0, blue);
    Cls();
    EndRenderTo();
  };
  auto frame = [&] {
    drawer.Draw(base);
    DrawPicture(*badge, 600, 400);
  };
  paint(100);
  frame();
  Flip(false);
  paint(200);
  frame();
  const Pixmap drawn = Grab();
  EXPECT_EQ(drawn.Pixel(610, 410)[2], 200);
  // ... also when the frame had drawn it before it was painted.
  frame();
  paint(50);
  DrawPicture(*badge, 650, 400);
  const Pixmap both = Grab();
  EXPECT_EQ(both.Pixel(610, 410)[2], 200);
  EXPECT_EQ(both.Pixel(660, 410)[2], 50);
}

// A still scene under a glowing picture, as on the title: the frames that
// start from the kept pixels of the still part equal the frames drawn whole,
// every changed one is shown, and a change anywhere in the still part (a
// picture, its pixels, a clip, the order, a line of text, a label made again,
// a label freed while the frame still names it, a lost renderer) is never
// hidden by the kept pixels.
TEST_F(DrawListTest, FramesOverAStillPartEqualFramesDrawnWhole) {
  SceneDrawer drawer;
  Scene scene;
  scene.background = 1;
  for (int i = 0; i < 6; ++i) {
    Item item;
    item.x = 100.0f + i * 110;
    item.y = 150.0f + (i % 2) * 200;
    item.picture = i % 4;
    item.kind = i == 4 ? 1 : 0;
    item.angle = 30;
    scene.items.push_back(item);
  }
  std::vector<Item> glow(1);
  glow[0].x = 330;
  glow[0].y = 160;
  glow[0].blend = Blend::Light;
  auto repainted = Picture::CreateRenderTarget(30, 30);
  int blue = 40;
  std::vector<uint8_t> fontBytes;
  ASSERT_TRUE(ReadWholeFile("/usr/share/fonts/truetype/crosextra/Carlito-Regular.ttf", fontBytes));
  const auto font = ImageFont::LoadFromMemory(fontBytes.data(), fontBytes.size(), 20);
  ASSERT_NE(font, nullptr);
  std::string welcome = "Welcome, Anna!";
  // A label made from pixels of its own, as a text or a thumbnail cache makes one.
  int labelSeed = 4;
  auto label = Pattern(60, 20, labelSeed);
  bool remakeWhileListed = false;
  auto frame = [&] {
    drawer.Draw(scene);
    ResetDrawState();
    font->Draw(welcome, 300, 535);
    DrawPicture(*label, 80, 520);
    if (remakeWhileListed) {
      // Made again after this frame drew it: the old one goes while listed.
      label = Pattern(60, 20, ++labelSeed);
      remakeWhileListed = false;
      DrawPicture(*label, 80, 520);
    }
    DrawPicture(*repainted, 500, 120);
    drawer.DrawItems(glow);
  };
  auto paint = [&] {
    ASSERT_TRUE(BeginRenderTo(*repainted));
    SetClsColor(200, 0, blue);
    Cls();
    EndRenderTo();
  };
  paint();
  const std::vector<std::pair<int, std::function<void()>>> stillChanges = {
      {12, [&] { scene.items[1].x += 2; }},
      {20, [&] { blue = 90, paint(); }},
      {28, [&] { scene.items[2].clipped = true, scene.items[2].clip[0] = 300, scene.items[2].clip[1] = 100,
                 scene.items[2].clip[2] = 60, scene.items[2].clip[3] = 500; }},
      {36, [&] { std::swap(scene.items[0], scene.items[3]); }},
      {44, [&] { scene.background = 0; }},
      {52, [&] { welcome = "Welcome, Ben!"; }},
      {60, [&] { label = Pattern(60, 20, ++labelSeed); }},
      {68, [&] { remakeWhileListed = true; }},
      {76, [&] { RendererLost(); }},
  };
  int partial = 0;
  for (int step = 0; step < 84; ++step) {
    SCOPED_TRACE("step " + std::to_string(step));
    for (const auto& [at, change] : stillChanges)
      if (step == at) change();
    glow[0].r = 40 + (step * 7) % 150; // the glow changes in every frame
    frame();
    const uint64_t presented = GetFrameStats().presented;
    const Pixmap drawn = Grab();
    Flip(false);
    ASSERT_EQ(GetFrameStats().presented, presented + 1);
    if (GetFrameStats().changedPixels < 800 * 600) ++partial;
    ASSERT_EQ(Difference(drawn, Reference(frame)), "");
  }
  EXPECT_GT(partial, 70); // only the glow's part was drawn again
}

// Random scenes changed a little frame after frame: every frame equals the
// same frame drawn whole, and the window shows it.
TEST_F(DrawListTest, FramesDrawnInPartEqualFramesDrawnWhole) {
  SceneDrawer drawer;
  std::mt19937 random(20261209);
  auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  Scene scene;
  scene.background = 1;
  for (int i = 0; i < 40; ++i) scene.items.push_back(RandomItem(random));
  drawer.Draw(scene);
  Flip(false);
  int partial = 0;
  for (int step = 0; step < 60; ++step) {
    SCOPED_TRACE("step " + std::to_string(step));
    switch (pick(0, 9)) {
    case 0: scene.items.insert(scene.items.begin() + pick(0, int(scene.items.size())), RandomItem(random)); break;
    case 1:
      if (scene.items.size() > 10) scene.items.erase(scene.items.begin() + pick(0, int(scene.items.size()) - 1));
      break;
    case 2: scene.background = pick(0, 1); break;
    case 3: break; // unchanged
    default: {
      Item& item = scene.items[size_t(pick(0, int(scene.items.size()) - 1))];
      if (pick(0, 1)) item.x += float(pick(-3, 3));
      else item = RandomItem(random);
    }
    }
    drawer.Draw(scene);
    const Pixmap drawn = Grab();
    Flip(false);
    if (GetFrameStats().changedPixels < 800 * 600) ++partial;
    Pixmap shown;
    ASSERT_TRUE(test_support::GrabShownWindow(shown));
    ASSERT_EQ(Difference(drawn, shown), "") << "the window does not show the frame";
    ASSERT_EQ(Difference(drawn, Reference([&] { drawer.Draw(scene); })), "");
  }
  EXPECT_GT(partial, 10); // the part redraws were really tried
}

} // namespace
