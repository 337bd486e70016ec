#pragma once
#include "ui/TDialog.h"

#include <functional>
#include <string>
#include <vector>

class TDialogOK;
class TDialogYesNo;
class TScrollBar;
class VQListBox;

// The pick-a-file dialog for saved games and custom layouts: lists every file
// of one extension in a folder (by name, ignoring case), lets the player
// choose one to load or delete one after a yes/no question. Manage gives 1
// when a file was chosen (SelectedName, SelectedPath), -1 when cancelled, 0
// while open. The list shows names with an upper-case first letter; the real
// file names are kept beside them. A file that vanished or cannot be read, or
// a delete that fails, shows the error dialog and the list is read again.
class TSaveGameManager : public TDialog {
public:
  using MessageDialog = std::function<std::shared_ptr<TDialogOK>(const std::string&)>;
  using QuestionDialog = std::function<std::shared_ptr<TDialogYesNo>(const std::string&)>;

  // extension without the dot; directory ends in "/".
  static std::shared_ptr<TSaveGameManager> Create(const std::string& caption,
                                                  const std::shared_ptr<TGameImage>& background, int32_t w,
                                                  int32_t x, int32_t y, const std::string& extension,
                                                  const std::string& directory, const std::string& deleteMessage);
  void MenuCreate(int32_t gap);
  void FillList();
  void Start() override;
  void BoxSize();
  void ScrollBarCreate();

  int32_t Manage() override;
  void DeleteSaveGameCheck();
  int32_t OKClick();
  int32_t CancelClick();
  void ClickSound();
  void Draw() override;
  void Kill() override;

  // The chosen file: its real name without extension, and its whole path.
  std::string SelectedName() const;
  std::string SelectedPath() const;

  int32_t ButtonGap = 10;
  int32_t BoxBorderH = 20, BoxBorderV = 20;
  int32_t BoxY = 0;
  int32_t DimWhenActive = 0;
  int32_t DimWhenShowingDialogs = 0;
  int32_t UpperFirstChar = 1;
  std::string Extension = "dat";
  std::string Directory;
  std::string DeleteMessage = "Do you want to delete this file?";
  std::shared_ptr<VQListBox> ListBox;
  std::vector<std::string> FileNames; // real names, in the order of ListBox->Strings
  MessageDialog ErrorDialogFunc;
  std::shared_ptr<TDialogOK> DialogOK;
  QuestionDialog DialogYesNoFunc;
  std::shared_ptr<TDialogYesNo> DialogYesNo;
  // Scrolls the list: its arrows are "up" and "down", its slider "scrollslider".
  std::shared_ptr<TScrollBar> ScrollBar;
  int32_t NavButtonsXPosition = -1; // x of the scroll bar, -1: right of the list box
  int32_t LastMouseZ = 0;

private:
  void ShowError(const std::string& key, const std::string& name);
  // The list from line `start`, the scroll bar following.
  void ShowFrom(int32_t start);
  // 1 when the selected file can still be read; otherwise the error dialog and 0.
  int32_t SelectedFileReadable();
  void DeleteSelected();
};
