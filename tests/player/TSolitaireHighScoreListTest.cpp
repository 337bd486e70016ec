#include "support/GameWorld.h"
#include "support/ThrowingErrorHandler.h"

#include "app/TGame.h"
#include "platform/Files.h"
#include "player/TSolitaireHighScoreList.h"
#include "resources/TGameText.h"

#include <stdexcept>

namespace {

std::string ReadBytes(const std::string& path) {
  std::string bytes;
  platform::ReadWholeFile(path, bytes);
  return bytes;
}

std::string Entry(const std::string& name, uint32_t score) {
  std::string bytes;
  for (unsigned char ch : name) bytes.push_back(char((ch + 99) % 256));
  bytes.push_back('\0');
  for (int i = 0; i < 4; ++i) bytes.push_back(char((score >> (8 * i)) & 0xFF));
  return bytes;
}

// A table in a temporary profile folder, with the game's default names.
class HighScoreListTest : public test_support::GameWorld {
protected:
  void SetUp() override {
    test_support::GameWorld::SetUp();
    Game->ProfilePath = folder.Path();
    std::string text;
    for (int i = 1; i <= 10; ++i) text += "[TEXT]\nHighscore Name " + std::to_string(i) + "\nName" + std::to_string(i) + "\n";
    text += "[TEXT]\nFailed Save File\nCould not save the file \n";
    folder.Write("gametext.txt", text);
    GameText = TGameText::Create(folder.File("gametext.txt"));
    table.Create("klondike", 10);
  }
  std::vector<int32_t> Scores() const {
    std::vector<int32_t> scores;
    for (const auto& entry : table.Items) scores.push_back(entry->score);
    return scores;
  }
  TSolitaireHighScoreList table;
};

TEST_F(HighScoreListTest, RanksScoresAndKeepsTheBestTen) {
  table.Load(); // no file yet: the defaults, 200 down to 10
  ASSERT_EQ(Scores(), (std::vector<int32_t>{200, 170, 150, 130, 110, 90, 70, 50, 30, 10}));
  EXPECT_EQ(table.Items[0]->name, "Name1");

  // Equal to the last: it does not enter.
  EXPECT_EQ(table.GetPosition(10), 0);
  EXPECT_EQ(table.Insert("Zed", 10), 0);
  // One better than the last: tenth, the old tenth drops out.
  EXPECT_EQ(table.GetPosition(11), 10);
  EXPECT_EQ(table.Insert("Eve", 11), 1);
  EXPECT_EQ(table.Items.size(), 10u);
  EXPECT_EQ(table.Items[9]->name, "Eve");
  // An equal score ranks below the earlier one, where GetPosition said.
  EXPECT_EQ(table.GetPosition(150), 4);
  table.Insert("Bob", 150);
  EXPECT_EQ(table.Items[2]->name, "Name3");
  EXPECT_EQ(table.Items[3]->name, "Bob");
  // Above the best: first.
  EXPECT_EQ(table.GetPosition(201), 1);
  // A short table takes any score at its end.
  table.Zero(3);
  EXPECT_EQ(table.GetPosition(0), 4);
  EXPECT_EQ(table.Insert("Low", -5), 1);
  EXPECT_EQ(table.Items.back()->name, "Low");
}

TEST_F(HighScoreListTest, FileBytesRoundTripEveryName) {
  table.Add("Ann", 300);
  table.Add("\xE9l\xE8ne", 7);      // Latin-1 letters
  table.Add(std::string("a\x9D" "b"), -1); // the code that would shift onto the terminator
  ASSERT_EQ(table.Save(), 1);
  const std::string bytes = ReadBytes(folder.File("klondike.hsdat"));
  EXPECT_EQ(bytes, Entry("Ann", 300) + Entry("\xE9l\xE8ne", 7) + Entry("a?b", 0xFFFFFFFFu));

  TSolitaireHighScoreList again;
  again.Create("klondike", 10);
  EXPECT_EQ(again.Load(), 1);
  ASSERT_EQ(again.Items.size(), 3u);
  EXPECT_EQ(again.Items[1]->name, "\xE9l\xE8ne");
  EXPECT_EQ(again.Items[2]->name, "a?b");
  EXPECT_EQ(again.Items[2]->score, -1);
}

TEST_F(HighScoreListTest, MissingFileGetsDefaultsButAnUnreadableOneIsLeftAlone) {
  table.Load();
  // Written at once: "Name1".."Name9" take 10 bytes each, "Name10" 11.
  EXPECT_EQ(platform::FileSize(folder.File("klondike.hsdat")), 101);

  // A file that exists but cannot be read (here: far too large to be a
  // table) keeps its bytes; the game plays on with the defaults in memory.
  const std::string huge(2 << 20, 'x');
  folder.Write("klondike.hsdat", huge);
  EXPECT_EQ(table.Load(), 0);
  EXPECT_EQ(table.Items.size(), 10u);
  EXPECT_EQ(ReadBytes(folder.File("klondike.hsdat")), huge);
}

TEST_F(HighScoreListTest, DamagedFilesReadWhatIsWholeAndAtMostTen) {
  std::string eleven;
  for (int i = 0; i < 11; ++i) eleven += Entry("P" + std::to_string(i), uint32_t(100 - i));
  folder.Write("klondike.hsdat", eleven);
  table.Load();
  EXPECT_EQ(table.Items.size(), 10u);

  // Cut inside the second score, inside the second name: the first stays.
  const std::string two = Entry("Ann", 5) + Entry("Bob", 4);
  for (size_t cut : {two.size() - 2, size_t(10)}) {
    folder.Write("klondike.hsdat", two.substr(0, cut));
    table.Load();
    ASSERT_EQ(table.Items.size(), 1u);
    EXPECT_EQ(table.Items[0]->score, 5);
  }
  // A name longer than any table holds is damage, not a name.
  folder.Write("klondike.hsdat", Entry("Ann", 5) + Entry(std::string(300, 'n'), 4));
  table.Load();
  ASSERT_EQ(table.Items.size(), 1u);
  EXPECT_EQ(table.Items[0]->name, "Ann");
}

TEST_F(HighScoreListTest, AFailedSaveIsReportedAndTheTableKept) {
  table.filepath = folder.Path() + "no such folder/klondike.hsdat";
  table.Add("Ann", 5);
  test_support::ThrowingErrorHandler throwing;
  try {
    table.Save();
    ADD_FAILURE() << "no report";
  } catch (const std::runtime_error& error) {
    const std::string message = error.what();
    EXPECT_EQ(message.rfind("Could not save the file", 0), 0u) << message;
    EXPECT_EQ(message.substr(message.size() - table.filepath.size()), table.filepath);
  }
  EXPECT_EQ(table.Items.size(), 1u);
}

} // namespace
