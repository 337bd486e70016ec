#include "ui/TDialog.h"

#include "DialogTestWorld.h"
#include "platform/Keys.h"
#include "resources/TImageBank.h"
#include "ui/DialogFactories.h"
#include "ui/TColor.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogYesNo.h"
#include "ui/TLabel.h"
#include "WidgetScreen.h"
#include "platform/Graphics.h"
#include "platform/Pixmap.h"

namespace {

namespace keys = platform::keys;
constexpr int KeyY = keys::A + ('Y' - 'A'), KeyN = keys::A + ('N' - 'A');

class DialogTest : public DialogTestWorld {
protected:
  std::shared_ptr<TDialogOK> OpenOK() {
    auto dialog = TDialogOK::Create("Saved.", nullptr, 0, 0, 0);
    dialog->Start();
    return dialog;
  }
  std::shared_ptr<TDialogYesNo> OpenYesNo() {
    auto dialog = TDialogYesNo::Create("Quit?", nullptr, 0, 0, 0);
    dialog->Start();
    return dialog;
  }
};

TEST_F(DialogTest, OKAnswersTheButtonEnterAndEscapeWithOneAndGivesEscapeBack) {
  Game->IgnoreEscapeKey = 0;
  auto clicked = OpenOK();
  EXPECT_EQ(Game->IgnoreEscapeKey, 1) << "Escape belongs to an open dialog";
  TickQuietly(*clicked, 3);
  ClickOn(*clicked->Menu, "OK");
  EXPECT_EQ(Tick(*clicked), 1);
  EXPECT_EQ(clicked->Active, 0);
  EXPECT_EQ(Game->IgnoreEscapeKey, 0);
  EXPECT_EQ(Tick(*clicked), 0) << "the result is given once";

  for (int key : {keys::Enter, keys::Space, keys::Escape}) {
    auto dialog = OpenOK();
    Key(key);
    EXPECT_EQ(Tick(*dialog), 1) << key;
  }
}

TEST_F(DialogTest, YesNoAnswersClicksAndTheKeysYNAndEscape) {
  struct Case {
    int key;
    int result;
  };
  for (Case c : {Case{KeyY, 1}, Case{keys::Enter, 1}, Case{KeyN, -1}, Case{keys::Escape, -1}}) {
    auto dialog = OpenYesNo();
    TickQuietly(*dialog, 2);
    Key(c.key);
    EXPECT_EQ(Tick(*dialog), c.result) << c.key;
    EXPECT_EQ(dialog->Active, 0);
  }
  for (auto [name, result] : {std::pair{"Yes", 1}, std::pair{"No", -1}}) {
    auto dialog = OpenYesNo();
    ClickOn(*dialog->Menu, name);
    EXPECT_EQ(Tick(*dialog), result) << name;
  }
  auto dialog = OpenYesNo();
  Key(keys::Space);
  EXPECT_EQ(Tick(*dialog), 1) << "Space presses the default button, Yes";
}

TEST_F(DialogTest, ButtonsSitCentredAtTheBottomOfThePanelAndThePanelIsCentred) {
  auto dialog = TDialogYesNo::Create("Quit?", nullptr, 400, 0, 0);
  dialog->Start();
  EXPECT_EQ(dialog->w, 400);
  EXPECT_EQ(dialog->x, 200);
  EXPECT_EQ(dialog->y, (600 - dialog->h) / 2);
  auto yes = dialog->Menu->FindButton("Yes"), no = dialog->Menu->FindButton("No");
  EXPECT_FLOAT_EQ(no->x - (yes->x + float(yes->w)), float(dialog->ButtonGap));
  EXPECT_FLOAT_EQ(yes->x - float(dialog->x), float(dialog->x + dialog->w) - (no->x + float(no->w)));
  EXPECT_FLOAT_EQ(yes->y + float(yes->h), float(dialog->y + dialog->h - dialog->Border));
}

TEST_F(DialogTest, FactoryDialogsSlideInIgnoreInputUntilShownAndAnswerAfterClosing) {
  PutPanel("input", 420, 220);
  auto dialog = CreateOKDialog("Done!");
  EXPECT_EQ(dialog->w, 420) << "the panel picture gives the size";
  EXPECT_EQ(dialog->x, 190);
  EXPECT_LT(dialog->OffsetY, float(-dialog->y)) << "starts above the screen";
  Key(keys::Escape);
  EXPECT_EQ(Tick(*dialog), 0);
  int opening = 1;
  while (dialog->Transitioning == 1 && opening < 1000) {
    Key(keys::Escape); // swallowed while opening
    ASSERT_EQ(Tick(*dialog), 0);
    ++opening;
  }
  EXPECT_EQ(opening, 70) << "350 ms of 5 ms ticks";
  EXPECT_FLOAT_EQ(dialog->OffsetY, 0);
  Key(keys::Escape);
  EXPECT_EQ(Tick(*dialog), 0) << "closing";
  EXPECT_EQ(dialog->Transitioning, 2);
  EXPECT_EQ(RunUntilResult(*dialog), 1);
  EXPECT_EQ(dialog->Active, 0);
}

TEST_F(DialogTest, ErrorDialogIsRedOnTheLongPanel) {
  PutPanel("inputlong", 600, 180);
  auto error = CreateErrorOKDialog("Could not read the file 'x'.");
  auto plain = CreateLongOKDialog("Well done!");
  for (const auto& dialog : {error, plain}) {
    EXPECT_EQ(dialog->w, 600);
    EXPECT_EQ(dialog->Active, 1);
  }
  EXPECT_EQ(error->Caption->Color->R, 255);
  EXPECT_EQ(error->Caption->Color->G, 0);
  EXPECT_EQ(plain->Caption->Color->G, 255);
}

TEST_F(DialogTest, AnswersTheGamesOwnInputAndEscapeNeverLeavesTheScreen) {
  Game->IgnoreEscapeKey = 0; // a menu screen: Escape would lead away
  auto question = HostWidget(OpenYesNo());
  TapKey("Escape");
  Ticks(3);
  EXPECT_EQ(question->Results, std::vector<int>{-1});
  EXPECT_NE(Game->DestinationTScreen, Game->ExitScreen) << "Escape went to the dialog only";
  EXPECT_EQ(Game->GameFade.Active, 0);

  auto yes = HostWidget(OpenYesNo());
  TapKey("Y");
  Ticks(2);
  EXPECT_EQ(yes->Results, std::vector<int>{1});

  auto message = HostWidget(OpenOK());
  auto ok = message->widget->Menu->FindButton("OK");
  MoveMouse(int(ok->x) + 10, int(ok->y) + 10);
  Ticks(1);
  PressButton();
  Ticks(1);
  ReleaseButton();
  Ticks(2);
  EXPECT_EQ(message->Results, std::vector<int>{1});
}

TEST_F(DialogTest, DrawsItsPanelOverADimmedScreen) {
  auto dialog = TDialogOK::Create("", nullptr, 200, 0, 0);
  dialog->DimBackground = 0.5f;
  dialog->Start();
  platform::SetClsColor(255, 255, 255);
  platform::Cls();
  dialog->Draw();
  platform::Pixmap pixels;
  ASSERT_TRUE(platform::GrabBackBuffer(pixels));
  const uint8_t* corner = pixels.Pixel(5, 5);
  EXPECT_NEAR(corner[0], 128, 2) << "half dimmed";
  const uint8_t* panel = pixels.Pixel(dialog->x + 5, dialog->y + 5);
  EXPECT_NEAR(panel[1], 150, 2) << "the grey box";
  platform::SetClsColor(0, 0, 0);
}

} // namespace
