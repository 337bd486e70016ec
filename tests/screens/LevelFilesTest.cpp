#include "support/TempFolder.h"

#include "platform/Files.h"
#include "player/PlayerProfiles.h"
#include "player/PlayerTestWorld.h"
#include "screens/LevelFiles.h"

#include <gtest/gtest.h>

namespace {

std::string ReadText(const std::string& path) {
  std::string text;
  platform::ReadWholeFile(path, text);
  return text;
}

TEST(LevelFilesTest, CompletionMarksKeepOtherLayoutsAndOneLinePerLayout) {
  test_support::TempFolder folder;
  const std::string file = folder.File("annms");
  folder.Write("annms.ini", "007=1\r\n012=0\r\n012=0\r\n");

  EXPECT_EQ(MarkLevelCompleted(file, "/data/layouts/matching/012.layout", "1"), 1);
  EXPECT_EQ(ReadText(file + ".ini"), "007=1\r\n012=1\r\n");
  // Already marked: the file is not written again.
  platform::WriteFileAtomic(file + ".ini", std::string("007=1\r\n012=1\r\n"));
  EXPECT_EQ(MarkLevelCompleted(file, "012.layout", "1"), 1);
  EXPECT_EQ(ReadText(file + ".ini"), "007=1\r\n012=1\r\n");
  // A custom name is keyed in upper case; a missing file is created.
  EXPECT_EQ(MarkLevelCompleted(folder.File("annmc"), "/p/My Hill.layout", "1"), 1);
  EXPECT_EQ(ReadText(folder.File("annmc.ini")), "MY HILL=1\r\n");
  // No layout (a game resumed from a save): nothing is marked.
  EXPECT_EQ(MarkLevelCompleted(folder.File("annts"), "", "1"), 0);
  EXPECT_FALSE(platform::FileExists(folder.File("annts.ini")));
  // A folder that cannot be written to answers 0 instead of ending the game.
  EXPECT_EQ(MarkLevelCompleted(folder.File("none/annts"), "001.layout", "1"), 0);
}

// Completed layouts are marked in the current player's own files.
class PlayerMarksTest : public PlayerTestWorld {
protected:
  // The Tri Peaks standard marks of the current player.
  std::string TriPeaksMarks() { return PlayerCompletedFiles(Game->ProfileName)[2]; }
};

TEST_F(PlayerMarksTest, ALayoutWonByOnePlayerIsNotMarkedForAnother) {
  const std::string layout = "/data/layouts/tripeaks/004.layout";
  ASSERT_EQ(SelectPlayer("Anna"), 1);
  ASSERT_EQ(MarkLevelCompleted(TriPeaksMarks(), layout, "1"), 1);
  ASSERT_EQ(SelectPlayer("Zo\xEB"), 1);
  EXPECT_EQ(ReadText(TriPeaksMarks() + ".ini"), "") << "not ticked for the other player";
  ASSERT_EQ(MarkLevelCompleted(TriPeaksMarks(), "/data/layouts/tripeaks/009.layout", "1"), 1);
  EXPECT_EQ(ReadText(Profiles("Zo\xEBts.ini")), "009=1\r\n") << "a name above ASCII names its file unchanged";
  ASSERT_EQ(SelectPlayer("Anna"), 1);
  EXPECT_EQ(ReadText(TriPeaksMarks() + ".ini"), "004=1\r\n");
  EXPECT_EQ(TriPeaksMarks(), Profiles("Annats"));
}

TEST(LevelFilesTest, NextLayoutFollowsTheNumbersAndWrapsToTheFirst) {
  test_support::TempFolder folder;
  for (const char* name : {"001.layout", "002.layout", "010.layout", "080.layout"}) folder.Write(name, "");
  const std::string dir = folder.Path();
  EXPECT_EQ(NextLayoutPath(dir + "001.layout", dir, "layout", 80, "001"), dir + "002.layout");
  EXPECT_EQ(NextLayoutPath(dir + "009.layout", dir, "layout", 80, "001"), dir + "010.layout");
  EXPECT_EQ(NextLayoutPath(dir + "002.layout", dir, "layout", 80, "001"), dir + "001.layout"); // 003 is missing
  EXPECT_EQ(NextLayoutPath(dir + "080.layout", dir, "layout", 80, "001"), dir + "001.layout"); // the last
  EXPECT_EQ(NextLayoutPath("", dir, "layout", 32, "001"), dir + "001.layout");
}

TEST(LevelFilesTest, TableDesignCyclesThroughSixForEveryNumber) {
  EXPECT_EQ(CardBackgroundForLayout(1), 1);
  EXPECT_EQ(CardBackgroundForLayout(6), 6);
  EXPECT_EQ(CardBackgroundForLayout(7), 1);
  EXPECT_EQ(CardBackgroundForLayout(0), 6);
  EXPECT_EQ(CardBackgroundForLayout(-5), 1);
  EXPECT_EQ(LayoutNumber("/x/y/017.layout"), 17);
  EXPECT_EQ(LayoutNumber("/x/y/My Hill.layout"), 0);
}

} // namespace
