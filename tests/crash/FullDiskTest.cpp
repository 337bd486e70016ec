// Every writer on a disk that fills up part-way through its write: the write
// fails with the game's message for it, the file written before stays whole,
// nothing is left behind, and once there is room again the same writer works.
#include "WriterKinds.h"

#include "app/TGame.h"
#include "platform/Files.h"
#include "player/PlayerProfiles.h"
#include "resources/TGameText.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

namespace {

using crash_test::WriterKind;

std::string Bytes(const std::string& path) {
  std::string bytes;
  platform::ReadWholeFile(path, bytes);
  return bytes;
}

class FullDiskTest : public ::testing::Test {
protected:
  void TearDown() override {
    platform::SimulateFullDisk(-1);
    crash_test::ReleaseWriterKinds();
  }
};

TEST_F(FullDiskTest, EveryWriterFailsWithItsMessageAndKeepsTheEarlierFile) {
  for (const WriterKind& kind : crash_test::WriterKinds()) {
    SCOPED_TRACE(kind.Name);
    test_support::TempFolder shared;
    ASSERT_TRUE(kind.Setup(shared.Path(), test_support::DataPath()));
    ASSERT_TRUE(kind.Write(1).Done);
    const int64_t newSize = int64_t(Bytes(shared.File(kind.File)).size());
    ASSERT_TRUE(kind.Write(0).Done);
    const std::string earlier = Bytes(shared.File(kind.File));
    ASSERT_FALSE(earlier.empty());

    // No room at all, a few bytes, and all but the last byte of the new file.
    for (int64_t room : {int64_t(0), int64_t(5), newSize - 1}) {
      if (room >= newSize) continue; // the marker's four bytes fit in five
      SCOPED_TRACE("room " + std::to_string(room));
      platform::SimulateFullDisk(room);
      const crash_test::WriteResult result = kind.Write(1);
      platform::SimulateFullDisk(-1);
      EXPECT_FALSE(result.Done);
      // The marks and the marker answer their callers, which decide what to
      // say; every other writer reports the file it could not write.
      if (kind.Name != "completion marks" && kind.Name != "player marker") {
        EXPECT_NE(result.Message.find(kind.File.substr(kind.File.rfind('/') + 1)), std::string::npos)
            << result.Message;
      }
      EXPECT_EQ(Bytes(shared.File(kind.File)), earlier);
      EXPECT_TRUE(kind.Reads(0));
      EXPECT_TRUE(crash_test::Temporaries(shared.Path()).empty());
    }
    // With room again the game goes on writing.
    EXPECT_TRUE(kind.Write(1).Done);
    EXPECT_TRUE(kind.Reads(1));
    crash_test::ReleaseWriterKinds();
  }
}

// A new player on a full disk is refused whole: no file, no current player,
// the settings untouched.
TEST_F(FullDiskTest, NoPlayerIsMadeWithoutItsFile) {
  test_support::TempFolder shared;
  const auto kinds = crash_test::WriterKinds();
  ASSERT_TRUE(kinds[0].Setup(shared.Path(), test_support::DataPath()));
  ASSERT_TRUE(kinds[0].Write(0).Done);
  const std::string settings = Bytes(shared.File("marrowdeck.ini"));
  platform::SimulateFullDisk(0);
  EXPECT_EQ(SelectPlayer("Newcomer"), 0);
  platform::SimulateFullDisk(-1);
  EXPECT_FALSE(platform::FileExists(PlayerFilePath("Newcomer")));
  EXPECT_EQ(CurrentProfile, nullptr);
  EXPECT_EQ(Bytes(shared.File("marrowdeck.ini")), settings);
  EXPECT_EQ(SelectPlayer("Newcomer"), 1);
  EXPECT_TRUE(platform::FileExists(PlayerFilePath("Newcomer")));
}

} // namespace
