#pragma once
#include <cstdint>
#include <functional>
#include <memory>

// Calls a particle-making function at a position, a fixed number of times at
// a fixed interval; it can drift with (dx, dy). Kept in a
// TParticleGeneratorList or carried by a particle.
class TParticleGenerator {
public:
  using MakeFunction = std::function<void(TParticleGenerator&)>;

  // qty calls in all: one now when callNow is set, the rest every intervalMs.
  static std::shared_ptr<TParticleGenerator> Create(float x, float y, int32_t qty, float intervalMs,
                                                    MakeFunction makeFunction, int32_t data1, int32_t data2,
                                                    int32_t callNow);
  // Per tick: -1 when inactive; 1 when the last call was made (now inactive); else 0.
  int32_t Manage();

  int32_t Active = 1;
  float x = 0, y = 0, dx = 0, dy = 0;
  int32_t Qty = 0; // calls still to make
  float Interval = 0, IntervalCounter = 0;
  MakeFunction MakeParticleFunction;
  int32_t Data1 = 0, Data2 = 0;
};
