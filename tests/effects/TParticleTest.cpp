#include "effects/TParticle.h"

#include "effects/ParticleRandom.h"
#include "effects/TParticleGenerator.h"
#include "effects/TParticleList.h"
#include "effects/TParticlePhase.h"
#include "support/GameWorld.h"

#include <gmock/gmock.h>

namespace {

// One particle in a list, stepped tick by tick (5 ms ticks: 100 ms = 20 ticks).
class ParticleTest : public test_support::GameWorld {
protected:
  std::shared_ptr<TParticle> Add(float x, float y, float dx = 0, float dy = 0, float gravity = 0, float fadeMs = 0,
                                 float lifeMs = 0) {
    return list.AddNew(x, y, SolidImage(10, 10, 1), dx, dy, gravity, fadeMs, 0, 0, 0, 1, 0, lifeMs, 0);
  }
  void Step(int n) {
    for (int i = 0; i < n; ++i) list.Manage();
  }
  TParticleList list;
};

TEST_F(ParticleTest, GravityAcceleratesDownwards) {
  auto p = Add(100, 100, 2, -1, 0.5f);
  Step(1);
  EXPECT_FLOAT_EQ(p->x, 102);
  EXPECT_FLOAT_EQ(p->y, 99);
  Step(2); // dy: -0.5, then 0
  EXPECT_FLOAT_EQ(p->x, 106);
  EXPECT_FLOAT_EQ(p->y, 98.5f);
  EXPECT_FLOAT_EQ(p->dy, 0.5f);
}

TEST_F(ParticleTest, FadeInSustainAndFadeOutThenRemoved) {
  auto p = Add(400, 300);
  p->SetFade(500, 1000, 500); // 100, 200 and 100 ticks
  p->Draw();
  EXPECT_FLOAT_EQ(p->Alpha, 0);
  Step(50);
  p->Draw();
  EXPECT_FLOAT_EQ(p->Alpha, 0.5f);
  Step(50);
  p->Draw();
  EXPECT_FLOAT_EQ(p->Alpha, 1.0f);
  Step(199);
  p->Draw();
  EXPECT_FLOAT_EQ(p->Alpha, 1.0f); // still sustained
  Step(51);
  p->Draw();
  EXPECT_FLOAT_EQ(p->Alpha, 0.5f);
  Step(49);
  EXPECT_EQ(list.Count(), 1);
  Step(1);
  EXPECT_TRUE(p->Killed());
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(ParticleTest, LivesUntilOffScreenWithoutFadeOrLifetime) {
  auto p = Add(600, 300, 100);
  Step(2); // x = 800, the picture still reaches the screen
  EXPECT_EQ(list.Count(), 1);
  Step(1);
  EXPECT_TRUE(p->Killed());
  EXPECT_EQ(list.Count(), 0);

  auto kept = Add(600, 300, 100);
  kept->NoOutOfBounds = 1;
  Step(10);
  EXPECT_FLOAT_EQ(kept->x, 1600);
  EXPECT_EQ(list.Count(), 1);
}

TEST_F(ParticleTest, LifetimeEndsIt) {
  auto p = Add(400, 300, 0, 0, 0, 0, 50); // 10 ticks
  Step(9);
  EXPECT_FALSE(p->Killed());
  Step(1);
  EXPECT_TRUE(p->Killed());
}

TEST_F(ParticleTest, SpinWrapsAndGrowthToNothingKills) {
  auto clockwise = Add(400, 300);
  clockwise->DoRotate = 1;
  clockwise->RotationSpeed = 100;
  auto anti = Add(400, 300);
  anti->DoRotate = -1;
  anti->RotationSpeed = 100;
  Step(4);
  EXPECT_FLOAT_EQ(clockwise->Rotation, 40);
  EXPECT_FLOAT_EQ(anti->Rotation, 320); // 0 - 100 + 360 = 260, 160, 60, -40 + 360
  auto shrinking = list.AddNew(400, 300, SolidImage(10, 10, 1), 0, 0, 0, 0, 0, 0, 0, 1, -0.25f, 0, 0);
  Step(3);
  EXPECT_FLOAT_EQ(shrinking->ScaleX, 0.25f);
  EXPECT_FLOAT_EQ(shrinking->ScaleY, 0.25f);
  Step(1);
  EXPECT_TRUE(shrinking->Killed());
}

TEST_F(ParticleTest, DelayedParticleIsNeitherMovedAnimatedNorShown) {
  auto p = Add(100, 100, 1);
  p->SetupAnim(4, 100, 1, 0, 0, 0, 1);
  p->SetDelay(50); // 10 ticks
  int finished = 0;
  p->DelayFinished = [&finished](TParticle&) { ++finished; };
  Step(9);
  EXPECT_FLOAT_EQ(p->x, 100);
  EXPECT_FLOAT_EQ(p->AnimCounter, 0);
  EXPECT_EQ(p->Hidden, 1);
  EXPECT_EQ(finished, 0);
  Step(1); // the delay ends and the particle moves in the same tick
  EXPECT_EQ(finished, 1);
  EXPECT_EQ(p->Hidden, 0);
  EXPECT_FLOAT_EQ(p->x, 101);
  EXPECT_FLOAT_EQ(p->AnimCounter, 1);
}

TEST_F(ParticleTest, PhasesChangeMotionAndTheLastOneEndsTheParticle) {
  auto p = Add(100, 100, 0);
  auto first = p->AddPhase(100); // 20 ticks
  first->dx = 1;
  std::vector<int> calls;
  first->UserFunction = [&calls](TParticle&) { calls.push_back(1); };
  auto second = p->AddPhase(50); // 10 ticks
  second->dx = -2;
  second->SetCoords = 1;
  second->SetX = 300;
  second->SetY = 200;
  second->Scale = 2;
  second->SetAngle = 1;
  second->Angle = 45;
  second->UserFunction = [&calls](TParticle&) { calls.push_back(2); };
  p->StartPhases();
  EXPECT_FLOAT_EQ(p->dx, 1);
  Step(19);
  EXPECT_FLOAT_EQ(p->x, 119);
  Step(1); // phase two starts, places the particle and moves it at once
  EXPECT_THAT(calls, ::testing::ElementsAre(1));
  EXPECT_FLOAT_EQ(p->x, 298);
  EXPECT_FLOAT_EQ(p->y, 200);
  EXPECT_FLOAT_EQ(p->ScaleX, 2);
  EXPECT_FLOAT_EQ(p->Rotation, 45);
  Step(9);
  EXPECT_FLOAT_EQ(p->x, 280);
  EXPECT_FALSE(p->Killed());
  Step(1);
  EXPECT_THAT(calls, ::testing::ElementsAre(1, 2));
  EXPECT_TRUE(p->Killed());
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(ParticleTest, DestinationReportedOnEveryTickOncePassed) {
  auto p = Add(150, 300, -10);
  p->DestX = 100;
  p->DestY = 300;
  int reached = 0;
  p->DestinationReached = [&reached](TParticle&) { ++reached; };
  Step(4); // x = 110
  EXPECT_EQ(reached, 0);
  Step(3); // x = 100, 90, 80
  EXPECT_EQ(reached, 3);
}

TEST_F(ParticleTest, KillRunsUserKillAndTakesAttachedParticleAlong) {
  auto p = Add(100, 100);
  auto attached = Add(120, 100);
  auto spared = Add(140, 100);
  p->AttachedParticle = attached;
  attached->AttachedParticle = p; // a pair pointing at each other dies once each
  spared->AttachedParticle = Add(160, 100);
  spared->KillAttachedParticle = 0;
  auto child = spared->AttachedParticle;
  p->ParticleGenerator = TParticleGenerator::Create(0, 0, 5, 100, nullptr, 0, 0, 0);
  int kills = 0;
  p->UserKill = [&kills](TParticle&) { ++kills; };
  attached->UserKill = [&kills](TParticle&) { ++kills; };
  p->Kill();
  EXPECT_EQ(kills, 2);
  EXPECT_TRUE(attached->Killed());
  EXPECT_EQ(p->ParticleGenerator, nullptr);
  EXPECT_EQ(p->AttachedParticle, nullptr);
  spared->Kill();
  EXPECT_FALSE(child->Killed());
  EXPECT_EQ(list.Count(), 1);
}

TEST_F(ParticleTest, CarriedGeneratorRunsWithTheParticle) {
  auto p = Add(400, 300);
  int made = 0;
  p->ParticleGenerator = TParticleGenerator::Create(0, 0, 3, 25, [&made](TParticleGenerator&) { ++made; }, 0, 0, 0);
  Step(5);
  EXPECT_EQ(made, 1);
  Step(20);
  EXPECT_EQ(made, 2); // the last call: the generator stops
  EXPECT_EQ(p->ParticleGenerator->Active, 0);
}

} // namespace
