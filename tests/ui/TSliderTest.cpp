#include "ui/TSlider.h"

#include "DialogTestWorld.h"
#include "WidgetScreen.h"

namespace {

// A 200-pixel track at (100, 300) with 10-pixel end zones and a 20-pixel knob.
class SliderTest : public DialogTestWorld {
protected:
  void SetUp() override {
    DialogTestWorld::SetUp();
    WritePicture("track", 200, 26);
    WritePicture("knob", 20, 26);
    slider = TSlider::CreateSpecial("track", "knob", 100, 300, 10);
  }
  // The left button held at x over the track for one tick; returns the value.
  int HoldAt(int x, int y = 310) {
    PointAt(x, y);
    Mouse().ButtonDown(1);
    Tick(*slider);
    return slider->Value;
  }
  std::shared_ptr<TSlider> slider;
};

TEST_F(SliderTest, EndZonesReadTheEndsTheMiddleReadsHalfAndValuesClamp) {
  EXPECT_EQ(slider->Value, 50);
  EXPECT_EQ(slider->DotX, 100 + 10 + 90 - 10);
  EXPECT_EQ(HoldAt(101), 0);
  EXPECT_EQ(HoldAt(110), 0);
  EXPECT_EQ(slider->DotX, 100);
  EXPECT_EQ(HoldAt(290), 100);
  EXPECT_EQ(HoldAt(299), 100);
  EXPECT_EQ(HoldAt(200), 50);
  EXPECT_EQ(HoldAt(155), 25);
  slider->SetValue(150);
  EXPECT_EQ(slider->Value, 100);
  slider->SetValue(-5);
  EXPECT_EQ(slider->Value, 0);
}

TEST_F(SliderTest, DraggingFollowsThePointerOnlyWhileHeldInTheArea) {
  EXPECT_EQ(HoldAt(128), 10);
  EXPECT_EQ(HoldAt(146), 20);
  EXPECT_EQ(HoldAt(200, 250), 20) << "too far above the track";
  Mouse().ButtonUp(1);
  PointAt(250, 310);
  EXPECT_EQ(Tick(*slider), 0);
  EXPECT_EQ(slider->Value, 20) << "the pointer alone moves nothing";
  EXPECT_EQ(slider->MouseOver, 1);
  EXPECT_EQ(HoldAt(95), 0) << "the area reaches 10 pixels beyond the track";
}

TEST_F(SliderTest, DraggedThroughTheGamesOwnInput) {
  HostWidget(slider);
  MoveMouse(200, 310);
  PressButton();
  Ticks(1);
  for (int x : {180, 150, 112, 104}) {
    MoveMouse(x, 310);
    Ticks(1);
  }
  EXPECT_EQ(slider->Value, 0) << "dragged to the left end";
  MoveMouse(400, 310);
  Ticks(1);
  EXPECT_EQ(slider->Value, 0) << "the pointer left the area";
  ReleaseButton();
  MoveMouse(290, 310);
  Ticks(2);
  EXPECT_EQ(slider->Value, 0) << "moving without the button changes nothing";
}

TEST_F(SliderTest, ATrackNarrowerThanItsBordersStaysWithinItself) {
  WritePicture("tiny", 12, 26);
  auto narrow = TSlider::CreateSpecial("tiny", "knob", 100, 300, 10);
  for (int x : {95, 100, 106, 111, 115}) {
    PointAt(x, 310);
    Mouse().ButtonDown(1);
    Tick(*narrow);
    EXPECT_GE(narrow->Value, 0) << x;
    EXPECT_LE(narrow->Value, 100) << x;
    EXPECT_EQ(narrow->DotX, 100 + 6 - 10) << "the knob rests in the middle of the track";
  }
}

} // namespace
