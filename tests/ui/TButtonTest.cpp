#include "ui/TButton.h"

#include "TextTestHelpers.h"
#include "app/InputTables.h"
#include "app/TGame.h"
#include "app/Delta.h"
#include "support/GameWorld.h"
#include "platform/Graphics.h"
#include "platform/Keys.h"
#include "support/HeadlessGraphics.h"

namespace {

using UiTestWorld = test_support::GameWorld;

// Counts the sounds a button asks for instead of playing them.
class CountingButton : public TButton {
public:
  void PlayMouseOver() override { ++mouseOvers; }
  void PlayClick() override { ++clicks; }
  void PlayClick2() override { ++secondClicks; }
  int mouseOvers = 0, clicks = 0, secondClicks = 0;
};

class ButtonTest : public test_support::GameWorld {
protected:
  void SetUp() override {
    GameWorld::SetUp();
    button = std::make_shared<CountingButton>();
    button->SetImage(SolidImage(100, 40));
    button->Init();
    button->SetPosition(200, 100);
  }
  void Hover() { PointAt(250, 120); }
  void Leave() { PointAt(10, 10); }
  // One logic tick as the main loop runs it: hits last one tick.
  int Tick() {
    const int clicked = button->Manage();
    Mouse().ClearMouseHit();
    return clicked;
  }
  std::shared_ptr<CountingButton> button;
};

TEST_F(ButtonTest, HoverCoversTheHalfOpenRectangle) {
  PointAt(200, 100);
  Tick();
  EXPECT_EQ(button->MouseOver, 1);
  PointAt(299, 139);
  Tick();
  EXPECT_EQ(button->MouseOver, 1);
  PointAt(300, 120);
  Tick();
  EXPECT_EQ(button->MouseOver, 0);
  PointAt(250, 140);
  Tick();
  EXPECT_EQ(button->MouseOver, 0);
}

TEST_F(ButtonTest, MouseOverSoundPlaysOncePerEntry) {
  Hover();
  for (int i = 0; i < 10; ++i) Tick();
  EXPECT_EQ(button->mouseOvers, 1);
  Leave();
  Tick();
  Hover();
  for (int i = 0; i < 10; ++i) Tick();
  EXPECT_EQ(button->mouseOvers, 2);
  Leave();
  Tick();
  Hover();
  button->ManageNoSound(); // hover refreshed silently
  Tick();
  EXPECT_EQ(button->mouseOvers, 2);
}

TEST_F(ButtonTest, ClickIsReportedForExactlyOneTickWithItsSound) {
  Hover();
  Tick();
  Press();
  EXPECT_EQ(Tick(), 1);
  EXPECT_EQ(button->clicks, 1);
  EXPECT_EQ(Tick(), 0);
  // A right click presses a button too.
  Press(2);
  EXPECT_EQ(Tick(), 1);
  EXPECT_EQ(button->clicks, 2);
  // A press away from the button is not its click.
  Leave();
  Press();
  EXPECT_EQ(Tick(), 0);
}

TEST_F(ButtonTest, PressedPictureBlocksClicksUnlessClickWhenDown) {
  button->ImageMouseClick = SolidImage(100, 40);
  button->MouseClickDuration = 40; // 200 ms
  Hover();
  Press();
  EXPECT_EQ(Tick(), 1);
  EXPECT_GT(button->MouseClickCounter, 0);
  Press();
  EXPECT_EQ(Tick(), 0);
  EXPECT_EQ(button->clicks, 1);
  for (int i = 0; i < 40; ++i) Tick();
  Press();
  EXPECT_EQ(Tick(), 1);

  button->ClickWhenDown = 1;
  Tick();
  EXPECT_GT(button->MouseClickCounter, 0);
  Press();
  EXPECT_EQ(Tick(), 1);
  EXPECT_EQ(button->clicks, 3);
}

TEST_F(ButtonTest, DisabledButtonsFollowClickDisabled) {
  button->Disabled = 1;
  Hover();
  Press();
  EXPECT_EQ(Tick(), 1); // ClickDisabled is 1 by default
  button->ClickDisabled = 0;
  Press();
  EXPECT_EQ(Tick(), 0);
  EXPECT_EQ(button->MouseOver, 0);
  button->Disabled = 0;
  button->Active = 0;
  Press();
  EXPECT_EQ(Tick(), 0);
}

TEST_F(ButtonTest, GrowsUnderThePointerAndShrinksAfter) {
  button->SetupScaleOnMO(1.1f, 0.03f, 0.01f);
  Hover();
  Tick();
  EXPECT_NEAR(button->ScaleOnMO, 1.03f, 1e-5);
  Tick();
  EXPECT_NEAR(button->ScaleOnMO, 1.06f, 1e-5);
  Tick();
  Tick();
  EXPECT_FLOAT_EQ(button->ScaleOnMO, 1.1f);
  Tick();
  EXPECT_FLOAT_EQ(button->ScaleOnMO, 1.1f);
  Leave();
  Tick();
  EXPECT_NEAR(button->ScaleOnMO, 1.09f, 1e-5);
  for (int i = 0; i < 20; ++i) Tick();
  EXPECT_FLOAT_EQ(button->ScaleOnMO, 1.0f);
}

TEST_F(ButtonTest, EnterAndSpacePressTheDefaultButton) {
  Leave();
  KeyHits[platform::keys::Enter] = 1;
  EXPECT_EQ(Tick(), 0); // not the default button: the key is left alone
  EXPECT_EQ(KeyHits[platform::keys::Enter], 1);
  button->OKButton = 1;
  EXPECT_EQ(Tick(), 1);
  EXPECT_EQ(button->MouseOver, 1);
  KeyHits[platform::keys::Space] = 1;
  EXPECT_EQ(Tick(), 1);
  button->OKButtonUseSpace = 0;
  KeyHits[platform::keys::Space] = 1;
  EXPECT_EQ(Tick(), 0);
  EXPECT_EQ(button->clicks, 2);
}

TEST_F(ButtonTest, HeldButtonWithMouseRepeatClicksAgain) {
  button->SetupMouseRepeat(100, 50); // 20 ticks, then every 10
  button->SoundClick2 = std::make_shared<TGameSound>();
  Hover();
  Mouse().ButtonDown(1);
  int clicks = 0;
  for (int i = 0; i < 40; ++i) clicks += Tick();
  Mouse().ButtonUp(1);
  EXPECT_EQ(clicks, 3); // the press, after 20 ticks, after 30
  EXPECT_EQ(button->clicks, 1);
  EXPECT_EQ(button->secondClicks, 2);
  Tick();
  Press(); // pressed and released within one frame
  EXPECT_EQ(Tick(), 1) << "a quick tap clicks a repeating button too";
}

TEST_F(ButtonTest, MouseOverUserFunctionCancelsTheHover) {
  int veto = 1;
  button->MouseOverUserFunction = [&veto] { return veto; };
  Hover();
  Press();
  EXPECT_EQ(Tick(), 0);
  EXPECT_EQ(button->mouseOvers, 0);
  veto = 0;
  Press();
  EXPECT_EQ(Tick(), 1);
}

TEST_F(UiTestWorld, ButtonSoundsReachTheirOwnChannelsWithoutAPool) {
  WritePicture("ok", 80, 30);
  WritePicture("okMO", 80, 30);
  WriteSound("over");
  WriteSound("click");
  auto button = TButton::CreateSpecial("ok", "okMO", "over", "click");
  ASSERT_TRUE(button->ChannelMouseOver);
  ASSERT_TRUE(button->ChannelClick);
  EXPECT_EQ(button->name, "OK");
  EXPECT_EQ(button->w, 80);
  PointAt(button->x + 5, button->y + 5);
  button->Manage();
  EXPECT_EQ(button->ChannelMouseOver->CurrentSound(), button->SoundMouseOver->sound);
  EXPECT_FALSE(button->ChannelClick->CurrentSound());
  Press();
  button->Manage();
  EXPECT_EQ(button->ChannelClick->CurrentSound(), button->SoundClick->sound);
}

class ButtonDrawing : public test_support::HeadlessGraphics {
protected:
  // Draws the button into a 100 x 100 target over black and returns the pixels.
  platform::Pixmap Render(TButton& button) {
    auto target = platform::Picture::CreateRenderTarget(100, 100);
    EXPECT_TRUE(target);
    EXPECT_TRUE(platform::BeginRenderTo(*target));
    platform::SetClsColor(0, 0, 0);
    platform::Cls();
    button.Draw();
    platform::EndRenderTo();
    return target->FramePixels(0);
  }
};

TEST_F(ButtonDrawing, GrowthIsAboutTheCentreAndHoverShowsItsPicture) {
  TButton button;
  button.SetImage(test_support::GameWorld::SolidImage(40, 20, 0, 100));
  button.ImageMouseOver = test_support::GameWorld::SolidImage(40, 20, 0, 250);
  button.SetPosition(30, 40);
  auto plain = Render(button);
  EXPECT_EQ(plain.Pixel(30, 40)[0], 100);
  EXPECT_EQ(plain.Pixel(69, 59)[0], 100);
  EXPECT_EQ(plain.Pixel(29, 40)[0], 0);
  EXPECT_EQ(plain.Pixel(70, 59)[0], 0);

  // Grown 1.5 times: 60 x 30 centred on the same point (50, 50).
  button.ScaleOnMO = 1.5f;
  button.MouseOver = 1;
  auto grown = Render(button);
  EXPECT_EQ(grown.Pixel(21, 36)[0], 250);
  EXPECT_EQ(grown.Pixel(78, 63)[0], 250);
  EXPECT_EQ(grown.Pixel(18, 50)[0], 0);
  EXPECT_EQ(grown.Pixel(81, 50)[0], 0);
  EXPECT_EQ(grown.Pixel(50, 33)[0], 0);
  EXPECT_EQ(grown.Pixel(50, 66)[0], 0);

  // A disabled button without its own picture keeps the normal one; an
  // inactive one is not drawn at all.
  button.ScaleOnMO = 1.0f;
  button.MouseOver = 0;
  button.Disabled = 1;
  EXPECT_EQ(Render(button).Pixel(50, 50)[0], 100);
  button.Active = 0;
  EXPECT_EQ(Render(button).Pixel(50, 50)[0], 0);
}

TEST_F(ButtonDrawing, CaptionStaysCentredAsTheButtonGrows) {
  auto font = text_test::Carlito(20);
  ASSERT_TRUE(font) << "needs " << text_test::CarlitoPath;
  TButton button;
  button.SetImage(test_support::GameWorld::SolidImage(80, 40, 0, 0)); // black on the black target
  button.SetPosition(10, 30);
  button.SetupCaption("OK", font, nullptr, nullptr, nullptr);
  const auto plain = text_test::FindInk(Render(button));
  ASSERT_FALSE(plain.Empty());
  EXPECT_NEAR((plain.left + plain.right) / 2.0, 50, 2);
  EXPECT_NEAR((plain.top + plain.bottom) / 2.0, 50, 4);

  button.ScaleOnMO = 1.5f;
  const auto grown = text_test::FindInk(Render(button));
  EXPECT_NEAR((grown.left + grown.right) / 2.0, 50, 2);
  EXPECT_NEAR((grown.top + grown.bottom) / 2.0, 50, 5);
  EXPECT_NEAR(double(grown.Width()) / plain.Width(), 1.5, 0.2);

  // Moving the button takes the caption along.
  button.ScaleOnMO = 1.0f;
  button.MoveBy(5, -10);
  const auto moved = text_test::FindInk(Render(button));
  EXPECT_EQ(moved.left, plain.left + 5);
  EXPECT_EQ(moved.top, plain.top - 10);
}

} // namespace
