#include "Noise.h"

#include <cmath>

namespace assetgen {

double Noise::Lattice(int x, int y) const {
  uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed_ * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFFFF) / double(0xFFFFFF);
}

double Noise::Value(double x, double y) const {
  double fx = std::floor(x), fy = std::floor(y);
  int ix = int(fx), iy = int(fy);
  double tx = x - fx, ty = y - fy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  double a = Lattice(ix, iy), b = Lattice(ix + 1, iy);
  double c = Lattice(ix, iy + 1), d = Lattice(ix + 1, iy + 1);
  return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

double Noise::Fbm(double x, double y, int octaves, double gain) const {
  double sum = 0, amp = 1, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * Value(x, y);
    norm += amp;
    amp *= gain;
    x = x * 2.03 + 17.1;
    y = y * 2.03 + 5.3;
  }
  return sum / norm;
}

} // namespace assetgen
