#include "ui/TDialogOK.h"

#include "app/InputTables.h"
#include "platform/Keys.h"
#include "ui/TLabel.h"
#include "ui/TMenu.h"

std::shared_ptr<TDialogOK> TDialogOK::Create(const std::string& caption, const std::shared_ptr<TGameImage>& background,
                                             int32_t w, int32_t x, int32_t y) {
  auto dialog = std::make_shared<TDialogOK>();
  dialog->Init(caption, background, w, 0, x, y);
  dialog->MenuCreate();
  return dialog;
}

void TDialogOK::CalcSize() {
  const int32_t fixedHeight = h;
  TDialog::CalcSize();
  if (!Background && fixedHeight == 0) {
    h = 2 * Border + (Caption ? int32_t(Caption->CalcHeight()) : 0) + Gap + MenuHeight();
    CalcXY();
  }
}

void TDialogOK::MenuCreate() {
  Menu = CreateDialogMenu();
  Menu->AddQuick("OK")->OKButton = 1;
}

int32_t TDialogOK::OKClick() {
  FlushKeys();
  FlushMouse();
  return Close(1);
}

int32_t TDialogOK::Manage() {
  if (!ManageCore()) return 0;
  if (CloseResult) return CloseResult;
  if (Transitioning) return 0;
  if (KeyHit(platform::keys::Escape)) {
    if (auto button = Menu->FindButton("OK")) button->SimulateClick();
    return OKClick();
  }
  if (Menu->Clicked("OK")) return OKClick();
  return 0;
}
