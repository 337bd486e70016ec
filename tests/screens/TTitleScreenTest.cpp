#include "screens/TTitleScreen.h"

#include "app/AppGlobals.h"
#include "player/PlayerProfiles.h"
#include "player/PlayerTestWorld.h"
#include "player/VQPlayerManager.h"
#include "player/VQProfile.h"
#include "ui/TDialogTextInput.h"

namespace {

namespace keys = platform::keys;

// The title screen over the world's folders, with stand-ins for its pictures.
class TitlePlayersTest : public PlayerTestWorld {
protected:
  void SetUp() override {
    PlayerTestWorld::SetUp();
    for (const char* name : {"logo", "play", "help", "options", "highscore", "Exit", "exit", "changeplayer"}) {
      WritePicture(name, 120, 40);
      WritePicture(std::string(name) + "MO", 120, 40);
    }
    PutPanel("titlescreen", 800, 600);
    PutPanel("particle1", 8, 8);
  }
  void Arrive() {
    TitleScreen->Load();
    TitleScreen->Start();
  }
  void Run(int ticks) {
    for (int i = 0; i < ticks; ++i) {
      TitleScreen->Logic();
      Mouse().ClearMouseHit();
    }
  }
};

TEST_F(TitlePlayersTest, TheFirstArrivalAsksForANameOnlyOnce) {
  Arrive();
  ASSERT_TRUE(TitleScreen->EnterName);
  EXPECT_FALSE(TitleScreen->EnterName->Menu->FindButton("Cancel"));
  Run(100);
  QueueChars("Anna\r");
  Run(150);
  EXPECT_FALSE(TitleScreen->EnterName);
  ASSERT_TRUE(CurrentProfile);
  EXPECT_EQ(CurrentProfile->Name, "Anna");
  EXPECT_TRUE(platform::FileExists(Profiles("Anna.dat")));
  EXPECT_EQ(Setting("PROFILE NAME"), "Anna");
  EXPECT_EQ(Game->IgnoreEscapeKey, 0) << "Escape belongs to the title again";

  TitleScreen->Kill();
  Arrive();
  EXPECT_FALSE(TitleScreen->EnterName);
  EXPECT_FALSE(TitleScreen->PlayerManager);
}

TEST_F(TitlePlayersTest, AStoredPathOpensTheManagerWhichEscapeCancels) {
  PlantPlayer("Anna");
  PlantPlayer("Ben");
  Game->ProfileName = "../../evil";
  Arrive();
  EXPECT_FALSE(TitleScreen->EnterName);
  ASSERT_TRUE(TitleScreen->PlayerManager);
  EXPECT_EQ(Game->IgnoreEscapeKey, 1) << "Escape goes to the manager, not to the exit screen";
  Run(100);
  Key(keys::Escape);
  Run(100);
  EXPECT_FALSE(TitleScreen->PlayerManager);
  EXPECT_EQ(Game->ProfileName, "Anna") << "cancelled without a player: the first one is taken";
  EXPECT_EQ(Game->IgnoreEscapeKey, 0) << "Escape belongs to the title again";
  EXPECT_EQ(platform::ListFolder(Profiles()), (std::vector<std::string>{"Anna.dat", "Ben.dat"}));
  EXPECT_FALSE(platform::FileExists(shared.Path() + "../evil.dat"));
}

} // namespace
