#pragma once
#include <cairo.h>

#include <cstdint>
#include <string>

// The game's font (Carlito, regular and bold) as cairo font faces, and the
// text helpers every painter uses: plain centred captions and decorative
// titles with a gradient fill, an outline and a drop shadow.
namespace assetgen {

class Fonts {
public:
  // Loads the faces from `folder` (the Carlito TrueType files). Throws when
  // a face cannot be opened.
  explicit Fonts(const std::string& folder);
  ~Fonts();
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;

  cairo_font_face_t* Bold() const { return bold_; }
  cairo_font_face_t* Regular() const { return regular_; }
  std::string RegularPath() const { return folder_ + "/Carlito-Regular.ttf"; }

private:
  std::string folder_;
  void* library_ = nullptr; // FT_Library, kept alive for the faces
  cairo_font_face_t* bold_ = nullptr;
  cairo_font_face_t* regular_ = nullptr;
};

struct TitleStyle {
  uint32_t top = 0xFFF4C6;      // gradient fill, top to bottom
  uint32_t bottom = 0xE0A030;
  uint32_t outline = 0x3A1E06;
  double outlineWidth = 3;
  double shadowOffset = 3;
  double shadowAlpha = 0.55;
  double letterSpacing = 0; // extra pixels between letters
};

// Ink width/height of `text` at `size` pixels in the bold face.
double TextWidth(cairo_t* cr, const Fonts& fonts, const std::string& text, double size, bool bold = true);

// Draws `text` centred on (cx, cy) (ink box centre) in a solid colour.
void CentredText(cairo_t* cr, const Fonts& fonts, const std::string& text, double size, double cx, double cy,
                 uint32_t rgb, double alpha = 1.0, bool bold = true);

// Draws a decorative title centred on (cx, cy).
void TitleText(cairo_t* cr, const Fonts& fonts, const std::string& text, double size, double cx, double cy,
               const TitleStyle& style);

} // namespace assetgen
