// Feeds arbitrary bytes to the sound decoders: our WAV reader and the Ogg
// Vorbis decoder. A sound that decodes must have a sane format and no more
// samples than the input could hold; one that does not must say why.
#include "platform/WavReader.h"

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckDecoded(bool ok, const platform::audio::PcmData& pcm, const std::string& error, double maxSeconds) {
  if (!ok) {
    Check(!error.empty());
    return;
  }
  Check(pcm.channels == 1 || pcm.channels == 2);
  Check(pcm.rate >= 1000 && pcm.rate <= 192000);
  Check(!pcm.samples.empty() && pcm.samples.size() % size_t(pcm.channels) == 0);
  Check(double(pcm.Frames()) <= maxSeconds * pcm.rate);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const double maxSeconds = 5.0; // keeps each run small
  platform::audio::PcmData wav;
  std::string error;
  bool ok = platform::audio::ReadWav(data, size, wav, &error, maxSeconds);
  CheckDecoded(ok, wav, error, maxSeconds);
  if (ok) Check(wav.samples.size() <= size);

  platform::audio::PcmData ogg;
  error.clear();
  CheckDecoded(platform::audio::ReadOgg(data, size, ogg, &error, maxSeconds), ogg, error, maxSeconds);
  return 0;
}
