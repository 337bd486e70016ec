#include "ui/TDialogOK.h"

#include "app/InputTables.h"
#include "platform/Keys.h"
#include "ui/TMenu.h"

std::shared_ptr<TDialogOK> TDialogOK::Create(const std::string& caption, const std::shared_ptr<TGameImage>& background,
                                             int32_t w, int32_t x, int32_t y) {
  auto dialog = std::make_shared<TDialogOK>();
  dialog->Init(caption, background, w, 0, x, y);
  dialog->MenuCreate();
  return dialog;
}

std::shared_ptr<TDialogOK> TDialogOK::OpenOver(
    const std::function<std::shared_ptr<TDialogOK>(const std::string&)>& maker, const std::string& text) {
  auto dialog = maker ? maker(text) : nullptr;
  if (!dialog) {
    dialog = Create(text, nullptr, 0, 0, 0);
    dialog->Start();
  }
  dialog->ReenableEscapeKey = 0;
  return dialog;
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
