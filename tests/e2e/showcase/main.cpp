// The widget showcase for the end-to-end tests: the real game start-up, then
// the title screen with widgets open over it one after another, in the order
// of the arguments (ok, long, error, yesno, name, manager FOLDER, slider); the
// next opens when one answers, so one start shows them all. It prints "shown"
// once a widget is fully open and "result N TEXT" when it answers, so a
// script can drive it with xdotool and take screenshots. Not part of the game.
#include "app/AppGlobals.h"
#include "app/ErrorReporter.h"
#include "app/TGame.h"
#include "player/TSaveGameManager.h"
#include "resources/TGameText.h"
#include "resources/TImageBank.h"
#include "screens/GameGlobals.h"
#include "screens/GameSetup.h"
#include "screens/ProgramEntry.h"
#include "screens/TTitleScreen.h"
#include "ui/DialogFactories.h"
#include "ui/TColor.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogTextInput.h"
#include "ui/TDialogYesNo.h"
#include "ui/TSlider.h"
#include "ui/TextDraw.h"
#include "ui/VQListBox.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string Text(const std::string& key) { return GameText ? GameText->FindString(key) : key; }

class TWidgetShowcase : public TTitleScreen {
public:
  // Each kind, "manager" with the folder it lists.
  struct TShown {
    std::string Kind, Folder;
  };
  explicit TWidgetShowcase(std::vector<TShown> widgets) : Widgets(std::move(widgets)) {}

  int PostFadeIn() override {
    Open();
    return TTitleScreen::PostFadeIn();
  }
  int Logic() override {
    if (!Widget && !Slider) return TTitleScreen::Logic();
    if (Slider) {
      if (Slider->Manage() && Slider->Value != LastValue) Print("value " + std::to_string(Slider->Value));
      LastValue = Slider->Value;
      return 1;
    }
    const int result = Widget->Manage();
    if (!Shown && Widget->Active && !Widget->Transitioning) {
      Shown = true;
      Print("shown");
    }
    if (result != 0) {
      Print("result " + std::to_string(result) + " " + Answer());
      Widget->Kill();
      Widget.reset();
      Name.reset();
      Manager.reset();
      Shown = false;
      if (++Current < Widgets.size()) Open();
    }
    return 1;
  }
  int Draw() override {
    TTitleScreen::Draw();
    if (Widget) Widget->Draw();
    if (Slider) {
      Slider->Draw();
      SetImageFont(FontOfSize(20));
      DrawTextAligned("Music " + std::to_string(Slider->Value), 400, 490, 1, 1);
    }
    return 1;
  }

private:
  void Open() {
    if (Current >= Widgets.size()) return;
    const std::string& kind = Widgets[Current].Kind;
    const std::string& folder = Widgets[Current].Folder;
    if (kind == "ok") Widget = CreateOKDialog(Text("Player One Player"));
    if (kind == "long") Widget = CreateLongOKDialog(Text("Highscore Place") + "3!");
    if (kind == "error") Widget = CreateErrorOKDialog(Text("Could Not Read File") + "Old game'.");
    if (kind == "yesno") Widget = CreateYesNoDialog(Text("Exit Playing"));
    if (kind == "name") {
      Name = CreateNameInputDialog(2, Text("Enter Save Name"));
      Widget = Name;
    }
    if (kind == "manager") {
      Manager = TSaveGameManager::Create(Text("Choose Savegame"), Images->Find("manager"), 0, 0, 0, "ksave", folder,
                                         Text("Delete File"));
      Manager->DimWhenActive = 1;
      Manager->ListBox->HighlightCol = TColor::Create(100, 100, 100, 0.5f);
      Manager->Start();
      Widget = Manager;
    }
    if (kind == "slider") {
      Slider = TSlider::CreateSpecial("slider", "marker", 260, 520, 22);
      Print("shown");
    }
  }
  std::string Answer() const {
    if (Name) return Name->Value();
    if (Manager) return Manager->SelectedName();
    return "";
  }
  static void Print(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
  }

  std::vector<TShown> Widgets;
  size_t Current = 0;
  std::shared_ptr<TDialog> Widget;
  std::shared_ptr<TDialogTextInput> Name;
  std::shared_ptr<TSaveGameManager> Manager;
  std::shared_ptr<TSlider> Slider;
  bool Shown = false;
  int LastValue = -1;
};

} // namespace

int main(int argc, char** argv) {
  InstallErrorReporter();
  CreateGameGlobals();
  // The showcase takes the title screen's place; start-up leads to it.
  std::vector<TWidgetShowcase::TShown> widgets;
  for (int i = 1; i < argc; ++i) {
    widgets.push_back({argv[i], ""});
    if (widgets.back().Kind == "manager" && i + 1 < argc) widgets.back().Folder = argv[++i];
  }
  if (widgets.empty()) widgets.push_back({"ok", ""});
  TitleScreen = std::make_shared<TWidgetShowcase>(std::move(widgets));
  ScreenWidth = 800;
  ScreenHeight = 600;
  TRunOptions options;
  options.FullScreen = 0;
  GameSetup(options);
  Game->FixedRateLogic.Init();
  Game->NoTimingTicks = 3;
  for (;;)
    if (RunFrame() == -1) ExitProgram();
}
