#pragma once
#include <cstdint>

// Seeded randomness for the generator: a small fixed PRNG (the same numbers on
// every machine and compiler) and smooth value noise for procedural textures.
namespace assetgen {

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
