#include "app/TMousePointer.h"

#include "app/InputTables.h"
#include "app/TGame.h"
#include "app/Delta.h"
#include "support/GameWorld.h"
#include "support/Pictures.h"
#include "platform/Graphics.h"
#include "support/HeadlessGraphics.h"
#include "support/ThrowingErrorHandler.h"

#include <stdexcept>

namespace {

using UiTestWorld = test_support::GameWorld;

class CountingParticles : public TMouseParticles {
public:
  void Manage() override { ++managed; }
  void Draw() override { ++drawn; }
  void Clear() override { ++cleared; }
  int managed = 0, drawn = 0, cleared = 0;
};

TEST_F(UiTestWorld, PointerHitsAreReadOnce) {
  Mouse().ButtonDown(1);
  Mouse().ButtonUp(1);
  Mouse().ButtonDown(2);
  EXPECT_EQ(Mouse().mb, 1);
  EXPECT_EQ(Mouse().GetMh(0), 1); // a press clears the hits pending before it
  EXPECT_EQ(Mouse().GetMh(1), 1);
  EXPECT_EQ(Mouse().GetMh(1), 0);
  EXPECT_EQ(Mouse().GetMb(), 1); // still held
  Mouse().ClearButtons();
  EXPECT_EQ(Mouse().GetMb(), 0);
}

TEST_F(UiTestWorld, PointerRunsItsParticlesOnlyWhileActive) {
  auto particles = std::make_shared<CountingParticles>();
  int spawns = 0;
  Mouse().ParticleList = particles;
  Mouse().ParticleFunc = [&spawns](TMousePointer&) { ++spawns; };
  EXPECT_EQ(Mouse().Manage(), 1);
  EXPECT_EQ(spawns, 1);
  EXPECT_EQ(particles->managed, 1);
  Mouse().Off();
  EXPECT_EQ(particles->cleared, 1);
  EXPECT_EQ(Mouse().Manage(), 0);
  EXPECT_EQ(spawns, 1);
  Mouse().On();
  EXPECT_EQ(Mouse().Manage(), 1);
}

TEST_F(UiTestWorld, MissingPointerPictureIsFatal) {
  test_support::ThrowingErrorHandler throwing;
  try {
    Mouse().Load("nopointer");
    FAIL() << "no error reported";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), "Error loading bitmap " + folder.Path() + "nopointer.png");
  }
  WritePicture("pointer", 21, 26);
  Mouse().Load("pointer");
  EXPECT_EQ(Mouse().w, 21);
  EXPECT_EQ(Mouse().h, 26);
}

class PointerDrawing : public test_support::HeadlessGraphics {};

TEST_F(PointerDrawing, PictureSitsAtThePointerWithItsHotSpot) {
  TMousePointer pointer;
  pointer.offsetx = 2;
  pointer.offsety = 2;
  pointer.Image = platform::Picture::FromPixmap(test_support::SolidPixmap(4, 4, 255, 255, 255));
  pointer.Image->SetHandle(2, 2);
  pointer.MoveTo(20, 30);
  auto target = platform::Picture::CreateRenderTarget(64, 64);
  ASSERT_TRUE(target);
  ASSERT_TRUE(platform::BeginRenderTo(*target));
  platform::SetClsColor(0, 0, 0);
  platform::Cls();
  pointer.Draw();
  pointer.Active = 0;
  pointer.MoveTo(50, 50);
  pointer.Draw(); // hidden: draws nothing
  platform::EndRenderTo();
  const auto& pixels = target->FramePixels(0);
  EXPECT_EQ(pixels.Pixel(18, 28)[0], 255); // the hot spot is 2 pixels in
  EXPECT_EQ(pixels.Pixel(21, 31)[0], 255);
  EXPECT_EQ(pixels.Pixel(22, 32)[0], 0);
  EXPECT_EQ(pixels.Pixel(50, 50)[0], 0);
}

} // namespace
