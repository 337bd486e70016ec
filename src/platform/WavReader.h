#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Decoders of the audio layer, working on bytes in memory: our RIFF WAVE
// reader and Ogg Vorbis through libvorbisfile. Both check every size against
// the data they are given and refuse absurd formats and lengths.
namespace platform::audio {

struct PcmData {
  int rate = 0;
  int channels = 0;             // 1 or 2
  std::vector<int16_t> samples; // interleaved, 16 bit signed
  int64_t Frames() const { return channels ? int64_t(samples.size()) / channels : 0; }
};

// PCM WAV, 8 or 16 bit, mono or stereo, 1000..192000 Hz, at most `maxSeconds`
// long. A data chunk cut short by the end of the file keeps its whole frames.
bool ReadWav(const uint8_t* data, size_t size, PcmData& out, std::string* error, double maxSeconds);
// Ogg Vorbis decoded whole, mono or stereo, at most `maxSeconds` long.
bool ReadOgg(const uint8_t* data, size_t size, PcmData& out, std::string* error, double maxSeconds);

} // namespace platform::audio
