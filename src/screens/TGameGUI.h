#pragma once
#include "app/TGameSound.h"
#include "screens/VQEndLevelMenu.h"

#include <cstdint>
#include <memory>
#include <string>

class TDialogOK;
class TDialogTextInput;
class TDialogYesNo;
class TMenu;
class TSaveGameManager;

// The in-game controls of the running game: the play buttons ("undo",
// "hint", "menu") or the editor's, the questions and name dialog the buttons
// and the pause menu open, the end of a level (applause, fireworks, the
// high-score entry, the end-of-level menu). A dialog field is set exactly
// while that dialog is open. One exists, `GameGUI`.
class TGameGUI {
public:
  // A fresh game screen: no dialog open, a new end-of-level menu.
  void Load();
  // The buttons: Klondike's at the bottom left (1), the other modes' at the top right (0).
  void Start(int32_t klondikeLayout);
  // Once per tick: the end of the level, the buttons, the dialogs, the end-of-level menu.
  void Logic();
  void CheckButtonClicks();
  void CheckInputDialogs();
  void CheckEndGameMenu();
  // New layout (Matching, Tri Peaks) and reshuffle, run under the generate screen.
  void MatchingTripeaksNext();
  void Shuffle();
  // The finished message and end-of-level menu, then the open dialogs.
  void Draw();
  void DrawMenus();
  void DrawDialogs();
  // The pick-a-file dialog: saved Klondike games, or layouts in the editor.
  void ShowSaveGameManager();
  // The player's saved games: load profile folder + name + ".ksave", save as
  // profile folder + name. A file that cannot be read or written shows the
  // mode's message in the error dialog and the game goes on as it was. 1 when done.
  int32_t LoadSavedGame(const std::string& name);
  int32_t SaveGameAs(const std::string& name);
  // The editor's layouts in the player's folder (name + ".layout"): "savecustom"
  // checks the layout and asks its name (pre-filled with LastFileName) or
  // says why it cannot be saved; saving and loading that fail show the
  // error dialog and keep the editor's cards. 1 when done.
  void AskLayoutName();
  int32_t SaveLayoutAs(const std::string& name);
  int32_t LoadLayout(const std::string& name);
  // Shows `message` (when there is one) in the error dialog.
  void ShowFileError(const std::string& message);
  // When the mode could not deal the layout, says "Editor Error Unsolvable" in an
  // OK dialog and goes back to the play screen once it is closed. 1 when shown.
  int32_t ShowDealMessage();

  std::shared_ptr<TDialogYesNo> ShuffleInput, RestartInput, QuitInput, ResetInput;
  std::shared_ptr<TDialogOK> OKInput;
  int32_t LeaveAfterOK = 0; // the open OK dialog says a deal could not be made
  std::shared_ptr<TDialogTextInput> SaveGameNameInput;
  std::shared_ptr<TSaveGameManager> SaveGameManager;
  std::string LastFileName;
  std::shared_ptr<VQEndLevelMenu> endLevelMenu;
  std::shared_ptr<TMenu> MainMenu, CustomMenu;

private:
  void FinishLevel();
  ChannelRef SoundChannel; // the applause when the game has no channel pool
  bool AnyDialogOpen() const;
};

extern std::shared_ptr<TGameGUI> GameGUI;

// The session's paths: Klondike's one table, the player's folder, and the
// completion-marks file of the running layout ("" when the mode has none).
std::string KlondikeLayoutPath();
std::string ProfileFolder();
std::string CompletedFileForLevel(int32_t gameType, int32_t isCustomLevel);
// The pick-a-file dialog of the player's files with `extension`, captioned
// by the text of `captionKey`, with the game's dialogs; started.
std::shared_ptr<TSaveGameManager> OpenSaveGameManager(const std::string& captionKey, const std::string& extension);
