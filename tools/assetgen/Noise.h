#pragma once
#include <cstdint>

// Seeded randomness for the generator: a small fixed PRNG (the same numbers on
// every machine and compiler) and smooth value noise for procedural textures.
namespace assetgen {

class Rng {
public:
  explicit Rng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
  uint64_t Next();
  double Uniform();                      // [0, 1)
  double Range(double lo, double hi);    // [lo, hi)
  int Int(int lo, int hi);               // both bounds included

private:
  uint64_t state_;
};

class Noise {
public:
  explicit Noise(uint32_t seed) : seed_(seed) {}
  double Value(double x, double y) const;                     // smooth, 0..1
  double Fbm(double x, double y, int octaves, double gain = 0.5) const; // 0..1

private:
  double Lattice(int x, int y) const;
  uint32_t seed_;
};

} // namespace assetgen
