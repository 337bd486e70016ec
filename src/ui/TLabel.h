#pragma once
#include "ui/TFont.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A positioned piece of text with its own style: optionally word-wrapped to a
// width, aligned (0 left, 1 centred, 2 right), scaled and vertically centred.
// Draw puts it at (x + X, y + Y).
class TLabel : public TFont {
public:
  int32_t CentreVertically = 0;
  int32_t LineGap = 0;      // pixels from one wrapped line to the next
  float Scale = 1.0f;
  float X = 0, Y = 0;
  int32_t RoundCoords = 1;
  int32_t Visible = 1;
  float W = 0;              // unscaled width of Text
  int32_t Alignment = 0;
  std::string Text;         // "\n" separates lines
  std::vector<std::string> TextArray; // wrapped lines
  int32_t TotalLines = 0;
  int32_t WordWrap = 0;     // wrap width in pixels, 0 = none

  // White, alpha 1; set the font with SetImageFont before measuring or wrapping.
  static std::shared_ptr<TLabel> CreateSpecial(const std::string& text, float x, float y, int32_t alignment = 0,
                                               int32_t wordWrap = 0);

  // Wrapping and size.
  void PreCalcWordWrap();
  void SetLineGap(int32_t gap);
  float CalcWidth();
  float CalcHeight();
  void CalcSize();
  void AutoScale(float maxWidth);

  // Drawing; Draw returns 0 when hidden, else 1.
  int32_t Draw(float x, float y, int useColor = 1);
  void DrawTextLine(const std::string& text, float x, float y, int useColor);
};

// Word wrap: `text` split at "\n" (an empty line stays an empty line), words
// separated by runs of spaces, a line broken before the word that would make it
// wider than `wrapWidth` at `scale`. A word wider than the width stands alone.
std::vector<std::string> WrapText(const std::string& text, const platform::ImageFont& font, float wrapWidth,
                                  float scale);
