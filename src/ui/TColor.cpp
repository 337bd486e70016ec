#include "ui/TColor.h"

#include "platform/Graphics.h"

std::shared_ptr<TColor> TColor::Create(int32_t r, int32_t g, int32_t b, float alpha) {
  auto color = std::make_shared<TColor>();
  color->Set(r, g, b, alpha);
  return color;
}

void TColor::Set(int32_t r, int32_t g, int32_t b, float alpha) {
  R = r;
  G = g;
  B = b;
  Alpha = alpha;
}

void TColor::Get(int32_t& r, int32_t& g, int32_t& b) const {
  r = R;
  g = G;
  b = B;
}

void TColor::GetFull(int32_t& r, int32_t& g, int32_t& b, float& alpha) const {
  Get(r, g, b);
  alpha = Alpha;
}

std::shared_ptr<TColor> TColor::Copy() const { return std::make_shared<TColor>(*this); }

void TColor::Apply() const {
  platform::SetColor(R, G, B);
  platform::SetAlpha(Alpha);
}

void TColor::ApplyNoAlpha() const { platform::SetColor(R, G, B); }

void TColor::Restore() {
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
}
