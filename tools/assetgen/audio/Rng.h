#pragma once
#include <cstdint>

namespace assetgen::audio {

// splitmix64: tiny, fast and identical on every platform (the standard
// distributions are not), which keeps the generated files byte-identical.
class Rng {
public:
  explicit Rng(uint64_t seed) : state_(seed) {}
  uint64_t Next();
  double Uniform();                     // [0, 1)
  double Range(double lo, double hi);   // [lo, hi)
  double Bipolar() { return Range(-1.0, 1.0); }
  int Int(int lo, int hi);              // lo..hi, both included
  bool Chance(double probability) { return Uniform() < probability; }
private:
  uint64_t state_;
};

} // namespace assetgen::audio
