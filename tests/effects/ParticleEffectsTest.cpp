#include "effects/ParticleEffects.h"

#include "effects/ParticleRandom.h"
#include "effects/TParticleList.h"
#include "platform/Graphics.h"
#include "platform/Pixmap.h"
#include "resources/TPakFileManager.h"
#include "support/TestPaths.h"
#include "ui/TColor.h"
#include "app/TGame.h"
#include "resources/TGameImage.h"
#include "support/GameWorld.h"

namespace {

class ParticleEffectsTest : public test_support::GameWorld {
protected:
  void SetUp() override {
    GameWorld::SetUp();
    SeedParticleRandom(42);
  }
  std::shared_ptr<TGameImage> star = SolidImage(16, 16, 1);
};

TEST_F(ParticleEffectsTest, VictoryBurstFollowsTheParticleSetting) {
  TParticleList fireworks;
  Game->Particles = 100;
  SpawnVictoryBurst(fireworks, 300, 200, star, 50);
  EXPECT_EQ(fireworks.Count(), 50);
  Game->Particles = 80;
  SpawnVictoryBurst(fireworks, 300, 200, star, 50);
  EXPECT_EQ(fireworks.Count(), 90);
  Game->Particles = 33;
  SpawnVictoryBurst(fireworks, 300, 200, star, 50); // 16.5: truncated
  EXPECT_EQ(fireworks.Count(), 106);
  Game->Particles = 0;
  SpawnVictoryBurst(fireworks, 300, 200, star, 50);
  EXPECT_EQ(fireworks.Count(), 106);
}

TEST_F(ParticleEffectsTest, VictoryBurstParticlesFlyUpOutAndFadeInASecond) {
  TParticleList fireworks;
  Game->Particles = 100;
  SpawnVictoryBurst(fireworks, 400, 300, star, 50);
  int clockwise = 0;
  fireworks.ForEach([&clockwise](TParticle& p) {
    EXPECT_FLOAT_EQ(p.x, 400);
    EXPECT_GE(p.dx, -1.5f);
    EXPECT_LE(p.dx, 1.5f);
    EXPECT_GE(p.dy, -2.0f);
    EXPECT_LE(p.dy, 0.0f);
    EXPECT_FLOAT_EQ(p.ygravity, 0.01f);
    EXPECT_EQ(p.DoLightBlend, 1);
    EXPECT_GE(p.RotationSpeed, 0.5f);
    EXPECT_LE(p.RotationSpeed, 3.0f);
    EXPECT_GE(p.ScaleX, 0.3f);
    EXPECT_LE(p.ScaleX, 1.0f);
    ASSERT_NE(p.Color, nullptr);
    for (int c : {p.Color->R, p.Color->G, p.Color->B}) {
      EXPECT_GE(c, 100);
      EXPECT_LE(c, 255);
    }
    if (p.DoRotate == 1) ++clockwise;
    EXPECT_TRUE(p.DoRotate == 1 || p.DoRotate == -1);
  });
  EXPECT_GT(clockwise, 5);
  EXPECT_LT(clockwise, 45);
  for (int tick = 0; tick < 199; ++tick) fireworks.Manage(); // 1000 ms = 200 ticks
  EXPECT_GT(fireworks.Count(), 0);
  fireworks.Manage();
  EXPECT_EQ(fireworks.Count(), 0);
}

TEST_F(ParticleEffectsTest, PointerSparklesEveryFifteenTicksNearTheTip) {
  WritePicture("pointer", 32, 40);
  Mouse().Load("pointer");
  MoveMouse(200, 150);
  Ticks(1); // the tick's event pump moves the pointer (after the pointer's own turn)
  PointerSparkleOn(Mouse(), star);
  auto* sparkles = dynamic_cast<TParticleList*>(Mouse().ParticleList.get());
  ASSERT_NE(sparkles, nullptr);
  Ticks(1); // the counter starts empty: the first sparkle comes at once
  EXPECT_EQ(sparkles->Count(), 1);
  Ticks(30);
  EXPECT_EQ(sparkles->Count(), 3);
  sparkles->ForEach([](TParticle& p) {
    EXPECT_GE(p.x, 200 + 1 - 5 - 2);
    EXPECT_LE(p.x, 200 + 12 - 5 + 2);
    EXPECT_GE(p.y, 150 + 1 - 5);
    EXPECT_LE(p.y, 150 + 15 - 5 + 1);
    EXPECT_EQ(p.DoLightBlend, 1);
    EXPECT_FLOAT_EQ(p.FadeInLength, 40); // SetFade(200, 300, 1000)
    EXPECT_FLOAT_EQ(p.FadeLength, 200);
    ASSERT_NE(p.Color, nullptr);
  });
  // Fades in, stays, fades out: 40 + 60 + 200 ticks.
  Ticks(300);
  EXPECT_EQ(sparkles->Count(), 20); // the last 300 ticks' worth
  Mouse().Off();
  EXPECT_EQ(sparkles->Count(), 0);
  Mouse().On();
  PointerSparkleOff(Mouse());
  Ticks(30);
  EXPECT_EQ(sparkles->Count(), 0);
}

TEST_F(ParticleEffectsTest, NoPointerSparklesAtParticleSettingZero) {
  Game->Particles = 0;
  PointerSparkleOn(Mouse(), star);
  Ticks(60);
  EXPECT_EQ(dynamic_cast<TParticleList*>(Mouse().ParticleList.get())->Count(), 0);
}

// A firework burst drawn on the headless surface (saved as "fireworks.png" for review).
using FireworksDrawTest = ParticleEffectsTest;

TEST_F(FireworksDrawTest, BurstsLightUpTheNightAndFade) {
  // The game's firework star, from the data pack.
  const auto worldPacks = PakFiles;
  PakFiles = TPakFileManager::Create(test_support::DataPath("data/resources/"), ".pak");
  auto picture = TGameImage::Create("particle2.png", -1, 1);
  PakFiles = worldPacks;
  ASSERT_TRUE(picture && picture->image);
  TParticleList fireworks;
  Game->Particles = 100;
  SpawnVictoryBurst(fireworks, 250, 250, picture, 50);
  for (int tick = 0; tick < 40; ++tick) fireworks.Manage();
  SpawnVictoryBurst(fireworks, 550, 350, picture, 50);
  for (int tick = 0; tick < 20; ++tick) fireworks.Manage();
  platform::Cls();
  fireworks.Draw();
  platform::Pixmap shot;
  ASSERT_TRUE(platform::GrabBackBuffer(shot));
  platform::SavePng(shot, "fireworks.png");
  auto lit = [&shot](int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) {
        const uint8_t* px = &shot.rgba[(size_t(y) * shot.width + x) * 4];
        if (px[0] + px[1] + px[2] > 150) ++count;
      }
    return count;
  };
  EXPECT_GT(lit(150, 150, 350, 350), 500); // the first burst has spread
  EXPECT_GT(lit(500, 300, 600, 400), 500); // the second is still tight
  EXPECT_EQ(lit(0, 500, 100, 600), 0);     // nothing down in the corner
  EXPECT_EQ(platform::GetBlend(), platform::Blend::Alpha);
}

} // namespace
