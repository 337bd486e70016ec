#include "ui/TFont.h"

#include "platform/Graphics.h"
#include "ui/TextDraw.h"

std::shared_ptr<TFont> TFont::Create(const std::shared_ptr<platform::ImageFont>& imageFont,
                                     const std::shared_ptr<TColor>& color, const std::shared_ptr<TShadow>& shadow,
                                     int32_t fixedWidth, const std::shared_ptr<TColor>& inverseColor,
                                     const std::string& name) {
  auto font = std::make_shared<TFont>();
  font->Init(imageFont, color, shadow, fixedWidth, inverseColor, name);
  return font;
}

void TFont::Init(const std::shared_ptr<platform::ImageFont>& imageFont, const std::shared_ptr<TColor>& color,
                 const std::shared_ptr<TShadow>& shadow, int32_t fixedWidth,
                 const std::shared_ptr<TColor>& inverseColor, const std::string& name) {
  ImageFont = imageFont;
  Color = color;
  Shadow = shadow;
  FixedWidth = fixedWidth;
  InverseColor = inverseColor;
  Name = name;
  CalcHeight();
}

void TFont::SetImageFont(const std::shared_ptr<platform::ImageFont>& imageFont) {
  ImageFont = imageFont;
  CalcHeight();
}

void TFont::Apply() { ApplyCustomColor(Color); }

void TFont::ApplyCustomColor(const std::shared_ptr<TColor>& color) {
  if (color) color->Apply();
  if (Shadow) {
    Shadow->ApplyToText();
    if (color) TextAlpha = color->Alpha;
  }
  ::SetImageFont(ImageFont);
}

void TFont::ApplyInverse() {
  if (InverseColor) InverseColor->Apply();
  ::SetImageFont(ImageFont);
}

void TFont::ApplyScale(float s) { platform::SetScale(s, s); }

void TFont::RestoreScale() { platform::SetScale(1, 1); }

float TFont::CalcHeight() {
  H = ImageFont ? float(ImageFont->Height()) : 0.0f;
  return H;
}

void TFont::Kill() {
  Color.reset();
  ImageFont.reset();
  InverseColor.reset();
  Shadow.reset();
}
