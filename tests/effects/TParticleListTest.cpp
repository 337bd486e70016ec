#include "effects/TParticleList.h"

#include "AllocationCounter.h"
#include "platform/Collision.h"
#include "support/GameWorld.h"

#include <vector>

namespace {

class ParticleListTest : public test_support::GameWorld {
protected:
  std::shared_ptr<TParticle> Add(float x, int32_t atFront = 0) {
    return list.AddNew(x, 300, image, 1, 0, 0, 0, 0, 0, 0, 1, 0, 0, atFront);
  }
  std::vector<float> Positions() {
    std::vector<float> xs;
    list.ForEach([&xs](TParticle& p) { xs.push_back(p.x); });
    return xs;
  }
  std::shared_ptr<TGameImage> image = SolidImage(8, 8, 1);
  TParticleList list;
};

TEST_F(ParticleListTest, KeepsOrderWithFrontAndBackInsertion) {
  Add(10);
  Add(20);
  Add(5, 1);
  EXPECT_EQ(Positions(), (std::vector<float>{5, 10, 20}));
  list.AddOffsets(100, 0);
  EXPECT_EQ(Positions(), (std::vector<float>{105, 110, 120}));
}

TEST_F(ParticleListTest, KillAndSpawnDuringAWalk) {
  auto a = Add(100);
  auto b = Add(200);
  auto c = Add(300);
  // a kills b as it moves; b's death spawns two particles; c kills itself
  // and spawns one at the front.
  a->UserMove = [&b](TParticle& self) {
    self.TSprite::Move();
    b->Kill();
  };
  b->UserKill = [this](TParticle&) {
    Add(400);
    Add(500);
  };
  c->UserMove = [this](TParticle& self) {
    self.Kill();
    Add(50, 1);
  };
  list.Manage();
  EXPECT_FLOAT_EQ(a->x, 101);
  EXPECT_FLOAT_EQ(b->x, 200); // killed before its turn: not moved
  EXPECT_TRUE(c->Killed());
  // Newcomers are in the list but did not move in the tick that made them.
  EXPECT_EQ(Positions(), (std::vector<float>{50, 101, 400, 500}));
  list.Manage();
  EXPECT_EQ(Positions(), (std::vector<float>{51, 102, 401, 501}));
}

TEST_F(ParticleListTest, ClearingDuringAWalkStopsTheWalk) {
  Add(100);
  auto second = Add(200);
  Add(300)->UserMove = [this](TParticle&) { list.Clear(); };
  list.Manage();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_FLOAT_EQ(second->x, 201);
  Add(10);
  list.Manage();
  EXPECT_EQ(Positions(), (std::vector<float>{11}));
}

TEST_F(ParticleListTest, WarmListAllocatesNothingForABurstOf50) {
  auto burst = [this] {
    for (int i = 0; i < 50; ++i) {
      auto p = list.AddNew(400, 300, image, 0.5f, -1, 0.01f, 100, 1, 1, 2, 0.5f, 0, 0, 0);
      p->SetColor(200, 150, 100);
    }
  };
  auto run = [this](int ticks) {
    for (int i = 0; i < ticks; ++i) list.Manage();
  };
  for (int round = 0; round < 2; ++round) { // made, then reused once: warm
    burst();
    run(25); // a 100 ms fade: all gone after 20 ticks
    ASSERT_EQ(list.Count(), 0);
  }
  test_support::StartCountingAllocations();
  burst();
  run(10);
  const int32_t alive = list.Count();
  run(15);
  const long allocations = test_support::StopCountingAllocations();
  EXPECT_EQ(alive, 50);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(allocations, 0);
}

TEST_F(ParticleListTest, HeldParticleIsNotReusedWhileReferenced) {
  auto held = Add(100);
  held->Kill();
  auto fresh = Add(200);
  EXPECT_NE(fresh, held);
  EXPECT_TRUE(held->Killed());
  EXPECT_FALSE(fresh->Killed());
  EXPECT_FLOAT_EQ(held->x, 100);
}

TEST_F(ParticleListTest, ReusedParticleStartsLikeANewOne) {
  auto p = Add(100);
  p->SetColor(10, 20, 30);
  p->SetDelay(100);
  p->DoScale = 1;
  p->AddPhase(100);
  p->Data1 = 7;
  TParticle* address = p.get();
  p.reset(); // only the list holds it now, so its storage is kept for reuse
  address->Kill();
  auto again = Add(300);
  ASSERT_EQ(again.get(), address);
  EXPECT_EQ(again->Color, nullptr);
  EXPECT_EQ(again->DelayCounter, 0);
  EXPECT_EQ(again->DoScale, 0);
  EXPECT_TRUE(again->PhaseList.empty());
  EXPECT_EQ(again->Data1, 0);
  EXPECT_EQ(again->KillOnFade, 1);
  EXPECT_FLOAT_EQ(again->x, 300);
}

TEST_F(ParticleListTest, ParticleOutlivingItsListCanStillBeKilled) {
  std::shared_ptr<TParticle> survivor;
  {
    TParticleList shortLived;
    survivor = shortLived.AddNew(10, 10, image, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0);
  }
  EXPECT_EQ(survivor->Particles, nullptr);
  survivor->Kill();
  EXPECT_TRUE(survivor->Killed());
}

TEST_F(ParticleListTest, FadeAllFadesEveryParticleOut) {
  Add(100);
  Add(200);
  list.FadeAll(50); // 10 ticks
  for (int i = 0; i < 9; ++i) list.Manage();
  EXPECT_EQ(list.Count(), 2);
  list.Manage();
  EXPECT_EQ(list.Count(), 0);
}

} // namespace

namespace {

TEST_F(ParticleListTest, CollideMarksEachParticleForPointerHitTests) {
  auto left = Add(100.4f);
  auto right = Add(300);
  platform::ResetCollisions(1);
  list.Collide();
  std::vector<platform::CollisionOwner> hits;
  EXPECT_TRUE(platform::CollideRect(100, 300, 1, 1, 1, 0, nullptr, &hits));
  EXPECT_EQ(hits, (std::vector<platform::CollisionOwner>{left.get()}));
  hits.clear();
  EXPECT_FALSE(platform::CollideRect(200, 300, 1, 1, 1, 0, nullptr, &hits));
  platform::ResetCollisions(1);
}

} // namespace
