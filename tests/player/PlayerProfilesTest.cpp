#include "player/PlayerProfiles.h"

#include "player/PlayerTestWorld.h"
#include "player/TSolitaireHighScoreList.h"
#include "player/VQProfile.h"
#include "support/ThrowingErrorHandler.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogTextInput.h"
#include "ui/TLabel.h"
#include "ui/TMenu.h"
#include "ui/TTextInput.h"

#include <stdexcept>

namespace {

namespace keys = platform::keys;

const std::string Marker("\x01\0\0\0", 4);

class PlayerProfilesTest : public PlayerTestWorld {
protected:
  std::vector<std::string> Players() {
    std::vector<std::string> names;
    EXPECT_TRUE(ListPlayers(names));
    return names;
  }
  // Every file under the shared data folder's parent, so that a file made
  // outside the profile folder shows.
  std::vector<std::string> FilesAround() {
    std::vector<std::string> all;
    for (const std::string& name : platform::ListFolder(shared.Path(), "", true)) all.push_back(name);
    for (const std::string& name : platform::ListFolder(Profiles())) all.push_back("profiles/" + name);
    return all;
  }
};

TEST_F(PlayerProfilesTest, SelectingAPlayerWritesItsMarkerAndTheSettings) {
  ASSERT_EQ(SelectPlayer("Anna"), 1);
  EXPECT_EQ(Bytes(Profiles("Anna.dat")), Marker);
  EXPECT_EQ(Setting("PROFILE NAME"), "Anna");
  ASSERT_TRUE(CurrentProfile);
  EXPECT_EQ(CurrentProfile->Name, "Anna");
  EXPECT_TRUE(platform::FileExists(shared.File("inichanged.dat")));

  // An existing player, typed in another case, is that player.
  ASSERT_EQ(SelectPlayer("Ben"), 1);
  ASSERT_EQ(SelectPlayer("aNNA"), 1);
  EXPECT_EQ(Game->ProfileName, "Anna");
  EXPECT_EQ(Players(), (std::vector<std::string>{"Anna", "Ben"}));
  EXPECT_EQ(Setting("PROFILE NAME"), "Anna");
}

TEST_F(PlayerProfilesTest, NamesThatCannotBeFileNamesAreRefusedAndChangeNothing) {
  ASSERT_EQ(SelectPlayer("Anna"), 1);
  const auto before = FilesAround();
  for (const std::string& name : {std::string("../x"), std::string("a/b"), std::string(".."), std::string(""),
                                  std::string("Abcdefghijk"), std::string("Tab\tName"), std::string("Ann."),
                                  std::string("C:evil"), std::string("Back\\slash")})
    EXPECT_EQ(SelectPlayer(name), 0) << name;
  EXPECT_EQ(FilesAround(), before);
  EXPECT_EQ(Game->ProfileName, "Anna");
  EXPECT_EQ(CurrentProfile->Name, "Anna");
  EXPECT_EQ(SelectPlayer("Abcdefghij"), 1) << "ten characters are allowed";
}

TEST_F(PlayerProfilesTest, AMarkerFileCutShortStillMakesAPlayer) {
  PlantPlayer("Anna", "");
  PlantPlayer("Ben", std::string("\x01\0", 2));
  EXPECT_EQ(Players(), (std::vector<std::string>{"Anna", "Ben"}));
  auto anna = CreateGameProfile("Anna");
  EXPECT_EQ(anna->Load(), 1);
  EXPECT_EQ(Bytes(Profiles("Anna.dat")), "") << "an existing marker is left as it is";
  Game->ProfileName = "Ben";
  EXPECT_EQ(StartupPlayerCheck(), TPlayerStartup::Ready);
  EXPECT_EQ(CurrentProfile->Name, "Ben");
  // A missing marker is written whole, crash-safely (no temporary left).
  auto cara = CreateGameProfile("Cara");
  EXPECT_EQ(cara->Load(), 0);
  EXPECT_EQ(Bytes(Profiles("Cara.dat")), Marker);
  EXPECT_EQ(platform::ListFolder(Profiles()), (std::vector<std::string>{"Anna.dat", "Ben.dat", "Cara.dat"}));
}

TEST_F(PlayerProfilesTest, StartUpAsksChoosesOrTakesTheStoredPlayer) {
  EXPECT_EQ(StartupPlayerCheck(), TPlayerStartup::AskName);
  PlantPlayer(""); // a stray bare ".dat" is no player
  EXPECT_EQ(StartupPlayerCheck(), TPlayerStartup::AskName);

  PlantPlayer("Anna");
  Game->ProfileName = "";
  EXPECT_EQ(StartupPlayerCheck(), TPlayerStartup::ChoosePlayer);
  EXPECT_FALSE(platform::FileExists(Profiles(".dat"))) << "the stray file goes";
  EXPECT_FALSE(CurrentProfile);

  // A stored name of a player whose file went is that player again.
  Game->ProfileName = "Dora";
  EXPECT_EQ(StartupPlayerCheck(), TPlayerStartup::Ready);
  EXPECT_EQ(Bytes(Profiles("Dora.dat")), Marker);
  EXPECT_EQ(CurrentProfile->Name, "Dora");

  // An unreadable profile folder leaves nothing to play with.
  test_support::ThrowingErrorHandler throwing;
  Game->ProfilePath = shared.Path() + "gone/";
  try {
    StartupPlayerCheck();
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), Message("Failed Read Directory") + shared.Path() + "gone/'");
  }
}

TEST_F(PlayerProfilesTest, AStoredNameThatIsAPathIsTakenForNoName) {
  PlantPlayer("Anna");
  const auto before = FilesAround();
  for (const std::string& planted : {std::string("../../evil"), std::string("/tmp/evil"), std::string("a\x01"),
                                     std::string("Far too long a name")}) {
    Game->ProfileName = planted;
    EXPECT_EQ(StartupPlayerCheck(), TPlayerStartup::ChoosePlayer) << planted;
    EXPECT_EQ(Game->ProfileName, "");
    EXPECT_FALSE(CurrentProfile);
  }
  EXPECT_EQ(FilesAround(), before);
  EXPECT_FALSE(platform::FileExists(shared.Path() + "../evil.dat"));
}

TEST_F(PlayerProfilesTest, NamesAboveAsciiSurviveSettingsListAndHighScores) {
  const std::string ol = "\xD6l", zoe = "Zo\xEB"; // "Öl" and "Zoë" in the game's 8-bit text
  ASSERT_EQ(SelectPlayer(ol), 1);
  ASSERT_EQ(SelectPlayer(zoe), 1);
  EXPECT_EQ(Players(), (std::vector<std::string>{zoe, ol})); // by byte value, ignoring the case of A..Z
  EXPECT_TRUE(platform::FileExists(Profiles(zoe + ".dat")));

  // The settings file read back by a fresh start.
  Game->ProfileName.clear();
  Game->Ini.Load();
  Game->IniExtract();
  EXPECT_EQ(Game->ProfileName, zoe);
  EXPECT_EQ(StartupPlayerCheck(), TPlayerStartup::Ready);
  EXPECT_EQ(CurrentProfile->Name, zoe);

  TSolitaireHighScoreList table;
  table.Create("tripeaks", 10);
  table.Insert(ol, 500);
  table.Insert(Game->ProfileName, 400);
  ASSERT_EQ(table.Save(), 1);
  TSolitaireHighScoreList reread;
  reread.Create("tripeaks", 10);
  ASSERT_EQ(reread.Load(), 1);
  ASSERT_EQ(reread.Items.size(), 2u);
  EXPECT_EQ(reread.Items[0]->name, ol);
  EXPECT_EQ(reread.Items[1]->name, zoe);
}

TEST_F(PlayerProfilesTest, NamePromptHasNoCancelOnFirstStartAndRefusesPathsWithTheReason) {
  auto prompt = CreatePlayerNamePrompt(0);
  EXPECT_FALSE(prompt->Menu->FindButton("Cancel"));
  for (int i = 0; i < 200 && prompt->Transitioning; ++i) Tick(*prompt);
  QueueChars("\x1B");
  Key(keys::Escape);
  TickQuietly(*prompt, 5);
  EXPECT_EQ(prompt->Active, 1) << "Escape does not close the first prompt";

  QueueChars("../x\r");
  TickQuietly(*prompt, 6);
  ASSERT_TRUE(prompt->DialogOK) << "the name is typed as it is and refused with the reason";
  EXPECT_EQ(prompt->DialogOK->Caption->Text, Message("Name Bad Character") + "/");
  for (int i = 0; i < 200 && prompt->DialogOK; ++i) {
    if (!prompt->DialogOK->Transitioning) Key(keys::Escape);
    Tick(*prompt);
  }
  ASSERT_FALSE(prompt->DialogOK);
  prompt->TextInput->Text.clear();
  QueueChars("anna\r");
  EXPECT_EQ(RunUntilResult(*prompt), 1);
  EXPECT_EQ(prompt->Value(), "anna") << "the first prompt keeps the name as typed";

  auto second = CreatePlayerNamePrompt(1);
  EXPECT_TRUE(second->Menu->FindButton("Cancel"));
  EXPECT_EQ(second->TextInput->MaxLength, 10);
}

} // namespace
