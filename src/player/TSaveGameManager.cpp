#include "player/TSaveGameManager.h"

#include "app/InputTables.h"
#include "app/TGame.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Keys.h"
#include "resources/TGameImage.h"
#include "resources/TGameText.h"
#include "resources/TImageBank.h"
#include "ui/DialogFactories.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogTextInput.h"
#include "ui/TDialogYesNo.h"
#include "ui/TLabel.h"
#include "ui/TMenu.h"
#include "ui/TScrollBar.h"
#include "ui/VQListBox.h"

#include <algorithm>
#include <cmath>

namespace {

// Room beside the list box for the scroll bar and its arrows.
constexpr int32_t ScrollRoom = 48;

std::string Text(const std::string& key) { return GameText ? GameText->FindString(key) : std::string(); }

std::shared_ptr<TGameImage> ScrollSliderPicture() {
  if (Images && Images->FindTImage("scrollslider")) return Images->Find("scrollslider");
  const std::string path = (Game ? Game->ImagePath : std::string()) + "scrollslider.png";
  return platform::FileExists(path) ? TGameImage::Create(path, -1, 0) : nullptr;
}

} // namespace

std::shared_ptr<TSaveGameManager> TSaveGameManager::Create(const std::string& caption,
                                                           const std::shared_ptr<TGameImage>& background, int32_t w,
                                                           int32_t x, int32_t y, const std::string& extension,
                                                           const std::string& directory,
                                                           const std::string& deleteMessage) {
  auto manager = std::make_shared<TSaveGameManager>();
  manager->Directory = directory;
  manager->Init(caption, background, w, 0, x, y);
  manager->ListBox = VQListBox::Create(10, 5, 0, 1, 500);
  manager->MenuCreate(manager->ButtonGap);
  manager->Extension = extension;
  manager->FillList();
  manager->DeleteMessage = deleteMessage;
  manager->ErrorDialogFunc = [](const std::string& text) { return CreateErrorOKDialog(text); };
  manager->DialogYesNoFunc = [](const std::string& text) { return CreateYesNoDialog(text); };
  return manager;
}

void TSaveGameManager::MenuCreate(int32_t gap) {
  Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
  Menu->SetShadow(1, 3, 3, 0.3f);
  Menu->AddQuick("Cancel");
  Menu->AddQuick("Delete");
  Menu->AddQuick("Load")->OKButton = 1;
  Menu->MakeRow(gap);
}

void TSaveGameManager::FillList() {
  ListBox->Strings.clear();
  FileNames.clear();
  const std::string dot = "." + Extension;
  for (const std::string& entry : platform::ListFolder(Directory, Extension)) {
    if (entry.size() <= dot.size()) continue; // "", ".", ".." and a bare ".ksave"
    const std::string stem = entry.substr(0, entry.size() - dot.size());
    std::string shown = stem;
    if (UpperFirstChar && !shown.empty()) shown[0] = UpperLatin1(shown[0]);
    FileNames.push_back(stem);
    ListBox->Strings.push_back(shown);
  }
  ListBox->ClearIndex();
}

void TSaveGameManager::Start() {
  TDialog::Start();
  BoxSize();
  ScrollBarCreate();
  ShowFrom(0);
  LastMouseZ = Game && Game->Mouse ? Game->Mouse->z : 0;
}

void TSaveGameManager::BoxSize() {
  const float captionBottom = Caption ? Caption->Y + Caption->CalcHeight() : 0.0f;
  const float top = BoxY ? float(BoxY) : float(y) + captionBottom + float(BoxBorderV);
  const float menuTop = Menu && !Menu->Items.empty() ? Menu->y : float(y + h - Border);
  const float width = float(w - 2 * BoxBorderH - ScrollRoom);
  const float room = menuTop - float(BoxBorderV) - top;
  ListBox->SetCoords(float(x + BoxBorderH), top, width, room);
  // The box holds its visible lines exactly, in the middle of the room.
  if (ListBox->LineHeight > 0 && !BoxY) {
    const float lines = float(ListBox->VisibleLines() * ListBox->LineHeight);
    ListBox->SetCoords(ListBox->BoxX, top + std::floor((room - lines) / 2), width, lines);
  }
}

void TSaveGameManager::ScrollBarCreate() {
  auto slider = ScrollSliderPicture();
  const int32_t arrow = 30, sliderW = slider ? slider->w : 16;
  const float right = NavButtonsXPosition >= 0 ? float(NavButtonsXPosition)
                                               : ListBox->BoxX + ListBox->BoxW + float(ScrollRoom - sliderW) / 2;
  const int32_t track = std::max(int32_t(ListBox->BoxH) - 2 * arrow, 0);
  ScrollBar = TScrollBar::Create(slider, track, 0, right, ListBox->BoxY + float(arrow), 1);
  ScrollBar->FixedGlowOnMO = 1;
  ScrollBar->SetArrows("up", "down", 100);
}

void TSaveGameManager::ShowFrom(int32_t start) {
  ListBox->ShowFrom(start);
  if (!ScrollBar) return;
  const int32_t lines = std::max(ListBox->EndList - ListBox->StartList + 1, 0);
  ScrollBar->SetValueMax(double(std::max(int32_t(ListBox->Strings.size()) - lines, 0)));
  ScrollBar->SetValue(double(ListBox->StartList));
}

std::string TSaveGameManager::SelectedName() const {
  const int32_t index = ListBox ? ListBox->Index : -1;
  return index >= 0 && index < int32_t(FileNames.size()) ? FileNames[size_t(index)] : std::string();
}

std::string TSaveGameManager::SelectedPath() const {
  const std::string name = SelectedName();
  return name.empty() ? std::string() : Directory + name + "." + Extension;
}

// ---- Per tick ---------------------------------------------------------------

void TSaveGameManager::ShowError(const std::string& key, const std::string& name) {
  DialogOK = TDialogOK::OpenOver(ErrorDialogFunc, Text(key) + name + "'.");
}

int32_t TSaveGameManager::SelectedFileReadable() {
  const std::string path = SelectedPath();
  // Checked without blocking: a named pipe put in place of the file after
  // the listing must not stall the game.
  if (!path.empty() && platform::CanReadFile(path)) return 1;
  ShowError("Could Not Read File", ListBox->Value);
  FillList();
  ShowFrom(ListBox->StartList);
  return 0;
}

void TSaveGameManager::DeleteSelected() {
  const std::string path = SelectedPath();
  const std::string shown = ListBox->Value;
  // A file already gone counts as deleted; anything still there that will not go is reported.
  const bool there = !path.empty() && (platform::FileExists(path) || platform::FolderExists(path));
  if (there && !platform::DeleteFile(path)) ShowError("Could Not Delete File", shown);
  FillList();
  ShowFrom(0);
  ListBox->ClearIndex();
}

int32_t TSaveGameManager::Manage() {
  if (!Active) return 0;
  if (DialogOK) {
    ManageSubDialog(DialogOK);
    return 0;
  }
  if (DialogYesNo) {
    if (ManageSubDialog(DialogYesNo) == 1) DeleteSelected();
    return 0;
  }
  if (!ManageCore()) return 0;
  if (!Active) return CloseResult; // the closing transition has ended
  if (Transitioning) return 0;

  if (ScrollBar && ScrollBar->Manage()) ListBox->ShowFrom(ScrollBar->Value);
  if (Game && Game->Mouse) {
    const int32_t notches = Game->Mouse->z - LastMouseZ;
    LastMouseZ = Game->Mouse->z;
    if (notches != 0) ShowFrom(ListBox->StartList - notches);
  }
  ListBox->Manage();

  const int32_t doubleClicked = ListBox->DoubleClicked;
  ListBox->DoubleClicked = -1;
  if ((doubleClicked >= 0 || Menu->Clicked("Load")) && ListBox->Index >= 0) {
    if (!SelectedFileReadable()) return 0;
    if (doubleClicked >= 0) ClickSound();
    return OKClick();
  }
  if (KeyHit(platform::keys::Escape)) {
    ClickSound();
    return CancelClick();
  }
  if (Menu->Clicked("Cancel")) return CancelClick();
  if (Menu->Clicked("Delete")) DeleteSaveGameCheck();
  return 0;
}

void TSaveGameManager::DeleteSaveGameCheck() {
  if (ListBox->Index < 0) return;
  DialogYesNo = TDialogYesNo::OpenOver(DialogYesNoFunc, DeleteMessage);
}

int32_t TSaveGameManager::OKClick() {
  if (ListBox->Index < 0) return 0;
  return Close(1);
}

int32_t TSaveGameManager::CancelClick() { return Close(-1); }

void TSaveGameManager::ClickSound() {
  if (Menu && Menu->SoundClick) PlaySound(Menu->SoundClick);
}

// ---- Drawing ----------------------------------------------------------------

void TSaveGameManager::Draw() {
  if (!Active) return;
  if (DimWhenActive) DimScreen(0.5f * TransitionValue());
  TDialog::Draw();
  float ox = 0, oy = 0;
  platform::GetOrigin(ox, oy);
  platform::SetOrigin(ox + OffsetX, oy + OffsetY);
  ListBox->Draw();
  if (ScrollBar) ScrollBar->Draw();
  platform::SetOrigin(ox, oy);
  const bool subDialog = (DialogOK && DialogOK->Active) || (DialogYesNo && DialogYesNo->Active);
  if (subDialog && DimWhenShowingDialogs) DimScreen(0.5f);
  if (DialogYesNo) DialogYesNo->Draw();
  if (DialogOK) DialogOK->Draw();
}

void TSaveGameManager::Kill() {
  if (DialogOK) DialogOK->Kill();
  if (DialogYesNo) DialogYesNo->Kill();
  DialogOK.reset();
  DialogYesNo.reset();
  if (ScrollBar) ScrollBar->Kill();
  ScrollBar.reset();
  if (ListBox) ListBox->Kill();
  TDialog::Kill();
}
