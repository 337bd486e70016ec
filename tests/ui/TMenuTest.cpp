#include "ui/TMenu.h"

#include "app/InputTables.h"
#include "app/TGame.h"
#include "app/Delta.h"
#include "support/GameWorld.h"

namespace {

class MenuTest : public test_support::GameWorld {
protected:
  void SetUp() override {
    GameWorld::SetUp();
    for (const char* name : {"play", "help", "options"}) {
      WritePicture(name, 120, 40);
      WritePicture(std::string(name) + "MO", 120, 40);
    }
    WritePicture("wide", 200, 50);
    WritePicture("wideMO", 200, 50);
  }
  // One logic tick as the main loop runs it: hits last one tick.
  int Tick(TMenu& menu) {
    const int result = menu.Manage();
    Mouse().ClearMouseHit();
    return result;
  }
};

TEST_F(MenuTest, ColumnStacksFromTheStartWithTheGap) {
  auto menu = TMenu::Create("", "", 0, 200, 10);
  for (const char* name : {"play", "help", "options"}) menu->AddQuick(name);
  ASSERT_EQ(menu->Items.size(), 3u);
  EXPECT_FLOAT_EQ(menu->Items[0]->y, 200);
  EXPECT_FLOAT_EQ(menu->Items[1]->y, 250);
  EXPECT_FLOAT_EQ(menu->Items[2]->y, 300);
  EXPECT_EQ(menu->h, 140);
  EXPECT_EQ(menu->NextY, 350);
  for (const auto& button : menu->Items) {
    EXPECT_FLOAT_EQ(button->x, 340); // (800 - 120) / 2
    EXPECT_EQ(button->UseMenuPath, 1);
    EXPECT_TRUE(button->ImageMouseOver);
  }
  EXPECT_EQ(menu->Items[1]->name, "HELP");
  EXPECT_EQ(menu->AddQuick("wide", "key")->name, "KEY");
}

TEST_F(MenuTest, CentringMovesTheWholeBlock) {
  auto menu = TMenu::Create("", "", 0, 0, 10);
  menu->AddQuick("play");
  menu->AddQuick("wide");
  menu->AddQuick("help");
  menu->Centre();
  EXPECT_EQ(menu->w, 200);
  EXPECT_EQ(menu->h, 150);
  EXPECT_FLOAT_EQ(menu->Items[0]->y, 225); // (600 - 150) / 2
  EXPECT_FLOAT_EQ(menu->Items[2]->y, 335);
  EXPECT_FLOAT_EQ(menu->Items[1]->x, 300);
  EXPECT_FLOAT_EQ(menu->Items[0]->x, 340); // keeps its own centring within the block
  menu->SetY(menu->y + 50);
  EXPECT_FLOAT_EQ(menu->Items[0]->y, 275);
  EXPECT_FLOAT_EQ(menu->y, 275);
}

TEST_F(MenuTest, RowsAndPairsSitSideBySide) {
  auto row = TMenu::Create("", "", 0, 115, 10);
  row->AddQuick("play");
  row->AddQuick("wide");
  row->AddQuick("help");
  row->MakeRow(15);
  // Widths 120 + 15 + 200 + 15 + 120 = 470, centred: left at 165.
  EXPECT_FLOAT_EQ(row->Items[0]->x, 165);
  EXPECT_FLOAT_EQ(row->Items[1]->x, 300);
  EXPECT_FLOAT_EQ(row->Items[2]->x, 515);
  EXPECT_FLOAT_EQ(row->Items[0]->y, 275); // tops aligned; tallest 50: (600 - 50) / 2
  EXPECT_FLOAT_EQ(row->Items[1]->y, 275);

  auto pair = TMenu::Create("", "", 0, 100, 10);
  pair->AddPair("play", "wide", 15, "game");
  ASSERT_EQ(pair->Items.size(), 2u);
  EXPECT_EQ(pair->Items[0]->name, "GAMEPLAY");
  EXPECT_EQ(pair->Items[1]->name, "GAMEWIDE");
  EXPECT_FLOAT_EQ(pair->Items[1]->x, pair->Items[0]->x + 120 + 15);
  EXPECT_FLOAT_EQ(pair->Items[1]->y, 100);
  EXPECT_EQ(pair->h, 50);
  EXPECT_EQ(pair->NextY, 160);
  pair->AddQuick("help");
  EXPECT_FLOAT_EQ(pair->Items[2]->y, 160);
  EXPECT_EQ(pair->h, 100);

  pair->SetPairX("gameplay", "gamewide", 40);
  EXPECT_FLOAT_EQ(pair->Items[0]->x, 40);
  EXPECT_FLOAT_EQ(pair->Items[1]->x, 175); // keeps its distance
}

TEST_F(MenuTest, ScaleMenuSpreadsButtonsFromTheOrigin) {
  auto menu = TMenu::Create("", "", 0, 100, 10);
  menu->AddQuick("play");
  menu->AddQuick("help");
  menu->CalcCoords();
  menu->StoreOriginalCoords();
  menu->ScaleMenu(0.5f, 0.5f);
  EXPECT_FLOAT_EQ(menu->Items[0]->y, 100);
  EXPECT_FLOAT_EQ(menu->Items[1]->y, 125);
  EXPECT_FLOAT_EQ(menu->Items[1]->ScaleY, 0.5f);
}

TEST_F(MenuTest, ClickedIsAnsweredOnceByName) {
  auto menu = TMenu::Create("", "", 0, 200, 10);
  menu->AddQuick("play");
  menu->AddQuick("help");
  PointAt(400, 210);
  Tick(*menu);
  EXPECT_EQ(menu->MouseOverName, "PLAY");
  EXPECT_EQ(menu->MouseOver("play"), 1);
  EXPECT_EQ(menu->MouseOver("play"), 1); // not consumed by default
  Press();
  Tick(*menu);
  EXPECT_EQ(menu->Clicked("help"), 0);
  EXPECT_EQ(menu->Clicked("play"), 1);
  EXPECT_EQ(menu->Clicked("play"), 0);
  EXPECT_EQ(menu->FindButton("Help"), menu->Items[1]);
  EXPECT_EQ(menu->FindButton("nothing"), nullptr);
}

TEST_F(MenuTest, NothingIsReportedDuringAFadeOrWithoutThePointer) {
  auto menu = TMenu::Create("", "", 0, 200, 10);
  menu->AddQuick("play");
  PointAt(400, 210);
  Game->GameFade.Active = 1;
  Press();
  EXPECT_EQ(Tick(*menu), 0);
  EXPECT_EQ(menu->Clicked("play"), 0);
  Game->GameFade.Active = 0;
  Mouse().Active = 0;
  Press();
  EXPECT_EQ(Tick(*menu), 0);
  EXPECT_EQ(menu->Clicked("play"), 0);
  Mouse().Active = 1;
  menu->AcceptInput = 0;
  Press();
  EXPECT_EQ(Tick(*menu), 0);
  menu->AcceptInput = 1;
  Press();
  EXPECT_EQ(Tick(*menu), 1);
  EXPECT_EQ(menu->Clicked("play"), 1);
}

TEST_F(MenuTest, OnlyTheNamedSoundsAreLoadedAndShared) {
  WriteSound("hover");
  WriteSound("press");
  auto overOnly = TMenu::Create("hover", "", 0, 0, 10);
  EXPECT_TRUE(overOnly->SoundMouseOver);
  EXPECT_FALSE(overOnly->SoundClick);
  auto clickOnly = TMenu::Create("", "press", 0, 0, 10);
  EXPECT_FALSE(clickOnly->SoundMouseOver);
  ASSERT_TRUE(clickOnly->SoundClick);
  EXPECT_EQ(clickOnly->AddQuick("play")->SoundClick, clickOnly->SoundClick);
}

TEST_F(MenuTest, ClearStatesResetsEveryButton) {
  auto menu = TMenu::Create("", "", 0, 200, 10);
  auto button = menu->AddQuick("play");
  button->SetupScaleOnMO(1.15f, 0.03f, 0.01f);
  PointAt(400, 210);
  for (int i = 0; i < 5; ++i) Tick(*menu);
  EXPECT_GT(button->ScaleOnMO, 1.0f);
  EXPECT_EQ(button->MouseOver, 1);
  menu->ClearStates();
  EXPECT_FLOAT_EQ(button->ScaleOnMO, 1.0f);
  EXPECT_EQ(button->MouseOver, 0);
}

} // namespace
