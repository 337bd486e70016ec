#pragma once
#include "support/GameModeWorld.h"

#include "resources/TGameImage.h"
#include "resources/TGameText.h"
#include "resources/TImageBank.h"
#include "ui/TDialog.h"
#include "ui/TMenu.h"

#include <string>

// The game world ready for a session on the real game screen: the player Ann
// with her folder in `folder`, the build's data tree, the game text, plain
// panels for the backgrounds, dialogs and managers, and the helpers the
// session tests click and wait with.
class SessionWorld : public test_support::GameModeWorld {
protected:
  void SetUp() override {
    GameModeWorld::SetUp();
    Game->ProfilePath = folder.Path();
    Game->ProfileName = "Ann";
    Game->DataPrefix = test_support::DataPath("");
    for (const char* name : {"gamescreen1", "gamescreen2", "gamescreen3", "gamescreen4", "gamescreen5", "particle2",
                             "menu", "input", "inputlong", "manager", "generating", "endlevelback"})
      Panel(name);
    GameText = TGameText::Create(test_support::SourcePath("data/text/gametext.txt"));
  }
  void Panel(const std::string& name) {
    auto image = SolidImage(200, 100, 1);
    image->name = UpperCaseName(name);
    Images->Insert(image);
  }
  void ClickButton(const TMenu& menu, const std::string& name) {
    auto button = menu.FindButton(name);
    ASSERT_TRUE(button) << name;
    Click(int(button->x) + button->w / 2, int(button->y) + button->h / 2);
  }
  // Ticks until the dialog has slid in and takes keys.
  void WaitOpen(const TDialog& dialog) {
    ASSERT_TRUE(TickUntil([&] { return dialog.Transitioning == 0; }, 400));
  }
};
