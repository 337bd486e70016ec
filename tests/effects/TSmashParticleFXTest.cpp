#include "effects/TSmashParticleFX.h"

#include "effects/ParticleRandom.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Pixmap.h"
#include "resources/TGameImage.h"
#include "support/HeadlessGraphics.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"
#include "support/ThrowingErrorHandler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>

namespace {

const std::string ShippedFile = test_support::SourcePath("data/resources/bonusfly.par");

std::string ReadShipped() {
  std::string bytes;
  EXPECT_TRUE(platform::ReadWholeFile(ShippedFile, bytes));
  return bytes;
}

TSmashParticleFX Parse(const std::string& bytes) {
  TSmashParticleFX fx;
  fx.ParseFX(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return fx;
}

// Overwrites value `index` (0-based, file order) of record `emitter`.
void PutValue(std::string& bytes, int emitter, int index, uint32_t word) {
  std::memcpy(&bytes[size_t(emitter) * TSmashParticleFX::RecordBytes + size_t(index) * 4], &word, 4);
}
void PutFloat(std::string& bytes, int emitter, int index, float value) {
  uint32_t word;
  std::memcpy(&word, &value, 4);
  PutValue(bytes, emitter, index, word);
}

// A single active emitter, spawning one particle a tick unless told.
TEmitter Active() {
  TEmitter e;
  e.RenderType = RENDER_ADD;
  e.EmissionRate = 0;
  e.LifeTime = 1000;
  e.EmitterDuration = 1000;
  return e;
}

TEST(SmashParticleFXTest, ReadsTheShippedBonusEffectFieldByField) {
  const std::string bytes = ReadShipped();
  ASSERT_EQ(bytes.size(), TSmashParticleFX::FileBytes);
  auto fx = TSmashParticleFX::Load(ShippedFile, 1);
  EXPECT_EQ(fx->LoopFX, 1);
  const TEmitter& sparkle = fx->Emitter[0];
  EXPECT_FLOAT_EQ(sparkle.EmitterDelay, 0);
  EXPECT_FLOAT_EQ(sparkle.EmitterDuration, 10);
  EXPECT_FLOAT_EQ(sparkle.EmissionRate, 1);
  EXPECT_FLOAT_EQ(sparkle.EmissionEachFrame, 1);
  EXPECT_FLOAT_EQ(sparkle.SpeedVarX, 0.5f);
  EXPECT_FLOAT_EQ(sparkle.SpeedVarY, 0.5f);
  EXPECT_FLOAT_EQ(sparkle.SizeVar, 0.05f); // stored before LaunchSize
  EXPECT_FLOAT_EQ(sparkle.LaunchSize, 0.25f);
  EXPECT_FLOAT_EQ(sparkle.Grow, -0.004f);
  EXPECT_FLOAT_EQ(sparkle.MaxSize, 1);
  EXPECT_FLOAT_EQ(sparkle.AlphaVar, 0.1f);
  EXPECT_FLOAT_EQ(sparkle.AlphaChange, -0.0275f);
  EXPECT_FLOAT_EQ(sparkle.RotationVar, 3);
  EXPECT_FLOAT_EQ(sparkle.StartOffsetVarX, 4);
  EXPECT_FLOAT_EQ(sparkle.StartOffsetVarY, 4);
  EXPECT_FLOAT_EQ(sparkle.LifeTime, 40);
  EXPECT_EQ(sparkle.RenderType, RENDER_ADD);
  EXPECT_EQ(sparkle.Image, 4);
  EXPECT_FLOAT_EQ(sparkle.ColorG, 220);
  EXPECT_FLOAT_EQ(sparkle.ColorB, 120);
  EXPECT_FLOAT_EQ(sparkle.GravityY, 0.01f);
  const TEmitter& twinkle = fx->Emitter[1];
  EXPECT_FLOAT_EQ(twinkle.EmissionRate, 0);
  EXPECT_FLOAT_EQ(twinkle.EmissionEachFrame, 2);
  EXPECT_FLOAT_EQ(twinkle.LaunchSize, 0.12f);
  EXPECT_FLOAT_EQ(twinkle.AlphaChange, -0.046f);
  EXPECT_FLOAT_EQ(twinkle.LifeTime, 25);
  EXPECT_FLOAT_EQ(twinkle.ColorB, 230);
  EXPECT_FLOAT_EQ(twinkle.GravityY, 0.02f);
  for (size_t i = 2; i < TSmashParticleFX::EmitterCount; ++i) EXPECT_EQ(fx->Emitter[i].RenderType, RENDER_OFF);
  // Position is not stored: the loader's default until MoveTo.
  EXPECT_FLOAT_EQ(sparkle.X, 220);
  EXPECT_FLOAT_EQ(sparkle.Y, 330);
  // Written back, the file is byte for byte the same.
  EXPECT_EQ(fx->FormatFX(), bytes);
}

TEST(SmashParticleFXTest, SavedAndLoadedBackKeepsEveryStoredField) {
  test_support::TempFolder folder;
  TSmashParticleFX fx;
  fx.Emitter[3] = Active();
  fx.Emitter[3].SpeedX = 1.25f;
  fx.Emitter[3].ColorChangeB = -2.5f;
  fx.Emitter[3].Image = 8;
  fx.Emitter[9].GravityX = 0.125f;
  fx.MoveTo(10, 20);
  fx.SaveFX(folder.File("copy.par"));
  auto again = TSmashParticleFX::Load(folder.File("copy.par"), 0);
  EXPECT_EQ(again->FormatFX(), fx.FormatFX());
  EXPECT_FLOAT_EQ(again->Emitter[3].ColorChangeB, -2.5f);
  EXPECT_EQ(again->Emitter[3].Image, 8);
  EXPECT_FLOAT_EQ(again->Emitter[3].X, 220);
  auto copy = TSmashParticleFX::DuplicateFrom(fx);
  EXPECT_FLOAT_EQ(copy->Emitter[3].X, 10);
  EXPECT_EQ(copy->FormatFX(), fx.FormatFX());
}

TEST(SmashParticleFXTest, MissingFileIsFatal) {
  test_support::ThrowingErrorHandler throwing;
  try {
    TSmashParticleFX::Load("/nonexistent/bonusfly.par", 0);
    FAIL() << "no error reported";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), "Could not load Particle FX");
  }
}

TEST(SmashParticleFXTest, DamagedValuesSwitchAnEmitterOff) {
  std::string bytes = ReadShipped();
  PutValue(bytes, 0, 28, 99);                                           // Image outside the sheet
  PutValue(bytes, 1, 27, 7);                                            // unknown RenderType
  PutValue(bytes, 2, 27, RENDER_ADD);                                   // switched on ...
  PutFloat(bytes, 2, 3, std::numeric_limits<float>::quiet_NaN());       // ... with a NaN
  PutValue(bytes, 3, 27, RENDER_ALPHA);
  PutFloat(bytes, 3, 26, std::numeric_limits<float>::infinity());      // endless life
  PutValue(bytes, 4, 27, RENDER_MUL);
  PutValue(bytes, 4, 28, uint32_t(-1));
  PutValue(bytes, 5, 27, RENDER_ALPHA);                                 // a sound one stays on
  PutFloat(bytes, 5, 2, 1e9f);                                          // ... with its rate capped
  PutFloat(bytes, 5, 1, 1e9f);                                          // emitting for ever
  PutFloat(bytes, 5, 26, 1e9f);                                         // particles living for ever
  auto fx = Parse(bytes);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(fx.Emitter[i].RenderType, RENDER_OFF) << "emitter " << i;
  EXPECT_EQ(fx.Emitter[5].RenderType, RENDER_ALPHA);
  EXPECT_FLOAT_EQ(fx.Emitter[5].EmissionRate, TEmitter::MaxEmissionRate);
  fx.Render(1, 1);
  EXPECT_EQ(fx.Emitter[0].Particles.size(), 0u);
  EXPECT_EQ(fx.Emitter[5].Particles.size(), 1001u);
  for (int i = 0; i < 30; ++i) fx.Render(1, 1);
  EXPECT_EQ(fx.ParticleCount(), TEmitter::MaxLiveParticles); // bounded, not 31 x 1001
}

TEST(SmashParticleFXTest, ShortFileReadsZerosAndEmitsNothingPastItsEnd) {
  const std::string bytes = ReadShipped().substr(0, 100);
  auto fx = Parse(bytes);
  // 25 whole values of emitter 0 are read (up to ColorChangeG) ...
  EXPECT_FLOAT_EQ(fx.Emitter[0].StartOffsetVarY, 4);
  // ... the rest read as zero, which makes an alpha-blended emitter that never spawns.
  EXPECT_FLOAT_EQ(fx.Emitter[0].LifeTime, 0);
  EXPECT_FLOAT_EQ(fx.Emitter[0].ColorR, 0);
  EXPECT_EQ(fx.Emitter[0].RenderType, RENDER_ALPHA);
  EXPECT_FLOAT_EQ(fx.Emitter[9].EmissionEachFrame, 0);
  for (int i = 0; i < 50; ++i) fx.Render(1, 1);
  EXPECT_EQ(fx.Emitter[1].Particles.size(), 0u);
  EXPECT_EQ(fx.Emitter[9].Particles.size(), 0u);
  EXPECT_TRUE(fx.Finished());
}

TEST(SmashParticleFXTest, EmissionRateAndEveryNthTick) {
  SeedParticleRandom(1);
  TEmitter one = Active();
  one.Render(1, 1);
  EXPECT_EQ(one.Particles.size(), 1u); // rate 0: one particle
  TEmitter three = Active();
  three.EmissionRate = 2.7f;
  three.Render(1, 1);
  EXPECT_EQ(three.Particles.size(), 3u);
  TEmitter nth = Active();
  nth.EmissionEachFrame = 3;
  std::vector<size_t> counts;
  for (int tick = 1; tick <= 9; ++tick) {
    nth.Render(1, 1);
    counts.push_back(nth.Particles.size());
  }
  EXPECT_EQ(counts, (std::vector<size_t>{0, 0, 1, 1, 1, 2, 2, 2, 3}));
  nth.Render(1, 1);
  nth.Render(1, 1);
  nth.Render(1, 0); // tick 12 without the emit flag spawns nothing
  EXPECT_EQ(nth.Particles.size(), 3u);
  for (int tick = 13; tick <= 15; ++tick) nth.Render(1, 1);
  EXPECT_EQ(nth.Particles.size(), 4u);
}

TEST(SmashParticleFXTest, DelayedWindowAndFinish) {
  TEmitter e = Active();
  e.EmitterDelay = 5;
  e.EmitterDuration = 10;
  e.LifeTime = 20;
  std::vector<size_t> counts;
  for (int tick = 1; tick <= 17; ++tick) {
    e.Render(1, 1);
    counts.push_back(e.Particles.size());
  }
  // Ticks 5 to 15 spawn.
  EXPECT_EQ(counts, (std::vector<size_t>{0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 11, 11}));
  for (int tick = 18; tick <= 35; ++tick) e.Render(1, 1);
  EXPECT_FALSE(e.Finished()); // Frame 35 = 15 + LifeTime
  e.Render(1, 1);
  EXPECT_TRUE(e.Finished());
  EXPECT_EQ(e.Particles.size(), 0u); // the last one, spawned at 15, is gone after 20 ticks
}

TEST(SmashParticleFXTest, ParticleMotionFollowsTheEmitter) {
  TEmitter e = Active();
  e.EmitterDuration = 1; // one particle, at tick 1
  e.SpeedX = 2;
  e.SpeedY = -1;
  e.GravityY = 0.5f;
  e.LaunchSize = 0.5f;
  e.Grow = 0.25f;
  e.MaxSize = 0.8f;
  e.Alpha = 0.9f;
  e.AlphaChange = -0.1f;
  e.RotationSpeed = 10;
  e.ColorR = 250;
  e.ColorChangeR = -20;
  e.StartOffsetX = 5;
  for (int i = 0; i < 3; ++i) e.Render(1, 1);
  ASSERT_EQ(e.Particles.size(), 1u);
  const TSmashParticle& p = e.Particles[0];
  EXPECT_FLOAT_EQ(p.x, 225 + 3 * 2);
  EXPECT_FLOAT_EQ(p.y, 330 - 1 - 0.5f + 0); // dy: -1, -0.5, 0
  EXPECT_FLOAT_EQ(p.dy, 0.5f);
  EXPECT_FLOAT_EQ(p.zoom, 0.8f + 0.25f); // clamped to MaxSize before the last growth
  EXPECT_NEAR(p.alpha, 0.6f, 1e-5f);
  EXPECT_FLOAT_EQ(p.rotation, 30);
  EXPECT_FLOAT_EQ(p.r, 190);
  EXPECT_EQ(p.frame, 3);
}

TEST(SmashParticleFXTest, FinishedCountsNineOfTenAndLoopKeepsParticles) {
  TSmashParticleFX off;
  EXPECT_TRUE(off.Finished()); // every emitter is off by default
  TSmashParticleFX one;
  one.Emitter[0] = Active();
  EXPECT_TRUE(one.Finished()); // nine are off
  TSmashParticleFX two;
  two.Emitter[0] = Active();
  two.Emitter[1] = Active();
  EXPECT_FALSE(two.Finished());

  TSmashParticleFX looping;
  looping.Emitter[0] = Active();
  looping.Emitter[0].EmitterDuration = 2;
  looping.SetLoop(1);
  for (int i = 0; i < 3; ++i) looping.Render(1, 1); // ticks 1, 2 spawn; 3 is past the window and wraps
  EXPECT_EQ(looping.Emitter[0].Frame, 0);
  EXPECT_EQ(looping.Emitter[0].Particles.size(), 2u);
  looping.Render(1, 1); // spawning resumes without clearing
  EXPECT_EQ(looping.Emitter[0].Particles.size(), 3u);
  looping.Stop();
  looping.Render(1, 1);
  EXPECT_EQ(looping.Emitter[0].Frame, 1);
  looping.Restart();
  looping.Reset();
  EXPECT_EQ(looping.ParticleCount(), 0u);
  EXPECT_EQ(looping.Running, 1);
}

TEST(SmashParticleFXTest, MissingParticleSheetIsFatal) {
  test_support::ThrowingErrorHandler throwing;
  try {
    TSmashParticle::SetImage("/nonexistent/particles.png");
    FAIL() << "no error reported";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), "Error loading anim bitmap /nonexistent/particles.png");
  }
}

class SmashParticleDrawTest : public test_support::HeadlessGraphics {};

TEST_F(SmashParticleDrawTest, BonusEffectDrawsGoldenSparklesAndKeepsTheDrawingState) {
  TSmashParticle::SetImage(test_support::DataPath("data/graphics/particles.png"));
  ASSERT_TRUE(TSmashParticle::Sheet() && TSmashParticle::Sheet()->image);
  EXPECT_EQ(TSmashParticle::Sheet()->image->Frames(), 9);
  SeedParticleRandom(7);
  auto fx = TSmashParticleFX::Load(ShippedFile, 0);
  fx->MoveTo(400, 300);
  platform::SetBlend(platform::Blend::Alpha);
  platform::SetAlpha(0.5f);
  platform::SetColor(10, 20, 30);
  for (int i = 0; i < 10; ++i) fx->Render(1, 1);
  EXPECT_EQ(platform::GetAlpha(), 0.5f);
  int r, g, b;
  platform::GetColor(r, g, b);
  EXPECT_EQ(r + g + b, 60);
  EXPECT_EQ(platform::GetBlend(), platform::Blend::Alpha);
  platform::Pixmap shot;
  ASSERT_TRUE(platform::GrabBackBuffer(shot));
  platform::SavePng(shot, "bonusfly.png");
  const uint8_t* centre = &shot.rgba[(size_t(300) * shot.width + 400) * 4];
  EXPECT_GT(centre[0], 200); // bright where the sparkles gather
  long red = 0, blue = 0;    // and golden around them
  for (int y = 270; y < 330; ++y)
    for (int x = 370; x < 430; ++x) {
      red += shot.rgba[(size_t(y) * shot.width + x) * 4];
      blue += shot.rgba[(size_t(y) * shot.width + x) * 4 + 2];
    }
  EXPECT_GT(red, blue + blue / 10);
  const uint8_t* corner = &shot.rgba[(size_t(20) * shot.width + 20) * 4];
  EXPECT_EQ(corner[0] + corner[1] + corner[2], 0);
  // Run to the end: every particle expires and the effect is finished.
  for (int i = 0; i < 60; ++i) fx->Render(1, 1);
  EXPECT_TRUE(fx->Finished());
  EXPECT_EQ(fx->ParticleCount(), 0u);
}

} // namespace

namespace {

// Replays the reader's fuzzing seeds (fuzz/corpus/par_reader/): each loads,
// renders a second without harm and writes back what it read.
TEST(SmashParticleFXTest, FuzzSeedsLoadAndRenderWithoutHarm) {
  int seeds = 0;
  for (const auto& name : platform::ListFolder(test_support::SourcePath("fuzz/corpus/par_reader"))) {
    SCOPED_TRACE(name);
    std::string bytes;
    ASSERT_TRUE(platform::ReadWholeFile(test_support::SourcePath("fuzz/corpus/par_reader/" + name), bytes));
    TSmashParticleFX fx = Parse(bytes);
    for (int tick = 0; tick < 200; ++tick) fx.Render(1, 1);
    for (const auto& e : fx.Emitter) {
      EXPECT_LE(e.Particles.size(), TEmitter::MaxLiveParticles);
      for (const auto& p : e.Particles) EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.zoom));
    }
    EXPECT_EQ(Parse(fx.FormatFX()).FormatFX(), fx.FormatFX());
    ++seeds;
  }
  EXPECT_GE(seeds, 5);
}

} // namespace
