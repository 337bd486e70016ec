#include "Clip.h"

#include "Biquad.h"

#include <algorithm>
#include <cmath>

namespace assetgen::audio {

namespace {
constexpr double Pi = 3.14159265358979323846;
}

Clip MakeClip(int rate, int channels, double seconds) {
  Clip clip;
  clip.rate = rate;
  clip.channels = channels;
  clip.samples.assign(size_t(std::llround(seconds * rate)) * size_t(channels), 0.0f);
  return clip;
}

float Peak(const Clip& clip) {
  float peak = 0;
  for (float s : clip.samples) peak = std::max(peak, std::fabs(s));
  return peak;
}

double Rms(const Clip& clip) {
  if (clip.samples.empty()) return 0;
  double sum = 0;
  for (float s : clip.samples) sum += double(s) * s;
  return std::sqrt(sum / double(clip.samples.size()));
}

void Normalise(Clip& clip, float peak) {
  float current = Peak(clip);
  if (current <= 0) return;
  float gain = peak / current;
  for (float& s : clip.samples) s *= gain;
}

void FadeIn(Clip& clip, double seconds) {
  int64_t n = std::min<int64_t>(clip.Frames(), int64_t(seconds * clip.rate));
  for (int64_t i = 0; i < n; ++i) {
    float g = float(0.5 - 0.5 * std::cos(Pi * double(i) / double(n)));
    for (int c = 0; c < clip.channels; ++c) clip.At(i, c) *= g;
  }
}

void FadeOut(Clip& clip, double seconds) {
  int64_t frames = clip.Frames();
  int64_t n = std::min<int64_t>(frames, int64_t(seconds * clip.rate));
  for (int64_t i = 0; i < n; ++i) {
    int64_t frame = frames - n + i;
    float g = float(0.5 + 0.5 * std::cos(Pi * double(i + 1) / double(n)));
    for (int c = 0; c < clip.channels; ++c) clip.At(frame, c) *= g;
  }
}

void RemoveDc(Clip& clip) {
  for (int c = 0; c < clip.channels; ++c) {
    Biquad hp(Biquad::Kind::HighPass, clip.rate, 10.0);
    for (int64_t i = 0; i < clip.Frames(); ++i) clip.At(i, c) = hp.Process(clip.At(i, c));
  }
}

Clip ToStereo(const Clip& mono, double pan) {
  Clip out;
  out.rate = mono.rate;
  out.channels = 2;
  out.samples.resize(mono.samples.size() * 2);
  // Constant-power pan law.
  double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * Pi / 4.0;
  float gl = float(std::cos(angle)), gr = float(std::sin(angle));
  for (size_t i = 0; i < mono.samples.size(); ++i) {
    out.samples[2 * i] = mono.samples[i] * gl;
    out.samples[2 * i + 1] = mono.samples[i] * gr;
  }
  return out;
}

} // namespace assetgen::audio
