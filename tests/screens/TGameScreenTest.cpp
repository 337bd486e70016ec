// The game session on the real game screen: Klondike dealt as the play
// screen deals it, played through the player's input, with the pause menu,
// saved games and the end of a level.
#include "SessionWorld.h"

#include "app/InputTables.h"
#include "app/TMousePointer.h"
#include "effects/TParticleList.h"
#include "platform/Files.h"
#include "platform/Keys.h"
#include "player/TSolitaireHighScoreList.h"
#include "resources/TGameText.h"
#include "screens/TGameGUI.h"
#include "screens/TGameMenu.h"
#include "screens/TGameScreen.h"
#include "screens/TLevelPlayScreen.h"
#include "screens/TPlayScreen.h"
#include "solitaire/LevelTimer.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameMode.h"
#include "solitaire/TGameModeKlondike.h"
#include "solitaire/TGameModeMatching.h"
#include "solitaire/TState.h"
#include "solitaire/VictoryParticles.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogYesNo.h"
#include "ui/TDialogTextInput.h"
#include "ui/TLabel.h"
#include "ui/TMenu.h"

namespace {

class GameScreenTest : public SessionWorld {
protected:
  void SetUp() override {
    SessionWorld::SetUp();
    for (auto* table : {GamePlay->HighscoreListSolitaire.get()}) {
      table->Create("klondike", 10);
      table->Load();
    }
    // What the play screen's "klondike" does.
    StartLevelTimer();
    GamePlay->Init(2, -1);
    mode = std::static_pointer_cast<TGameModeKlondike>(GamePlay->GameMode);
    mode->Seed(3);
    GameGUI->Start(1);
    ASSERT_EQ(mode->Init(KlondikeLayoutPath(), 0), 1);
    GameScreen->Load();
    GameScreen->Start();
    Game->GameFade.Active = 0;
  }
  void Settle() { ASSERT_TRUE(TickUntil([&] { return !mode->IsBusy(); }, 5000)); }
  std::string SavedBytes(const std::string& name) {
    EXPECT_EQ(GameGUI->SaveGameAs(name), 1);
    std::string bytes;
    platform::ReadWholeFile(folder.File(name + ".ksave"), bytes);
    // The table without its play time, which runs on between two saves.
    const size_t first = bytes.find('\n'), second = bytes.find('\n', first + 1);
    return second == std::string::npos ? bytes : bytes.substr(0, first + 1) + bytes.substr(second + 1);
  }
  void CloseMessage() {
    ASSERT_TRUE(GameGUI->OKInput);
    WaitOpen(*GameGUI->OKInput);
    TapKey("Return");
    ASSERT_TRUE(TickUntil([] { return !GameGUI->OKInput; }, 400));
  }
  std::shared_ptr<TGameModeKlondike> mode;
};

TEST_F(GameScreenTest, SavingWaitsForTheTableToRestAndDamagedSavesNeverEndTheGame) {
  // A card turning from the stock when the pause menu opens stays in the
  // air: "savegame" shows disabled and a click on it asks nothing.
  Settle();
  Tick(110);
  Click(230, 70);
  ASSERT_TRUE(mode->IsBusy());
  TapKey("Escape");
  Tick(60);
  ASSERT_EQ(GameMenu->Active, 1);
  EXPECT_TRUE(mode->IsBusy());
  auto save = GameMenu->Buttons->FindButton("savegame");
  ASSERT_TRUE(save);
  EXPECT_EQ(save->Disabled, 1);
  ClickButton(*GameMenu->Buttons, "savegame");
  EXPECT_FALSE(GameGUI->SaveGameNameInput);
  EXPECT_EQ(GameGUI->SaveGameAs("early"), 0);
  EXPECT_FALSE(platform::FileExists(folder.File("early.ksave")));
  EXPECT_FALSE(GameGUI->OKInput);
  TapKey("Escape");
  Tick(60);
  ASSERT_EQ(GameMenu->Active, 0);
  Settle();
  // At rest the same button asks for the name.
  TapKey("Escape");
  Tick(60);
  EXPECT_EQ(save->Disabled, 0);
  ClickButton(*GameMenu->Buttons, "savegame");
  ASSERT_TRUE(GameGUI->SaveGameNameInput);
  WaitOpen(*GameGUI->SaveGameNameInput);
  TapKey("Escape");
  ASSERT_TRUE(TickUntil([] { return !GameGUI->SaveGameNameInput; }, 400));
  TapKey("Escape");
  Tick(60);
  ASSERT_EQ(GameMenu->Active, 0);

  const std::string before = SavedBytes("before");
  const std::vector<std::pair<const char*, std::string>> hostile = {
      {"empty", ""},
      {"truncated", before.substr(0, before.size() / 3)},
      {"garbage", "\x01\xff nonsense\r\n"},
      {"P beyond the stock", "Marrowdeck Klondike Savegame\r\n0\r\n0\r\n99\r\n" + before.substr(before.find("1,1,1"))}};
  for (const auto& [what, bytes] : hostile) {
    folder.Write("bad.ksave", bytes);
    EXPECT_EQ(GameGUI->LoadSavedGame("bad"), 0) << what;
    ASSERT_TRUE(GameGUI->OKInput) << what;
    CloseMessage();
    EXPECT_EQ(SavedBytes("after"), before) << what;
    EXPECT_EQ(GameState->stateFinished, 0);
  }
  // A save that cannot be written says so, and the game goes on.
  Game->ProfilePath = folder.Path() + "gone/";
  EXPECT_EQ(GameGUI->SaveGameAs("lost"), 0);
  ASSERT_TRUE(GameGUI->OKInput);
  CloseMessage();
  Game->ProfilePath = folder.Path();

  // A good save loads and the resumed game has no layout to mark.
  EXPECT_EQ(GameGUI->LoadSavedGame("before"), 1);
  EXPECT_EQ(GamePlay->CurrentLevel, "");
  EXPECT_FALSE(GameGUI->OKInput);
}

TEST_F(GameScreenTest, PauseMenuStopsTheTimerAndTheGame) {
  Settle();
  now += 3000;
  DrawFrame();
  const std::string running = LevelTimeText();
  TapKey("Escape");
  Tick(1);
  DrawFrame();
  now += 65000; // a long pause
  Tick(60);
  DrawFrame();
  EXPECT_EQ(LevelTimeText(), running);
  TapKey("Escape");
  Tick(60);
  DrawFrame();
  EXPECT_EQ(GameMenu->Active, 0);
  now += 1000;
  EXPECT_LT(LevelElapsedMs(), 10000);
  EXPECT_GE(LevelElapsedMs(), 4000);
}

TEST_F(GameScreenTest, HAsksForAHintWhenPressedAndNeverLater) {
  // Pressed while the cards are dealt, or in the pause menu: no hint later.
  Tick(10);
  ASSERT_TRUE(GameState->stateBuildingLevel);
  TapKey("H");
  Settle();
  Tick(200);
  EXPECT_FALSE(mode->CurrentHint);
  TapKey("Escape");
  Tick(60);
  ASSERT_EQ(GameMenu->Active, 1);
  TapKey("H");
  Tick(5);
  TapKey("Escape");
  Tick(200);
  ASSERT_EQ(GameMenu->Active, 0);
  EXPECT_FALSE(mode->CurrentHint);
  // Pressed at the table: the hint shows.
  TapKey("H");
  Tick(200);
  EXPECT_TRUE(mode->CurrentHint);
}

TEST_F(GameScreenTest, RestartAndLoadFromThePauseMenuCloseItAndPlayTheDeal) {
  // Both start a deal, which holds the buttons; the menu still fades out and
  // the deal still plays.
  Settle();
  const std::string dealt = SavedBytes("dealt");
  Click(230, 70); // the stock turns
  Settle();
  TapKey("Escape");
  Tick(60);
  ASSERT_EQ(GameMenu->Active, 1);
  ClickButton(*GameMenu->Buttons, "restartpuzzle");
  ASSERT_TRUE(GameGUI->RestartInput);
  WaitOpen(*GameGUI->RestartInput);
  TapKey("Y");
  ASSERT_TRUE(TickUntil([] { return !GameMenu->Active; }, 400));
  Settle();
  EXPECT_EQ(SavedBytes("restarted"), dealt);

  TapKey("Escape");
  Tick(60);
  ASSERT_EQ(GameMenu->Active, 1);
  ASSERT_EQ(GameGUI->LoadSavedGame("dealt"), 1);
  ASSERT_TRUE(TickUntil([] { return !GameMenu->Active; }, 400));
  Settle();
  EXPECT_EQ(SavedBytes("loaded"), dealt);
}

TEST_F(GameScreenTest, AWonGameCheersEntersTheTableAndDealsAgainOnNext) {
  Settle();
  for (const auto& card : *mode->Cards) card->Opened = 1;
  mode->CheckAutoComplete();
  ASSERT_TRUE(mode->AutoCompleteButton);
  Click(int(mode->AutoCompleteButton->x) + 20, int(mode->AutoCompleteButton->y) + 10);
  ASSERT_TRUE(TickUntil([] { return GameState->stateFinished == 1; }, 40000));
  // Not before the score has counted up.
  EXPECT_EQ(GamePlay->ScoreAdder, 0);
  EXPECT_TRUE(VictoryParticles);
  EXPECT_EQ(GameGUI->endLevelMenu->Show, 1);
  // The place in the table is told first; the buttons wait for it.
  ASSERT_TRUE(GameGUI->OKInput);
  EXPECT_EQ(GameState->disableButtons, 1);
  TSolitaireHighScoreList table;
  table.Create("klondike", 10);
  table.Load();
  ASSERT_FALSE(table.Items.empty());
  EXPECT_EQ(table.Items[0]->name, "Ann");
  EXPECT_EQ(table.Items[0]->score, GamePlay->Score);
  // The timer stands still once the level is over.
  const int64_t finishedAt = LevelElapsedMs();
  now += 5000;
  EXPECT_EQ(LevelElapsedMs(), finishedAt);
  // Fireworks go up over the table.
  Tick(400);
  EXPECT_GT(VictoryParticles->Count(), 0);

  CloseMessage(); // "Highscore Place 1!"
  EXPECT_EQ(GameState->disableButtons, 0);
  ClickButton(*GameGUI->endLevelMenu->Menu, "nextpuzzle");
  EXPECT_EQ(GameState->stateFinished, 0);
  Settle();
  EXPECT_EQ(mode->IsGameFinished(), 0);
  EXPECT_EQ(GamePlay->Score, 0);
  EXPECT_LT(LevelElapsedMs(), 20000);
}

// A mode that reports its layout finished at once (the Matching and Tri Peaks
// modes are not part of the game yet).
class FinishedLayout : public TGameMode {
public:
  int32_t IsGameFinished() override { return 1; }
  std::shared_ptr<TSolitaireHighScoreList> GetHighscoreList() override { return GamePlay->HighscoreListMatching; }
};

TEST_F(GameScreenTest, TheEndWaitsForTheScoreAndMarksOnlyALayoutThatWasPlayed) {
  GamePlay->HighscoreListMatching->Create("matching", 10);
  GamePlay->HighscoreListMatching->Load(); // defaults: 200 .. 10
  GamePlay->GameMode = std::make_shared<FinishedLayout>();
  GamePlay->SelectedGameMode = 3;
  GamePlay->CurrentLevel = ""; // resumed from a saved game
  GamePlay->Score = 5;         // below the table
  GamePlay->ScoreAdder = 40;
  GameGUI->Logic();
  EXPECT_EQ(GameState->stateFinished, 0); // still counting up
  GamePlay->ScoreAdder = 0;
  GameGUI->Logic();
  EXPECT_EQ(GameState->stateFinished, 1);
  EXPECT_FALSE(platform::FileExists(folder.File("Annms.ini")));
  EXPECT_FALSE(GameGUI->OKInput); // no place in the table, no message
  EXPECT_EQ(GamePlay->HighscoreListMatching->Items.back()->score, 10);

  GameState->Clear();
  GamePlay->CurrentLevel = "/layouts/matching/007.layout";
  GameGUI->Logic();
  std::string marks;
  platform::ReadWholeFile(folder.File("Annms.ini"), marks);
  EXPECT_EQ(marks, "007=1\r\n");
}

// A custom Matching layout whose cards each lie on the one before cannot be
// dealt in pairs: the table says so and the player goes back to the Matching
// list to choose again.
TEST_F(GameScreenTest, ALayoutThatCannotBeDealtSaysSoAndLeavesTheTable) {
  TCardList chain;
  for (int i = 0; i < 52; ++i) chain.AddNew(float(60 + (i % 13) * 40), float(160 + (i / 13) * 30), Images->Find("cardback1"), 1, 1, 0, 0);
  ASSERT_EQ(chain.SaveCards(folder.File("chain.layout"), 0, 0), 1);
  GamePlay->Init(3, -1);
  GameGUI->Start(1);
  EXPECT_EQ(GamePlay->GameMode->Init(folder.File("chain.layout"), 1), 0);
  Game->DestinationTScreen.reset();
  GameScreen->Start();
  ASSERT_TRUE(GameGUI->OKInput);
  ASSERT_TRUE(GameGUI->OKInput->Caption);
  EXPECT_EQ(GameGUI->OKInput->Caption->Text, GameText->FindString("Editor Error Unsolvable"));
  EXPECT_FALSE(Game->DestinationTScreen);
  CloseMessage();
  EXPECT_EQ(Game->DestinationTScreen, MatchingPlayScreen);
}

} // namespace
