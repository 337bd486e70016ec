#pragma once

namespace assetgen::audio {

// Second-order filter (the usual cookbook forms). Coefficients can be reset
// between samples for sweeps; the filter state is kept.
class Biquad {
public:
  enum class Kind { LowPass, HighPass, BandPass };
  Biquad() = default;
  Biquad(Kind kind, double rate, double freq, double q = 0.7071) { Set(kind, rate, freq, q); }
  void Set(Kind kind, double rate, double freq, double q = 0.7071);
  float Process(float x) {
    double y = b0_ * x + z1_;
    z1_ = b1_ * x - a1_ * y + z2_;
    z2_ = b2_ * x - a2_ * y;
    return float(y);
  }
private:
  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double z1_ = 0, z2_ = 0;
};

} // namespace assetgen::audio
