#pragma once
#include "MenuScreenWorld.h"

#include "screens/TGameGUI.h"
#include "screens/TGameScreen.h"
#include "screens/VQLevelList.h"
#include "ui/DialogFactories.h"
#include "ui/TDialog.h"
#include "ui/TDialogYesNo.h"

#include <functional>
#include <memory>

// The menu world with what the play screens and the games they start draw:
// the level lists' frames, the overlay, the managers' and dialogs' panels and
// plain backgrounds; and the helpers that wait for the dialogs, the games and
// the way back.
class LevelScreenWorld : public MenuScreenWorld {
protected:
  void SetUp() override {
    MenuScreenWorld::SetUp();
    Game->DataPrefix = test_support::DataPath("");
    for (const char* name : {"levelback", "levelhighlight", "check", "generating", "manager", "inputlong",
                             "endlevelback", "textback"})
      Images->Load(name);
    for (const char* name : {"playscreen", "gamescreen1", "gamescreen2", "gamescreen3", "gamescreen4",
                             "gamescreen5", "particle2"}) {
      auto picture = SolidImage(800, 600, 0, 40);
      picture->name = UpperCaseName(name);
      Images->Insert(picture);
    }
  }
  // Waits until the dialog has slid in and takes keys.
  void WaitOpen(const TDialog& dialog) {
    ASSERT_TRUE(TickUntil([&] { return dialog.Transitioning == 0; }, 400));
  }
  // Leaves the running game through "Exit Playing" and waits for the play screen.
  void ExitPlaying(const std::shared_ptr<TScreen>& playScreen) {
    GameGUI->QuitInput = CreateYesNoDialog("Exit Playing");
    WaitOpen(*GameGUI->QuitInput);
    TapKey("Y");
    ASSERT_TRUE(TickUntil([&] { return Game->CurrentTScreen == playScreen && !Game->GameFade.Active; }, 800));
  }
  // Frames as the main loop runs them: the overlay does its work when drawn.
  bool FramesUntil(const std::function<bool()>& done, int maxFrames) {
    for (int i = 0; i < maxFrames; ++i) {
      if (done()) return true;
      Frames(1);
    }
    return done();
  }
  bool ArrivedInGame() {
    return FramesUntil([] { return Game->CurrentTScreen == GameScreen && !Game->GameFade.Active; }, 300);
  }
  static void SlotCentre(int slot, int& x, int& y) {
    float fx = 0, fy = 0;
    VQLevelList::SlotCentre(slot, fx, fy);
    x = int(fx);
    y = int(fy);
  }
  void ClickSlot(int slot) {
    int x = 0, y = 0;
    SlotCentre(slot, x, y);
    Click(x, y);
    Tick(120); // past the double-click time
  }
  void DoubleClickSlot(int slot) {
    int x = 0, y = 0;
    SlotCentre(slot, x, y);
    DoubleClick(x, y);
  }
};
