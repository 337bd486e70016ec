#include "Effects.h"

#include "Biquad.h"
#include "Envelopes.h"
#include "Reverb.h"
#include "Rng.h"

#include <algorithm>
#include <cmath>

namespace assetgen::audio {

namespace {

constexpr int Rate = 44100;
constexpr double Pi = 3.14159265358979323846;

// One partial of a struck object: frequency ratio, level and decay time.
struct Partial {
  double ratio, level, decay;
};

// Adds a struck tone (a sum of decaying sines) to channel `channel` of `clip`.
void Strike(Clip& clip, int channel, double start, double freq, const Partial* partials, int count,
            double gain, double attack = 0.002) {
  int64_t first = int64_t(start * clip.rate);
  for (int p = 0; p < count; ++p) {
    double f = freq * partials[p].ratio;
    if (f >= clip.rate * 0.45) continue;
    double w = 2.0 * Pi * f / clip.rate;
    int64_t length = std::min<int64_t>(clip.Frames() - first, int64_t(partials[p].decay * 9.0 * clip.rate));
    for (int64_t i = 0; i < length; ++i) {
      double t = double(i) / clip.rate;
      clip.At(first + i, channel) +=
          float(gain * partials[p].level * Percussive(t, attack, partials[p].decay) * std::sin(w * double(i)));
    }
  }
}

// Band-limited square wave (odd harmonics up to `harmonics`) at phase `phase`.
double SoftSquare(double phase, int harmonics) {
  double v = 0;
  for (int k = 1; k <= harmonics; k += 2) v += std::sin(phase * k) / k;
  return v * (4.0 / Pi);
}

} // namespace

Clip ButtonClick() {
  Clip clip = MakeClip(Rate, 1, 0.09);
  Rng rng(101);
  Biquad snap(Biquad::Kind::BandPass, Rate, 3200.0, 1.2);
  double phase = 0;
  for (int64_t i = 0; i < clip.Frames(); ++i) {
    double t = double(i) / Rate;
    // The body drops in pitch like a small plastic key bottoming out.
    double f = 900.0 + 600.0 * std::exp(-t / 0.012);
    phase += 2.0 * Pi * f / Rate;
    double body = std::sin(phase) * Percussive(t, 0.0008, 0.014);
    double thump = std::sin(2.0 * Pi * 210.0 * t) * Percussive(t, 0.002, 0.02) * 0.45;
    double click = snap.Process(float(rng.Bipolar())) * Percussive(t, 0.0003, 0.003) * 2.5;
    clip.samples[size_t(i)] = float(body * 0.8 + thump + click);
  }
  RemoveDc(clip);
  FadeOut(clip, 0.01);
  Normalise(clip, 0.70f);
  return clip;
}

Clip ButtonHover() {
  Clip clip = MakeClip(Rate, 1, 0.05);
  static const Partial tick[] = {{1.0, 1.0, 0.008}, {1.5, 0.3, 0.005}, {2.76, 0.12, 0.003}};
  Strike(clip, 0, 0.0, 2300.0, tick, 3, 1.0, 0.0015);
  FadeOut(clip, 0.01);
  Normalise(clip, 0.28f);
  return clip;
}

Clip CardSelect() {
  Clip clip = MakeClip(Rate, 1, 0.1);
  Rng rng(202);
  Biquad tap(Biquad::Kind::BandPass, Rate, 2200.0, 1.5);
  for (int64_t i = 0; i < clip.Frames(); ++i) {
    double t = double(i) / Rate;
    double noise = tap.Process(float(rng.Bipolar())) * Percussive(t, 0.0005, 0.007) * 2.0;
    double tone = std::sin(2.0 * Pi * 720.0 * t) * Percussive(t, 0.001, 0.016) * 0.6;
    clip.samples[size_t(i)] = float(noise + tone);
  }
  RemoveDc(clip);
  FadeOut(clip, 0.015);
  Normalise(clip, 0.62f);
  return clip;
}

Clip Tock() {
  Clip clip = MakeClip(Rate, 1, 0.32);
  // Partials of a small wooden bar, lowest first.
  static const Partial wood[] = {
      {1.0, 1.0, 0.065}, {2.57, 0.45, 0.032}, {4.21, 0.22, 0.018}, {6.3, 0.1, 0.010}};
  Strike(clip, 0, 0.0, 540.0, wood, 4, 1.0, 0.0012);
  Rng rng(303);
  Biquad knock(Biquad::Kind::BandPass, Rate, 1800.0, 0.9);
  for (int64_t i = 0; i < int64_t(0.01 * Rate); ++i) {
    double t = double(i) / Rate;
    clip.samples[size_t(i)] += float(knock.Process(float(rng.Bipolar())) * Percussive(t, 0.0003, 0.0015) * 0.8);
  }
  RemoveDc(clip);
  FadeOut(clip, 0.04);
  Normalise(clip, 0.72f);
  return clip;
}

Clip Invalid() {
  Clip clip = MakeClip(Rate, 1, 0.34);
  Biquad soften(Biquad::Kind::LowPass, Rate, 1400.0, 0.6);
  // Two short, falling buzzes ("uh-uh").
  const double starts[2] = {0.0, 0.16}, pitches[2] = {196.0, 164.8}, length = 0.12;
  for (int64_t i = 0; i < clip.Frames(); ++i) {
    double t = double(i) / Rate, v = 0;
    for (int b = 0; b < 2; ++b) {
      double local = t - starts[b];
      double env = SoftGate(local, 0.006, length, 0.03);
      if (env <= 0) continue;
      double phase = 2.0 * Pi * pitches[b] * local;
      // Two slightly detuned voices give the buzz a soft beating.
      v += env * (SoftSquare(phase, 11) + SoftSquare(phase * 1.006, 11)) * 0.5;
    }
    clip.samples[size_t(i)] = soften.Process(float(v));
  }
  RemoveDc(clip);
  FadeOut(clip, 0.02);
  Normalise(clip, 0.30f);
  return clip;
}

Clip Swish() {
  Clip clip = MakeClip(Rate, 1, 0.2);
  Rng rng(404);
  Biquad band, air;
  air.Set(Biquad::Kind::HighPass, Rate, 500.0);
  double total = clip.Seconds();
  for (int64_t i = 0; i < clip.Frames(); ++i) {
    double t = double(i) / Rate, x = t / total;
    // The band sweeps upwards as the card slides past.
    band.Set(Biquad::Kind::BandPass, Rate, 700.0 * std::pow(6.0, x), 0.9);
    double env = std::pow(std::sin(Pi * std::min(1.0, x * 1.15)), 2.0) * (1.0 - 0.4 * x);
    double v = band.Process(float(rng.Bipolar())) * env;
    clip.samples[size_t(i)] = air.Process(float(v));
  }
  FadeIn(clip, 0.004);
  FadeOut(clip, 0.01);
  Normalise(clip, 0.55f);
  return clip;
}

Clip HintChime(int which) {
  Clip clip = MakeClip(Rate, 1, 1.0);
  static const Partial bell[] = {
      {1.0, 1.0, 0.42}, {2.0, 0.35, 0.22}, {2.99, 0.18, 0.14}, {4.17, 0.10, 0.08}, {5.43, 0.06, 0.05}};
  double freq = which == 2 ? 1567.98 : 1046.5; // C6, then G6 half a second later
  Strike(clip, 0, 0.0, freq, bell, 5, 1.0, 0.003);
  // A quiet octave-below partial warms the chime.
  static const Partial warm[] = {{0.5, 0.25, 0.3}};
  Strike(clip, 0, 0.0, freq, warm, 1, 1.0, 0.004);
  FadeOut(clip, 0.15);
  Normalise(clip, 0.50f);
  return clip;
}

Clip BonusArpeggio() {
  Clip clip = MakeClip(Rate, 2, 1.3);
  static const Partial pluck[] = {
      {1.0, 1.0, 0.28}, {2.0, 0.4, 0.14}, {3.0, 0.2, 0.08}, {4.0, 0.08, 0.05}};
  const double notes[5] = {72, 76, 79, 84, 88}; // C E G C E
  for (int n = 0; n < 5; ++n) {
    double start = 0.075 * n;
    double pan = -0.5 + 0.25 * n;
    double gl = std::cos((pan + 1.0) * Pi / 4.0), gr = std::sin((pan + 1.0) * Pi / 4.0);
    double level = 0.8 + 0.05 * n;
    Strike(clip, 0, start, NoteHz(notes[n]), pluck, 4, level * gl);
    Strike(clip, 1, start, NoteHz(notes[n]), pluck, 4, level * gr);
  }
  // A soft final sparkle an octave up.
  static const Partial sparkle[] = {{1.0, 0.3, 0.35}, {2.0, 0.1, 0.15}};
  Strike(clip, 0, 0.375, NoteHz(96), sparkle, 2, 0.6);
  Strike(clip, 1, 0.39, NoteHz(96), sparkle, 2, 0.6);
  AddReverb(clip, 0.55, 0.5, 0.35);
  FadeOut(clip, 0.2);
  Normalise(clip, 0.80f);
  return clip;
}

Clip Applause(uint64_t seed, int clappers, double seconds) {
  Clip clip = MakeClip(Rate, 2, seconds);
  Rng rng(seed);
  std::vector<float> burst(size_t(0.03 * Rate));
  for (int person = 0; person < clappers; ++person) {
    // Each person claps at their own pace, starts a little late and stops at
    // their own moment, so the crowd swells and thins out naturally.
    double period = rng.Range(0.19, 0.3);
    double t = rng.Range(0.0, 0.35);
    double stop = seconds * rng.Range(0.55, 0.85);
    double pan = rng.Range(-0.8, 0.8);
    double gl = std::cos((pan + 1.0) * Pi / 4.0), gr = std::sin((pan + 1.0) * Pi / 4.0);
    double loudness = rng.Range(0.4, 1.0);
    double centre = rng.Range(900.0, 2400.0);
    while (t < stop) {
      Biquad hands(Biquad::Kind::BandPass, Rate, centre * rng.Range(0.85, 1.15), 1.4);
      Biquad body(Biquad::Kind::BandPass, Rate, centre * 0.5, 2.0);
      double decay = rng.Range(0.005, 0.011);
      double level = loudness * rng.Range(0.7, 1.0);
      // Claps fade as the person tires near the end.
      double fatigue = std::clamp((stop - t) / 0.8, 0.25, 1.0);
      int64_t first = int64_t(t * Rate);
      for (size_t i = 0; i < burst.size() && first + int64_t(i) < clip.Frames(); ++i) {
        double local = double(i) / Rate;
        float noise = float(rng.Bipolar());
        double v = (hands.Process(noise) * 1.6 + body.Process(noise) * 0.6) *
                   Percussive(local, 0.0006, decay) * level * fatigue;
        clip.At(first + int64_t(i), 0) += float(v * gl);
        clip.At(first + int64_t(i), 1) += float(v * gr);
      }
      t += period * rng.Range(0.9, 1.1);
    }
  }
  RemoveDc(clip);
  AddReverb(clip, 0.45, 0.6, 0.5);
  FadeIn(clip, 0.02);
  FadeOut(clip, 0.6);
  Normalise(clip, 0.80f);
  return clip;
}

Clip Splash() {
  const double seconds = 5.6;
  Clip clip = MakeClip(Rate, 2, seconds);
  // A warm major-ninth chord swells in, a bell figure rings over it, and the
  // whole thing settles into silence well inside the file.
  const double chord[6] = {41, 53, 57, 60, 64, 67}; // F2 F3 A3 C4 E4 G4
  for (int n = 0; n < 6; ++n) {
    double f = NoteHz(chord[n]);
    double pan = (n % 2 ? 0.35 : -0.35) * (n / 5.0);
    double gl = std::cos((pan + 1.0) * Pi / 4.0), gr = std::sin((pan + 1.0) * Pi / 4.0);
    double level = n == 0 ? 0.55 : 0.3;
    for (int64_t i = 0; i < clip.Frames(); ++i) {
      double t = double(i) / Rate;
      double env = SoftGate(t, 0.9, 2.2, 2.2);
      if (env <= 0) continue;
      // Slightly detuned pair with soft harmonics: a smooth pad voice.
      double v = 0;
      for (int d = 0; d < 2; ++d) {
        double fd = f * (d ? 1.003 : 0.997);
        double ph = 2.0 * Pi * fd * t;
        v += std::sin(ph) + 0.3 * std::sin(2 * ph) + 0.12 * std::sin(3 * ph);
      }
      v *= 0.5 * env * level;
      clip.At(i, 0) += float(v * gl);
      clip.At(i, 1) += float(v * gr);
    }
  }
  static const Partial bell[] = {
      {1.0, 1.0, 0.9}, {2.0, 0.3, 0.5}, {3.0, 0.15, 0.3}, {4.2, 0.08, 0.15}};
  const double figure[5] = {77, 81, 84, 88, 91}; // F A C E G, rising
  for (int n = 0; n < 5; ++n) {
    double start = 0.45 + 0.16 * n;
    Strike(clip, n % 2, start, NoteHz(figure[n]), bell, 4, 0.35);
    Strike(clip, 1 - n % 2, start + 0.012, NoteHz(figure[n]), bell, 4, 0.22);
  }
  AddReverb(clip, 0.8, 0.45, 0.6);
  RemoveDc(clip);
  FadeOut(clip, 1.4);
  Normalise(clip, 0.80f);
  return clip;
}

} // namespace assetgen::audio
