#pragma once
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

// Small WAV files made by the audio tests themselves.
namespace test_support {

inline void PutU32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += char((v >> (8 * i)) & 0xFF);
}
inline void PutU16(std::string& out, uint16_t v) {
  out += char(v & 0xFF);
  out += char(v >> 8);
}

// A PCM WAV file around `sampleBytes` (the bytes of the data chunk).
inline std::string MakeWav(int channels, int rate, int bits, const std::string& sampleBytes) {
  std::string out = "RIFF";
  PutU32(out, uint32_t(36 + sampleBytes.size()));
  out += "WAVEfmt ";
  PutU32(out, 16);
  PutU16(out, 1);
  PutU16(out, uint16_t(channels));
  PutU32(out, uint32_t(rate));
  PutU32(out, uint32_t(rate * channels * bits / 8));
  PutU16(out, uint16_t(channels * bits / 8));
  PutU16(out, uint16_t(bits));
  out += "data";
  PutU32(out, uint32_t(sampleBytes.size()));
  return out + sampleBytes;
}

// A 16-bit mono sine tone.
inline std::string MakeToneWav(double seconds, int rate = 22050, double hertz = 440.0, double amplitude = 0.5) {
  std::string bytes;
  int frames = int(seconds * rate);
  for (int i = 0; i < frames; ++i)
    PutU16(bytes, uint16_t(int16_t(std::lround(amplitude * 32767.0 * std::sin(2 * M_PI * hertz * i / rate)))));
  return MakeWav(1, rate, 16, bytes);
}

inline std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

} // namespace test_support
