#pragma once
#include "platform/Graphics.h"

// The drawing state a particle effect changes (blend, alpha, rotation, scale,
// colour), taken when made and put back by Restore.
struct SavedDrawState {
  SavedDrawState() {
    blend = platform::GetBlend();
    alpha = platform::GetAlpha();
    rotation = platform::GetRotation();
    platform::GetScale(scaleX, scaleY);
    platform::GetColor(r, g, b);
  }
  void Restore() const {
    platform::SetBlend(blend);
    platform::SetAlpha(alpha);
    platform::SetRotation(rotation);
    platform::SetScale(scaleX, scaleY);
    platform::SetColor(r, g, b);
  }

  platform::Blend blend;
  float alpha, rotation, scaleX = 1, scaleY = 1;
  int r = 255, g = 255, b = 255;
};
