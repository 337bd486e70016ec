#include "Biquad.h"

#include <algorithm>
#include <cmath>

namespace assetgen::audio {

namespace {
constexpr double Pi = 3.14159265358979323846;
}

void Biquad::Set(Kind kind, double rate, double freq, double q) {
  freq = std::clamp(freq, 1.0, rate * 0.49);
  double w = 2.0 * Pi * freq / rate;
  double cw = std::cos(w), alpha = std::sin(w) / (2.0 * q);
  double a0 = 1.0 + alpha;
  double b0 = 0, b1 = 0, b2 = 0;
  switch (kind) {
  case Kind::LowPass:
    b0 = (1.0 - cw) / 2.0; b1 = 1.0 - cw; b2 = b0;
    break;
  case Kind::HighPass:
    b0 = (1.0 + cw) / 2.0; b1 = -(1.0 + cw); b2 = b0;
    break;
  case Kind::BandPass: // 0 dB peak gain
    b0 = alpha; b1 = 0; b2 = -alpha;
    break;
  }
  b0_ = b0 / a0; b1_ = b1 / a0; b2_ = b2 / a0;
  a1_ = -2.0 * cw / a0; a2_ = (1.0 - alpha) / a0;
}

} // namespace assetgen::audio
