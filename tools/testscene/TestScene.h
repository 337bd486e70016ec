#pragma once
#include "platform/Picture.h"

#include <memory>

// A small scene that exercises the drawing layer: rotated, tinted and scaled
// card pictures, additive glows, a multiplied shade, an animation strip, a
// render-target picture, and plain shapes. Every picture is generated here.
class TestScene {
public:
  TestScene();
  // Draws one frame at `seconds` since the start (0 gives the golden frame).
  void Draw(float seconds);

private:
  std::shared_ptr<platform::Picture> card_, glow_, shade_, strip_, badge_;
  bool badgeDrawn_ = false;
};
