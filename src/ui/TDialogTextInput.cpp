#include "ui/TDialogTextInput.h"

#include "app/InputTables.h"
#include "app/TGame.h"
#include "app/TScreen.h"
#include "platform/Graphics.h"
#include "platform/Keys.h"
#include "ui/TColor.h"
#include "ui/TDialogOK.h"
#include "ui/TLabel.h"
#include "ui/TMenu.h"
#include "ui/TShadow.h"
#include "ui/TTextInput.h"
#include "ui/TextDraw.h"

char UpperLatin1(char ch) {
  const auto code = static_cast<unsigned char>(ch);
  if (code >= 'a' && code <= 'z') return char(code - 32);
  // Latin-1 lower-case letters à..þ (not ÷) have their capital 32 below.
  if (code >= 224 && code <= 254 && code != 247) return char(code - 32);
  return ch;
}

TDialogTextInput::TDialogTextInput() = default;

std::shared_ptr<TDialogTextInput> TDialogTextInput::Create(const std::string& caption, const std::string& prompt,
                                                           int32_t maxLength,
                                                           const std::shared_ptr<TGameImage>& background, int32_t w,
                                                           int32_t x, int32_t y, int32_t maxPixelWidth) {
  auto dialog = std::make_shared<TDialogTextInput>();
  dialog->Init(caption, background, w, 0, x, y);
  dialog->Text = TLabel::CreateSpecial(prompt, 0, 0);
  dialog->Text->SetImageFont(FontOfSize(20));
  dialog->BoxColor = TColor::Create(0, 0, 0);
  dialog->TextInput = std::make_shared<TTextInput>();
  dialog->TextInput->Init(FontOfSize(20), "", 0, 0);
  dialog->TextInput->MaxLength = maxLength;
  dialog->TextInput->MaxPixelWidth = maxPixelWidth;
  return dialog;
}

void TDialogTextInput::SetupText(const std::shared_ptr<platform::ImageFont>& font,
                                 const std::shared_ptr<TColor>& colour, const std::shared_ptr<TShadow>& shadow,
                                 int32_t yOffset) {
  if (font) {
    Text->SetImageFont(font);
    TextInput->Font = font;
  }
  Text->Color = colour ? colour : TColor::Create(255, 255, 255);
  Text->Shadow = shadow;
  if (colour) TextInput->TextCol = colour->Copy();
  TextInput->TextShadow = shadow;
  TextYOffset = yOffset;
}

void TDialogTextInput::MenuCreate(int32_t withCancel, int32_t gap) {
  Menu = CreateDialogMenu();
  if (withCancel)
    Menu->AddPair("OK", "Cancel", gap);
  else
    Menu->AddQuick("OK");
  if (auto ok = Menu->FindButton("OK")) {
    ok->OKButton = 1;
    // Space is typed into the entry, not a press of OK.
    ok->OKButtonUseSpace = 0;
  }
}

void TDialogTextInput::Start() {
  TDialog::Start();
  PendingResult = 0;
  TextInput->Reset();
}

int32_t TDialogTextInput::EntryHeight() const {
  return TextInput && TextInput->Font ? TextInput->Font->Height() : 0;
}

void TDialogTextInput::CalcSize() {
  const int32_t fixedHeight = h;
  TDialog::CalcSize();
  if (!Background && fixedHeight == 0) {
    const int32_t captionHeight = Caption ? int32_t(Caption->CalcHeight()) : 0;
    const int32_t promptHeight = Text && !Text->Text.empty() ? int32_t(Text->CalcHeight()) : 0;
    h = MenuHeight() + captionHeight + promptHeight + EntryHeight() + 2 * BoxBorderV + 2 * Gap + 2 * Border;
    CalcXY();
  }
}

void TDialogTextInput::SetLabelsXY() {
  TDialog::SetLabelsXY();
  const float captionBottom = Caption ? Caption->Y + Caption->CalcHeight() : float(Border);
  Text->X = TextOX ? float(TextOX) : float(BoxBorderH + TextBorder);
  Text->Y = TextOY ? float(TextOY) : captionBottom + float(Gap);
  const float promptHeight = Text->Text.empty() ? 0.0f : Text->CalcHeight();
  TextInput->X = x + int32_t(Text->X);
  TextInput->Y = y + int32_t(Text->Y + promptHeight) + BoxBorderV + TextYOffset;
  // The entry sits in the middle of the room between the prompt and the buttons.
  if (Menu && !Menu->Items.empty() && !TextOY) {
    const int32_t menuTop = h - Border - MenuHeight();
    const int32_t top = int32_t(Text->Y + promptHeight);
    TextInput->Y = y + top + (menuTop - top - EntryHeight()) / 2 + TextYOffset;
  }
}

// ---- Per tick ---------------------------------------------------------------

int32_t TDialogTextInput::Manage() {
  if (!Active) return 0;
  if (DialogOK) {
    // Typing goes on once the error dialog has closed.
    if (ManageSubDialog(DialogOK)) TextInput->Reset();
    return 0;
  }
  if (OKClickedScreen) {
    if (OKClickedScreen->Logic() == 1) {
      OKClickedScreen->Kill();
      OKClickedScreen.reset();
      return 1;
    }
    return 0;
  }
  if (!ManageCore()) return 0;
  if (!Active) return PendingResult; // the closing transition has ended
  if (Transitioning) return 0;

  const int32_t entry = TextInput->Manage();
  if (entry == 1) {
    if (!OKClick(1)) return 0;
    ClickSound();
    return ProcessOKClickedFunc();
  }
  if (entry == -1) {
    ClickSound();
    return CancelClick();
  }
  if (Menu && Menu->Clicked("OK")) {
    if (!OKClick(0)) return 0;
    TextInput->Finish();
    return ProcessOKClickedFunc();
  }
  const bool cancelButton = Menu && Menu->FindButton("Cancel");
  if (Menu && (Menu->Clicked("Cancel") || (cancelButton && KeyHit(platform::keys::Escape)))) {
    TextInput->Finish();
    return CancelClick();
  }
  return 0;
}

int32_t TDialogTextInput::OKClick(int32_t fromEnter) {
  std::string& text = TextInput->Text;
  if (UppercaseFirstChar && !text.empty()) text[0] = UpperLatin1(text[0]);
  if (ErrorCheckFunc) {
    std::string message;
    if (ErrorCheckFunc(text, message) == -1) {
      if (fromEnter) ClickSound();
      DialogOK = TDialogOK::OpenOver(ErrorDialogFunc, message);
      TextInput->Finish();
      return 0;
    }
  }
  if (text.empty() && !AllowNull) {
    TextInput->Reset();
    return 0;
  }
  Close(1);
  return 1;
}

int32_t TDialogTextInput::ProcessOKClickedFunc() {
  int32_t result = 1;
  if (OKClickedFunc) {
    result = OKClickedFunc(*this);
    if (result <= 0) {
      // Refused: the dialog stays open and typing goes on.
      Active = 1;
      Transitioning = 0;
      TextInput->Reset();
      return 0;
    }
  }
  // With a closing transition the result is reported when it has ended.
  if (Active && Closing()) {
    PendingResult = result;
    return 0;
  }
  return result;
}

int32_t TDialogTextInput::CancelClick() {
  Close(-1);
  return -1;
}

void TDialogTextInput::ClickSound() {
  if (Menu && Menu->SoundClick) PlaySound(Menu->SoundClick);
}

const std::string& TDialogTextInput::Value() const { return TextInput->Text; }

// ---- Drawing ----------------------------------------------------------------

void TDialogTextInput::Draw() {
  if (!Active) return;
  if (!(DrawDisabled && OKClickedScreen)) {
    TDialog::Draw();
    const float px = float(x) + OffsetX, py = float(y) + OffsetY;
    if (Text && !Text->Text.empty()) {
      if (Text->Color && FadeDialog) Text->Color->Alpha = Alpha;
      Text->Draw(px, py);
    }
    if (DrawBox && BoxColor) {
      platform::SetBlend(platform::Blend::Alpha);
      platform::SetColor(BoxColor->R, BoxColor->G, BoxColor->B);
      platform::SetAlpha(BoxColor->Alpha * Alpha);
      platform::DrawRect(px + float(BoxBorderH), float(TextInput->Y - BoxBorderV) + OffsetY,
                         float(w - 2 * BoxBorderH), float(EntryHeight() + 2 * BoxBorderV));
      platform::SetColor(255, 255, 255);
      platform::SetAlpha(1.0f);
    }
    if (TextInput->TextCol && FadeDialog) TextInput->TextCol->Alpha = Alpha;
    TextInput->Draw(OffsetX, OffsetY);
    if (DialogOK) DialogOK->Draw();
  }
  if (OKClickedScreen) OKClickedScreen->Draw();
}

void TDialogTextInput::Kill() {
  if (DialogOK) DialogOK->Kill();
  DialogOK.reset();
  OKClickedScreen.reset();
  if (TextInput && TextInput->Active) TextInput->Finish();
  Text.reset();
  TDialog::Kill();
}
