#pragma once
#include "Clip.h"

#include <cstddef>
#include <vector>

namespace assetgen::audio {

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

} // namespace assetgen::audio
