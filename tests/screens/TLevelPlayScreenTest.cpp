// The Matching and Tri Peaks play screens over the real layouts: the lists
// they open, starting a layout under the "generating" overlay, the way back
// from a game, the player's own layouts (none, or hostile ones) and resuming
// a saved game.
#include "LevelScreenWorld.h"

#include "support/ThrowingErrorHandler.h"

#include "app/TMousePointer.h"
#include "platform/Graphics.h"
#include "platform/Pixmap.h"
#include "player/TSaveGameManager.h"
#include "screens/LevelFiles.h"
#include "screens/TGameGUI.h"
#include "screens/TGameScreen.h"
#include "screens/TLevelPlayScreen.h"
#include "screens/TPlayScreen.h"
#include "screens/VQGenerateScreen.h"
#include "screens/VQLevelList.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameMode.h"
#include "solitaire/TLayoutGameMode.h"
#include "solitaire/TState.h"
#include "ui/DialogFactories.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogYesNo.h"
#include "ui/VQListBox.h"

namespace {

class LevelPlayScreenTest : public LevelScreenWorld {
protected:
  int LayoutCards(const std::string& path) {
    auto list = TCardList::Create();
    list->LoadCards(path, 0, 0);
    return list->Count();
  }
};

TEST_F(LevelPlayScreenTest, EachVariantOpensItsStandardLayoutsAndLeadsBack) {
  Enter(PlayScreen);
  const std::pair<const char*, std::shared_ptr<TLevelPlayScreen>> variants[] = {
      {"matching", MatchingPlayScreen}, {"tripeaks", TripeaksPlayScreen}};
  for (const auto& [button, screen] : variants) {
    ClickButton(*PlayScreen->GameMenu, button);
    ASSERT_TRUE(Arrived(screen)) << button;
    ASSERT_TRUE(screen->StandardLevelList) << button;
    EXPECT_FALSE(screen->CustomLevelList) << button;
    const auto& list = *screen->StandardLevelList;
    EXPECT_EQ(list.LevelList.size(), std::string(button) == "matching" ? 80u : 32u) << button;
    EXPECT_EQ(list.LevelList.front(), "001") << button;
    EXPECT_EQ(list.CurrentLevel, "001") << button;
    ASSERT_EQ(list.ImageList.size(), 8u) << button;
    for (const auto& thumbnail : list.ImageList) EXPECT_TRUE(thumbnail && thumbnail->w <= 192) << button;
    EXPECT_EQ(screen->LevelTypeMenu->FindButton("standardlevel")->image->name, "STANDARDLEVELON") << button;
    EXPECT_EQ(screen->LevelTypeMenu->FindButton("customlevel")->image->name, "CUSTOMLEVEL") << button;
    DrawFrame();
    TapKey("Escape");
    ASSERT_TRUE(Arrived(PlayScreen)) << button;
  }
}

TEST_F(LevelPlayScreenTest, ANewPlayersOwnLayoutsAreNoneAndNothingStarts) {
  Enter(MatchingPlayScreen);
  ClickButton(*MatchingPlayScreen->LevelTypeMenu, "customlevel");
  Tick();
  ASSERT_TRUE(MatchingPlayScreen->CustomLevelList);
  EXPECT_FALSE(MatchingPlayScreen->StandardLevelList);
  EXPECT_TRUE(MatchingPlayScreen->CustomLevelList->LevelList.empty());
  EXPECT_EQ(MatchingPlayScreen->LevelTypeMenu->FindButton("customlevel")->image->name, "CUSTOMLEVELON");
  DrawFrame();
  test_support::ThrowingErrorHandler throwing;
  ClickButton(*MatchingPlayScreen->MainMenu, "playsmall");
  Tick(5);
  TapKey("Return");
  Tick(300);
  EXPECT_TRUE(!GenerateScreen || !GenerateScreen->Active);
  EXPECT_EQ(Game->CurrentTScreen, MatchingPlayScreen);
  EXPECT_FALSE(GamePlay->GameMode) << "no game was made";
  ClickButton(*MatchingPlayScreen->LevelTypeMenu, "standardlevel");
  Tick();
  ASSERT_TRUE(MatchingPlayScreen->StandardLevelList);
  EXPECT_FALSE(MatchingPlayScreen->CustomLevelList);
}

TEST_F(LevelPlayScreenTest, ALayoutStartsUnderTheOverlayOnABackOfItsPlaceAndTheGameLeadsBackToIt) {
  Enter(TripeaksPlayScreen);
  DoubleClickSlot(2);
  ASSERT_TRUE(GenerateScreen);
  EXPECT_EQ(GenerateScreen->Active, 1);
  ASSERT_TRUE(ArrivedInGame());
  EXPECT_EQ(GamePlay->SelectedGameMode, 4);
  EXPECT_EQ(LevelName(GamePlay->CurrentLevel), "003");
  EXPECT_EQ(GamePlay->IsCustomLevel, 0);
  EXPECT_EQ(GamePlay->GameMode->CardBackground, 3);
  auto* mode = dynamic_cast<TLayoutGameMode*>(GamePlay->GameMode.get());
  ASSERT_TRUE(mode);
  EXPECT_EQ(mode->Cards->Count(), LayoutCards(GamePlay->CurrentLevel));

  // Leaving the game returns to the Tri Peaks list with the layout selected.
  ExitPlaying(TripeaksPlayScreen);
  ASSERT_TRUE(TripeaksPlayScreen->StandardLevelList);
  EXPECT_EQ(TripeaksPlayScreen->StandardLevelList->CurrentLevel, "003");
  EXPECT_EQ(TripeaksPlayScreen->StandardLevelList->CurrentLevelID, 2);

  // The 12th layout, on the second page, by "playsmall": backs cycle through the six.
  ClickButton(*TripeaksPlayScreen->StandardLevelList->NavigationMenu, "arrowRight");
  ASSERT_EQ(TripeaksPlayScreen->StandardLevelList->CurrentPagePosition, 8);
  ClickSlot(3);
  ASSERT_EQ(TripeaksPlayScreen->StandardLevelList->CurrentLevel, "012");
  ClickButton(*TripeaksPlayScreen->MainMenu, "playsmall");
  ASSERT_TRUE(ArrivedInGame());
  EXPECT_EQ(LevelName(GamePlay->CurrentLevel), "012");
  EXPECT_EQ(GamePlay->GameMode->CardBackground, 6);
}

TEST_F(LevelPlayScreenTest, UnreadableOwnLayoutsSayWhyAndAGoodOneIsPlayedAndReturnedTo) {
  std::string many = "Ostrelle Card Layout\r\n";
  for (int i = 0; i < 100000; ++i) many += "300,200,0\r\n";
  std::string own;
  ASSERT_TRUE(platform::ReadWholeFile(test_support::DataPath("layouts/tripeaks/001.layout"), own));
  folder.Write("garbage.layout", std::string("\x01\xff\0nonsense", 11));
  folder.Write("huge.layout", "Ostrelle Card Layout\r\n2147483647,2147483647,0\r\n-2147483648,5,nan\r\n");
  folder.Write("many.layout", many);
  folder.Write("mine.layout", own);
  test_support::ThrowingErrorHandler throwing;
  Enter(TripeaksPlayScreen);
  ClickButton(*TripeaksPlayScreen->LevelTypeMenu, "customlevel");
  Tick();
  auto list = TripeaksPlayScreen->CustomLevelList;
  ASSERT_TRUE(list);
  ASSERT_EQ(list->LevelList, (std::vector<std::string>{"garbage", "huge", "many", "mine"}));
  EXPECT_FALSE(list->ImageList[2]) << "too many cards: an empty frame";
  EXPECT_TRUE(list->ImageList[1] && list->ImageList[1]->w == 192 && list->ImageList[1]->h == 144);
  DrawFrame();

  ClickSlot(2);
  ClickButton(*TripeaksPlayScreen->MainMenu, "playsmall");
  ASSERT_TRUE(FramesUntil([] { return TripeaksPlayScreen->ErrorDialog != nullptr; }, 120));
  ASSERT_TRUE(TickUntil([] { return !GenerateScreen->Active; }, 400));
  EXPECT_EQ(Game->CurrentTScreen, TripeaksPlayScreen);
  EXPECT_EQ(Game->Mouse->Active, 1);
  EXPECT_FALSE(GamePlay->GameMode);
  WaitOpen(*TripeaksPlayScreen->ErrorDialog);
  TapKey("Return");
  ASSERT_TRUE(TickUntil([] { return !TripeaksPlayScreen->ErrorDialog; }, 400));

  DoubleClickSlot(3);
  ASSERT_TRUE(ArrivedInGame());
  EXPECT_EQ(GamePlay->IsCustomLevel, 1);
  EXPECT_EQ(GamePlay->CurrentLevel, folder.File("mine.layout"));
  ExitPlaying(TripeaksPlayScreen);
  ASSERT_TRUE(TripeaksPlayScreen->CustomLevelList);
  EXPECT_EQ(TripeaksPlayScreen->CustomLevelList->CurrentLevel, "mine");
}

TEST_F(LevelPlayScreenTest, TheSaveGameManagerDimsThePlayScreenBehindIt) {
  Enter(MatchingPlayScreen);
  // Mean brightness of a patch of the screen's frame, left of where the manager opens.
  auto patch = [] {
    platform::Cls();
    MatchingPlayScreen->Draw();
    platform::Pixmap pixels;
    EXPECT_TRUE(platform::GrabBackBuffer(pixels));
    int sum = 0;
    for (int y = 440; y < 470; ++y)
      for (int x = 10; x < 40; ++x)
        for (int c = 0; c < 3; ++c) sum += pixels.Pixel(x, y)[c];
    return sum / (30 * 30 * 3);
  };
  const int before = patch();
  ASSERT_GT(before, 20);
  ClickButton(*MatchingPlayScreen->MainMenu, "load");
  ASSERT_TRUE(MatchingPlayScreen->SaveGameManager);
  WaitOpen(*MatchingPlayScreen->SaveGameManager);
  EXPECT_NEAR(patch(), before / 2, 3) << "as behind every dialog, the screen is half dimmed";
}

TEST_F(LevelPlayScreenTest, AResumedMatchingGameHasNoLayoutToMark) {
  Enter(MatchingPlayScreen);
  DoubleClickSlot(0);
  ASSERT_TRUE(ArrivedInGame());
  auto* mode = GamePlay->GameMode.get();
  ASSERT_TRUE(TickUntil([&] { return mode->CanSaveGame() == 1; }, 4000));
  ASSERT_EQ(GameGUI->SaveGameAs("resume"), 1);
  folder.Write("damaged.msave", "Marrowdeck Matching Savegame\r\n12\r\n");
  ExitPlaying(MatchingPlayScreen);
  ASSERT_EQ(LevelName(GamePlay->CurrentLevel), "001");

  // A damaged file says why and nothing starts.
  for (const char* name : {"damaged", "resume"}) {
    ClickButton(*MatchingPlayScreen->MainMenu, "load");
    ASSERT_TRUE(MatchingPlayScreen->SaveGameManager);
    auto manager = MatchingPlayScreen->SaveGameManager;
    EXPECT_EQ(manager->Extension, "msave");
    WaitOpen(*manager);
    const auto& box = *manager->ListBox;
    const int row = std::string(name) == "damaged" ? 0 : 1;
    ASSERT_EQ(manager->FileNames[size_t(row)], name);
    DoubleClick(int(box.BoxX) + 30, int(box.BoxY) + row * box.LineHeight + box.LineHeight / 2);
    if (std::string(name) == "damaged") {
      ASSERT_TRUE(TickUntil([] { return MatchingPlayScreen->ErrorDialog != nullptr; }, 400));
      EXPECT_EQ(Game->CurrentTScreen, MatchingPlayScreen);
      WaitOpen(*MatchingPlayScreen->ErrorDialog);
      TapKey("Return");
      ASSERT_TRUE(TickUntil([] { return !MatchingPlayScreen->ErrorDialog; }, 400));
      Tick(120);
    }
  }
  ASSERT_TRUE(ArrivedInGame());
  EXPECT_EQ(GamePlay->SelectedGameMode, 3);
  EXPECT_EQ(GamePlay->CurrentLevel, "") << "winning it must not mark layout 001";
  EXPECT_EQ(GamePlay->IsCustomLevel, 0);
  const int card = GamePlay->GameMode->CardBackground;
  EXPECT_TRUE(card >= 1 && card <= 6) << card;
}

} // namespace
