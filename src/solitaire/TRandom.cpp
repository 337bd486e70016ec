#include "solitaire/TRandom.h"

#include <chrono>

namespace {
constexpr uint64_t Multiplier = 6364136223846793005ull;
constexpr uint64_t Increment = 1442695040888963407ull;
} // namespace

TRandom::TRandom() {
  const auto now = uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
  Seed(uint32_t(now ^ (now >> 32) ^ uint64_t(reinterpret_cast<uintptr_t>(this))));
}

void TRandom::Seed(uint32_t seed) {
  state_ = 0;
  Next();
  state_ += seed;
  Next();
}

uint32_t TRandom::Next() {
  const uint64_t old = state_;
  state_ = old * Multiplier + Increment;
  const uint32_t shifted = uint32_t(((old >> 18u) ^ old) >> 27u);
  const uint32_t rotation = uint32_t(old >> 59u);
  return (shifted >> rotation) | (shifted << ((32 - rotation) & 31));
}

int32_t TRandom::Rand(int32_t lo, int32_t hi) {
  if (hi <= lo) return lo;
  const uint64_t range = uint64_t(int64_t(hi) - int64_t(lo)) + 1;
  if (range > 0xffffffffull) return int32_t(int64_t(lo) + int64_t(Next()));
  // Multiply and shift, throwing away the few draws that would make some
  // values likelier than others.
  uint64_t product = uint64_t(Next()) * range;
  uint32_t low = uint32_t(product);
  if (low < range) {
    const uint32_t threshold = uint32_t((0x100000000ull - range) % range);
    while (low < threshold) {
      product = uint64_t(Next()) * range;
      low = uint32_t(product);
    }
  }
  return int32_t(int64_t(lo) + int64_t(product >> 32));
}
