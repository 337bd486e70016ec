#include "Fonts.h"

#include "Canvas.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>

namespace assetgen {

namespace {
cairo_user_data_key_t faceKey;

void DoneFace(void* face) { FT_Done_Face(static_cast<FT_Face>(face)); }

cairo_font_face_t* LoadFace(FT_Library library, const std::string& path) {
  FT_Face face = nullptr;
  if (FT_New_Face(library, path.c_str(), 0, &face) != 0)
    throw std::runtime_error("cannot open font " + path);
  cairo_font_face_t* cf = cairo_ft_font_face_create_for_ft_face(face, 0);
  // cairo owns the FreeType face from here and releases it with the cairo face.
  cairo_font_face_set_user_data(cf, &faceKey, face, DoneFace);
  return cf;
}

void SelectFace(cairo_t* cr, const Fonts& fonts, double size, bool bold) {
  cairo_set_font_face(cr, bold ? fonts.Bold() : fonts.Regular());
  cairo_set_font_size(cr, size);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

// Appends the glyph outlines of `text` to the path, letter by letter when
// extra spacing is asked for, with the ink box centred on (cx, cy).
void TextPathCentred(cairo_t* cr, const std::string& text, double cx, double cy, double spacing) {
  cairo_text_extents_t ext;
  cairo_text_extents(cr, text.c_str(), &ext);
  double width = ext.width + spacing * (text.size() > 0 ? double(text.size() - 1) : 0.0);
  double x = cx - width / 2 - ext.x_bearing;
  double y = cy - ext.height / 2 - ext.y_bearing;
  if (spacing == 0) {
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text.c_str());
    return;
  }
  for (char ch : text) {
    char one[2] = {ch, 0};
    cairo_text_extents_t e;
    cairo_text_extents(cr, one, &e);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, one);
    x += e.x_advance + spacing;
  }
}
} // namespace

Fonts::Fonts(const std::string& folder) : folder_(folder) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) throw std::runtime_error("cannot start FreeType");
  library_ = library;
  bold_ = LoadFace(library, folder + "/Carlito-Bold.ttf");
  regular_ = LoadFace(library, folder + "/Carlito-Regular.ttf");
}

Fonts::~Fonts() {
  // The faces may still sit in cairo's font cache, so the FreeType library is
  // left to the end of the process rather than freed under them.
  cairo_font_face_destroy(bold_);
  cairo_font_face_destroy(regular_);
}

double TextWidth(cairo_t* cr, const Fonts& fonts, const std::string& text, double size, bool bold) {
  cairo_save(cr);
  SelectFace(cr, fonts, size, bold);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, text.c_str(), &ext);
  cairo_restore(cr);
  return ext.width;
}

void CentredText(cairo_t* cr, const Fonts& fonts, const std::string& text, double size, double cx, double cy,
                 uint32_t rgb, double alpha, bool bold) {
  cairo_save(cr);
  SelectFace(cr, fonts, size, bold);
  cairo_new_path(cr);
  TextPathCentred(cr, text, cx, cy, 0);
  SetRgb(cr, rgb, alpha);
  cairo_fill(cr);
  cairo_restore(cr);
}

void TitleText(cairo_t* cr, const Fonts& fonts, const std::string& text, double size, double cx, double cy,
               const TitleStyle& style) {
  cairo_save(cr);
  SelectFace(cr, fonts, size, true);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, text.c_str(), &ext);
  double top = cy - ext.height / 2, bottom = cy + ext.height / 2;

  if (style.shadowAlpha > 0) {
    // Soft shadow: a few widening strokes at falling opacity.
    for (int i = 3; i >= 0; --i) {
      cairo_new_path(cr);
      TextPathCentred(cr, text, cx + style.shadowOffset, cy + style.shadowOffset, style.letterSpacing);
      cairo_set_source_rgba(cr, 0.01, 0.01, 0.02, style.shadowAlpha / 4);
      cairo_set_line_width(cr, style.outlineWidth * 2 + i * 2.5);
      cairo_stroke_preserve(cr);
      cairo_fill(cr);
    }
  }
  cairo_new_path(cr);
  TextPathCentred(cr, text, cx, cy, style.letterSpacing);
  SetRgb(cr, style.outline);
  cairo_set_line_width(cr, style.outlineWidth * 2);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, top, 0, bottom);
  auto stop = [&](double at, uint32_t rgb) {
    cairo_pattern_add_color_stop_rgb(fill, at, ((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0,
                                     (rgb & 255) / 255.0);
  };
  stop(0, style.top);
  stop(0.55, style.bottom);
  stop(1, style.top);
  cairo_set_source(cr, fill);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(fill);
  // A thin highlight on the upper half gives the letters a glossy edge.
  cairo_pattern_t* gloss = cairo_pattern_create_linear(0, top, 0, cy);
  cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, 0.45);
  cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0.0);
  cairo_set_source(cr, gloss);
  cairo_fill(cr);
  cairo_pattern_destroy(gloss);
  cairo_restore(cr);
}

} // namespace assetgen
