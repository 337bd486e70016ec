#include "app/TLoadingBar.h"

#include "app/AppGlobals.h"
#include "platform/Graphics.h"

int TLoadingBar::Init(std::shared_ptr<TGameImage> image, std::shared_ptr<TGameImage> emptyImage,
                      std::shared_ptr<TGameImage> finalImage) {
  Image = std::move(image);
  EmptyImage = std::move(emptyImage);
  FinalImage = std::move(finalImage);
  for (auto* picture : {&Image, &EmptyImage, &FinalImage})
    if (*picture) (*picture)->MidHandle(0);
  x = y = 0;
  w = Image ? Image->w : 0;
  h = Image ? Image->h : 0;
  Position = 0;
  CurrentStep = 0;
  Finished = 0;
  return 1;
}

int TLoadingBar::Centre(int top) {
  x = (ScreenWidth - w) / 2;
  y = top;
  return 1;
}

int TLoadingBar::SetSteps(int n) {
  Steps = float(n);
  StepSize = n > 0 ? float(w) / float(n) : float(w);
  return 1;
}

int TLoadingBar::SetBackgroundColour(int r, int g, int b) {
  BgR = r, BgG = g, BgB = b;
  return 1;
}

int TLoadingBar::SetBorderColour(int r, int g, int b) {
  BorderR = r, BorderG = g, BorderB = b;
  return 1;
}

int TLoadingBar::Progress() {
  ++CurrentStep;
  Position = float(CurrentStep) * StepSize;
  if (float(CurrentStep) >= Steps) {
    // Extra steps (more items than announced) keep the bar full, not wider.
    Position = float(w);
    Finished = 1;
  }
  return 1;
}

int TLoadingBar::Draw() {
  if (Mode == 1 && !Image) return 0;
  platform::SetBlend(platform::Blend::Alpha);
  platform::SetAlpha(1.0f);
  platform::SetColor(255, 255, 255);
  if (Finished == 1 && FinalImage && FinalImage->image) {
    if (DrawEmptyUnderFinal == 1 && EmptyImage && EmptyImage->image)
      platform::DrawPicture(*EmptyImage->image, float(x), float(y));
    platform::DrawPicture(*FinalImage->image, float(x), float(y));
    return 1;
  }
  if (Mode == 0) {
    platform::SetColor(BorderR, BorderG, BorderB);
    platform::DrawRect(float(x - 1), float(y - 1), float(w + 2), float(h + 2));
    platform::SetColor(BgR, BgG, BgB);
    platform::DrawRect(float(x), float(y), float(w), float(h));
    platform::SetColor(255, 255, 255);
  } else if (Mode == 1 && EmptyImage && EmptyImage->image) {
    platform::DrawPicture(*EmptyImage->image, float(x), float(y));
  }
  if (Image && Image->image && Position > 0) {
    float shown = Position > float(w) ? float(w) : Position;
    platform::DrawSubPicture(*Image->image, float(x), float(y), shown, float(h), 0, 0, shown, float(h));
  }
  return 1;
}
