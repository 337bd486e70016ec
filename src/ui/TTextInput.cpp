#include "ui/TTextInput.h"

#include "app/Delta.h"
#include "app/InputTables.h"
#include "app/TGame.h"
#include "platform/Graphics.h"
#include "platform/Keys.h"
#include "ui/TColor.h"
#include "ui/TShadow.h"
#include "ui/TextDraw.h"

namespace {

namespace keys = platform::keys;

// Initial delay and interval of held keys, as the list boxes use them.
constexpr int32_t RepeatDelayMs = 400, RepeatIntervalMs = 100;

bool Printable(int32_t ch, int32_t extended) {
  if (ch >= 32 && ch <= 126) return true;
  // 127..159 are control codes in Latin-1, never typed text.
  return extended && ch >= 160 && ch <= 255;
}

bool IsModifier(int key) {
  return key == 16 || key == 17 || key == 18 || key == keys::CapsLock ||
         (key >= keys::LeftShift && key <= keys::RightAlt);
}

} // namespace

TTextInput::TTextInput()
    : TextShadow(TShadow::Create()), BackspaceRepeat(TKeyRepeat::Create(RepeatDelayMs, RepeatIntervalMs)),
      CharRepeat(TKeyRepeat::Create(RepeatDelayMs, RepeatIntervalMs)) {}

void TTextInput::Init(const std::shared_ptr<platform::ImageFont>& font, const std::string& text, int32_t x,
                      int32_t y) {
  Font = font;
  Text = text;
  CurrentChar = int32_t(Text.size()) + 1;
  X = x;
  Y = y;
  TextCol = TColor::Create(255, 255, 255);
  DotCol = TColor::Create(150, 150, 150);
  CursorCol = TColor::Create(0, 255, 255);
  SetCursorFlashSpeed(250);
  Reset();
}

void TTextInput::Reset() {
  Active = 1;
  Done = 0;
  RepeatKey = 0;
  if (Game) Game->BlockKeys = 1;
  FlushKeys();
}

void TTextInput::Finish() {
  Active = 0;
  Done = 1;
  RepeatKey = 0;
  if (Game) Game->BlockKeys = 0;
  FlushKeys();
  FlushMouse();
}

void TTextInput::SetCursorFlashSpeed(int32_t ms) {
  CursorFlashSpeed = int32_t(Game ? Game->CalcAnimLength(float(ms)) : float(ms) / 5.0f);
}

void TTextInput::MakeCharsFileNameSafe() { BannedChars = "\"|*\\/:;~?<>,+=%"; }

float TTextInput::GetWidth(float extra) const { return (Font ? Font->TextWidth(Text) : 0.0f) + extra; }

int32_t TTextInput::Append(int32_t ch) {
  if (int32_t(Text.size()) >= MaxLength) return 0;
  const std::string longer = Text + char(ch);
  if (MaxPixelWidth > 0 && Font && Font->TextWidth(longer) > float(MaxPixelWidth)) return 0;
  Text = longer;
  CurrentChar = int32_t(Text.size()) + 1;
  return 1;
}

void TTextInput::RemoveLast() {
  if (Text.empty()) return;
  Text.pop_back();
  CurrentChar = int32_t(Text.size()) + 1;
}

int32_t TTextInput::KeyThatTyped() {
  // The hits of typing keys are taken here, so the next character's key is
  // the only one with a hit when it arrives.
  int32_t found = 0;
  for (int key = 0; key < keys::KeyCount; ++key) {
    if (IsModifier(key) || key == keys::Enter || key == keys::Escape || key == keys::Backspace) continue;
    if (KeyHits[size_t(key)] > 0 && KeyDowns[size_t(key)] && !found) found = key;
    KeyHits[size_t(key)] = 0;
  }
  return found;
}

int32_t TTextInput::Manage() {
  if (!Active) return 0;
  int32_t ch = GetChar();
  if (ch > 255 || ch < 0) ch = 0;
  if (ch != 0 && BannedChars.find(char(ch)) != std::string::npos) ch = 0;

  // Backspace follows the key and the game's repeat; a typed Backspace
  // character (which the system repeats on its own) is not used.
  if (ch == keys::Backspace) ch = 0;
  const int32_t back = BackspaceRepeat->GetKey(keys::Backspace);
  if (KeyHit(keys::Backspace) || back) {
    RemoveLast();
    RepeatKey = 0;
  }

  if (NumbersOnly && ch != keys::Enter && !(ch >= '0' && ch <= '9')) ch = 0;

  if (Printable(ch, AllowExtendedChars)) {
    if (Append(ch)) {
      // The key that typed it repeats the character while held.
      RepeatChar = ch;
      RepeatKey = KeyThatTyped();
      CharRepeat->ClearDelays();
      CharRepeat->LastState = 0;
      if (RepeatKey) CharRepeat->GetKey(RepeatKey);
    }
  } else if (RepeatKey) {
    if (CharRepeat->GetKey(RepeatKey))
      Append(RepeatChar);
    else if (!KeyDown(RepeatKey))
      RepeatKey = 0;
  }

  if (ch == keys::Enter && (AllowNull || !Text.empty())) {
    Finish();
    return 1;
  }
  if (ch == keys::Escape && AllowEscToAbort) {
    Text.clear();
    CurrentChar = 1;
    Finish();
    return -1;
  }

  CursorFlashCounter += Delta;
  if (CursorFlashCounter >= float(CursorFlashSpeed)) {
    CursorOn = CursorOn ? 0 : 1;
    CursorFlashCounter = 0;
  }
  return 0;
}

void TTextInput::Draw(float dx, float dy) const {
  if (!Font) return;
  SetImageFont(Font);
  const float px = float(X) + dx, py = float(Y) + dy;
  const float alpha = TextCol ? TextCol->Alpha : 1.0f;
  if (TextShadow) TextShadow->ApplyToText();
  TextAlpha = alpha;
  if (TextCol) TextCol->Apply();
  DrawTextAligned(Text, px, py, TextShadow ? 1 : 0, 0);
  if (!Active) {
    TColor::Restore();
    TextAlpha = 1.0f; // a fading entry must not leave the next text faint
    return;
  }
  float cursorX = px + Font->TextWidth(Text);
  if (DrawUnderscore && int32_t(Text.size()) < MaxLength) {
    if (CursorOn) {
      if (CursorCol) CursorCol->Apply();
      DrawTextAligned("_", cursorX, py, 0, 0);
    }
    cursorX += Font->TextWidth("_");
  }
  if (DrawDots && DotCol) {
    DotCol->Apply();
    const float dot = Font->TextWidth(".");
    for (int32_t i = int32_t(Text.size()) + 1; i < MaxLength; ++i, cursorX += dot)
      DrawTextAligned(".", cursorX, py, 0, 0);
  }
  TColor::Restore();
  TextAlpha = 1.0f;
}
