#pragma once
#include <cstdint>
#include <string>
#include <string_view>

class TCardList;

// The card-layout file: the header line "Ostrelle Card Layout", then one
// "x,y,angle" line per card in drawing order, CR LF line ends, positions in
// whole pixels relative to an origin. It stores where cards lie, never which
// cards they are. Also holds the text conventions the other card files (the
// saved games) share: lenient numbers, the angle form, the file messages.
class TCardLayoutFile {
public:
  // Layout files with more cards than this, or more bytes, are refused.
  static constexpr int32_t MaxCards = 1000;
  static constexpr int64_t MaxBytes = 1 << 20;

  // The file's bytes for `list`, and the list read from them (0 when refused; the list is then unchanged).
  static std::string Format(const TCardList& list, int32_t originX, int32_t originY);
  static int32_t Parse(const std::string& text, TCardList& list, int32_t originX, int32_t originY);
  // Files: failing to read, refusing or failing to write is reported with
  // ShowError, fatal unless failureFatal is 0; the result is then 0.
  static int32_t Load(const std::string& file, TCardList& list, int32_t originX, int32_t originY,
                      int32_t failureFatal);
  static int32_t Save(const std::string& file, const TCardList& list, int32_t originX, int32_t originY,
                      int32_t failureFatal);

  // Lenient numbers: leading blanks and "+" allowed, the number the text
  // starts with, 0 for text that starts with none (and for non-finite floats).
  static int64_t LenientInt(std::string_view text);
  static float LenientFloat(std::string_view text);
  // An angle in the files' float form "%#.9g" (no number is written as 0).
  static std::string FormatAngle(float degrees);
  // The game text of `key` followed by `file` and "'".
  static std::string FileMessage(const char* key, const std::string& file);
};
