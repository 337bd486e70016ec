#pragma once
#include "ui/TDialog.h"

#include <functional>

// A message with one "OK" button. Manage gives 1 once OK is chosen (a click,
// Enter, Space or Escape) and the dialog has closed, else 0.
class TDialogOK : public TDialog {
public:
  static std::shared_ptr<TDialogOK> Create(const std::string& caption, const std::shared_ptr<TGameImage>& background,
                                           int32_t w, int32_t x, int32_t y);
  // An open message over another dialog, from `maker` (a plain dialog without
  // one); the dialog below keeps the Escape key when it closes.
  static std::shared_ptr<TDialogOK> OpenOver(const std::function<std::shared_ptr<TDialogOK>(const std::string&)>& maker,
                                             const std::string& text);
  void MenuCreate();
  int32_t Manage() override;
  int32_t OKClick();

  int32_t Gap = 20; // between the caption and the button

protected:
  int32_t MenuGap() const override { return Gap; }
};
