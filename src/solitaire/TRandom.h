#pragma once
#include <cstdint>

// The random stream a deal is drawn from. Every draw is a uniform integer
// with both bounds included. The generator is our own (a 64-bit PCG), so a
// seed reproduces a deal exactly on every machine and build.
class TRandom {
public:
  // Seeded from the clock and the address of the object.
  TRandom();
  explicit TRandom(uint32_t seed) { Seed(seed); }

  void Seed(uint32_t seed);
  // Uniform in lo..hi; lo when hi <= lo.
  int32_t Rand(int32_t lo, int32_t hi);
  // The next raw 32 bits.
  uint32_t Next();

private:
  uint64_t state_ = 0;
};
