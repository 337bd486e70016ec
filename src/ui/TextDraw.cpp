#include "ui/TextDraw.h"

#include "app/AppGlobals.h"
#include "platform/ErrorReport.h"
#include "platform/Graphics.h"
#include "resources/TPakFileManager.h"

#include <cmath>

float TextShadowX = 1.0f, TextShadowY = 1.0f;
float TextShadowAlpha = 0.5f;
float TextAlpha = 1.0f;

std::array<std::shared_ptr<platform::ImageFont>, 7> Fonts;

namespace {

std::shared_ptr<platform::ImageFont> currentFont;

float RoundCoord(float value) { return std::floor(value + 0.5f); }

// Width and height with the current scale, for centring.
void ScaleCorrect(const std::string& text, float& x, float& y) {
  float scaleX = 1, scaleY = 1;
  platform::GetScale(scaleX, scaleY);
  float width = TextWidth(text);
  if (scaleX != 1.0f) width *= scaleX;
  if (scaleY != 1.0f) {
    const float height = TextHeight(text);
    y -= (height * scaleY - height) / 2;
  }
  x -= width / 2;
}

void DrawPlainOrShadowed(const std::string& text, float x, float y, int shadow) {
  if (shadow == 1) DrawTextShadow(x, y, text, 0);
  else DrawText(text, x, y);
}

} // namespace

std::shared_ptr<platform::ImageFont> FontOfSize(int size) {
  for (size_t i = 0; i < FontSizes.size(); ++i)
    if (FontSizes[i] == size) return Fonts[i];
  return nullptr;
}

int LoadFonts(const uint8_t* data, size_t size, const std::string& name) {
  for (size_t i = 0; i < FontSizes.size(); ++i) {
    Fonts[i] = platform::ImageFont::LoadFromMemory(data, size, FontSizes[i], true);
    if (!Fonts[i]) {
      ShowError("Error loading font " + name, 1);
      return 0;
    }
  }
  return 1;
}

int LoadFonts(const std::vector<uint8_t>& bytes, const std::string& name) {
  return LoadFonts(bytes.data(), bytes.size(), name);
}

int LoadGameFonts() {
  const std::string name = "calibri.ttf";
  for (size_t i = 0; i < FontSizes.size(); ++i) {
    std::shared_ptr<platform::RasterFont> raster = PakFiles ? PakFiles->GetImageFont(name, FontSizes[i], 4) : nullptr;
    Fonts[i] = raster ? platform::ImageFont::FromRaster(*raster, true) : nullptr;
    if (!Fonts[i]) {
      ShowError("Error loading font " + name, 1);
      return 0;
    }
  }
  return 1;
}

void KillFonts() {
  for (auto& font : Fonts) font.reset();
  currentFont.reset();
}

void SetImageFont(const std::shared_ptr<platform::ImageFont>& font) { currentFont = font; }
const std::shared_ptr<platform::ImageFont>& GetImageFont() { return currentFont; }

float TextWidth(const std::string& text) { return currentFont ? currentFont->TextWidth(text) : 0.0f; }
std::string FitText(const std::string& text, float width) {
  if (TextWidth(text) <= width) return text;
  // The longest start that fits with the dots, found by halving.
  const std::string dots = "...";
  size_t fits = 0, tooLong = text.size();
  while (tooLong - fits > 1) {
    const size_t middle = (fits + tooLong) / 2;
    if (TextWidth(text.substr(0, middle) + dots) <= width) fits = middle;
    else tooLong = middle;
  }
  return fits == 0 && TextWidth(dots) > width ? std::string() : text.substr(0, fits) + dots;
}

float TextHeight(const std::string& text) { return currentFont ? currentFont->TextHeight(text) : 0.0f; }

void DrawText(const std::string& text, float x, float y) {
  if (currentFont) currentFont->Draw(text, x, y);
}

void DrawTextShadow(float x, float y, const std::string& text, int centred) {
  if (centred == 1) x -= TextWidth(text) / 2;
  const platform::Blend blend = platform::GetBlend();
  int r = 255, g = 255, b = 255;
  platform::GetColor(r, g, b);
  platform::SetColor(0, 0, 0);
  platform::SetAlpha(TextShadowAlpha * TextAlpha);
  platform::SetBlend(platform::Blend::Alpha);
  DrawText(text, x + TextShadowX, y + TextShadowY);
  platform::SetColor(r, g, b);
  platform::SetAlpha(TextAlpha);
  DrawText(text, x, y);
  platform::SetBlend(blend);
}

void DrawTextAligned(const std::string& text, float x, float y, int shadow, int alignment, int round) {
  if (alignment == 1) {
    ScaleCorrect(text, x, y);
    if (round) {
      x = RoundCoord(x);
      y = RoundCoord(y);
    }
  } else {
    if (round) {
      x = RoundCoord(x);
      y = RoundCoord(y);
    }
    // Right alignment moves by the unscaled width.
    if (alignment == 2) x -= TextWidth(text);
  }
  DrawPlainOrShadowed(text, x, y, shadow);
}

void DrawTextCentreX(const std::string& text, float y, int shadow) {
  float x = float(ScreenWidth) / 2;
  ScaleCorrect(text, x, y);
  DrawPlainOrShadowed(text, x, y, shadow);
}

void DrawTextCentreScreen(const std::string& text, int shadow) {
  const int x = (ScreenWidth - int(TextWidth(text))) / 2;
  const int y = (ScreenHeight - int(TextHeight(text))) / 2;
  DrawPlainOrShadowed(text, float(x), float(y), shadow);
}

std::vector<std::string> SplitTextLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (;;) {
    size_t end = text.find('\n', start);
    const bool last = end == std::string::npos;
    if (last) end = text.size();
    size_t length = end - start;
    if (!last && length > 0 && text[end - 1] == '\r') --length;
    lines.push_back(text.substr(start, length));
    if (last) break;
    start = end + 1;
  }
  return lines;
}

void DrawTextLines(const std::string& text, float x, float y, const std::shared_ptr<platform::ImageFont>& font,
                   int white, int bottomAligned, int round, int alignment) {
  if (text.empty()) return;
  if (white) platform::SetColor(255, 255, 255);
  SetImageFont(font);
  const std::vector<std::string> lines = SplitTextLines(text);
  if (bottomAligned) y -= float(lines.size() - 1) * TextLineStep;
  for (const std::string& line : lines) {
    if (x == -1) DrawTextCentreX(line, y, 1);
    else DrawTextAligned(line, x, y, 1, alignment, round);
    y += TextLineStep;
  }
}
