#pragma once
#include "support/GameModeWorld.h"

#include "app/TGame.h"
#include "platform/Files.h"
#include "player/TSolitaireHighScoreList.h"
#include "resources/TGameText.h"
#include "resources/TImageBank.h"
#include "screens/SessionSettings.h"
#include "solitaire/TGamePlay.h"
#include "ui/TMenu.h"
#include "ui/TextDraw.h"

#include <memory>
#include <string>

// The game world for the pages around the title screen: the game's own
// pictures, buttons, sounds and texts from the build's data tree, the
// system's Carlito face as the game's fonts, the settings, "config", the
// three high-score tables and the player "Tester" in the test folder. Input goes through the player's
// paths (GameDriver); a tick moves the clock by 5 ms.
class MenuScreenWorld : public test_support::GameModeWorld {
protected:
  void SetUp() override {
    GameModeWorld::SetUp();
    Game->ImagePath = test_support::DataPath("data/graphics/");
    Game->SubPath = folder.Path();
    Game->ProfilePath = folder.Path();
    Game->ProgramName = "marrowdeck";
    Game->Ini.FileName = Game->SettingsFileName();
    // A player is ready, so that the title shows its menu at once.
    ASSERT_TRUE(platform::WriteFileAtomic(folder.File("Tester.dat"), std::string("\x01\0\0\0", 4)));
    Game->ProfileName = "Tester";
    Images->SetPath(Game->ImagePath);
    Game->Mouse->Load("pointer");
    for (const char* name : {"blackback", "music", "sound", "helpimage", "helpimage2", "helpimage3", "input"})
      Images->Load(name);
    // The pack's two pictures: a plain grey background and a small sparkle.
    for (const auto& [name, size] : {std::pair{"titlescreen", 800}, std::pair{"particle1", 16}}) {
      auto picture = SolidImage(size, size * 3 / 4, 0, 90);
      picture->name = UpperCaseName(name);
      Images->Insert(picture);
    }
    GameText = TGameText::Create(test_support::SourcePath("data/text/gametext.txt"));
    std::string font;
    ASSERT_TRUE(platform::ReadWholeFile("/usr/share/fonts/truetype/crosextra/Carlito-Regular.ttf", font));
    ASSERT_EQ(LoadFonts(reinterpret_cast<const uint8_t*>(font.data()), font.size()), 1);
    LoadSessionSettings(folder.Path());
    const std::pair<std::shared_ptr<TSolitaireHighScoreList>, const char*> tables[] = {
        {GamePlay->HighscoreListSolitaire, "klondike"},
        {GamePlay->HighscoreListMatching, "matching"},
        {GamePlay->HighscoreListTripeaks, "tripeaks"}};
    for (const auto& [table, name] : tables) {
      table->Create(name, 10);
      table->Load();
    }
    if (!Game->MusicChannel) Game->ReservedChannelsCreate();
  }

  // Enters `screen` as the main loop does at the end of a fade out, and lets its fade in run out.
  void Enter(const std::shared_ptr<TScreen>& screen) {
    Game->LastTScreen = Game->CurrentTScreen;
    screen->PreStart();
    ASSERT_TRUE(TickUntil([] { return !Game->GameFade.Active; }, 400));
  }
  // Waits (at most two seconds) until the fade out and the screen change are over.
  bool Arrived(const std::shared_ptr<TScreen>& screen) {
    return TickUntil([&] { return Game->CurrentTScreen == screen && !Game->GameFade.Active; }, 400);
  }
  void ClickButton(const TMenu& menu, const std::string& name) {
    auto button = menu.FindButton(name);
    ASSERT_TRUE(button) << name;
    Click(int(button->x) + button->w / 2, int(button->y) + button->h / 2);
  }
  std::string FileText(const std::string& name) {
    std::string text;
    platform::ReadWholeFile(folder.File(name), text);
    return text;
  }
};
