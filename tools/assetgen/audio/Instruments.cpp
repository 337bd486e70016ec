#include "Instruments.h"

#include "Envelopes.h"
#include "Rng.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace assetgen::audio {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr int TableSize = 4096;

// One period of a waveform made of the given harmonic levels.
struct Wavetable {
  std::array<float, TableSize + 1> data{};
  explicit Wavetable(const std::vector<double>& harmonics) {
    double peak = 0;
    for (int i = 0; i <= TableSize; ++i) {
      double v = 0;
      for (size_t h = 0; h < harmonics.size(); ++h)
        v += harmonics[h] * std::sin(2.0 * Pi * double(h + 1) * i / TableSize);
      data[size_t(i)] = float(v);
      peak = std::max(peak, std::fabs(v));
    }
    for (float& x : data) x = float(x / peak);
  }
  // `phase` in cycles; any value.
  float operator()(double phase) const {
    double p = (phase - std::floor(phase)) * TableSize;
    int i = int(p);
    float f = float(p - i);
    return data[size_t(i)] + (data[size_t(i) + 1] - data[size_t(i)]) * f;
  }
};

const Wavetable& SineTable() {
  static const Wavetable table({1.0});
  return table;
}
const Wavetable& PadTable() {
  static const Wavetable table({1.0, 0.42, 0.24, 0.14, 0.08, 0.05, 0.03, 0.02});
  return table;
}
const Wavetable& FluteTable() {
  static const Wavetable table({1.0, 0.32, 0.12, 0.05, 0.02});
  return table;
}
const Wavetable& BassTable() {
  static const Wavetable table({1.0, 0.3, 0.08, 0.03});
  return table;
}

struct PanGains {
  float left, right;
};
PanGains Pan(double pan) {
  double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * Pi / 4.0;
  return {float(std::cos(angle)), float(std::sin(angle))};
}

// Adds a voice's samples for one note; `sample(i, t)` gives the mono value of
// frame i of the note (t = i / rate), `tail` how long it rings after `length`.
template <typename F>
void Render(Clip& mix, const Note& note, double gain, double tail, F&& sample) {
  int64_t first = int64_t(note.start * mix.rate);
  int64_t count = std::min<int64_t>(mix.Frames() - first, int64_t((note.length + tail) * mix.rate));
  PanGains g = Pan(note.pan);
  float level = float(gain * note.velocity);
  for (int64_t i = 0; i < count; ++i) {
    float v = sample(i, double(i) / mix.rate) * level;
    mix.samples[size_t((first + i) * 2)] += v * g.left;
    mix.samples[size_t((first + i) * 2 + 1)] += v * g.right;
  }
}

void RenderPad(Clip& mix, const Note& note, double gain) {
  const Wavetable& table = PadTable();
  double f = NoteHz(note.pitch) / mix.rate;
  const double release = 1.6;
  // The two voices drift slowly against each other for a gentle chorus.
  Render(mix, note, gain, release, [&](int64_t i, double t) {
    double env = SoftGate(t, 0.7, note.length, release);
    double a = table(f * 0.9975 * double(i) + 0.1);
    double b = table(f * 1.0025 * double(i) + 0.37);
    return float((a + b) * 0.5 * env);
  });
}

void RenderKeys(Clip& mix, const Note& note, double gain) {
  const Wavetable& sine = SineTable();
  double f = NoteHz(note.pitch) / mix.rate;
  double decay = std::clamp(1.6 - (note.pitch - 60.0) * 0.03, 0.6, 2.0);
  const double release = 0.25;
  Render(mix, note, gain, release, [&](int64_t i, double t) {
    double env = Percussive(t, 0.004, decay) * SoftGate(t, 0.0, note.length, release);
    // The modulation index falls quickly: a bright strike mellowing to a sine.
    double index = 0.9 * std::exp(-t / 0.35) + 0.12;
    double mod = sine(f * double(i)) * index;
    double tine = sine(f * 7.0 * double(i)) * 0.04 * std::exp(-t / 0.03);
    return float((sine(f * double(i) + mod / Pi) + tine) * env);
  });
}

void RenderFlute(Clip& mix, const Note& note, double gain) {
  const Wavetable& table = FluteTable();
  double f = NoteHz(note.pitch) / mix.rate;
  const double release = 0.3;
  double phase = 0;
  Render(mix, note, gain, release, [&](int64_t, double t) {
    double env = SoftGate(t, 0.07, note.length, release);
    // Vibrato fades in after the note has settled.
    double depth = 0.004 * std::clamp((t - 0.25) / 0.4, 0.0, 1.0);
    phase += f * (1.0 + depth * std::sin(2.0 * Pi * 5.2 * t));
    return float(table(phase) * env);
  });
}

void RenderHarp(Clip& mix, const Note& note, double gain, uint64_t seed) {
  double hz = NoteHz(note.pitch);
  // The loop delays by (line length - frac) plus half a sample in the
  // averaging filter; pick both so the loop matches one period exactly.
  double target = mix.rate / hz - 0.5;
  size_t length = size_t(std::ceil(target));
  double frac = double(length) - target;
  std::vector<float> line(std::max<size_t>(length, 2));
  Rng rng(seed);
  // A soft, lowpassed burst makes a warm pluck rather than a bright twang.
  float prev = 0;
  for (float& x : line) {
    prev = float(prev * 0.6 + rng.Bipolar() * 0.4);
    x = prev;
  }
  double mean = 0;
  for (float x : line) mean += x;
  mean /= double(line.size());
  for (float& x : line) x = float(x - mean);
  size_t pos = 0;
  float last = 0;
  double damping = std::clamp(0.9975 - (note.pitch - 60.0) * 0.0003, 0.990, 0.999);
  const double ring = 2.2;
  Render(mix, note, gain * 1.6, ring, [&](int64_t, double t) {
    size_t next = (pos + 1) % line.size();
    // Fractional delay by linear interpolation keeps the pitch in tune.
    float out = float(line[pos] * (1.0 - frac) + line[next] * frac);
    float filtered = float((out + last) * 0.5 * damping);
    last = out;
    line[pos] = filtered;
    pos = next;
    double env = SoftGate(t, 0.002, note.length + ring * 0.6, ring * 0.4);
    return float(out * env);
  });
}

void RenderBass(Clip& mix, const Note& note, double gain) {
  const Wavetable& table = BassTable();
  double f = NoteHz(note.pitch) / mix.rate;
  const double release = 0.2;
  Render(mix, note, gain, release, [&](int64_t i, double t) {
    double env = Percussive(t, 0.012, 2.2) * SoftGate(t, 0.0, note.length, release);
    return float(table(f * double(i)) * env);
  });
}

void RenderBell(Clip& mix, const Note& note, double gain) {
  const Wavetable& sine = SineTable();
  double f = NoteHz(note.pitch) / mix.rate;
  const double ring = 2.5;
  Render(mix, note, gain, ring, [&](int64_t i, double t) {
    double x = double(i);
    double v = sine(f * x) * Percussive(t, 0.002, 0.9) + sine(f * 2.0 * x) * 0.3 * Percussive(t, 0.002, 0.4) +
               sine(f * 3.01 * x) * 0.12 * Percussive(t, 0.002, 0.2);
    return float(v);
  });
}

} // namespace

void RenderNotes(Clip& mix, const std::vector<Note>& notes, Voice voice, double gain) {
  uint64_t seed = 9001;
  for (const Note& note : notes) {
    if (note.start < 0 || note.start >= mix.Seconds()) continue;
    switch (voice) {
    case Voice::Pad: RenderPad(mix, note, gain); break;
    case Voice::Keys: RenderKeys(mix, note, gain); break;
    case Voice::Flute: RenderFlute(mix, note, gain); break;
    case Voice::Harp: RenderHarp(mix, note, gain, seed++); break;
    case Voice::Bass: RenderBass(mix, note, gain); break;
    case Voice::Bell: RenderBell(mix, note, gain); break;
    }
  }
}

} // namespace assetgen::audio
