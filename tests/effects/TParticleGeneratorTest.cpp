#include "effects/TParticleGeneratorList.h"

#include "app/Delta.h"
#include "support/GameWorld.h"

namespace {

using ParticleGeneratorTest = test_support::GameWorld;

TEST_F(ParticleGeneratorTest, SingleCallGeneratorIsNotKept) {
  TParticleGeneratorList generators;
  int calls = 0;
  generators.Add(10, 20, 1, 100, [&calls](TParticleGenerator& g) {
    ++calls;
    EXPECT_FLOAT_EQ(g.x, 10);
  });
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(generators.Count(), 0);
}

TEST_F(ParticleGeneratorTest, CallsAtItsIntervalThenLeavesTheList) {
  TParticleGeneratorList generators;
  std::vector<int> ticks;
  int tick = 0;
  auto g = generators.Add(0, 0, 3, 50, [&](TParticleGenerator&) { ticks.push_back(tick); }); // every 10 ticks
  g->dx = 2;
  for (tick = 1; tick <= 30; ++tick) generators.Manage();
  EXPECT_EQ(ticks, (std::vector<int>{0, 10, 20}));
  EXPECT_EQ(generators.Count(), 0);
  EXPECT_EQ(g->Active, 0);
  EXPECT_FLOAT_EQ(g->x, 40); // it drifted until its last call
  EXPECT_EQ(g->Manage(), -1);
}

TEST_F(ParticleGeneratorTest, FractionalTicksAndLongTicksCatchUp) {
  TParticleGeneratorList generators;
  int calls = 0;
  generators.Add(0, 0, 5, 7.5f, [&calls](TParticleGenerator&) { ++calls; }); // 1.5 ticks
  Delta = 3.0f; // one long tick makes two calls
  generators.Manage();
  EXPECT_EQ(calls, 3);
  Delta = 1.0f;
  generators.Manage();
  generators.Manage();
  EXPECT_EQ(calls, 4);
  generators.Manage();
  EXPECT_EQ(calls, 5);
  EXPECT_EQ(generators.Count(), 0);
}

TEST_F(ParticleGeneratorTest, GeneratorAddedDuringManageRunsFromTheNextTick) {
  TParticleGeneratorList generators;
  int inner = 0;
  generators.Add(0, 0, 2, 5, [&](TParticleGenerator&) {
    generators.Add(0, 0, 3, 5, [&inner](TParticleGenerator&) { ++inner; });
  });
  EXPECT_EQ(inner, 1); // the outer generator's immediate call made one, which called at once
  // The first inner calls again; the outer makes its last call, a second inner
  // generator calls at once and joins, but is not managed in this tick.
  generators.Manage();
  EXPECT_EQ(inner, 3);
  EXPECT_EQ(generators.Count(), 2);
  generators.Manage();
  EXPECT_EQ(inner, 5);
}

} // namespace
