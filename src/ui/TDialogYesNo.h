#pragma once
#include "ui/TDialog.h"

#include <functional>

// A question with "Yes" and "No". Manage gives 1 for Yes (a click, Enter,
// Space or "Y") and -1 for No (a click, "N" or Escape) once the dialog has
// closed, else 0.
class TDialogYesNo : public TDialog {
public:
  static std::shared_ptr<TDialogYesNo> Create(const std::string& caption,
                                              const std::shared_ptr<TGameImage>& background, int32_t w, int32_t x,
                                              int32_t y, int32_t makeMenu = 1);
  // An open question over another dialog, from `maker` (a plain dialog
  // without one); the dialog below keeps the Escape key when it closes.
  static std::shared_ptr<TDialogYesNo> OpenOver(
      const std::function<std::shared_ptr<TDialogYesNo>(const std::string&)>& maker, const std::string& text);
  void MenuCreate(int32_t buttonGap);
  int32_t Manage() override;
  int32_t YesClick();
  int32_t NoClick();
  void ClickSound();

  int32_t Gap = 20;       // between the caption and the buttons
  int32_t ButtonGap = 30; // between Yes and No

protected:
  int32_t MenuGap() const override { return Gap; }
};
