#pragma once
#include "ScreenTable.h"

#include <map>
#include <memory>
#include <string>

class ScreenWorld;
class TDialog;
class TDialogYesNo;
class TSaveGameManager;

// The screens soak on the game screen: one game of the running variant
// played with the pointer and the in-game controls (hint, undo, the pause
// menu's resume, restart, reshuffle, save with the name dialog, load from the
// save-game manager, back to the menu), the end of a level (the high-score
// message, next layout or new deal, restart, back), and the layout editor
// (cards placed and taken away, save with the name dialog, load, clear).
// It checks after every step that no error was shown and that a saved game
// loads back as it was saved.
class ScreenGame {
public:
  explicit ScreenGame(ScreenWorld& world) : world_(world), table_(world) {}

  // From the deal on the game screen until the player is back on the
  // variant's play screen (or the program ended). variant: "klondike",
  // "tripeaks" or "matching"; loadedName: the saved game it was resumed from.
  void Play(const std::string& variant, const std::string& loadedName = "");
  // The editor, from its empty table until the player is back on the play screen.
  void Edit();

  // The open save-game manager used as a player does: a file chosen (its
  // name returned), a file deleted after the question, or cancelled ("").
  std::string UseSaveGameManager(std::shared_ptr<TSaveGameManager> manager);
  // After a saved game of the running variant was loaded from `name`: the
  // table it was saved with ("" and a failure when it differs).
  void CheckLoaded(const std::string& name, const std::string& extension);

private:
  // Frames until the table is at rest, then long enough that the next click is no double click.
  bool Settle();
  // Error reports, an error dialog nobody expected, the screen left.
  bool Healthy();
  // The game's dialogs open now, with their captions ("" when none).
  std::string OpenDialogs() const;
  bool OpenPauseMenu();
  bool ClosePauseMenu();
  // A yes/no question answered; true when it was Yes.
  bool Answer(std::shared_ptr<TDialogYesNo> question, bool yes);
  // Frames until the dialog is gone (the game's field reset).
  bool Closed(std::shared_ptr<TDialog> dialog);
  // The pause menu's commands; false when the game screen was left.
  bool Restart();
  bool Reshuffle();
  bool Save();
  bool Load();
  bool BackToMenu(bool mayRefuse = true);
  // The end-of-level menu; false when the game screen was left.
  bool EndOfLevel();
  // A fresh deal is on the table (for restart's comparison).
  void Dealt();
  // How the game just dealt or loaded is played.
  void NewGame();
  // Types a name into an open name dialog and confirms it; the name given.
  std::string EnterName(const std::string& prefix);
  void SaveLayout();
  void LoadLayout();

  ScreenWorld& world_;
  ScreenTable table_;
  std::string variant_, extension_, playScreen_;
  std::string dealt_; // the table as dealt ("" when unknown, after a load)
  std::map<std::string, std::string> saved_; // saved game file -> its table
  std::string lastAction_;
};
