#include "ui/TShadow.h"

#include "platform/Graphics.h"
#include "ui/TextDraw.h"

std::shared_ptr<TShadow> TShadow::Create(float x, float y, float alpha) {
  auto shadow = std::make_shared<TShadow>();
  shadow->Init(x, y, alpha);
  return shadow;
}

void TShadow::Init(float x, float y, float alpha) {
  X = x;
  Y = y;
  Alpha = alpha;
}

void TShadow::Copy(const TShadow& other) { Init(other.X, other.Y, other.Alpha); }

void TShadow::ApplyToText() const {
  TextShadowX = X;
  TextShadowY = Y;
  TextShadowAlpha = Alpha;
}

void TShadow::Apply() const {
  platform::SetColor(0, 0, 0);
  platform::SetAlpha(Alpha);
}

void TShadow::Restore() {
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
}
