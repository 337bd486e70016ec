#pragma once
#include "AssetSet.h"
#include "Fonts.h"

#include <functional>

// The full-screen pictures: five game tables (felt and wood, one per card-back
// colour family), the title and play backgrounds and the loading screen.
// Textures are procedural (seeded noise), lit by a soft light and a vignette.
namespace assetgen {

class SceneArt {
public:
  explicit SceneArt(const Fonts& fonts) : fonts_(fonts) {}
  void AddAll(AssetSet& out) const;

  static constexpr int Width = 800, Height = 600;

private:
  std::shared_ptr<Canvas> Felt(uint32_t base, uint32_t seed, double lightX, double lightY) const;
  std::shared_ptr<Canvas> Wood(uint32_t seed) const;
  std::shared_ptr<Canvas> Title() const;
  std::shared_ptr<Canvas> PlayScreen() const;
  std::shared_ptr<Canvas> Loading() const;
  // Gold filigree in the corners, in the order top-left, top-right, bottom-left, bottom-right.
  void Corners(cairo_t* cr, double inset, int cornerCount = 4) const;
  const Fonts& fonts_;
};

} // namespace assetgen
