#pragma once
#include "ui/TDialog.h"

#include <functional>

class TDialogOK;
class TScreen;
class TTextInput;

// A dialog asking for one line of text (player and file names): caption,
// prompt, the entry in a box, and "OK" (with "Cancel" when asked). Manage
// gives 1 (or what OKClickedFunc returns) once an acceptable text is
// confirmed with Enter or "OK", -1 for Cancel or Escape, 0 while open. A text
// that ErrorCheckFunc refuses opens the error dialog over this one, which
// stays open; typing goes on once the error dialog is closed.
class TDialogTextInput : public TDialog {
public:
  // -1 and a message when the text is not acceptable.
  using ErrorCheck = std::function<int32_t(const std::string& text, std::string& message)>;
  using ErrorDialog = std::function<std::shared_ptr<TDialogOK>(const std::string& message)>;

  TDialogTextInput();

  static std::shared_ptr<TDialogTextInput> Create(const std::string& caption, const std::string& prompt,
                                                  int32_t maxLength, const std::shared_ptr<TGameImage>& background,
                                                  int32_t w, int32_t x, int32_t y, int32_t maxPixelWidth = 0);
  // Font, colour and shadow of the prompt and the entry; yOffset moves the entry line.
  void SetupText(const std::shared_ptr<platform::ImageFont>& font, const std::shared_ptr<TColor>& colour,
                 const std::shared_ptr<TShadow>& shadow, int32_t yOffset);
  void MenuCreate(int32_t withCancel, int32_t gap);
  void Start() override;
  void CalcSize() override;
  void SetLabelsXY() override;

  int32_t Manage() override;
  int32_t OKClick(int32_t fromEnter);
  int32_t ProcessOKClickedFunc();
  int32_t CancelClick();
  void ClickSound();

  void Draw() override;
  void Kill() override;

  // The text as typed (after OK: with its first letter in upper case).
  const std::string& Value() const;

  std::shared_ptr<TLabel> Text; // the prompt
  int32_t CharWidth = 0;
  int32_t Gap = 30;
  std::shared_ptr<TColor> BoxColor;
  int32_t DrawBox = 1;
  int32_t BoxBorderH = 10, BoxBorderV = 5;
  int32_t TextBorder = 10;
  std::shared_ptr<TTextInput> TextInput;
  int32_t TextYOffset = 0;
  int32_t AllowNull = 0;
  ErrorCheck ErrorCheckFunc;
  ErrorDialog ErrorDialogFunc;
  std::shared_ptr<TDialogOK> DialogOK;
  int32_t TextOX = 0, TextOY = 0;
  std::function<int32_t(TDialogTextInput&)> OKClickedFunc;
  std::shared_ptr<TScreen> OKClickedScreen;
  int32_t DrawDisabled = 0;
  int32_t UppercaseFirstChar = 1;

private:
  // Result of a confirmed OK kept until a closing transition ends.
  int32_t PendingResult = 0;
  int32_t EntryHeight() const;
};

// Upper case of a Latin-1 letter; other characters are returned unchanged.
char UpperLatin1(char ch);
