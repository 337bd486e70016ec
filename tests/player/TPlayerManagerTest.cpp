#include "player/VQPlayerManager.h"

#include "player/PlayerTestWorld.h"
#include "player/PlayerProfiles.h"
#include "player/VQProfile.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogTextInput.h"
#include "ui/TDialogYesNo.h"
#include "ui/TLabel.h"
#include "ui/TListBox.h"
#include "ui/TextTestHelpers.h"

#include <filesystem>

namespace {

namespace keys = platform::keys;
constexpr int KeyYes = keys::A + ('Y' - 'A'), KeyNo = keys::A + ('N' - 'A');

// The game's manager over the world's profile folder, its list in the game's font.
class PlayerManagerTest : public PlayerTestWorld {
protected:
  void SetUp() override {
    PlayerTestWorld::SetUp();
    PutPanel("manager", 460, 440);
  }
  std::shared_ptr<VQPlayerManager> Open() {
    auto manager = VQPlayerManager::CreateForGame();
    manager->ListBox->SetupFont(text_test::Carlito(20), nullptr, nullptr);
    manager->BoxSize();
    for (int i = 0; i < 200 && manager->Transitioning; ++i) Tick(*manager);
    return manager;
  }
  void ClickLine(TPlayerManager& manager, int row) {
    const TListBox& list = *manager.ListBox;
    PointAt(int(list.BoxX) + 20, int(list.BoxY) + row * list.LineHeight + list.LineHeight / 2);
    Press();
    Tick(manager);
  }
  void Click(TPlayerManager& manager, const std::string& button) {
    ClickOn(*manager.Menu, button);
    Tick(manager);
  }
  // The open sub-dialog's text, "" without one.
  static std::string Shown(const TPlayerManager& manager) {
    if (manager.DialogOK) return manager.DialogOK->Caption->Text;
    if (manager.DialogYesNo) return manager.DialogYesNo->Caption->Text;
    return "";
  }
  // Ticks until the sub-dialog has opened, answers it with `key`, ticks until it has gone.
  void Answer(TPlayerManager& manager, int key) {
    auto opening = [&manager] {
      return (manager.DialogYesNo && manager.DialogYesNo->Transitioning) ||
             (manager.DialogOK && manager.DialogOK->Transitioning);
    };
    for (int i = 0; i < 200 && opening(); ++i) Tick(manager);
    Key(key);
    for (int i = 0; i < 200 && (manager.DialogYesNo || manager.DialogOK); ++i) Tick(manager);
  }
  // "Create", then `typed` (ending in "\r" to confirm) in the name prompt.
  void CreateTyping(TPlayerManager& manager, const std::string& typed) {
    Click(manager, "Create");
    ASSERT_TRUE(manager.EnterName);
    for (int i = 0; i < 200 && manager.EnterName->Transitioning; ++i) Tick(manager);
    QueueChars(typed);
  }
  void Players(std::initializer_list<const char*> names) {
    for (const char* name : names) PlantPlayer(name);
  }
};

TEST_F(PlayerManagerTest, ListsThePlayersAndChoosesWithOKOrADoubleClick) {
  Players({"Anna", "ben", "Cara", ""});
  shared.Write("profiles/notes.txt", "");
  ASSERT_EQ(SelectPlayer("Cara"), 1);
  auto manager = Open();
  EXPECT_EQ(manager->ListBox->Strings, (std::vector<std::string>{"Anna", "ben", "Cara"}));
  EXPECT_EQ(manager->ListBox->Value, "Cara") << "the current player is selected";

  ClickLine(*manager, 1);
  Click(*manager, "OK");
  EXPECT_EQ(RunUntilResult(*manager), 1);
  EXPECT_EQ(Game->ProfileName, "ben");
  EXPECT_EQ(CurrentProfile->Name, "ben");
  EXPECT_EQ(Setting("PROFILE NAME"), "ben");

  auto second = Open();
  ClickLine(*second, 0);
  PointAt(int(second->ListBox->BoxX) + 20, int(second->ListBox->BoxY) + second->ListBox->LineHeight / 2);
  Press();
  EXPECT_EQ(Tick(*second) + RunUntilResult(*second), 1);
  EXPECT_EQ(Game->ProfileName, "Anna");
}

TEST_F(PlayerManagerTest, ANewPlayerGetsACapitalBecomesCurrentAndClosesTheManager) {
  Players({"Anna"});
  ASSERT_EQ(SelectPlayer("Anna"), 1);
  auto manager = Open();
  CreateTyping(*manager, "x");
  Key(keys::Escape); // the prompt's Cancel leaves the manager as it was
  for (int i = 0; i < 20 && manager->EnterName; ++i) Tick(*manager);
  EXPECT_FALSE(manager->EnterName);
  EXPECT_EQ(manager->Active, 1);
  EXPECT_EQ(Game->ProfileName, "Anna");

  CreateTyping(*manager, "\xF6l\r"); // "öl"
  EXPECT_EQ(RunUntilResult(*manager), 1);
  EXPECT_TRUE(platform::FileExists(Profiles("\xD6l.dat")));
  EXPECT_EQ(Game->ProfileName, "\xD6l");
  EXPECT_EQ(Setting("PROFILE NAME"), "\xD6l");
  EXPECT_EQ(manager->ListBox->Value, "\xD6l");
}

TEST_F(PlayerManagerTest, SevenPlayersAtMostAndNeverLessThanOne) {
  Players({"Anna"});
  ASSERT_EQ(SelectPlayer("Anna"), 1);
  auto alone = Open();
  Click(*alone, "Delete");
  EXPECT_EQ(Shown(*alone), Message("Player One Player"));
  Answer(*alone, keys::Enter);
  EXPECT_TRUE(platform::FileExists(Profiles("Anna.dat")));
  // A line, Delete, the message's OK and the same line again are no double click.
  ClickLine(*alone, 0);
  Click(*alone, "Delete");
  ASSERT_TRUE(alone->DialogOK);
  for (int i = 0; i < 200 && alone->DialogOK->Transitioning; ++i) Tick(*alone);
  ClickOn(*alone->DialogOK->Menu, "OK");
  for (int i = 0; i < 200 && alone->DialogOK; ++i) Tick(*alone);
  ClickLine(*alone, 0);
  EXPECT_EQ(alone->Transitioning, 0) << "the manager closed as if Anna had been double-clicked";

  Players({"Ben", "Cara", "Dora", "Emil", "Fay", "Gus"});
  auto full = Open();
  ASSERT_EQ(full->ListBox->Strings.size(), 7u);
  Click(*full, "Create");
  EXPECT_EQ(Shown(*full), Message("Player No More"));
  EXPECT_FALSE(full->EnterName) << "no name is asked for";
  Answer(*full, keys::Escape);
  EXPECT_EQ(full->Active, 1) << "Escape closes only the message";
}

TEST_F(PlayerManagerTest, DeleteAsksFirstAndCancelHandsOverToTheFirstPlayerLeft) {
  Players({"Anna", "Ben", "Cara"});
  shared.Write("profiles/Bents.ini", "001=1\r\n");
  shared.Write("profiles/Annats.ini", "001=1\r\n");
  ASSERT_EQ(SelectPlayer("Ben"), 1);
  auto manager = Open();
  Click(*manager, "Delete");
  EXPECT_EQ(Shown(*manager), Message("Player Delete Player"));
  Answer(*manager, KeyNo);
  EXPECT_TRUE(platform::FileExists(Profiles("Ben.dat")));

  Click(*manager, "Delete");
  Answer(*manager, KeyYes);
  EXPECT_FALSE(platform::FileExists(Profiles("Ben.dat")));
  EXPECT_FALSE(platform::FileExists(Profiles("Bents.ini"))) << "a deleted player's marks go with it";
  EXPECT_TRUE(platform::FileExists(Profiles("Annats.ini")));
  EXPECT_EQ(manager->ListBox->Strings, (std::vector<std::string>{"Anna", "Cara"}));
  Key(keys::Escape);
  EXPECT_EQ(RunUntilResult(*manager), -1);
  EXPECT_EQ(Game->ProfileName, "Anna") << "the deleted player's place goes to the first one left";
  EXPECT_EQ(Setting("PROFILE NAME"), "Anna");

  ASSERT_EQ(SelectPlayer("Cara"), 1);
  auto second = Open();
  ClickLine(*second, 0);
  Click(*second, "Cancel");
  EXPECT_EQ(RunUntilResult(*second), -1);
  EXPECT_EQ(Game->ProfileName, "Cara") << "Cancel keeps the current player";
}

TEST_F(PlayerManagerTest, AListedNameNoPlayerCanHaveIsRefusedWithItsReason) {
  // Files left in the folder by hand: too long, a banned character, a dot at the end.
  Players({"Anna", "Bartholomew", "Be;n", "Cara."});
  ASSERT_EQ(SelectPlayer("Anna"), 1);
  auto manager = Open();
  ASSERT_EQ(manager->ListBox->Strings, (std::vector<std::string>{"Anna", "Bartholomew", "Be;n", "Cara."}));
  const std::pair<int, std::string> refusals[] = {
      {1, Message("Name Too Long")}, {2, Message("Name Bad Character") + ";"}, {3, Message("Name Bad End")}};
  for (const auto& [row, reason] : refusals) {
    ClickLine(*manager, row);
    Click(*manager, "OK");
    EXPECT_EQ(Shown(*manager), reason) << manager->ListBox->Value;
    Answer(*manager, keys::Enter);
    EXPECT_EQ(manager->Active, 1);
    EXPECT_EQ(Game->ProfileName, "Anna");
  }
  EXPECT_EQ(Setting("PROFILE NAME"), "Anna");
}

TEST_F(PlayerManagerTest, AFolderThatFailsShowsTheErrorAndKeepsTheList) {
  Players({"Anna", "Ben"});
  ASSERT_EQ(SelectPlayer("Anna"), 1);
  auto manager = Open();
  const auto list = manager->ListBox->Strings;

  // "Ben.dat" turns into a folder the delete cannot remove.
  ClickLine(*manager, 1);
  std::filesystem::remove(Profiles("Ben.dat"));
  shared.Write("profiles/Ben.dat/inside", "x");
  Click(*manager, "Delete");
  Answer(*manager, KeyYes);
  for (int i = 0; i < 5 && !manager->DialogOK; ++i) Tick(*manager);
  EXPECT_EQ(Shown(*manager), Message("Could Not Delete File") + "Ben.dat'.");
  Answer(*manager, keys::Enter);
  EXPECT_EQ(manager->ListBox->Strings, list);

  // The whole profile folder goes: creating and listing fail, nothing changes.
  std::filesystem::remove_all(Profiles());
  CreateTyping(*manager, "Cara\r");
  for (int i = 0; i < 200 && !manager->DialogOK; ++i) Tick(*manager);
  EXPECT_EQ(Shown(*manager), Message("Could Not Create File") + "Cara.dat'.");
  Answer(*manager, keys::Enter);
  EXPECT_EQ(manager->Active, 1);
  EXPECT_EQ(Game->ProfileName, "Anna");
  EXPECT_EQ(manager->FillList(), 0);
  EXPECT_EQ(Shown(*manager), Message("Failed Read Directory") + Profiles() + "'");
  EXPECT_EQ(manager->ListBox->Strings, list);
}

} // namespace
