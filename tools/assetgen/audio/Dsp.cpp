#include "Dsp.h"

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

double Percussive(double t, double attack, double decay) {
  if (t < 0) return 0;
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / decay);
}

double SoftGate(double t, double attack, double length, double release) {
  if (t < 0) return 0;
  if (t < attack) return 0.5 - 0.5 * std::cos(Pi * t / attack);
  if (t < length) return 1.0;
  if (t < length + release) return 0.5 + 0.5 * std::cos(Pi * (t - length) / release);
  return 0;
}

double NoteHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

Reverb::Reverb(int rate, double roomSize, double damping) {
  // Mutually prime delays (in samples at 44.1 kHz) keep the tail smooth.
  static const int combLengths[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
  static const int passLengths[4] = {556, 441, 341, 225};
  const int spread = 23;
  double scale = rate / 44100.0;
  for (int i = 0; i < 8; ++i) {
    Comb l, r;
    l.buffer.assign(size_t(std::max(1.0, combLengths[i] * scale)), 0.0f);
    r.buffer.assign(size_t(std::max(1.0, (combLengths[i] + spread) * scale)), 0.0f);
    combsL_.push_back(std::move(l));
    combsR_.push_back(std::move(r));
  }
  for (int i = 0; i < 4; ++i) {
    AllPass l, r;
    l.buffer.assign(size_t(std::max(1.0, passLengths[i] * scale)), 0.0f);
    r.buffer.assign(size_t(std::max(1.0, (passLengths[i] + spread) * scale)), 0.0f);
    passesL_.push_back(std::move(l));
    passesR_.push_back(std::move(r));
  }
  feedback_ = float(0.7 + 0.28 * std::clamp(roomSize, 0.0, 1.0));
  damp_ = float(std::clamp(damping, 0.0, 1.0) * 0.4);
}

float Reverb::RunSide(std::vector<Comb>& combs, std::vector<AllPass>& passes, float in) {
  float out = 0;
  for (Comb& c : combs) {
    float y = c.buffer[c.pos];
    c.store = y * (1.0f - damp_) + c.store * damp_;
    c.buffer[c.pos] = in + c.store * feedback_;
    if (++c.pos == c.buffer.size()) c.pos = 0;
    out += y;
  }
  for (AllPass& a : passes) {
    float b = a.buffer[a.pos];
    a.buffer[a.pos] = out + b * 0.5f;
    out = b - out;
    if (++a.pos == a.buffer.size()) a.pos = 0;
  }
  return out;
}

void Reverb::Process(float inLeft, float inRight, float& outLeft, float& outRight) {
  // The comb bank adds up eight echoes; the input gain keeps the sum in range.
  float in = (inLeft + inRight) * 0.015f;
  outLeft = RunSide(combsL_, passesL_, in);
  outRight = RunSide(combsR_, passesR_, in);
}

void AddReverb(Clip& clip, double roomSize, double damping, double mix) {
  if (clip.channels != 2) return;
  Reverb reverb(clip.rate, roomSize, damping);
  for (int64_t i = 0; i < clip.Frames(); ++i) {
    float l = clip.At(i, 0), r = clip.At(i, 1), wl = 0, wr = 0;
    reverb.Process(l, r, wl, wr);
    clip.At(i, 0) = l + float(mix) * wl;
    clip.At(i, 1) = r + float(mix) * wr;
  }
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
