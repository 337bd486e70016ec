#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Building blocks of the sound generator: a float sample block, a seeded
// random source, filters, envelopes, a small stereo reverb and level tools.
// Everything here is deterministic: the same calls give the same samples.
namespace assetgen::audio {

// Float samples in -1..1, interleaved when stereo.
struct Clip {
  int rate = 44100;
  int channels = 1;
  std::vector<float> samples;

  int64_t Frames() const { return channels ? int64_t(samples.size()) / channels : 0; }
  double Seconds() const { return rate ? double(Frames()) / rate : 0.0; }
  float& At(int64_t frame, int channel) { return samples[size_t(frame * channels + channel)]; }
};

// A silent clip of the given length.
Clip MakeClip(int rate, int channels, double seconds);

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

// Envelopes of time t in seconds, 0..1.
// Linear attack, then exponential decay with time constant `decay`.
double Percussive(double t, double attack, double decay);
// Raised-cosine attack, sustain at 1 until `length`, raised-cosine release.
double SoftGate(double t, double attack, double length, double release);

// Pitch of a MIDI note number in Hz (69 = A 440).
double NoteHz(double note);

// Stereo room reverb: eight damped comb filters and four all-passes per side,
// the right side slightly detuned for width. Returns only the wet signal.
class Reverb {
public:
  Reverb(int rate, double roomSize, double damping);
  void Process(float inLeft, float inRight, float& outLeft, float& outRight);
private:
  struct Comb {
    std::vector<float> buffer;
    size_t pos = 0;
    float store = 0;
  };
  struct AllPass {
    std::vector<float> buffer;
    size_t pos = 0;
  };
  float RunSide(std::vector<Comb>& combs, std::vector<AllPass>& passes, float in);
  std::vector<Comb> combsL_, combsR_;
  std::vector<AllPass> passesL_, passesR_;
  float feedback_, damp_;
};

// Adds a reverb tail to a stereo clip: dry + wet * mix.
void AddReverb(Clip& clip, double roomSize, double damping, double mix);

// Level tools.
float Peak(const Clip& clip);
double Rms(const Clip& clip);
void Normalise(Clip& clip, float peak);  // scales so that the highest sample is `peak`
void FadeIn(Clip& clip, double seconds);
void FadeOut(Clip& clip, double seconds); // raised cosine to exact silence
void RemoveDc(Clip& clip);                // gentle 10 Hz high-pass
Clip ToStereo(const Clip& mono, double pan); // pan -1 left .. +1 right

} // namespace assetgen::audio
