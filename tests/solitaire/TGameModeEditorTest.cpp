// The layout editor played through the pointer and keys: placing on the grid
// and off it, the margins (also for turned cards), turning with Ctrl, removing
// with the right button, and the check that decides whether a layout may be saved.
#include "support/GameModeWorld.h"

#include "solitaire/TCard.h"
#include "solitaire/TCardLayoutFile.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeEditor.h"
#include "solitaire/TState.h"

#include <cmath>

namespace {

class EditorTest : public test_support::GameModeWorld {
protected:
  void SetUp() override {
    GameModeWorld::SetUp();
    editor = Create<TGameModeEditor>();
    editor->CardBackground = 2;
    editor->Random.Seed(5);
  }
  void RightClick(int x, int y) {
    MoveMouse(x, y);
    Tick();
    PressButton(2);
    Tick();
    ReleaseButton(2);
    Tick();
  }
  // A card put straight into the layout (no pointer), as a loaded file puts it.
  void Put(float x, float y, float angle = 0) {
    editor->Cards->AddNew(x, y, Images->Find("cardback1"), 1, 1, 0, angle);
  }
  int Count() const { return editor->Cards->Count(); }
  const TCard& Card(int i) const { return *editor->Cards->ValueAtIndex(i); }
  std::shared_ptr<TGameModeEditor> editor;
};

TEST_F(EditorTest, ClicksPlaceCardsOnTheGridAndShiftPlacesThemWhereThePointerIs) {
  Click(100, 103);
  ASSERT_EQ(Count(), 1);
  EXPECT_EQ(Card(0).x, 90);
  EXPECT_EQ(Card(0).y, 90);
  EXPECT_EQ(Card(0).Opened, 1); // uncovered: shows its face
  EXPECT_EQ(editor->GetPositionX(), 90);

  HoldKey("Left Shift");
  Click(401, 203);
  ASSERT_EQ(Count(), 2);
  EXPECT_EQ(Card(1).x, 401);
  EXPECT_EQ(Card(1).y, 203);
  EXPECT_EQ(editor->GetPositionX(), 401);
  ReleaseKey("Left Shift");
  Tick();
  EXPECT_EQ(editor->GetPositionX(), 390);

  // A later card on an earlier one covers it.
  Click(110, 120);
  ASSERT_EQ(Count(), 3);
  EXPECT_EQ(Card(0).Opened, 0);
  EXPECT_EQ(Card(2).Opened, 1);

  // While a dialog is open the table takes no clicks.
  GameState->disableButtons = 1;
  Click(600, 300);
  EXPECT_EQ(Count(), 3);
}

TEST_F(EditorTest, ACardThatWouldTouchAMarginIsNotPlacedAndNotPreviewedAlsoWhenTurned) {
  // 72 x 96 cards: at x 60 the left edge reaches the margin, at 75 it does not;
  // at y 405 the bottom edge passes 440.
  for (auto [x, y] : {std::pair{60, 200}, std::pair{750, 200}, std::pair{300, 60}, std::pair{300, 405},
                      std::pair{400, 565}}) {
    Click(x, y);
    EXPECT_EQ(Count(), 0) << x << "," << y;
    EXPECT_EQ(editor->IsCardWithinBounds(), 0) << x << "," << y;
  }
  MoveMouse(75, 200);
  Tick();
  EXPECT_EQ(editor->IsCardWithinBounds(), 1);
  // Turned by 45 degrees the same card reaches past the left edge.
  editor->Rotation = 45;
  EXPECT_EQ(editor->IsCardWithinBounds(), 0);
  Click(75, 200);
  EXPECT_EQ(Count(), 0);
  // Turned by 90 degrees it is 96 wide and 72 high.
  editor->Rotation = 90;
  HoldKey("Left Shift");
  Click(65, 200);
  EXPECT_EQ(Count(), 0);
  Click(300, 400);
  ASSERT_EQ(Count(), 1);
  EXPECT_EQ(Card(0).RotationAngle, 90);
  editor->Rotation = 0;
  Click(65, 200);
  Click(300, 400);
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(Card(1).x, 65);
  ReleaseKey("Left Shift");

  // While turning the preview is always shown; the button held down as Ctrl
  // is let go over a margin counts as a click there, and places nothing.
  MoveMouse(10, 10);
  Tick();
  HoldKey("Left Ctrl");
  Tick();
  EXPECT_EQ(editor->IsCardWithinBounds(), 1);
  PressButton();
  Tick();
  ReleaseKey("Left Ctrl");
  Tick();
  ReleaseButton();
  Tick();
  EXPECT_EQ(Count(), 2);
}

TEST_F(EditorTest, CtrlWithSidewaysMovesTurnsTheNextCardAndWrapsAtBothEnds) {
  Click(300, 200);
  ASSERT_EQ(Count(), 1);
  MoveMouse(500, 200);
  Tick();
  HoldKey("Left Ctrl");
  Tick(3);
  EXPECT_EQ(editor->IsRotating, 1);
  EXPECT_EQ(editor->Rotation, 0); // Ctrl alone turns nothing
  MoveMouse(503, 300);
  Tick(); // one step per tick, however far the pointer went
  EXPECT_EQ(editor->Rotation, 10);
  Tick(2); // no move, no turn
  EXPECT_EQ(editor->Rotation, 10);
  // The preview stays where turning began, off the grid.
  EXPECT_EQ(editor->GetPositionX(), 500);
  EXPECT_EQ(editor->GetPositionY(), 200);
  EXPECT_EQ(editor->IsCardWithinBounds(), 1);
  MoveMouse(490, 300);
  Tick();
  MoveMouse(480, 300);
  Tick();
  EXPECT_EQ(editor->Rotation, 360); // below 0 gives 360
  HoldKey("Left Shift");
  MoveMouse(481, 300);
  Tick();
  EXPECT_EQ(editor->Rotation, 0); // past 360 gives 0
  MoveMouse(482, 300);
  Tick();
  MoveMouse(483, 300);
  Tick();
  EXPECT_EQ(editor->Rotation, 2);
  ReleaseKey("Left Shift");
  MoveMouse(600, 300);
  Tick();
  EXPECT_EQ(editor->Rotation, 12);
  ReleaseKey("Left Ctrl");
  Tick();
  EXPECT_EQ(editor->IsRotating, 0);

  // Pressing Ctrl again somewhere else does not turn by itself either.
  MoveMouse(300, 300);
  Tick();
  HoldKey("Right Ctrl");
  Tick(2);
  EXPECT_EQ(editor->Rotation, 12);
  ReleaseKey("Right Ctrl");
  Tick();

  Click(600, 300);
  ASSERT_EQ(Count(), 2);
  EXPECT_EQ(Card(1).RotationAngle, 12);
  EXPECT_EQ(Card(0).RotationAngle, 0); // cards already placed keep their angle
}

TEST_F(EditorTest, RightClickRemovesTheUncoveredCardUnderThePointerNeverACoveredOne) {
  Click(300, 200);
  Click(345, 225); // lies on the first one's right half
  Click(600, 300);
  ASSERT_EQ(Count(), 3);
  ASSERT_EQ(Card(0).Opened, 0);
  RightClick(270, 200); // only the covered card is here
  EXPECT_EQ(Count(), 3);
  RightClick(320, 220); // both cards are here: the one on top goes
  ASSERT_EQ(Count(), 2);
  EXPECT_EQ(Card(0).x, 300);
  EXPECT_EQ(Card(0).Opened, 1); // uncovered again
  RightClick(270, 200);
  ASSERT_EQ(Count(), 1);
  EXPECT_EQ(Card(0).x, 600);
  RightClick(100, 100); // nothing there
  EXPECT_EQ(Count(), 1);
}

// A layout file holds at most 1000 cards, and a game cannot start on a
// longer one: the editor places no more.
TEST_F(EditorTest, NoMoreCardsArePlacedThanALayoutFileHolds) {
  for (int i = 1; i < TCardLayoutFile::MaxCards; ++i) Put(400, 200);
  Click(100, 100);
  ASSERT_EQ(Count(), TCardLayoutFile::MaxCards);
  Click(600, 100);
  EXPECT_EQ(Count(), TCardLayoutFile::MaxCards);
  RightClick(600, 100);
  RightClick(100, 100);
  Click(600, 100);
  EXPECT_EQ(Count(), TCardLayoutFile::MaxCards);
  EXPECT_EQ(Card(TCardLayoutFile::MaxCards - 1).x, 600);
}

TEST_F(EditorTest, TheCheckSaysWhyALayoutCannotBeSaved) {
  EXPECT_EQ(editor->IsLayoutValid(), 1); // empty
  Put(100, 100), Put(200, 100), Put(300, 100);
  editor->UpdatedCards();
  EXPECT_EQ(editor->IsLayoutValid(), 1); // odd
  editor->Clear();
  for (int i = 0; i < 4; ++i) Put(300, 200);
  editor->UpdatedCards();
  EXPECT_EQ(editor->IsLayoutValid(), 2); // one stack: a single uncovered card
  editor->Clear();
  Put(100, 100), Put(200, 100), Put(300, 100), Put(400, 100);
  editor->UpdatedCards();
  EXPECT_EQ(editor->IsLayoutValid(), 0);

  // 48 cards in one stack with two cards across its top, left and right: any
  // pair holding a stack card needs its partner in the stock, which has room
  // for only two of the 52.
  editor->Clear();
  for (int i = 0; i < 48; ++i) Put(400, 200);
  Put(360, 200), Put(440, 200);
  editor->UpdatedCards();
  EXPECT_EQ(editor->IsLayoutValid(), 3);
  EXPECT_GT(editor->Dealer.Restarts, 300);
}

TEST_F(EditorTest, ALayoutThatLeavesTriPeaksNoStockIsRefused) {
  // Ten columns of cards overlapping downwards, which Matching deals easily.
  auto columns = [&](int cards) {
    editor->Clear();
    for (int i = 0; i < cards; ++i) Put(float(70 + (i % 10) * 75), float(80 + (i / 10) * 60));
    editor->UpdatedCards();
  };
  for (int cards : {50, 54, 102}) {
    columns(cards);
    EXPECT_EQ(editor->IsLayoutValid(), 0) << cards;
  }
  // Dealt by Matching, refused for Tri Peaks.
  for (int cards : {52, 104}) {
    columns(cards);
    EXPECT_EQ(editor->IsLayoutValid(), 3) << cards;
    EXPECT_LE(editor->Dealer.Restarts, 300) << cards;
  }
}

} // namespace
