#include "Reverb.h"

#include <algorithm>

namespace assetgen::audio {

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

} // namespace assetgen::audio
