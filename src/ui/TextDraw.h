#pragma once
#include "platform/FontRaster.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The shared text-drawing functions: the seven game fonts, the current font,
// and drawing a string aligned left, centred or right, optionally with the
// soft drop shadow below. Strings are 8-bit (Latin-1). Positions are the
// top-left of the text; every draw uses the current colour, alpha and scale.

// Shadow settings used by the shadowed variants (TShadow::ApplyToText sets the first three).
extern float TextShadowX, TextShadowY; // offset in pixels (1, 1)
extern float TextShadowAlpha;          // shadow opacity factor (0.5)
extern float TextAlpha;                // opacity of the text, multiplied into the shadow (1)

// The game fonts: "calibri.ttf" at these sizes, smoothed, index by index.
constexpr std::array<int, 7> FontSizes = {12, 14, 16, 18, 20, 25, 34};
extern std::array<std::shared_ptr<platform::ImageFont>, 7> Fonts;
// The font of the given point size (one of FontSizes), else nullptr.
std::shared_ptr<platform::ImageFont> FontOfSize(int size);
// Start-up: builds all seven from the TrueType bytes; a face that will not load
// is fatal ("Error loading font " + name). Returns 1 when done.
int LoadFonts(const uint8_t* data, size_t size, const std::string& name = "calibri.ttf");
int LoadFonts(const std::vector<uint8_t>& bytes, const std::string& name = "calibri.ttf");
// Start-up: the seven sizes of "calibri.ttf" from the pack set (PakFiles); fatal when missing.
int LoadGameFonts();
void KillFonts();

// The current font (what DrawText and TextWidth use).
void SetImageFont(const std::shared_ptr<platform::ImageFont>& font);
const std::shared_ptr<platform::ImageFont>& GetImageFont();
float TextWidth(const std::string& text);  // unscaled pixels, 0 without a font
// `text` as it fits in `width` unscaled pixels of the current font: whole, or
// cut and ended with "..." (a file name longer than any the game makes).
std::string FitText(const std::string& text, float width);
float TextHeight(const std::string& text);

// Plain and aligned drawing. Alignment: 0 left, 1 centred on x, 2 ending at x.
// `round` puts the text on whole pixels.
void DrawText(const std::string& text, float x, float y);
void DrawTextShadow(float x, float y, const std::string& text, int centred = 0);
void DrawTextAligned(const std::string& text, float x, float y, int shadow, int alignment, int round = 1);
// Centred on the screen horizontally at y, and on both axes.
void DrawTextCentreX(const std::string& text, float y, int shadow = 0);
void DrawTextCentreScreen(const std::string& text, int shadow = 0);

// Multi-line text ("\n" or "\r\n" between lines), 25 pixels from line to line,
// each with the text shadow: at x with the alignment, or centred on the screen
// when x is -1. With bottomAligned the last line lands on y. White sets the
// colour to white first.
constexpr int TextLineStep = 25;
void DrawTextLines(const std::string& text, float x, float y, const std::shared_ptr<platform::ImageFont>& font,
                   int white, int bottomAligned, int round = 1, int alignment = 0);

// Lines of `text` split at "\n", with a "\r" before each "\n" dropped.
std::vector<std::string> SplitTextLines(const std::string& text);
