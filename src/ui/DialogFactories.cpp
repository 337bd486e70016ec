#include "ui/DialogFactories.h"

#include "resources/TImageBank.h"
#include "ui/TColor.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogTextInput.h"
#include "ui/TDialogYesNo.h"
#include "ui/TShadow.h"
#include "ui/TTextInput.h"
#include "ui/TextDraw.h"

namespace {

constexpr float SlideInMs = 350, SlideOutMs = 250, Dim = 0.5f;

std::shared_ptr<TGameImage> Panel(const std::string& name) {
  // Without the panel picture (a bank not loaded) the dialog draws a plain box.
  return Images && Images->FindTImage(name) ? Images->Find(name) : nullptr;
}

} // namespace

void StyleGameDialog(TDialog& dialog, int32_t red) {
  dialog.SetupCaption(FontOfSize(20), red ? TColor::Create(255, 0, 0) : TColor::Create(255, 255, 255),
                      TShadow::Create(1, 1, 0.6f));
  dialog.Shadow = TShadow::Create(3, 3, 0.4f);
  dialog.Centre = 1;
  dialog.Slide = 1;
  dialog.SetTransitions(SlideInMs, SlideOutMs, Dim, 1);
  dialog.Start();
}

namespace {

std::shared_ptr<TDialogOK> MakeOK(const std::string& text, const std::string& panel, int32_t red) {
  auto dialog = TDialogOK::Create(text, Panel(panel), 0, 0, 0);
  StyleGameDialog(*dialog, red);
  return dialog;
}

} // namespace

std::shared_ptr<TDialogYesNo> CreateYesNoDialog(const std::string& text) {
  auto dialog = TDialogYesNo::Create(text, Panel("input"), 0, 0, 0);
  StyleGameDialog(*dialog);
  return dialog;
}

std::shared_ptr<TDialogOK> CreateOKDialog(const std::string& text) { return MakeOK(text, "input", 0); }
std::shared_ptr<TDialogOK> CreateLongOKDialog(const std::string& text) { return MakeOK(text, "inputlong", 0); }
std::shared_ptr<TDialogOK> CreateErrorOKDialog(const std::string& text) { return MakeOK(text, "inputlong", 1); }

std::shared_ptr<TDialogTextInput> CreateNameInputDialog(int32_t buttons, const std::string& caption,
                                                        TNameKind kind) {
  auto dialog = TDialogTextInput::Create(caption, "", NameMaxLength(kind), Panel("input"), 0, 0, 0);
  dialog->MenuCreate(buttons >= 2 ? 1 : 0, 30);
  dialog->SetupText(FontOfSize(20), TColor::Create(255, 255, 255), TShadow::Create(1, 1, 0.6f), 0);
  dialog->BoxBorderH = 40;
  dialog->TextInput->BannedChars = NameBannedChars(kind);
  dialog->TextInput->AllowExtendedChars = 1;
  dialog->ErrorCheckFunc = NameCheckFunc(kind);
  dialog->ErrorDialogFunc = [](const std::string& message) { return CreateErrorOKDialog(message); };
  StyleGameDialog(*dialog);
  return dialog;
}
