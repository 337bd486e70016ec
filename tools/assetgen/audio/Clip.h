#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The sound generator's sample block and the level tools that work on whole
// clips (peak, loudness, normalising, fades, panning).
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

// Level tools.
float Peak(const Clip& clip);
double Rms(const Clip& clip);
void Normalise(Clip& clip, float peak);  // scales so that the highest sample is `peak`
void FadeIn(Clip& clip, double seconds);
void FadeOut(Clip& clip, double seconds); // raised cosine to exact silence
void RemoveDc(Clip& clip);                // gentle 10 Hz high-pass
Clip ToStereo(const Clip& mono, double pan); // pan -1 left .. +1 right

} // namespace assetgen::audio
