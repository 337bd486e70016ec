#include "player/TSaveGameManager.h"

#include "platform/Files.h"
#include "platform/Keys.h"
#include "ui/DialogTestWorld.h"
#include "ui/TextTestHelpers.h"
#include "ui/WidgetScreen.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogYesNo.h"
#include "ui/TScrollBar.h"
#include "ui/VQListBox.h"

#include <filesystem>

namespace {

namespace keys = platform::keys;

// The manager on a 460 x 440 panel over the temporary folder, its list in
// the game's font at 20 points.
class SaveGameManagerTest : public DialogTestWorld {
protected:
  void SetUp() override {
    DialogTestWorld::SetUp();
    WritePicture("scrollslider", 16, 44);
    saves.Write("a.ksave", "klondike a");
    saves.Write("b.msave", "matching b");
    saves.Write("c.ksave", "klondike c");
    saves.Write("abc.ksave", "klondike abc");
  }
  std::shared_ptr<TSaveGameManager> Open(const std::string& extension) {
    auto manager = TSaveGameManager::Create("Choose a Saved Game", SolidImage(460, 440), 0, 0, 0, extension,
                                            saves.Path(), "Delete this file for good?");
    manager->ListBox->SetupFont(text_test::Carlito(20), nullptr);
    manager->Start();
    return manager;
  }
  void ClickLine(TSaveGameManager& manager, int row) {
    const VQListBox& list = *manager.ListBox;
    PointAt(int(list.BoxX) + 20, int(list.BoxY) + row * list.LineHeight + list.LineHeight / 2);
    Press();
  }
  // Ticks the manager until its sub-dialog has opened, answered by `key`, and closed.
  void Answer(TSaveGameManager& manager, int key) {
    auto opening = [&manager] {
      return (manager.DialogYesNo && manager.DialogYesNo->Transitioning) ||
             (manager.DialogOK && manager.DialogOK->Transitioning);
    };
    for (int i = 0; i < 200 && opening(); ++i) Tick(manager);
    Key(key);
    for (int i = 0; i < 200 && (manager.DialogYesNo || manager.DialogOK); ++i) Tick(manager);
  }
  test_support::TempFolder saves;
};

TEST_F(SaveGameManagerTest, ListsOneKindByNameIgnoringCaseKeepingTheRealNames) {
  saves.Write("Beta.ksave", "");
  saves.Write("zz.KSAVE.bak", "");
  auto klondike = Open("ksave");
  EXPECT_EQ(klondike->ListBox->Strings, (std::vector<std::string>{"A", "Abc", "Beta", "C"}));
  EXPECT_EQ(klondike->FileNames, (std::vector<std::string>{"a", "abc", "Beta", "c"}));
  EXPECT_EQ(Open("msave")->ListBox->Strings, std::vector<std::string>{"B"});
  test_support::TempFolder empty;
  auto none = TSaveGameManager::Create("", nullptr, 300, 0, 0, "ksave", empty.Path() + "missing/", "");
  EXPECT_TRUE(none->ListBox->Strings.empty()) << "a missing folder lists nothing";
}

TEST_F(SaveGameManagerTest, LoadNeedsASelectionAndADoubleClickLoadsAtOnce) {
  auto manager = Open("ksave");
  ClickOn(*manager->Menu, "Load");
  EXPECT_EQ(Tick(*manager), 0);
  EXPECT_EQ(manager->Active, 1);
  ClickLine(*manager, 1);
  EXPECT_EQ(Tick(*manager), 0);
  EXPECT_EQ(manager->ListBox->Value, "Abc");
  ClickLine(*manager, 1);
  EXPECT_EQ(Tick(*manager), 1);
  EXPECT_EQ(manager->SelectedName(), "abc");
  EXPECT_EQ(manager->SelectedPath(), saves.Path() + "abc.ksave");

  auto second = Open("ksave");
  ClickLine(*second, 2);
  Tick(*second);
  for (int i = 0; i < 120; ++i) Tick(*second); // past the double-click time
  ClickOn(*second->Menu, "Load");
  EXPECT_EQ(Tick(*second), 1);
  EXPECT_EQ(second->SelectedName(), "c");

  auto cancelled = Open("ksave");
  Key(keys::Escape);
  EXPECT_EQ(Tick(*cancelled), -1);
}

TEST_F(SaveGameManagerTest, ChosenWithADoubleClickThroughTheGamesOwnInput) {
  auto screen = HostWidget(Open("ksave"));
  const VQListBox& list = *screen->widget->ListBox;
  MoveMouse(int(list.BoxX) + 30, int(list.BoxY) + list.LineHeight * 2 + list.LineHeight / 2);
  Ticks(1);
  for (int click = 0; click < 2; ++click) {
    PressButton();
    Ticks(1);
    ReleaseButton();
    Ticks(10);
  }
  EXPECT_EQ(screen->Results, std::vector<int>{1});
  EXPECT_EQ(screen->widget->SelectedPath(), saves.Path() + "c.ksave");
}

TEST_F(SaveGameManagerTest, DeletesTheRealFileAfterYesAndKeepsItAfterNo) {
  auto manager = Open("ksave");
  ClickLine(*manager, 1); // "Abc" shown, "abc.ksave" on disk
  Tick(*manager);
  ClickOn(*manager->Menu, "Delete");
  Tick(*manager);
  ASSERT_TRUE(manager->DialogYesNo);
  Answer(*manager, keys::Escape);
  EXPECT_TRUE(platform::FileExists(saves.File("abc.ksave")));
  EXPECT_EQ(manager->ListBox->Index, 1);

  ClickOn(*manager->Menu, "Delete");
  Tick(*manager);
  Answer(*manager, keys::A + ('Y' - 'A'));
  EXPECT_FALSE(std::filesystem::exists(saves.File("abc.ksave")));
  EXPECT_EQ(manager->ListBox->Strings, (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(manager->ListBox->Index, -1);
  EXPECT_EQ(manager->Active, 1);
  ClickOn(*manager->Menu, "Delete");
  Tick(*manager);
  EXPECT_FALSE(manager->DialogYesNo) << "nothing selected, nothing asked";
}

TEST_F(SaveGameManagerTest, AVanishedFileOrAFailedDeleteShowsTheErrorDialog) {
  auto manager = Open("ksave");
  ClickLine(*manager, 2); // "C"
  Tick(*manager);
  std::filesystem::remove(saves.File("c.ksave"));
  ClickOn(*manager->Menu, "Load");
  EXPECT_EQ(Tick(*manager), 0);
  ASSERT_TRUE(manager->DialogOK);
  EXPECT_EQ(manager->Active, 1);
  EXPECT_EQ(manager->ListBox->Strings, (std::vector<std::string>{"A", "Abc"})) << "read again";
  Answer(*manager, keys::Enter);
  EXPECT_FALSE(manager->DialogOK);
  EXPECT_EQ(manager->Active, 1);

  // "a.ksave" turns into a folder the delete cannot remove.
  ClickLine(*manager, 0);
  Tick(*manager);
  std::filesystem::remove(saves.File("a.ksave"));
  std::filesystem::create_directory(saves.File("a.ksave"));
  saves.Write("a.ksave/inside", "x");
  ClickOn(*manager->Menu, "Delete");
  Tick(*manager);
  Answer(*manager, keys::A + ('Y' - 'A'));
  EXPECT_TRUE(manager->DialogOK) << "the failed delete is reported";
  EXPECT_EQ(manager->Active, 1);
}

TEST_F(SaveGameManagerTest, ADozenFilesScrollByArrowsWheelAndBarAndStopAtTheEnds) {
  for (int i = 0; i < 9; ++i) saves.Write("game" + std::to_string(i) + ".ksave", "");
  auto manager = Open("ksave"); // 12 files, 8 lines shown
  VQListBox& list = *manager->ListBox;
  TScrollBar& bar = *manager->ScrollBar;
  ASSERT_EQ(list.Strings.size(), 12u);
  EXPECT_EQ(list.StartList, 0);
  EXPECT_EQ(list.EndList, 7);
  EXPECT_EQ(bar.ValueMax, 4);

  auto& down = *bar.Menu->Items[1];
  PointAt(int(down.x) + 5, int(down.y) + 5);
  Mouse().ButtonDown(1);
  for (int i = 0; i < 400; ++i) Tick(*manager);
  Mouse().ButtonUp(1);
  EXPECT_EQ(list.StartList, 4) << "stops at the last line";
  EXPECT_EQ(list.EndList, 11);
  EXPECT_EQ(bar.SliderPosition, bar.Size - bar.SliderLength());

  PointAt(300, 200);
  Mouse().Wheel(1);
  Tick(*manager);
  EXPECT_EQ(list.StartList, 3);
  Mouse().Wheel(10);
  Tick(*manager);
  EXPECT_EQ(list.StartList, 0) << "stops at the first line";
  EXPECT_EQ(list.EndList, 7);
  EXPECT_EQ(bar.Value, 0);

  ClickLine(*manager, 7);
  Tick(*manager);
  EXPECT_EQ(list.Value, "Game4") << "names sort ignoring case: A, Abc, C, Game0...";
}

} // namespace
