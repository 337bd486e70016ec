#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "AudioTestSounds.h"
#include "support/TempFolder.h"
#include "platform/Audio.h"
#include "platform/Files.h"

// Plays a tone on OpenAL Soft's wave-file backend and measures the captured
// output. OpenAL reads its configuration once per process, so each capture
// runs this test binary again as a child with the wave backend configured.
namespace audio = platform::audio;

namespace {

const char* ChildPan() { return std::getenv("MARROWDECK_WAVE_CAPTURE_PAN"); }

struct Levels {
  double left = 0, right = 0, peak = 0;
  bool ok = false;
};

uint32_t U32(const std::string& s, size_t at) {
  return uint8_t(s[at]) | uint8_t(s[at + 1]) << 8 | uint8_t(s[at + 2]) << 16 | uint32_t(uint8_t(s[at + 3])) << 24;
}
uint16_t U16(const std::string& s, size_t at) { return uint16_t(uint8_t(s[at]) | uint8_t(s[at + 1]) << 8); }

// RMS per side of a captured stereo file (16-bit integer or 32-bit float).
Levels Measure(const std::string& path) {
  Levels levels;
  std::string file;
  if (!platform::ReadWholeFile(path, file) || file.size() < 12) return levels;
  size_t pos = 12;
  int tag = 0, channels = 0, bits = 0;
  while (pos + 8 <= file.size()) {
    std::string id = file.substr(pos, 4);
    uint32_t length = U32(file, pos + 4);
    if (id == "fmt ") {
      tag = U16(file, pos + 8);
      channels = U16(file, pos + 10);
      bits = U16(file, pos + 22);
      if (tag == 0xFFFE) tag = U16(file, pos + 32);
    } else if (id == "data") {
      pos += 8;
      break;
    }
    pos += 8 + length + (length & 1);
  }
  if (channels != 2 || !((tag == 1 && bits == 16) || (tag == 3 && bits == 32))) return levels;
  double sum[2] = {0, 0};
  size_t frames = 0;
  size_t frameBytes = size_t(bits / 8) * 2;
  for (; pos + frameBytes <= file.size(); pos += frameBytes, ++frames) {
    for (int c = 0; c < 2; ++c) {
      double v;
      if (tag == 1) {
        v = int16_t(U16(file, pos + size_t(c) * 2)) / 32768.0;
      } else {
        float f;
        uint32_t raw = U32(file, pos + size_t(c) * 4);
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

Levels Capture(const test_support::TempFolder& folder, const std::string& pan) {
  std::string out = folder.File("capture" + pan + ".wav");
  std::string conf = folder.Write("alsoft" + pan + ".conf", "[general]\nchannels = stereo\nsample-type = int16\n"
                                                            "frequency = 44100\nhrtf = false\n[wave]\nfile = " +
                                                                out + "\n");
  std::string command = "ALSOFT_DRIVERS=wave ALSOFT_CONF='" + conf + "' MARROWDECK_WAVE_CAPTURE_PAN=" + pan +
                        " '" + std::filesystem::read_symlink("/proc/self/exe").string() + "' --gtest_filter=AudioWaveCapture.* > '" + folder.File("child.log") +
                        "' 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return Measure(out);
}

} // namespace

TEST(AudioWaveCapture, ToneIsAudibleAndPanMovesIt) {
  if (const char* pan = ChildPan()) {
    // In the child: play half a second of tone and close the device so the
    // backend finishes its file.
    ASSERT_TRUE(audio::SelectDriver("OpenAL Generic Software"));
    auto bytes = test_support::Bytes(test_support::MakeToneWav(0.5, 22050, 440.0, 0.5));
    auto sound = audio::Sound::LoadFromMemory(bytes.data(), bytes.size(), false);
    ASSERT_TRUE(sound);
    auto channel = audio::Channel::Allocate();
    channel->Cue(sound);
    channel->SetPan(std::stof(pan));
    channel->SetVolume(1.0f);
    channel->Resume();
    for (int i = 0; i < 100 && channel->Playing(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    audio::Shutdown();
    return;
  }
  test_support::TempFolder folder;
  Levels centre = Capture(folder, "0");
  if (!centre.ok) GTEST_SKIP() << "the wave backend wrote no capture here";
  Levels right = Capture(folder, "1");
  ASSERT_TRUE(right.ok);

  EXPECT_GT(centre.left, 0.02);
  EXPECT_GT(centre.right, 0.02);
  EXPECT_NEAR(centre.left / centre.right, 1.0, 0.2);
  EXPECT_LT(centre.peak, 0.999); // not clipped
  // Panned fully right, the right side carries clearly more than the left.
  EXPECT_GT(right.right, 0.02);
  EXPECT_GT(right.right, 2.0 * right.left);
}
