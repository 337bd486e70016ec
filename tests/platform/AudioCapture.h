#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/Files.h"
#include "support/TempFolder.h"

// Capturing what OpenAL Soft plays through its wave-file backend. OpenAL reads
// its configuration once per process, so a capture runs the test binary again
// as a child (restricted to one test by `filter`) with the backend pointed at
// a file; the child sees MARROWDECK_WAVE_CAPTURE set to `tag`.
namespace test_support {

inline const char* CaptureTag() { return std::getenv("MARROWDECK_WAVE_CAPTURE"); }

// Runs the child and returns the path of the file it played into.
inline std::string RunCapture(const TempFolder& folder, const std::string& tag, const std::string& filter) {
  std::string out = folder.File("capture-" + tag + ".wav");
  std::string conf = folder.Write("alsoft-" + tag + ".conf",
                                  "[general]\nchannels = stereo\nsample-type = int16\nfrequency = 44100\n"
                                  "hrtf = false\n[wave]\nfile = " + out + "\n");
  std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  std::string command = "ALSOFT_DRIVERS=wave ALSOFT_CONF='" + conf + "' MARROWDECK_WAVE_CAPTURE=" + tag + " '" +
                        self + "' --gtest_filter=" + filter + " > '" + folder.File("child-" + tag + ".log") +
                        "' 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return out;
}

struct Levels {
  double left = 0, right = 0, peak = 0;
  bool ok = false;
};

// RMS per side and peak of a captured stereo file (16-bit integer or 32-bit
// float) between two times in seconds.
inline Levels Measure(const std::string& path, double from = 0, double to = 1e9) {
  Levels levels;
  std::string file;
  if (!platform::ReadWholeFile(path, file) || file.size() < 12) return levels;
  auto u16 = [&](size_t at) { return uint16_t(uint8_t(file[at]) | uint8_t(file[at + 1]) << 8); };
  auto u32 = [&](size_t at) { return uint32_t(u16(at)) | uint32_t(u16(at + 2)) << 16; };
  size_t pos = 12;
  int tag = 0, channels = 0, bits = 0;
  uint32_t rate = 0;
  while (pos + 8 <= file.size()) {
    std::string id = file.substr(pos, 4);
    uint32_t length = u32(pos + 4);
    if (id == "fmt ") {
      tag = u16(pos + 8);
      channels = u16(pos + 10);
      rate = u32(pos + 12);
      bits = u16(pos + 22);
      if (tag == 0xFFFE) tag = u16(pos + 32);
    } else if (id == "data") {
      pos += 8;
      break;
    }
    pos += 8 + size_t(length) + (length & 1);
  }
  if (channels != 2 || rate == 0 || !((tag == 1 && bits == 16) || (tag == 3 && bits == 32))) return levels;
  size_t frameBytes = size_t(bits / 8) * 2;
  size_t first = pos + size_t(from * rate) * frameBytes;
  size_t last = to * rate * double(frameBytes) < double(file.size()) ? pos + size_t(to * rate) * frameBytes : file.size();
  double sum[2] = {0, 0};
  size_t frames = 0;
  for (size_t at = first; at + frameBytes <= std::min(last, file.size()); at += frameBytes, ++frames) {
    for (size_t c = 0; c < 2; ++c) {
      double v;
      if (tag == 1) {
        v = int16_t(u16(at + c * 2)) / 32768.0;
      } else {
        float f;
        uint32_t raw = u32(at + c * 4);
        std::memcpy(&f, &raw, 4);
        v = f;
      }
      sum[c] += v * v;
      levels.peak = std::max(levels.peak, std::abs(v));
    }
  }
  if (frames == 0) return levels;
  levels.left = std::sqrt(sum[0] / double(frames));
  levels.right = std::sqrt(sum[1] / double(frames));
  levels.ok = true;
  return levels;
}

} // namespace test_support
