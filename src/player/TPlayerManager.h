#pragma once
#include "ui/TDialog.h"

#include <functional>
#include <memory>
#include <string>

class TDialogOK;
class TDialogTextInput;
class TDialogYesNo;
class TGameImage;
class TListBox;

// The modal player chooser: the players of the profile folder in a list,
// with "OK" (choose the selected one), "Create" (a name prompt; at most
// Limit players), "Delete" (after a yes/no question; never the last player)
// and "Cancel". Manage gives 1 when a player was chosen or created, -1 when
// cancelled, 0 while open. A profile folder that cannot be listed, or a
// player file that cannot be made or deleted, shows the error dialog and the
// list stays as it was.
class TPlayerManager : public TDialog {
public:
  using MessageDialog = std::function<std::shared_ptr<TDialogOK>(const std::string&)>;
  using QuestionDialog = std::function<std::shared_ptr<TDialogYesNo>(const std::string&)>;
  using NamePrompt = std::function<std::shared_ptr<TDialogTextInput>(int32_t withCancel)>;
  // Makes the named player current (made first when new); 0 when it cannot.
  using ProfileMaker = std::function<int32_t(const std::string& name)>;

  // w 0: the background's size. Builds the list, the buttons and fills the list.
  static std::shared_ptr<TPlayerManager> Create(const std::string& caption,
                                                const std::shared_ptr<TGameImage>& background, int32_t w, int32_t x,
                                                int32_t y, int32_t limit);
  void MenuCreate(int32_t gap);
  // The players' names with the current one selected; 1, or 0 with the error
  // dialog (the list unchanged) when the folder cannot be listed.
  int32_t FillList();
  void Start() override;
  // The list fills the panel inside the borders, between the caption and the buttons.
  void BoxSize();

  int32_t Manage() override;
  int32_t OKClick();
  int32_t CancelClick();
  void DeleteProfileCheck();
  void Draw() override;
  void Kill() override;

  int32_t Limit = 10; // most players; 0 or less: no limit
  int32_t ButtonGap = 10;
  int32_t BoxBorderH = 20, BoxBorderV = 20;
  int32_t BoxY = 0;
  int32_t DimWhenActive = 0, DimWhenShowingDialogs = 0;
  int32_t UpperFirstChar = 1; // a new name gets an upper-case first letter
  // Optional pictures over the panel (the header picture is apart from the
  // dialog's own header sprite).
  std::shared_ptr<TGameImage> FrontFrame, HeaderPicture;
  int32_t FrontFrameX = 0, FrontFrameY = 0, HeaderX = 0, HeaderY = 0;
  std::shared_ptr<TListBox> ListBox;
  MessageDialog ErrorDialogFunc;
  std::shared_ptr<TDialogOK> DialogOK;
  QuestionDialog DialogYesNoFunc;
  std::shared_ptr<TDialogYesNo> DialogYesNo;
  NamePrompt EnterNamePromptFunc;
  std::shared_ptr<TDialogTextInput> EnterName;
  ProfileMaker CreateProfileFunc;
  int32_t DrawDisabled = 0;
  int32_t AutoAcceptAfterCreate = 1;
  std::string MessageCannotCreate = "You cannot create any more players!";
  std::string MessageCannotDelete = "The list must contain at least one player!";
  std::string MessageConfirmDelete = "Are you sure you want to delete this player?";

protected:
  // What Create does, for the subclasses' own Create.
  void Setup(const std::string& caption, const std::shared_ptr<TGameImage>& background, int32_t w, int32_t x,
             int32_t y, int32_t limit);
  // Runs after a player's file was deleted, the name still selected.
  virtual void ProfileDeleted() {}

private:
  void ShowMessage(const std::string& text);
  // The answer of the name prompt: the player made and current, or the error dialog.
  int32_t CreateNamed(std::string name);
  void DeleteSelected();
  // Makes `name` current; 1, or 0 with the error dialog.
  int32_t MakeCurrent(const std::string& name);
};
