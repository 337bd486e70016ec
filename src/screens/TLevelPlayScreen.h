#pragma once
#include "app/TScreen.h"

#include <cstdint>
#include <memory>
#include <string>

class TDialogOK;
class TMenu;
class TSaveGameManager;
class TSprite;
class VQLevelList;

// What tells the Matching play screen from the Tri Peaks one.
struct TLevelPlayConfig {
  int32_t GameModeNumber;    // for GamePlay->Init: 3 Matching, 4 Tri Peaks
  const char* LayoutFolder;  // standard layouts under the data prefix
  const char* SaveExtension; // saved games of the variant
  const char* TitleKey;      // game text of the title in the top left corner
  const char* ScreenName;
};

// A layout game's play screen: the paged list of standard or of the
// player's own layouts with their completed ticks, "playsmall" (or a double
// click, or Enter) to start the selected layout under the "generating"
// overlay, "load" to resume a saved game of the variant, "back" (and Escape)
// to the main play screen. Returning from a game shows the list it came from
// with its layout selected. One implementation serves both variants.
class TLevelPlayScreen : public TScreen {
public:
  explicit TLevelPlayScreen(const TLevelPlayConfig& config);
  int Load() override;
  int Start() override;
  int Logic() override;
  int Draw() override;
  int Kill() override;
  int SetEscDestination() override;

  // The two lists (only one exists at a time).
  void ShowStandardLevelList();
  void ShowCustomLevelList();
  // Starts the selected layout under the generate screen; nothing while the
  // list is empty, nothing is selected or a fade runs. 1 when started.
  int32_t StartLevel();
  // What the generate screen runs: the selected layout dealt, the game screen next.
  void LevelStarter();
  void ShowSaveGameManager();
  // The shown list, nullptr when none.
  std::shared_ptr<VQLevelList> CurrentList() const;

  const TLevelPlayConfig Config;
  float x = 0, y = 0; // background offset
  std::shared_ptr<TSprite> HeaderSprite;
  std::shared_ptr<TMenu> MainMenu;      // "playsmall", "load", "back"
  std::shared_ptr<TMenu> LevelTypeMenu; // "standardlevel", "customlevel": a two-way switch
  std::string CurrentLevelType = "standardlevel";
  std::shared_ptr<TSaveGameManager> SaveGameManager;
  std::shared_ptr<VQLevelList> StandardLevelList, CustomLevelList;
  // Says why a layout or saved game could not be opened; nothing else runs while it is open.
  std::shared_ptr<TDialogOK> ErrorDialog;

private:
  std::shared_ptr<VQLevelList> MakeList(int32_t custom);
  void DropLists();
  void ShowLevelType();
  void ResumeSavedGame(const std::string& name);
  void FadeTo(const std::shared_ptr<TScreen>& destination);
};

class TMatchingPlayScreen : public TLevelPlayScreen {
public:
  TMatchingPlayScreen();
};

class TTripeaksPlayScreen : public TLevelPlayScreen {
public:
  TTripeaksPlayScreen();
};

extern std::shared_ptr<TMatchingPlayScreen> MatchingPlayScreen;
extern std::shared_ptr<TTripeaksPlayScreen> TripeaksPlayScreen;
// The play screen a game of `gameType` returns to: Matching's, Tri Peaks' or the main one.
std::shared_ptr<TScreen> PlayScreenOfGameType(int32_t gameType);
