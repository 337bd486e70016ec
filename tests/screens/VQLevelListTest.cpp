// The paged level list: which layouts a folder offers, the pages of eight,
// the selection by pointer and keys, the completed ticks and the thumbnails
// of standard and hostile layouts.
#include "support/GameModeWorld.h"
#include "support/TempFolder.h"
#include "support/ThrowingErrorHandler.h"

#include "platform/Files.h"
#include "platform/Keys.h"
#include "resources/TGameImage.h"
#include "screens/LevelFiles.h"
#include "screens/LevelThumbnails.h"
#include "screens/VQLevelList.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"

#include <cmath>
#include <cstdio>

namespace {

// A screen that runs and draws one level list, as the play screens do.
class ListScreen : public TScreen {
public:
  int Logic() override {
    if (list) list->Manage();
    if (list && list->StartLevel) ++starts;
    return 1;
  }
  int Draw() override {
    if (list) list->Draw();
    return 1;
  }
  std::shared_ptr<VQLevelList> list;
  int starts = 0;
};

std::string Layout(const std::vector<std::string>& lines) {
  std::string text = "Ostrelle Card Layout\r\n";
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

class LevelListTest : public test_support::GameModeWorld {
protected:
  void SetUp() override {
    GameModeWorld::SetUp();
    screen = std::make_shared<ListScreen>();
    Game->CurrentTScreen = screen;
  }
  // Layouts 001 .. n of one card each.
  void WriteLayouts(int n) {
    for (int i = 1; i <= n; ++i) {
      char name[32];
      std::snprintf(name, sizeof(name), "%03d.layout", i);
      layouts.Write(name, Layout({"100,100,0"}));
    }
  }
  std::shared_ptr<VQLevelList> Open(const std::string& current = "") {
    auto list = VQLevelList::Create(layouts.Path(), "layout", current, "Cards", "No layouts here", 1, 7, 11,
                                    "Annms", marks.Path());
    list->CreateLevelImageFunction = CreateLevelThumbnail;
    list->Init();
    list->CreateImages(1);
    screen->list = list;
    return list;
  }
  void Key(const char* name) {
    TapKey(name);
    Tick();
  }
  std::vector<std::string> Ticks(const VQLevelList& list) const {
    std::vector<std::string> ticked;
    for (size_t i = 0; i < list.LevelCompletedList.size(); ++i)
      if (list.LevelCompletedList[i] == "1") ticked.push_back(list.LevelList[size_t(list.CurrentPagePosition) + i]);
    return ticked;
  }
  std::shared_ptr<ListScreen> screen;
  test_support::TempFolder layouts, marks;
};

TEST_F(LevelListTest, OnlyLayoutFilesInNameOrderAndElevenMakePagesAtZeroAndThree) {
  WriteLayouts(11);
  layouts.Write("notes.txt", "");
  layouts.Write("old.layout.bak", "");
  layouts.Write("x.layouts", "");
  layouts.Write(".layout", Layout({}));
  auto list = Open();
  ASSERT_EQ(list->LevelList.size(), 11u);
  EXPECT_EQ(list->LevelList.front(), "001");
  EXPECT_EQ(list->LevelList.back(), "011");
  EXPECT_EQ(list->CurrentPagePosition, 0);
  EXPECT_EQ(list->CurrentLevel, "001");
  EXPECT_EQ(list->ImageList.size(), 8u);

  // Turning the page lets the old thumbnails go; the last page is a full one.
  std::weak_ptr<TGameImage> old = list->ImageList.front();
  EXPECT_EQ(list->MoveRight(), 1);
  EXPECT_TRUE(old.expired());
  EXPECT_EQ(list->CurrentPagePosition, 3);
  EXPECT_EQ(list->CurrentLevel, "004");
  EXPECT_EQ(list->ImageList.size(), 8u);
  EXPECT_EQ(list->MoveRight(), 0);
  EXPECT_EQ(list->CurrentPagePosition, 3);
  EXPECT_EQ(list->MoveLeft(), 1);
  EXPECT_EQ(list->CurrentPagePosition, 0);
  EXPECT_EQ(list->MoveLeft(), 0);

  // The layout played last opens on its page, selected.
  auto back = Open("011");
  EXPECT_EQ(back->CurrentPagePosition, 3);
  EXPECT_EQ(back->CurrentLevelID, 7);
  auto gone = Open("999");
  EXPECT_EQ(gone->CurrentLevel, "001");

  // An empty or missing folder is an empty list; the arrows do nothing.
  test_support::TempFolder empty;
  auto none = VQLevelList::Create(empty.Path() + "missing/", "layout", "", "Cards", "No layouts here", 1, 7, 11,
                                  "Annms", marks.Path());
  none->Init();
  none->CreateImages(1);
  EXPECT_TRUE(none->LevelList.empty());
  EXPECT_EQ(none->MoveLeft() + none->MoveRight(), 0);
  EXPECT_EQ(none->CurrentLevel, "");
}

TEST_F(LevelListTest, ArrowKeysStayOnExistingSlotsAndTurnPagesAtTheEnds) {
  WriteLayouts(11);
  auto list = Open();
  // Left on the first slot of the first page: no page to turn, the selection stays.
  Key("Left");
  EXPECT_EQ(list->CurrentPagePosition, 0);
  EXPECT_EQ(list->CurrentLevelID, 0);
  EXPECT_EQ(list->CurrentLevel, "001");
  Key("Down");
  EXPECT_EQ(list->CurrentLevel, "005");
  Key("Up");
  EXPECT_EQ(list->CurrentLevel, "001");
  for (int i = 0; i < 7; ++i) Key("Right");
  EXPECT_EQ(list->CurrentLevelID, 7);
  EXPECT_EQ(list->CurrentLevel, "008");
  // From the last slot to the first of the next page, and back to the last of this one.
  Key("Right");
  EXPECT_EQ(list->CurrentPagePosition, 3);
  EXPECT_EQ(list->CurrentLevel, "004");
  Key("Left");
  EXPECT_EQ(list->CurrentPagePosition, 0);
  EXPECT_EQ(list->CurrentLevelID, 7);
  EXPECT_EQ(list->CurrentLevel, "008");

  // Five layouts: the lower row has one slot, the keys never leave the layouts.
  test_support::TempFolder five;
  for (const char* name : {"a", "b", "c", "d", "e"}) five.Write(std::string(name) + ".layout", Layout({"1,1,0"}));
  auto small = VQLevelList::Create(five.Path(), "layout", "", "Cards", "", 0, 7, 11, "Annmc", marks.Path());
  small->Init();
  small->CreateImages(1);
  screen->list = small;
  Key("Left");
  EXPECT_EQ(small->CurrentLevel, "a");
  Key("Down");
  EXPECT_EQ(small->CurrentLevel, "e");
  Key("Right");
  EXPECT_EQ(small->CurrentLevel, "e");
  Key("Up");
  Key("Right");
  Key("Down");
  EXPECT_EQ(small->CurrentLevel, "b") << "no layout under b";
  for (int i = 0; i < 5; ++i) Key("Right");
  EXPECT_EQ(small->CurrentLevel, "e");
  EXPECT_EQ(small->CurrentPagePosition, 0);
}

TEST_F(LevelListTest, ClicksSelectNearASlotAndDoubleClicksStartOnlyLayouts) {
  WriteLayouts(6);
  auto list = Open();
  Click(300 + 79, 217 + 49);
  EXPECT_EQ(list->CurrentLevel, "002");
  Click(300 + 82, 217);
  EXPECT_EQ(list->CurrentLevel, "002") << "outside the slot's 160 x 100";
  Click(500, 217 + 52);
  EXPECT_EQ(list->CurrentLevel, "002");
  Click(100, 360);
  EXPECT_EQ(list->CurrentLevel, "005");
  EXPECT_EQ(screen->starts, 0);
  DoubleClick(300, 360);
  EXPECT_EQ(list->CurrentLevel, "006");
  EXPECT_EQ(screen->starts, 1);
  EXPECT_EQ(list->StartLevel, 0) << "for one tick only";
  // Slots 6 and 7 hold no layout.
  Tick(200);
  DoubleClick(500, 360);
  DoubleClick(700, 360);
  EXPECT_EQ(screen->starts, 1);
  EXPECT_EQ(list->CurrentLevel, "006");
  EXPECT_EQ(list->CurrentLevelID, 5);
  // Quick clicks, pressed and let go between two ticks, count as well.
  Tick(200);
  MoveMouse(500, 217);
  Tick();
  PressButton();
  ReleaseButton();
  Tick();
  EXPECT_EQ(list->CurrentLevel, "003");
  EXPECT_EQ(screen->starts, 1);
  PressButton();
  ReleaseButton();
  Tick();
  EXPECT_EQ(screen->starts, 2);
}

TEST_F(LevelListTest, TicksComeFromThePlayersMarksAndARebuiltPageRereadsThem) {
  WriteLayouts(11);
  auto list = Open();
  EXPECT_TRUE(Ticks(*list).empty()) << "no marks file yet";
  ASSERT_EQ(MarkLevelCompleted(marks.File("Annms"), layouts.File("002.layout"), "1"), 1);
  ASSERT_EQ(MarkLevelCompleted(marks.File("Annms"), layouts.File("010.layout"), "1"), 1);
  // A hand-edited file: lower-case keys count, only the first line of a key, only "1".
  std::string text;
  platform::ReadWholeFile(marks.File("Annms.ini"), text);
  marks.Write("Annms.ini", text + "003=0\r\n004=2\r\n005=0\r\n005=1\r\n007=1\r\n");
  list->CreateImages(0);
  EXPECT_EQ(Ticks(*list), (std::vector<std::string>{"002", "007"}));
  MarkLevelCompleted(marks.File("Annms"), layouts.File("006.layout"), "1");
  list->MoveRight();
  EXPECT_EQ(Ticks(*list), (std::vector<std::string>{"006", "007", "010"}));
  // Another player's marks and the custom list's file are their own.
  auto other = VQLevelList::Create(layouts.Path(), "layout", "", "Cards", "", 1, 7, 11, "Annmc", marks.Path());
  other->Init();
  other->CreateImages(1);
  EXPECT_TRUE(Ticks(*other).empty());
}

TEST_F(LevelListTest, ThumbnailsOfStandardLayoutsShowEveryCardAtAQuarterScale) {
  int32_t cards = 0;
  auto thumbnail = CreateLevelThumbnail(test_support::SourcePath("data/layouts/tripeaks/001.layout"), cards, 0);
  ASSERT_TRUE(thumbnail && thumbnail->image);
  TCardList layout;
  ASSERT_EQ(ReadLevelLayout(test_support::SourcePath("data/layouts/tripeaks/001.layout"), layout, 0, 0), 1);
  EXPECT_EQ(cards, layout.Count());
  float largestX = 0, largestY = 0;
  for (const auto& card : layout) {
    largestX = std::max(largestX, card->x);
    largestY = std::max(largestY, card->y);
  }
  EXPECT_EQ(thumbnail->w, int32_t((largestX + 96) * 0.24f));
  EXPECT_EQ(thumbnail->h, int32_t((largestY + 96) * 0.24f));
  EXPECT_EQ(thumbnail->midhandled, 1);
  // Every card's centre shows the card back.
  const platform::Pixmap& pixels = thumbnail->image->FramePixels(0);
  for (const auto& card : layout) {
    const int px = int(card->x * 0.24f), py = int(card->y * 0.24f);
    EXPECT_GT(pixels.rgba[(size_t(py) * pixels.width + px) * 4 + 3], 200) << card->x << "," << card->y;
  }
  // Between the cards of a row the table shows through.
  EXPECT_EQ(pixels.rgba[3], 0);
}

TEST_F(LevelListTest, HostileLayoutsGiveSmallPicturesOrAnEmptyFrameAndNeverEndTheGame) {
  test_support::ThrowingErrorHandler throwing;
  std::string many = "Ostrelle Card Layout\r\n";
  for (int i = 0; i < 100000; ++i) many += "10,10,0\r\n";
  std::vector<std::string> tooMany(MaxLevelCards + 1, "10,10,0"), enough(MaxLevelCards, "10,10,0");
  layouts.Write("far.layout", Layout({"10,10,0", "2147483647,50,0"}));
  layouts.Write("above.layout", Layout({"100,-5000,0"}));
  layouts.Write("nan.layout", Layout({"100,100,nan", "120,100,inf", "140,100,-1e40"}));
  layouts.Write("many.layout", many);
  layouts.Write("toomany.layout", Layout(tooMany));
  layouts.Write("enough.layout", Layout(enough));
  layouts.Write("garbage.layout", std::string("\x89PNG\r\n\x1a\n\0\0\xff\xfe,,,\x01", 16));
  layouts.Write("empty.layout", "");
  struct Expected {
    const char* name;
    bool refused;
    int w, h, cards;
  };
  const Expected expected[] = {{"far", false, 192, 35, 2},   {"above", false, 47, 1, 1},
                               {"nan", false, 56, 47, 3},    {"many", true, 0, 0, 0},
                               {"toomany", true, 0, 0, 0},   {"enough", false, 25, 25, MaxLevelCards},
                               {"garbage", false, 23, 23, 1}, {"empty", false, 23, 23, 0}};
  for (const auto& e : expected) {
    int32_t cards = -1;
    auto thumbnail = CreateLevelThumbnail(layouts.File(std::string(e.name) + ".layout"), cards, 0);
    EXPECT_EQ(cards, e.cards) << e.name;
    if (e.refused) {
      EXPECT_FALSE(thumbnail) << e.name;
      continue;
    }
    ASSERT_TRUE(thumbnail) << e.name;
    EXPECT_EQ(thumbnail->w, e.w) << e.name;
    EXPECT_EQ(thumbnail->h, e.h) << e.name;
  }
  // A card reaching over the edge is drawn as far as it reaches in.
  layouts.Write("edge.layout", Layout({"-20,50,0", "300,50,0"}));
  int32_t cards = 0;
  auto edge = CreateLevelThumbnail(layouts.File("edge.layout"), cards, 0);
  ASSERT_TRUE(edge);
  const platform::Pixmap& pixels = edge->image->FramePixels(0);
  EXPECT_GT(pixels.rgba[(size_t(12) * pixels.width + 1) * 4 + 3], 200);
  layouts.Write("edge.txt", "");

  // The whole list opens and draws; the refused layouts show an empty frame.
  auto list = Open();
  EXPECT_EQ(list->LevelList.size(), 9u);
  ASSERT_EQ(list->ImageList.size(), 8u);
  for (size_t i = 0; i < list->ImageList.size(); ++i) {
    const bool refused = list->LevelList[i] == "many" || list->LevelList[i] == "toomany";
    EXPECT_EQ(list->ImageList[i] == nullptr, refused) << list->LevelList[i];
  }
  DrawFrame();
}

} // namespace
