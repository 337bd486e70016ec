#include "player/TPlayerManager.h"

#include "app/InputTables.h"
#include "app/TGame.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Keys.h"
#include "player/PlayerProfiles.h"
#include "resources/TGameImage.h"
#include "resources/TGameText.h"
#include "ui/NameCheck.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogTextInput.h"
#include "ui/TDialogYesNo.h"
#include "ui/TLabel.h"
#include "ui/TListBox.h"
#include "ui/TMenu.h"

#include <algorithm>

namespace {

std::string Text(const std::string& key) { return GameText ? GameText->FindString(key) : std::string(); }

} // namespace

std::shared_ptr<TPlayerManager> TPlayerManager::Create(const std::string& caption,
                                                       const std::shared_ptr<TGameImage>& background, int32_t w,
                                                       int32_t x, int32_t y, int32_t limit) {
  auto manager = std::make_shared<TPlayerManager>();
  manager->Setup(caption, background, w, x, y, limit);
  return manager;
}

void TPlayerManager::Setup(const std::string& caption, const std::shared_ptr<TGameImage>& background, int32_t w,
                           int32_t x, int32_t y, int32_t limit) {
  Init(caption, background, w, 0, x, y);
  ListBox = TListBox::Create(10, 5, 0, 1, 500);
  MenuCreate(ButtonGap);
  Limit = limit;
  FillList();
}

void TPlayerManager::MenuCreate(int32_t gap) {
  Menu = CreateDialogMenu();
  Menu->AddQuick("OK")->OKButton = 1;
  Menu->AddQuick("Create");
  Menu->AddQuick("Delete");
  Menu->AddQuick("Cancel");
  Menu->MakeRow(gap);
}

int32_t TPlayerManager::FillList() {
  std::vector<std::string> names;
  if (!ListPlayers(names)) {
    ShowMessage(Text("Failed Read Directory") + (Game ? Game->ProfilePath : std::string()) + "'");
    return 0;
  }
  ListBox->Strings = names;
  ListBox->ClearIndex();
  ListBox->Refresh();
  const std::string current = Game ? Game->ProfileName : std::string();
  const auto found = std::find(names.begin(), names.end(), current);
  if (!current.empty() && found != names.end()) ListBox->SetIndex(int32_t(found - names.begin()));
  return 1;
}

void TPlayerManager::Start() {
  TDialog::Start();
  BoxSize();
  if (ListBox->Index >= 0) ListBox->SetIndex(ListBox->Index); // scrolled into view
}

void TPlayerManager::BoxSize() {
  const float captionBottom = Caption ? Caption->Y + Caption->CalcHeight() : 0.0f;
  const float top = BoxY ? float(BoxY) : float(y) + captionBottom + float(BoxBorderV);
  const float menuTop = Menu && !Menu->Items.empty() ? Menu->y : float(y + h - Border);
  const float room = menuTop - float(BoxBorderV) - top;
  ListBox->SetCoords(float(x + BoxBorderH), top, float(w - 2 * BoxBorderH), room);
}

// ---- Per tick ---------------------------------------------------------------

void TPlayerManager::ShowMessage(const std::string& text) {
  DialogOK = TDialogOK::OpenOver(ErrorDialogFunc, text);
}

int32_t TPlayerManager::MakeCurrent(const std::string& name) {
  // A name no player can have (one typed, or a file left in the folder by
  // hand) is refused with the reason: no file was tried, so none failed.
  std::string reason;
  if (CheckName(name, TNameKind::Player, reason) != 1) {
    ShowMessage(reason);
    return 0;
  }
  if (CreateProfileFunc) {
    if (!CreateProfileFunc(name)) {
      ShowMessage(PlayerFileErrorMessage("Could Not Create File", name));
      return 0;
    }
  } else if (Game) {
    Game->ProfileName = name;
    Game->IniUpdate(1);
  }
  return 1;
}

int32_t TPlayerManager::CreateNamed(std::string name) {
  if (UpperFirstChar && !name.empty()) name[0] = UpperLatin1(name[0]);
  // MakeCurrent checks the name as it will be stored: changing a letter must
  // never let through a name that cannot be a file name.
  if (!MakeCurrent(name)) return 0;
  FillList();
  if (AutoAcceptAfterCreate) return Close(1);
  return 0;
}

void TPlayerManager::DeleteSelected() {
  const std::string name = ListBox->Value;
  const std::string path = PlayerFilePath(name);
  // A file already gone counts as deleted; one still there that will not go is reported.
  const bool there = platform::FileExists(path) || platform::FolderExists(path);
  if (there && !platform::DeleteFile(path)) {
    ShowMessage(PlayerFileErrorMessage("Could Not Delete File", name));
    return;
  }
  ProfileDeleted();
  ListBox->ClearIndex();
  FillList();
}

int32_t TPlayerManager::Manage() {
  if (!Active) return 0;
  // A message or prompt over the list comes between two clicks on a line.
  if (DialogOK || DialogYesNo || EnterName) ListBox->ForgetDoubleClick();
  if (DialogOK) {
    ManageSubDialog(DialogOK);
    return 0;
  }
  if (DialogYesNo) {
    if (ManageSubDialog(DialogYesNo) == 1) DeleteSelected();
    return 0;
  }
  if (EnterName) {
    const int32_t answer = EnterName->Manage();
    if (answer == 0) return 0;
    const std::string name = EnterName->Value();
    EnterName->Kill();
    EnterName.reset();
    RefreshMenu();
    return answer == 1 ? CreateNamed(name) : 0;
  }
  if (!ManageCore()) return 0;
  if (!Active) return CloseResult; // the closing transition has ended
  if (Transitioning) return 0;

  ListBox->Manage();
  const int32_t doubleClicked = ListBox->GetDoubleClicked();
  if ((doubleClicked >= 0 || Menu->Clicked("OK")) && ListBox->Index >= 0) return OKClick();
  if (KeyHit(platform::keys::Escape) || Menu->Clicked("Cancel")) return CancelClick();
  if (Menu->Clicked("Create")) {
    if (Limit > 0 && int32_t(ListBox->Strings.size()) >= Limit) {
      ShowMessage(MessageCannotCreate);
    } else if (EnterNamePromptFunc) {
      EnterName = EnterNamePromptFunc(1);
      if (EnterName) EnterName->ReenableEscapeKey = 0;
    }
  }
  if (Menu->Clicked("Delete")) DeleteProfileCheck();
  return 0;
}

int32_t TPlayerManager::OKClick() {
  if (ListBox->Index < 0) return 0;
  if (!MakeCurrent(ListBox->Value)) return 0;
  return Close(1);
}

int32_t TPlayerManager::CancelClick() {
  // The current player was deleted: the first one left takes its place.
  const std::string current = Game ? Game->ProfileName : std::string();
  const auto& names = ListBox->Strings;
  if (!names.empty() && std::find(names.begin(), names.end(), current) == names.end() &&
      !MakeCurrent(names.front()))
    return 0;
  // The answer comes once the closing has ended and Escape is the screen's again.
  return Close(-1);
}

void TPlayerManager::DeleteProfileCheck() {
  if (ListBox->Index < 0) return;
  if (ListBox->Strings.size() <= 1) {
    ShowMessage(MessageCannotDelete);
    return;
  }
  DialogYesNo = TDialogYesNo::OpenOver(DialogYesNoFunc, MessageConfirmDelete);
}

// ---- Drawing ----------------------------------------------------------------

void TPlayerManager::Draw() {
  if (!Active) return;
  if (!DrawDisabled) {
    if (DimWhenActive) DimScreen(0.5f * TransitionValue());
    TDialog::Draw();
    float ox = 0, oy = 0;
    platform::GetOrigin(ox, oy);
    platform::SetOrigin(ox + OffsetX, oy + OffsetY);
    ListBox->Draw();
    platform::SetBlend(platform::Blend::Alpha);
    for (const auto& [picture, px, py] : {std::tuple{FrontFrame, FrontFrameX, FrontFrameY},
                                          std::tuple{HeaderPicture, HeaderX, HeaderY}})
      if (picture && picture->image)
        platform::DrawPicture(*picture->image, float(px) + picture->image->HandleX(),
                              float(py) + picture->image->HandleY());
    platform::SetOrigin(ox, oy);
    const bool subDialog = DialogOK || DialogYesNo || EnterName;
    if (subDialog && DimWhenShowingDialogs) DimScreen(0.5f);
  }
  if (EnterName) EnterName->Draw();
  if (DialogYesNo) DialogYesNo->Draw();
  if (DialogOK) DialogOK->Draw();
}

void TPlayerManager::Kill() {
  for (TDialog* sub : {static_cast<TDialog*>(DialogOK.get()), static_cast<TDialog*>(DialogYesNo.get()),
                       static_cast<TDialog*>(EnterName.get())})
    if (sub) sub->Kill();
  DialogOK.reset();
  DialogYesNo.reset();
  EnterName.reset();
  if (ListBox) ListBox->Kill();
  FrontFrame.reset();
  HeaderPicture.reset();
  TDialog::Kill();
}
