#pragma once
#include "AssetSet.h"

#include <memory>
#include <string>
#include <vector>

// The game's icon: a gold-rimmed felt tile with a card back and a spade card
// fanned across it. The window icon and the desktop's menu icons are all
// painted from this one design, each at its own pixel size: the rim always
// lands on whole pixels, and below 32 pixels the two cards stand upright on
// the pixel grid so the smallest icons stay sharp instead of blurring.
namespace assetgen {

class AppIcon {
public:
  static constexpr int WindowSize = 64; // the window icon, "data/graphics/icon.png"

  // The sizes of the freedesktop.org "hicolor" theme the game installs.
  static const std::vector<int>& ThemeSizes();

  static std::shared_ptr<Canvas> Paint(int size);

  // Adds "<N>x<N>/apps/<name>.png" for every theme size.
  static void AddThemeIcons(AssetSet& out, const std::string& name);

private:
  static void PaintTile(cairo_t* cr, int size);
  static void PaintFannedCards(cairo_t* cr, int size); // 32 pixels and up
  static void PaintUprightCards(cairo_t* cr, int size); // the small sizes
};

} // namespace assetgen
