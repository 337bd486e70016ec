#include "player/TProfile.h"

#include "app/TGame.h"
#include "platform/Files.h"
#include "support/GameWorld.h"

#include <cstring>

namespace {

uint32_t IntAt(const std::string& bytes, size_t pos) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= uint32_t(uint8_t(bytes[pos + size_t(i)])) << (8 * i);
  return value;
}

class ProfileTest : public test_support::GameWorld {
protected:
  void SetUp() override {
    GameWorld::SetUp();
    Game->ProfilePath = folder.Path();
  }
};

TEST_F(ProfileTest, GeneralFileStoresShiftedCountersThenTimeFlagsAndHints) {
  auto profile = TProfile::Create("Anna");
  EXPECT_EQ(profile->CurrentLevel, 1);
  EXPECT_EQ(profile->LockedLevel, 2);
  EXPECT_EQ(profile->Lives, 3);
  EXPECT_EQ(profile->TipsFlag, 1);
  profile->Score = -7;
  profile->TimeTaken = 12.5;
  profile->HintsShown[99] = 1;
  profile->SaveUserFunction = [](std::string& bytes) { bytes += "tail"; };
  ASSERT_EQ(profile->Save(), 1);

  std::string bytes;
  ASSERT_TRUE(platform::ReadWholeFile(folder.File("Anna.dat"), bytes));
  ASSERT_EQ(bytes.size(), 5 * 4 + 8 + 3 * 4 + 100 * 4 + 4u);
  EXPECT_EQ(IntAt(bytes, 0), 1u + 5182406u);
  EXPECT_EQ(IntAt(bytes, 4), 2u + 3617249u + 5182406u);
  EXPECT_EQ(IntAt(bytes, 8), uint32_t(-7) + 2u * 3617249u + 5182406u); // wraps round
  double time = 0;
  uint64_t raw = uint64_t(IntAt(bytes, 20)) | uint64_t(IntAt(bytes, 24)) << 32;
  std::memcpy(&time, &raw, sizeof time);
  EXPECT_EQ(time, 12.5);
  EXPECT_EQ(IntAt(bytes, 28 + 12 + 99 * 4), 1u);
  EXPECT_EQ(bytes.substr(bytes.size() - 4), "tail");

  auto again = TProfile::Create("Anna");
  std::string tail;
  again->LoadUserFunction = [&tail](const std::string& data, size_t& pos) {
    tail = data.substr(pos);
    pos = data.size();
  };
  EXPECT_EQ(again->Load(), 1);
  EXPECT_EQ(again->Score, -7);
  EXPECT_EQ(again->TimeTaken, 12.5);
  EXPECT_EQ(again->HintsShown[99], 1);
  EXPECT_EQ(tail, "tail");
}

TEST_F(ProfileTest, MissingFileIsMadeAndAShortOneKeepsWhatItLacks) {
  auto fresh = TProfile::Create("Ben");
  EXPECT_EQ(fresh->Load(), 0);
  EXPECT_TRUE(platform::FileExists(folder.File("Ben.dat")));

  // Cut inside the hint flags: the hints read so far count, the rest are clear.
  auto full = TProfile::Create("Cara");
  full->HintsSet(1);
  const std::string bytes = full->Encode().substr(0, 40 + 3 * 4 + 2);
  folder.Write("Cara.dat", bytes);
  auto cut = TProfile::Create("Cara");
  cut->HintsShown[50] = 1;
  EXPECT_EQ(cut->Load(), 1);
  EXPECT_EQ(cut->HintsShown[2], 1);
  EXPECT_EQ(cut->HintsShown[3], 0);
  EXPECT_EQ(cut->HintsShown[50], 0);

  // A hint is shown once; asking to save writes the flag.
  EXPECT_EQ(cut->ShowHint(7, 1), 1);
  EXPECT_EQ(cut->ShowHint(7, 1), 0);
  EXPECT_EQ(cut->ShowHint(TProfile::MAX_HINTS, 0), 0);
  auto reread = TProfile::Create("Cara");
  reread->Load();
  EXPECT_EQ(reread->HintsShown[7], 1);
}

} // namespace
