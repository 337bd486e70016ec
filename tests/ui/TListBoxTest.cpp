#include "ui/TListBox.h"

#include "DialogTestWorld.h"
#include "platform/Keys.h"
#include "ui/TScrollBar.h"
#include "WidgetScreen.h"

namespace {

namespace keys = platform::keys;

// Lines of 30 pixels (no font, Gap 15) in a box of 150: five lines fit.
class ListBoxTest : public DialogTestWorld {
protected:
  std::shared_ptr<TListBox> MakeList(int entries, float height = 150) {
    auto list = TListBox::Create(0, 15, 0, 1, 500);
    list->SetCoords(100, 100, 200, height);
    for (int i = 0; i < entries; ++i) list->Add("entry " + std::to_string(i));
    return list;
  }
  // A click on the visible row `row`.
  void ClickRow(TListBox& list, int row) {
    PointAt(150, 100 + row * 30 + 15);
    Press();
    Tick(list);
  }
};

TEST_F(ListBoxTest, ViewClampsAndOnlyWhatFitsIsShownOrClickable) {
  auto short3 = MakeList(3);
  EXPECT_EQ(short3->DisplayLines, 5);
  short3->Limit = 5;
  short3->SetTopIndex(2);
  EXPECT_EQ(short3->TopIndex, 0) << "a list shorter than the box never scrolls (nor goes negative)";
  short3->SetTopIndex(-4);
  EXPECT_EQ(short3->TopIndex, 0);

  auto eight = MakeList(8);
  eight->Limit = 0; // as many as fit, not the whole list
  EXPECT_EQ(eight->GetTempLimit(), 5);
  eight->SetTopIndex(10);
  EXPECT_EQ(eight->TopIndex, 3);
  eight->SetTopIndex(0);
  eight->SetIndex(7);
  EXPECT_EQ(eight->TopIndex, 3) << "entries 3 to 7 visible";
  EXPECT_EQ(eight->Value, "entry 7");
  eight->SetIndex(8);
  EXPECT_EQ(eight->Index, -1) << "outside the list selects nothing";
  EXPECT_EQ(eight->Value, "");
  eight->SetIndex(-3);
  EXPECT_EQ(eight->Index, -1);

  eight->Limit = 20; // asks for more than fit
  eight->SetTopIndex(0);
  EXPECT_EQ(eight->GetTempLimit(), 5);
  ClickRow(*eight, 6); // below the box
  EXPECT_EQ(eight->Index, -1);
}

TEST_F(ListBoxTest, ClicksSelectAndASecondClickIsADoubleClickOnce) {
  auto list = MakeList(4);
  ClickRow(*list, 1);
  EXPECT_EQ(list->Index, 1);
  EXPECT_EQ(list->GetDoubleClicked(), -1);
  ClickRow(*list, 1);
  EXPECT_EQ(list->GetDoubleClicked(), 1);
  EXPECT_EQ(list->GetDoubleClicked(), -1) << "read once";
  ClickRow(*list, 4); // below the last entry, inside the box
  EXPECT_EQ(list->Index, 1);
  ClickRow(*list, 2);
  for (int i = 0; i < 101; ++i) Tick(*list); // 500 ms pass
  ClickRow(*list, 2);
  EXPECT_EQ(list->GetDoubleClicked(), -1) << "too late for a double click";
}

TEST_F(ListBoxTest, ArrowKeysMoveTheSelectionWithRepeatAndTheWheelScrolls) {
  auto list = MakeList(10);
  list->SetIndex(0);
  Hold(keys::Down);
  Tick(*list);
  EXPECT_EQ(list->Index, 1);
  TickQuietly(*list, 79);
  EXPECT_EQ(list->Index, 1);
  Tick(*list);
  EXPECT_EQ(list->Index, 2) << "repeats after 400 ms";
  for (int i = 0; i < 200; ++i) Tick(*list);
  EXPECT_EQ(list->Index, 9) << "stops at the last entry";
  EXPECT_EQ(list->TopIndex, 5) << "the selection stays in view";
  Release(keys::Down);
  Key(keys::Up);
  Tick(*list);
  EXPECT_EQ(list->Index, 8);

  PointAt(150, 120);
  Mouse().Wheel(2); // away from the player: up
  Tick(*list);
  EXPECT_EQ(list->TopIndex, 3);
  Mouse().Wheel(-10);
  Tick(*list);
  EXPECT_EQ(list->TopIndex, 5);
  PointAt(600, 120);
  Mouse().Wheel(3); // not over the box
  Tick(*list);
  EXPECT_EQ(list->TopIndex, 5);
}

TEST_F(ListBoxTest, ScrollBarArrowsAndDraggingMoveTheView) {
  auto list = MakeList(12, 300); // ten lines fit: two hidden
  list->AttachScrollBar(SolidImage(16, 30), "up", "down");
  auto& bar = *list->ScrollBar;
  EXPECT_EQ(bar.ValueMax, 2);
  ASSERT_EQ(bar.Menu->Items.size(), 2u);
  auto& down = *bar.Menu->Items[1];
  EXPECT_EQ(bar.Menu->Items[0]->Disabled, 1) << "nothing above the first entry";

  PointAt(int(down.x) + 5, int(down.y) + 5);
  Mouse().ButtonDown(1);
  Tick(*list);
  EXPECT_EQ(list->TopIndex, 1);
  for (int i = 0; i < 200; ++i) Tick(*list); // held: repeats up to the end
  EXPECT_EQ(list->TopIndex, 2);
  EXPECT_EQ(down.Disabled, 1);
  Mouse().ButtonUp(1);
  Tick(*list);

  // Drag the slider from the bottom of the track back to the top.
  const int sliderY = int(bar.Y) + bar.SliderPosition + 10;
  EXPECT_EQ(bar.SliderPosition, bar.Size - 30);
  PointAt(int(bar.X) + 8, sliderY);
  Mouse().ButtonDown(1);
  Tick(*list);
  EXPECT_EQ(bar.SliderSelected, 1);
  PointAt(int(bar.X) + 8, sliderY - 1000);
  Tick(*list);
  EXPECT_EQ(bar.SliderPosition, 0);
  EXPECT_EQ(list->TopIndex, 0);
  Mouse().ButtonUp(1);
  Tick(*list);
  EXPECT_EQ(bar.SliderSelected, 0);

  auto empty = TScrollBar::Create(nullptr, 100, -5, 0, 0, 1);
  EXPECT_EQ(empty->ValueMax, 0);
  empty->SetValue(3);
  EXPECT_EQ(empty->SliderPosition, 0) << "a bar with nothing to scroll keeps its slider at the start";
}

TEST_F(ListBoxTest, DrivenThroughTheGamesOwnInput) {
  auto screen = HostWidget(MakeList(12));
  auto& list = *screen->widget;
  MoveMouse(150, 145); // row 1
  Ticks(1);
  PressButton();
  Ticks(1);
  ReleaseButton();
  Ticks(1);
  EXPECT_EQ(list.Index, 1);
  TurnWheel(-3); // towards the player: down
  Ticks(1);
  EXPECT_EQ(list.TopIndex, 3);
  HoldKey("Down");
  Ticks(90);
  ReleaseKey("Down");
  Ticks(1);
  EXPECT_EQ(list.Index, 3) << "one step, one repeat after 400 ms";
  EXPECT_EQ(list.TopIndex, 2) << "the selection, above the view, was brought into it";
}

TEST_F(ListBoxTest, ABoxOfNoLinesShowsNothingAndTakesNoClicks) {
  auto list = MakeList(5, 10); // shorter than one line
  EXPECT_EQ(list->DisplayLines, 0);
  EXPECT_EQ(list->GetTempLimit(), 0);
  ClickRow(*list, 0);
  EXPECT_EQ(list->Clicked, -1);
  auto flat = TListBox::Create(0, 0, 0, 1, 500); // no font, no gap: lines of zero height
  flat->SetCoords(0, 0, 100, 100);
  flat->Add("x");
  EXPECT_EQ(flat->DisplayLines, 0);
  PointAt(10, 10);
  Press();
  EXPECT_EQ(Tick(*flat), 0);
}

} // namespace
