#include "ui/TDialogYesNo.h"

#include "app/InputTables.h"
#include "platform/Keys.h"
#include "ui/TMenu.h"

std::shared_ptr<TDialogYesNo> TDialogYesNo::OpenOver(
    const std::function<std::shared_ptr<TDialogYesNo>(const std::string&)>& maker, const std::string& text) {
  auto dialog = maker ? maker(text) : nullptr;
  if (!dialog) {
    dialog = Create(text, nullptr, 0, 0, 0);
    dialog->Start();
  }
  dialog->ReenableEscapeKey = 0;
  return dialog;
}

std::shared_ptr<TDialogYesNo> TDialogYesNo::Create(const std::string& caption,
                                                   const std::shared_ptr<TGameImage>& background, int32_t w,
                                                   int32_t x, int32_t y, int32_t makeMenu) {
  auto dialog = std::make_shared<TDialogYesNo>();
  dialog->Init(caption, background, w, 0, x, y);
  if (makeMenu) dialog->MenuCreate(dialog->ButtonGap);
  return dialog;
}

void TDialogYesNo::MenuCreate(int32_t buttonGap) {
  ButtonGap = buttonGap;
  Menu = CreateDialogMenu();
  Menu->AddPair("Yes", "No", buttonGap);
  if (auto yes = Menu->FindButton("Yes")) yes->OKButton = 1;
}

void TDialogYesNo::ClickSound() {
  if (Menu && Menu->SoundClick) PlaySound(Menu->SoundClick);
}

int32_t TDialogYesNo::YesClick() {
  FlushKeys();
  FlushMouse();
  return Close(1);
}

int32_t TDialogYesNo::NoClick() {
  FlushKeys();
  FlushMouse();
  return Close(-1);
}

int32_t TDialogYesNo::Manage() {
  if (!ManageCore()) return 0;
  if (CloseResult) return CloseResult;
  if (Transitioning) return 0;
  constexpr int KeyY = platform::keys::A + ('Y' - 'A'), KeyN = platform::keys::A + ('N' - 'A');
  if (KeyHit(platform::keys::Escape) || KeyHit(KeyN)) {
    if (auto no = Menu->FindButton("No")) no->SimulateClick();
    return NoClick();
  }
  if (KeyHit(KeyY)) {
    if (auto yes = Menu->FindButton("Yes")) yes->SimulateClick();
    return YesClick();
  }
  if (Menu->Clicked("No")) return NoClick();
  if (Menu->Clicked("Yes")) return YesClick();
  return 0;
}
