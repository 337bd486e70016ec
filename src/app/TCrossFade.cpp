#include "app/TCrossFade.h"

#include "app/Delta.h"
#include "app/TGame.h"
#include "platform/Graphics.h"

#include <algorithm>

int TCrossFade::Create(std::shared_ptr<TGameImage> image1, std::shared_ptr<TGameImage> image2, float length) {
  Image1 = std::move(image1);
  Image2 = std::move(image2);
  AnimLength = Game ? Game->CalcAnimLength(length) : length / 5.0f;
  return Init();
}

int TCrossFade::Init() {
  AnimCounter = 0;
  return 1;
}

int TCrossFade::Manage() {
  if (AnimCounter < AnimLength) AnimCounter = std::min(AnimLength, AnimCounter + Delta);
  return AnimCounter >= AnimLength ? 1 : 0;
}

float TCrossFade::Alpha() const { return AnimLength > 0 ? std::clamp(AnimCounter / AnimLength, 0.0f, 1.0f) : 1.0f; }

int TCrossFade::Draw() {
  platform::SetColor(255, 255, 255);
  if (Image1 && Image1->image) {
    platform::SetBlend(platform::Blend::Solid);
    platform::SetAlpha(1.0f);
    platform::DrawPicture(*Image1->image, float(X1), float(Y1));
  }
  if (Image2 && Image2->image) {
    platform::SetBlend(platform::Blend::Alpha);
    platform::SetAlpha(Alpha());
    platform::DrawPicture(*Image2->image, float(X2), float(Y2));
  }
  platform::SetBlend(platform::Blend::Alpha);
  platform::SetAlpha(1.0f);
  return 1;
}

int TCrossFade::SetImage1Coords(int x, int y) {
  X1 = x, Y1 = y;
  return 1;
}

int TCrossFade::SetImage2Coords(int x, int y) {
  X2 = x, Y2 = y;
  return 1;
}
