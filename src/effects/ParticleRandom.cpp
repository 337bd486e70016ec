#include "effects/ParticleRandom.h"

#include <random>
#include <utility>

namespace {

std::mt19937& Generator() {
  static std::mt19937 generator{std::random_device{}()};
  return generator;
}

} // namespace

void SeedParticleRandom(uint32_t seed) { Generator().seed(seed); }

float ParticleRandomFloat(float low, float high) {
  if (high < low) std::swap(low, high);
  if (!(high > low)) return low; // equal bounds, or a bound that is not a number
  // A unit draw scaled into the range in double precision reaches both ends
  // and cannot overflow, however wide the span of a damaged effect file.
  const double unit = double(Generator()()) / double(std::mt19937::max());
  const double value = double(low) + (double(high) - double(low)) * unit;
  return value > double(high) ? high : float(value);
}

int32_t ParticleRandomInt(int32_t low, int32_t high) {
  if (high < low) std::swap(low, high);
  return std::uniform_int_distribution<int32_t>(low, high)(Generator());
}
