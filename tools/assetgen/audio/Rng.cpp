#include "Rng.h"

namespace assetgen::audio {

uint64_t Rng::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double Rng::Uniform() { return double(Next() >> 11) * (1.0 / 9007199254740992.0); }

double Rng::Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }

int Rng::Int(int lo, int hi) {
  if (hi <= lo) return lo;
  return lo + int(Next() % uint64_t(hi - lo + 1));
}

} // namespace assetgen::audio
