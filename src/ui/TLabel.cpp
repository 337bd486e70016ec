#include "ui/TLabel.h"

#include "platform/Graphics.h"
#include "ui/TextDraw.h"

#include <cmath>

std::vector<std::string> WrapText(const std::string& text, const platform::ImageFont& font, float wrapWidth,
                                  float scale) {
  std::vector<std::string> wrapped;
  for (const std::string& line : SplitTextLines(text)) {
    std::vector<std::string> words;
    size_t start = 0;
    while (start < line.size()) {
      const size_t space = line.find(' ', start);
      const size_t end = space == std::string::npos ? line.size() : space;
      if (end > start) words.push_back(line.substr(start, end - start));
      start = end + 1;
    }
    if (words.empty()) {
      wrapped.emplace_back();
      continue;
    }
    std::string current = words[0];
    for (size_t i = 1; i < words.size(); ++i) {
      const std::string candidate = current + " " + words[i];
      if (font.TextWidth(candidate) * scale > wrapWidth) {
        wrapped.push_back(current);
        current = words[i];
      } else {
        current = candidate;
      }
    }
    wrapped.push_back(current);
  }
  return wrapped;
}

std::shared_ptr<TLabel> TLabel::CreateSpecial(const std::string& text, float x, float y, int32_t alignment,
                                              int32_t wordWrap) {
  auto label = std::make_shared<TLabel>();
  label->Text = text;
  label->X = x;
  label->Y = y;
  label->Alignment = alignment;
  label->WordWrap = wordWrap;
  label->Color = TColor::Create(255, 255, 255, 1.0f);
  return label;
}

void TLabel::PreCalcWordWrap() {
  TextArray = ImageFont ? WrapText(Text, *ImageFont, float(WordWrap), Scale) : SplitTextLines(Text);
  TotalLines = int32_t(TextArray.size());
  LineGap = ImageFont ? ImageFont->Height() : 0;
  H = float(TotalLines * LineGap);
}

void TLabel::SetLineGap(int32_t gap) {
  LineGap = gap;
  H = float(TotalLines * gap);
}

float TLabel::CalcWidth() {
  W = ImageFont ? ImageFont->TextWidth(Text) : 0.0f;
  return W * Scale;
}

float TLabel::CalcHeight() {
  const float height = WordWrap > 0 ? H : (ImageFont ? float(ImageFont->Height()) : 0.0f);
  return height * Scale;
}

void TLabel::CalcSize() {
  CalcWidth();
  CalcHeight();
}

void TLabel::AutoScale(float maxWidth) {
  CalcWidth();
  if (W > maxWidth) Scale = maxWidth / W;
}

int32_t TLabel::Draw(float x, float y, int useColor) {
  if (!Visible) return 0;
  float savedX = 1, savedY = 1;
  const bool scaled = Scale != 1.0f;
  if (scaled) {
    platform::GetScale(savedX, savedY);
    platform::SetScale(savedX * Scale, savedY * Scale);
  }
  ::SetImageFont(ImageFont);
  if (useColor && Color) Color->Apply();

  if (WordWrap > 0) {
    float lineY = std::trunc(y + Y);
    for (const std::string& line : TextArray) {
      DrawTextLine(line, x + X, lineY, useColor);
      lineY = std::trunc(lineY + float(LineGap) * Scale);
    }
  } else if (CentreVertically) {
    DrawTextLine(Text, x + X, y + Y - H / 2, useColor);
  } else {
    DrawTextLine(Text, x + X, y + Y, useColor);
  }

  if (scaled) platform::SetScale(savedX, savedY);
  TColor::Restore();
  return 1;
}

void TLabel::DrawTextLine(const std::string& text, float x, float y, int useColor) {
  if (!Shadow) {
    DrawTextAligned(text, x, y, 0, Alignment, RoundCoords);
    return;
  }
  Shadow->ApplyToText();
  if (useColor && Color) TextAlpha = Color->Alpha;
  DrawTextAligned(text, x, y, 1, Alignment, RoundCoords);
}
