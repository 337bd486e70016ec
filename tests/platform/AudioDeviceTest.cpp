#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "AudioCapture.h"
#include "AudioTestSounds.h"
#include "platform/Audio.h"

// A tone played on OpenAL Soft's wave-file backend, measured in the capture.
namespace audio = platform::audio;
using test_support::CaptureTag;
using test_support::Levels;
using test_support::Measure;
using test_support::RunCapture;

TEST(AudioWaveCapture, ToneIsAudibleAndPanMovesIt) {
  if (const char* pan = CaptureTag()) {
    // In the child: play half a second of tone at the pan named by the tag
    // and close the device so the backend finishes its file.
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
  Levels centre = Measure(RunCapture(folder, "0", "AudioWaveCapture.*"));
  if (!centre.ok) GTEST_SKIP() << "the wave backend wrote no capture here";
  Levels right = Measure(RunCapture(folder, "1", "AudioWaveCapture.*"));
  ASSERT_TRUE(right.ok);

  EXPECT_GT(centre.left, 0.02);
  EXPECT_GT(centre.right, 0.02);
  EXPECT_NEAR(centre.left / centre.right, 1.0, 0.2);
  EXPECT_LT(centre.peak, 0.999); // not clipped
  // Panned fully right, the right side carries clearly more than the left.
  EXPECT_GT(right.right, 0.02);
  EXPECT_GT(right.right, 2.0 * right.left);
}
