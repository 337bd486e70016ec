#include <gtest/gtest.h>

#include <random>

#include "AudioTestSounds.h"
#include "platform/WavReader.h"

using platform::audio::PcmData;
using platform::audio::ReadOgg;
using platform::audio::ReadWav;
using test_support::MakeWav;
using test_support::PutU16;
using test_support::PutU32;

namespace {

bool Read(const std::string& file, PcmData& pcm, std::string* error = nullptr, double maxSeconds = 600) {
  return ReadWav(reinterpret_cast<const uint8_t*>(file.data()), file.size(), pcm, error, maxSeconds);
}

std::string Samples16(std::initializer_list<int16_t> values) {
  std::string bytes;
  for (int16_t v : values) PutU16(bytes, uint16_t(v));
  return bytes;
}

// Overwrites the 32-bit value at `offset`.
std::string Patch32(std::string file, size_t offset, uint32_t value) {
  std::string v;
  PutU32(v, value);
  file.replace(offset, 4, v);
  return file;
}
std::string Patch16(std::string file, size_t offset, uint16_t value) {
  std::string v;
  PutU16(v, value);
  file.replace(offset, 2, v);
  return file;
}

} // namespace

TEST(AudioWav, DecodesSixteenAndEightBitPcm) {
  PcmData pcm;
  ASSERT_TRUE(Read(MakeWav(1, 22050, 16, Samples16({0, 1000, -32768, 32767})), pcm));
  EXPECT_EQ(pcm.rate, 22050);
  EXPECT_EQ(pcm.channels, 1);
  EXPECT_EQ(pcm.samples, (std::vector<int16_t>{0, 1000, -32768, 32767}));

  // 8-bit is unsigned around 128; stereo frames stay interleaved.
  ASSERT_TRUE(Read(MakeWav(2, 8000, 8, std::string("\x80\x00\xFF\x40", 4)), pcm));
  EXPECT_EQ(pcm.channels, 2);
  EXPECT_EQ(pcm.Frames(), 2);
  EXPECT_EQ(pcm.samples, (std::vector<int16_t>{0, -32768, 127 << 8, -64 << 8}));
}

TEST(AudioWav, SkipsOtherChunksWithPaddingAndReadsExtensibleFormat) {
  // A "LIST" chunk of odd length (padded to even) between fmt and data.
  std::string plain = MakeWav(1, 11025, 16, Samples16({5, 6, 7}));
  std::string list = "LIST";
  PutU32(list, 3);
  list += std::string("abc\0", 4);
  std::string withList = plain.substr(0, 36) + list + plain.substr(36);
  PcmData pcm;
  ASSERT_TRUE(Read(withList, pcm));
  EXPECT_EQ(pcm.samples, (std::vector<int16_t>{5, 6, 7}));

  // WAVE_FORMAT_EXTENSIBLE with the PCM sub-format.
  std::string ext = "RIFF";
  PutU32(ext, 0);
  ext += "WAVEfmt ";
  PutU32(ext, 40);
  PutU16(ext, 0xFFFE);
  PutU16(ext, 2);
  PutU32(ext, 44100);
  PutU32(ext, 44100 * 4);
  PutU16(ext, 4);
  PutU16(ext, 16);
  PutU16(ext, 22);
  PutU16(ext, 16);
  PutU32(ext, 3);
  PutU16(ext, 1); // sub-format: PCM
  ext += std::string(14, '\0');
  ext += "data";
  PutU32(ext, 8);
  ext += Samples16({1, 2, 3, 4});
  ASSERT_TRUE(Read(ext, pcm));
  EXPECT_EQ(pcm.channels, 2);
  EXPECT_EQ(pcm.Frames(), 2);
}

TEST(AudioWav, RefusesMalformedHeaders) {
  const std::string good = MakeWav(1, 22050, 16, Samples16({1, 2}));
  const std::vector<std::pair<const char*, std::string>> bad = {
      {"empty", ""},
      {"not riff", "RIFX" + good.substr(4)},
      {"not wave", Patch32(good, 8, 0x45564157 + 1)},
      {"header only", good.substr(0, 12)},
      {"fmt cut short", good.substr(0, 30)},
      {"fmt too small", Patch32(good, 16, 8)},
      {"compressed", Patch16(good, 20, 2)},
      {"no channels", Patch16(good, 22, 0)},
      {"three channels", Patch16(good, 22, 3)},
      {"zero rate", Patch32(good, 24, 0)},
      {"absurd rate", Patch32(good, 24, 50'000'000)},
      {"block align mismatch", Patch16(good, 32, 7)},
      {"24-bit", Patch16(Patch16(good, 34, 24), 32, 3)},
      {"no data chunk", good.substr(0, 36)},
      {"empty data", MakeWav(1, 22050, 16, "")},
  };
  for (const auto& [what, file] : bad) {
    PcmData pcm;
    std::string error;
    EXPECT_FALSE(Read(file, pcm, &error)) << what;
    EXPECT_FALSE(error.empty()) << what;
  }
  // Data before any format chunk cannot be decoded.
  std::string dataFirst = "RIFF";
  PutU32(dataFirst, 20);
  dataFirst += "WAVEdata";
  PutU32(dataFirst, 4);
  dataFirst += Samples16({1, 2});
  PcmData pcm;
  EXPECT_FALSE(Read(dataFirst, pcm));
}

TEST(AudioWav, TruncatedAndHugeChunkSizesStayInsideTheFile) {
  std::string good = MakeWav(2, 22050, 16, Samples16({1, 2, 3, 4, 5, 6}));
  PcmData pcm;
  // The file ends in the middle of the third frame: two whole frames remain.
  ASSERT_TRUE(Read(good.substr(0, good.size() - 2), pcm));
  EXPECT_EQ(pcm.samples, (std::vector<int16_t>{1, 2, 3, 4}));
  // A data size far beyond the file reads only what is there.
  ASSERT_TRUE(Read(Patch32(good, 40, 0xFFFFFFFFu), pcm));
  EXPECT_EQ(pcm.Frames(), 3);
  // A huge chunk before the data cannot be skipped over.
  std::string list = "LIST";
  PutU32(list, 0xFFFFFFF0u);
  EXPECT_FALSE(Read(good.substr(0, 36) + list + good.substr(36), pcm));
  // A huge format chunk is refused.
  EXPECT_FALSE(Read(Patch32(good, 16, 0x7FFFFFFFu), pcm));
  // Less than one frame of data.
  EXPECT_FALSE(Read(good.substr(0, 45), pcm));
}

TEST(AudioWav, RefusesSoundsLongerThanTheLimit) {
  std::string tenFrames(20, '\0');
  PcmData pcm;
  std::string error;
  EXPECT_FALSE(Read(MakeWav(1, 1000, 16, tenFrames), pcm, &error, 0.005));
  EXPECT_EQ(error, "sound too long");
  EXPECT_TRUE(Read(MakeWav(1, 1000, 16, tenFrames), pcm, &error, 0.01));
}

TEST(AudioWav, RandomCorruptionNeverBreaksTheReader) {
  const std::string good = test_support::MakeToneWav(0.01, 8000);
  std::mt19937 random(1234);
  int accepted = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string file = good;
    int flips = 1 + int(random() % 6);
    for (int i = 0; i < flips; ++i) file[random() % 48] = char(random());
    if (random() % 4 == 0) file.resize(random() % file.size());
    PcmData pcm;
    if (Read(file, pcm)) {
      ++accepted;
      ASSERT_TRUE(pcm.channels == 1 || pcm.channels == 2);
      ASSERT_LE(pcm.samples.size(), file.size());
      ASSERT_EQ(pcm.samples.size() % size_t(pcm.channels), 0u);
    }
  }
  EXPECT_GT(accepted, 0); // some corruptions (e.g. in the RIFF size) are harmless
}

TEST(AudioWav, CorruptOggIsRefused) {
  std::string notVorbis = "OggS" + std::string(200, '\x11');
  PcmData pcm;
  std::string error;
  EXPECT_FALSE(ReadOgg(reinterpret_cast<const uint8_t*>(notVorbis.data()), notVorbis.size(), pcm, &error, 600));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(ReadOgg(nullptr, 0, pcm, &error, 600));
}
