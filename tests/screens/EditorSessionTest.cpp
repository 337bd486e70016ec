// The layout editor on the real game screen, as the play screen's "custom"
// opens it: its buttons, the check before saving, the name dialog, layout
// files in the player's folder and what happens when they cannot be written
// or read.
#include "SessionWorld.h"

#include "platform/Files.h"
#include "player/TSaveGameManager.h"
#include "resources/TGameText.h"
#include "screens/TGameGUI.h"
#include "screens/TGameScreen.h"
#include "screens/TPlayScreen.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardLayoutFile.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeEditor.h"
#include "solitaire/TState.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogTextInput.h"
#include "ui/TDialogYesNo.h"
#include "ui/TLabel.h"
#include "ui/TMenu.h"
#include "ui/TTextInput.h"
#include "ui/VQListBox.h"

namespace {

class EditorSessionTest : public SessionWorld {
protected:
  void SetUp() override {
    SessionWorld::SetUp();
    // What the play screen's "custom" does.
    ASSERT_EQ(GamePlay->Init(1, -1), 1);
    editor = std::dynamic_pointer_cast<TGameModeEditor>(GamePlay->GameMode);
    ASSERT_TRUE(editor);
    editor->Random.Seed(9);
    GameGUI->Start(0);
    editor->Init("", 0);
    GameScreen->Load();
    GameScreen->Start();
    Game->GameFade.Active = 0;
  }
  void ClickButton(const std::string& name) { SessionWorld::ClickButton(*GameGUI->CustomMenu, name); }
  // The open message's text; it is then closed with Enter.
  std::string CloseMessage() {
    if (!GameGUI->OKInput) return "(no message)";
    WaitOpen(*GameGUI->OKInput);
    const std::string text = GameGUI->OKInput->Caption ? GameGUI->OKInput->Caption->Text : "";
    TapKey("Return");
    EXPECT_TRUE(TickUntil([] { return !GameGUI->OKInput; }, 400));
    Tick(2);
    return text;
  }
  // Types `name` into the open name dialog (after clearing it) and confirms.
  void EnterName(const std::string& name) {
    ASSERT_TRUE(GameGUI->SaveGameNameInput);
    WaitOpen(*GameGUI->SaveGameNameInput);
    for (size_t i = GameGUI->SaveGameNameInput->TextInput->Text.size(); i > 0; --i) {
      TapKey("Backspace");
      Tick(2);
    }
    Type(name);
    Tick(int(name.size()) * 2 + 4);
    TapKey("Return");
    Tick(2);
  }
  void PlaceCards(std::initializer_list<std::pair<int, int>> places) {
    for (auto [x, y] : places) Click(x, y);
  }
  std::string Bytes(const std::string& name) {
    std::string bytes;
    platform::ReadWholeFile(folder.File(name), bytes);
    return bytes;
  }
  std::string Message(const char* key) { return GameText->FindString(key); }

  std::shared_ptr<TGameModeEditor> editor;
};

TEST_F(EditorSessionTest, SaveChecksTheLayoutThenAsksItsNameAndWritesTheFileFromTheAreasCorner) {
  ASSERT_EQ(GameState->stateCustomMode, 1);
  ClickButton("savecustom");
  EXPECT_EQ(CloseMessage(), Message("Editor Error Equal Number"));
  PlaceCards({{100, 100}, {300, 100}, {500, 300}});
  ASSERT_EQ(editor->Cards->Count(), 3);
  ClickButton("savecustom");
  EXPECT_EQ(CloseMessage(), Message("Editor Error Equal Number"));
  EXPECT_FALSE(GameGUI->SaveGameNameInput);
  // A fourth card right on the third leaves it covered; two are still uncovered.
  Click(500, 300);
  ClickButton("savecustom");
  ASSERT_TRUE(GameGUI->SaveGameNameInput);
  EXPECT_EQ(GameGUI->SaveGameNameInput->Caption->Text, Message("Enter Card Name"));
  // "=" would break the completed-layout marks: it cannot be typed, and a
  // name holding one is refused with the error dialog over the name dialog.
  WaitOpen(*GameGUI->SaveGameNameInput);
  Type("a=b");
  Tick(10);
  EXPECT_EQ(GameGUI->SaveGameNameInput->TextInput->Text, "ab");
  GameGUI->SaveGameNameInput->TextInput->Text = "a=b";
  TapKey("Return");
  Tick(2);
  ASSERT_TRUE(GameGUI->SaveGameNameInput);
  ASSERT_TRUE(GameGUI->SaveGameNameInput->DialogOK);
  WaitOpen(*GameGUI->SaveGameNameInput->DialogOK);
  TapKey("Return");
  Tick(100);
  EnterName("mine");
  ASSERT_TRUE(TickUntil([] { return !GameGUI->SaveGameNameInput; }, 400));
  EXPECT_FALSE(GameGUI->OKInput);
  EXPECT_EQ(Bytes("Mine.layout"), "Ostrelle Card Layout\r\n"
                                  "65,65,0.00000000\r\n"
                                  "275,65,0.00000000\r\n"
                                  "470,275,0.00000000\r\n"
                                  "470,275,0.00000000\r\n");
  EXPECT_FALSE(platform::FileExists(folder.File("A=b.layout")));
  EXPECT_EQ(GameGUI->LastFileName, "Mine");
  // The next save offers the last name.
  Tick(10);
  ClickButton("savecustom");
  ASSERT_TRUE(GameGUI->SaveGameNameInput);
  EXPECT_EQ(GameGUI->SaveGameNameInput->TextInput->Text, "Mine");
}

TEST_F(EditorSessionTest, TheDoubleClickThatLoadsALayoutPlacesNoCard) {
  // The press that answers the file list belongs to the list: the editor,
  // which places a card on a press, must not see it too.
  std::string original;
  ASSERT_TRUE(platform::ReadWholeFile(test_support::DataPath("layouts/matching/001.layout"), original));
  folder.Write("Start.layout", original);
  TCardList expected;
  ASSERT_EQ(TCardLayoutFile::Parse(original, expected, 0, 0), 1);
  ClickButton("loadcustom");
  auto manager = GameGUI->SaveGameManager;
  ASSERT_TRUE(manager);
  WaitOpen(*manager);
  const auto& list = *manager->ListBox;
  const int x = int(list.BoxX + list.BoxW / 2), y = int(list.BoxY) + list.LineHeight / 2;
  ASSERT_EQ(editor->IsCardWithinBoundsAt(x, y), 1);
  DoubleClick(x, y);
  ASSERT_TRUE(TickUntil([] { return !GameGUI->SaveGameManager; }, 400));
  Tick(5);
  EXPECT_EQ(editor->Cards->Count(), expected.Count());
}

TEST_F(EditorSessionTest, ALoadedLayoutSavedUnderANewNameGivesTheSameBytesAndLiesInTheArea) {
  // A standard layout, angles and all: its cards land inside the editing area.
  const std::string standard = test_support::DataPath("layouts/matching/001.layout");
  std::string original;
  ASSERT_TRUE(platform::ReadWholeFile(standard, original));
  folder.Write("Start.layout", original);
  ASSERT_EQ(GameGUI->LoadLayout("Start"), 1);
  ASSERT_GT(editor->Cards->Count(), 0);
  for (const auto& card : *editor->Cards) {
    editor->Rotation = card->RotationAngle;
    EXPECT_EQ(editor->IsCardWithinBoundsAt(int(card->x), int(card->y)), 1) << card->x << "," << card->y;
  }
  ASSERT_EQ(GameGUI->SaveLayoutAs("Again"), 1);
  EXPECT_EQ(Bytes("Again.layout"), original);
}

TEST_F(EditorSessionTest, ALayoutThatCannotBeWrittenOrReadShowsTheErrorAndKeepsTheCards) {
  PlaceCards({{100, 100}, {300, 100}});
  ASSERT_EQ(editor->Cards->Count(), 2);
  // The player's folder is gone.
  Game->ProfilePath = folder.File("gone/");
  EXPECT_EQ(GameGUI->SaveLayoutAs("Lost"), 0);
  EXPECT_NE(CloseMessage().find("Lost.layout"), std::string::npos);
  EXPECT_EQ(GameGUI->LastFileName, "");
  EXPECT_EQ(editor->Cards->Count(), 2);
  Game->ProfilePath = folder.Path();
  // A file that vanished after it was listed, and one the game cannot read.
  EXPECT_EQ(GameGUI->LoadLayout("Vanished"), 0);
  EXPECT_NE(CloseMessage().find("Vanished.layout"), std::string::npos);
  std::string huge = "Ostrelle Card Layout\r\n";
  for (int i = 0; i < 1001; ++i) huge += "10,10,0\r\n";
  folder.Write("Huge.layout", huge);
  EXPECT_EQ(GameGUI->LoadLayout("Huge"), 0);
  EXPECT_NE(CloseMessage().find("Huge.layout"), std::string::npos);
  ASSERT_EQ(editor->Cards->Count(), 2);
  EXPECT_EQ(editor->Cards->ValueAtIndex(1)->x, 300);
}

TEST_F(EditorSessionTest, ResetAsksThenClearsAndBackToMenuLeavesForThePlayScreen) {
  PlaceCards({{100, 100}, {300, 100}});
  ClickButton("reset");
  ASSERT_TRUE(GameGUI->ResetInput);
  WaitOpen(*GameGUI->ResetInput);
  TapKey("N");
  ASSERT_TRUE(TickUntil([] { return !GameGUI->ResetInput; }, 400));
  EXPECT_EQ(editor->Cards->Count(), 2);
  Tick(5);
  ClickButton("reset");
  ASSERT_TRUE(GameGUI->ResetInput);
  WaitOpen(*GameGUI->ResetInput);
  TapKey("Y");
  ASSERT_TRUE(TickUntil([] { return !GameGUI->ResetInput; }, 400));
  EXPECT_EQ(editor->Cards->Count(), 0);
  // Escape opens no pause menu in the editor.
  TapKey("Escape");
  Tick(60);
  EXPECT_EQ(Game->DestinationTScreen, nullptr);
  ClickButton("backtomenu");
  ASSERT_TRUE(GameGUI->QuitInput);
  WaitOpen(*GameGUI->QuitInput);
  TapKey("Y");
  ASSERT_TRUE(TickUntil([] { return !GameGUI->QuitInput; }, 400));
  EXPECT_EQ(Game->DestinationTScreen, PlayScreen);
}

} // namespace
