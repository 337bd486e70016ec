#pragma once
#include "AssetSet.h"

// Small sprites: the arrow pointer, the particle sprites and the 3 x 3
// particle sheet, the window icon (painted by AppIcon), the loading bar trio, the completed
// check mark and the volume slider with its knob.
namespace assetgen {

class SpriteArt {
public:
  void AddAll(AssetSet& out) const;

  static constexpr int BarWidth = 480; // revealed in 24 steps of 20 pixels
  static constexpr int BarHeight = 28;

private:
  std::shared_ptr<Canvas> Pointer() const;
  std::shared_ptr<Canvas> ParticleSheet() const;
  std::shared_ptr<Canvas> SoftDot(int size) const;
  std::shared_ptr<Canvas> Star(int size) const;
  std::shared_ptr<Canvas> Bar(int kind) const; // 0 empty, 1 bar, 2 final
  std::shared_ptr<Canvas> Check() const;
  std::shared_ptr<Canvas> Slider() const;
  std::shared_ptr<Canvas> Marker() const;
  std::shared_ptr<Canvas> ScrollSlider() const;
};

} // namespace assetgen
