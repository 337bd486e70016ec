#pragma once
#include "ui/TSprite.h"

#include <cstdint>
#include <memory>
#include <string>

// A horizontal value slider from 0 to 100 (the volume sliders): the sprite's
// picture is the track, DotImage the knob. Holding the left button over the
// track moves the value to the pointer; Border pixels at each end read 0 and
// 100.
class TSlider : public TSprite {
public:
  // Track and knob from the image folder (name + ext), top-left at (x, y); value 50.
  static std::shared_ptr<TSlider> CreateSpecial(const std::string& trackName, const std::string& knobName, float x,
                                                float y, int32_t border, const std::string& ext = ".png",
                                                int32_t borderY = 5);
  // The same with pictures already loaded.
  static std::shared_ptr<TSlider> CreateFromImages(const std::shared_ptr<TGameImage>& track,
                                                   const std::shared_ptr<TGameImage>& knob, float x, float y,
                                                   int32_t border, int32_t borderY = 5);
  void SetValue(int32_t v);
  // Per tick: 1 while the value follows the pointer, else 0.
  int32_t Manage();
  void Draw() override;
  void Kill() override;

  std::string Ext = ".png";
  std::shared_ptr<TGameImage> DotImage;
  int32_t DotX = 0, DotY = 0;
  int32_t MouseOver = 0;
  int32_t Value = 0;
  int32_t Border = 0;
  int32_t BorderY = 5;
};
