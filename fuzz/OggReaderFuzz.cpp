// Feeds arbitrary bytes to the Ogg Vorbis sound decoder on its own (the WAV
// target tries it too, but its corpus is WAV files): a sound that decodes
// must have a sane format and stay within the length asked for; one that
// does not must say why.
#include "platform/WavReader.h"

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const double maxSeconds = 5.0; // keeps each run small
  platform::audio::PcmData pcm;
  std::string error;
  if (!platform::audio::ReadOgg(data, size, pcm, &error, maxSeconds)) {
    Check(!error.empty());
    return 0;
  }
  Check(pcm.channels == 1 || pcm.channels == 2);
  Check(pcm.rate >= 1000 && pcm.rate <= 192000);
  Check(!pcm.samples.empty() && pcm.samples.size() % size_t(pcm.channels) == 0);
  Check(double(pcm.Frames()) <= maxSeconds * pcm.rate);
  return 0;
}
