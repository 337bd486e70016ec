#include "Envelopes.h"

#include <cmath>

namespace assetgen::audio {

namespace {
constexpr double Pi = 3.14159265358979323846;
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

} // namespace assetgen::audio
