#pragma once
#include "Clip.h"

#include <string>

// Writing clips to disk: 16-bit PCM WAV and Ogg Vorbis. Samples are clamped
// to -1..1 and rounded; both writers are deterministic. On failure they
// return false and put the reason in *error.
namespace assetgen::audio {

bool WriteWav(const std::string& path, const Clip& clip, std::string* error);

// `quality` is the Vorbis VBR quality (-0.1 .. 1.0). The stream serial number
// is fixed so identical input gives identical bytes.
bool WriteOgg(const std::string& path, const Clip& clip, float quality, std::string* error);

// 16-bit little-endian PCM of a clip (interleaved), as written by both.
std::vector<int16_t> ToPcm16(const Clip& clip);

} // namespace assetgen::audio
