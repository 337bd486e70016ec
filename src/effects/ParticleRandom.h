#pragma once
#include <cstdint>

// The random source of every particle effect: uniform draws with both bounds
// included. Tests and benchmarks seed it so a burst or an emission repeats
// exactly; the game leaves it seeded from the system.
void SeedParticleRandom(uint32_t seed);
// A float in [low, high]; the bounds may come in either order.
float ParticleRandomFloat(float low, float high);
// An integer in [low, high]; the bounds may come in either order.
int32_t ParticleRandomInt(int32_t low, int32_t high);
