#pragma once
#include "platform/FontRaster.h"
#include "ui/TColor.h"
#include "ui/TShadow.h"

#include <cstdint>
#include <memory>
#include <string>

// A text style: which image font, its colour, an optional drop shadow and an
// alternative (highlight) colour. Apply makes it the current text style.
class TFont {
public:
  std::shared_ptr<TColor> Color;
  int32_t FixedWidth = 0;
  std::shared_ptr<platform::ImageFont> ImageFont;
  std::shared_ptr<TColor> InverseColor;
  std::string Name;
  std::shared_ptr<TShadow> Shadow;
  float H = 0;          // line height in pixels
  double OldScale = 0;

  virtual ~TFont() = default;

  static std::shared_ptr<TFont> Create(const std::shared_ptr<platform::ImageFont>& imageFont,
                                       const std::shared_ptr<TColor>& color = nullptr,
                                       const std::shared_ptr<TShadow>& shadow = nullptr, int32_t fixedWidth = 0,
                                       const std::shared_ptr<TColor>& inverseColor = nullptr,
                                       const std::string& name = "");
  void Init(const std::shared_ptr<platform::ImageFont>& imageFont, const std::shared_ptr<TColor>& color,
            const std::shared_ptr<TShadow>& shadow, int32_t fixedWidth, const std::shared_ptr<TColor>& inverseColor,
            const std::string& name);
  // Sets the image font and recalculates H.
  void SetImageFont(const std::shared_ptr<platform::ImageFont>& imageFont);

  // Make this the current style: colour (own, custom or inverse), shadow, font.
  void Apply();
  void ApplyCustomColor(const std::shared_ptr<TColor>& color);
  void ApplyInverse();
  // Drawing scale (s, s) for the text; RestoreScale goes back to (1, 1).
  void ApplyScale(float s);
  void RestoreScale();

  float CalcHeight(); // H = the font's text height
  void Kill();
};
