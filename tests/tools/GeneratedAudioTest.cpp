// Checks of the generated sounds and music in the build's data tree: every
// file decodes with the game's decoders, nothing clips, effects have sensible
// lengths and levels, and the music tracks are complete pieces that end.
#include "support/TestPaths.h"
#include "platform/Audio.h"
#include "platform/Files.h"
#include "platform/WavReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

using platform::audio::PcmData;

bool Decode(const std::string& path, PcmData& pcm, std::string& error) {
  std::vector<uint8_t> bytes;
  if (!platform::ReadWholeFile(path, bytes)) {
    error = "cannot read " + path;
    return false;
  }
  bool ogg = path.size() > 4 && path.substr(path.size() - 4) == ".ogg";
  return ogg ? platform::audio::ReadOgg(bytes.data(), bytes.size(), pcm, &error, 600.0)
             : platform::audio::ReadWav(bytes.data(), bytes.size(), pcm, &error, 600.0);
}

int PeakOf(const PcmData& pcm, int64_t firstFrame = 0, int64_t lastFrame = -1) {
  if (lastFrame < 0) lastFrame = pcm.Frames();
  int peak = 0;
  for (int64_t i = firstFrame * pcm.channels; i < lastFrame * pcm.channels; ++i)
    peak = std::max(peak, std::abs(int(pcm.samples[size_t(i)])));
  return peak;
}

double RmsDb(const PcmData& pcm) {
  double sum = 0;
  for (int16_t s : pcm.samples) sum += double(s) * s;
  double rms = std::sqrt(sum / double(std::max<size_t>(1, pcm.samples.size()))) / 32768.0;
  return 20.0 * std::log10(std::max(rms, 1e-9));
}

double Seconds(const PcmData& pcm) { return double(pcm.Frames()) / pcm.rate; }

// Full scale is 32767; a peak this close means the wave was cut off.
constexpr int ClipLevel = 32600;

struct Effect {
  const char* name;
  double minSeconds, maxSeconds;
};

TEST(GeneratedAudio, EveryEffectDecodesCleanlyAtItsLength) {
  // UI sounds stay short (swish plays in bursts every 125 ms); the applause
  // lasts a few seconds; the logo splash outlasts its 4-second fade.
  const Effect effects[] = {
      {"buttonclick.wav", 0.03, 0.25}, {"buttonmo.wav", 0.02, 0.15}, {"buttonclick2.wav", 0.03, 0.25},
      {"buttonclick3.ogg", 0.05, 0.6}, {"invalid.wav", 0.1, 0.8},    {"swish.wav", 0.05, 0.3},
      {"hint1.wav", 0.3, 2.0},         {"hint2.wav", 0.3, 2.0},      {"bonus.ogg", 0.4, 2.5},
      {"applause.ogg", 2.0, 8.0},      {"applause2.ogg", 1.5, 8.0},  {"splash.wav", 4.5, 10.0}};
  for (const Effect& effect : effects) {
    SCOPED_TRACE(effect.name);
    std::string path = test_support::DataPath(std::string("data/sound/") + effect.name);
    PcmData pcm;
    std::string error;
    ASSERT_TRUE(Decode(path, pcm, error)) << error;
    EXPECT_TRUE(pcm.rate == 44100 || pcm.rate == 22050) << pcm.rate;
    EXPECT_GE(Seconds(pcm), effect.minSeconds);
    EXPECT_LE(Seconds(pcm), effect.maxSeconds);
    int peak = PeakOf(pcm);
    EXPECT_LT(peak, ClipLevel) << "clipped";
    EXPECT_GT(peak, 3000) << "nearly silent";
    // Every effect ends at rest, so no click when it stops or repeats.
    int64_t tail = std::max<int64_t>(1, pcm.rate / 200);
    EXPECT_LT(PeakOf(pcm, pcm.Frames() - tail), 330) << "does not fade out";
    // And the game's own loader takes it.
    std::string loadError;
    EXPECT_TRUE(platform::audio::Sound::Load(path, false, &loadError) != nullptr) << loadError;
  }
}

TEST(GeneratedAudio, LevelsSuitWhereEachSoundPlays) {
  PcmData hover, click, splash;
  std::string error;
  ASSERT_TRUE(Decode(test_support::DataPath("data/sound/buttonmo.wav"), hover, error)) << error;
  ASSERT_TRUE(Decode(test_support::DataPath("data/sound/buttonclick.wav"), click, error)) << error;
  ASSERT_TRUE(Decode(test_support::DataPath("data/sound/splash.wav"), splash, error)) << error;
  // The hover tick plays on every button the pointer crosses: much quieter.
  EXPECT_LT(PeakOf(hover) * 2, PeakOf(click));
  // The splash is looped by the game: it must be silent at its loop point.
  EXPECT_LT(PeakOf(splash, splash.Frames() - splash.rate / 10), 100);
  EXPECT_GT(RmsDb(splash), -30.0);
}

TEST(GeneratedAudio, MusicTracksAreCompletePiecesThatEndInSilence) {
  PcmData tracks[2];
  for (int n = 0; n < 2; ++n) {
    std::string name = "music" + std::to_string(n + 1) + ".ogg";
    SCOPED_TRACE(name);
    std::string error;
    ASSERT_TRUE(Decode(test_support::DataPath("data/music/" + name), tracks[n], error)) << error;
    const PcmData& pcm = tracks[n];
    EXPECT_EQ(pcm.channels, 2);
    EXPECT_GE(Seconds(pcm), 120.0);
    EXPECT_LE(Seconds(pcm), 180.0);
    EXPECT_LT(PeakOf(pcm), ClipLevel) << "clipped";
    double rms = RmsDb(pcm);
    EXPECT_GT(rms, -30.0);
    EXPECT_LT(rms, -8.0);
    // The tracks are played one after the other, not looped: each closes on
    // its own, fading to silence, and starts from silence.
    EXPECT_LT(PeakOf(pcm, pcm.Frames() - pcm.rate / 2), 200) << "does not end";
    EXPECT_LT(PeakOf(pcm, 0, pcm.rate / 200), 2000) << "starts abruptly";
    // No long silent gaps inside the piece.
    for (int64_t second = 1; second + 8 < int64_t(Seconds(pcm)); ++second)
      ASSERT_GT(PeakOf(pcm, second * pcm.rate, (second + 1) * pcm.rate), 300) << "silent at " << second << " s";
  }
  EXPECT_NE(tracks[0].samples.size(), tracks[1].samples.size()) << "two different pieces";
}

} // namespace
