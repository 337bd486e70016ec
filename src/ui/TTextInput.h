#pragma once
#include "ui/TKeyRepeat.h"

#include <cstdint>
#include <memory>
#include <string>

class TColor;
class TShadow;
namespace platform { class ImageFont; }

// A one-line text entry fed by the typed-character queue: printable Latin-1
// characters are appended, Backspace removes the last one, Enter accepts and
// Escape abandons. Held keys repeat with the game's own key repeat. While
// typing, the framework keys are blocked (Game.BlockKeys).
class TTextInput {
public:
  TTextInput();

  void Init(const std::shared_ptr<platform::ImageFont>& font, const std::string& text, int32_t x, int32_t y);
  // Typing again (Active, keys blocked and flushed); Finish ends it.
  void Reset();
  void Finish();
  void SetCursorFlashSpeed(int32_t ms);
  // Bans the characters a file name cannot hold.
  void MakeCharsFileNameSafe();
  // Per tick: 1 Enter accepted, -1 aborted with Escape, 0 otherwise.
  int32_t Manage();
  // Width of the text in pixels plus `extra`.
  float GetWidth(float extra = 0) const;
  // The text at (X, Y) shifted by (dx, dy); the cursor and dots only while typing.
  void Draw(float dx = 0, float dy = 0) const;

  std::string Text;
  int32_t MaxLength = 10;
  int32_t MaxPixelWidth = 0;
  int32_t CurrentChar = 0;
  int32_t Active = 0, Done = 0;
  int32_t X = 0, Y = 0;
  std::shared_ptr<TColor> TextCol, DotCol, CursorCol;
  std::shared_ptr<TShadow> TextShadow;
  std::shared_ptr<platform::ImageFont> Font;
  int32_t DrawDots = 0;
  int32_t DrawUnderscore = 1;
  float CursorFlashCounter = 0;
  int32_t CursorFlashSpeed = 0; // ticks
  int32_t CursorOn = 1;
  int32_t AllowEscToAbort = 1;
  int32_t AllowNull = 1;
  std::string BannedChars;
  int32_t AllowExtendedChars = 0;
  int32_t NumbersOnly = 0;
  // Repeat of held keys: Backspace, and the key that typed the last character.
  std::shared_ptr<TKeyRepeat> BackspaceRepeat, CharRepeat;
  int32_t RepeatKey = 0;
  int32_t RepeatChar = 0;

private:
  // Appends `ch` when the length and pixel limits allow it; 1 when appended.
  int32_t Append(int32_t ch);
  void RemoveLast();
  // The held key that typed a character this tick (0 when none is known).
  static int32_t KeyThatTyped();
};
