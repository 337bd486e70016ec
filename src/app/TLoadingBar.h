#pragma once
#include "resources/TGameImage.h"

#include <memory>

// The loading screen's progress bar: a box (mode 0) or an empty picture
// (mode 1) under the bar picture revealed from the left, step by step.
class TLoadingBar {
public:
  int Init(std::shared_ptr<TGameImage> image, std::shared_ptr<TGameImage> emptyImage,
           std::shared_ptr<TGameImage> finalImage);
  int Centre(int y);
  int SetSteps(int n);
  int SetBackgroundColour(int r, int g, int b);
  int SetBorderColour(int r, int g, int b);
  int Progress();
  int Draw();

  int Mode = 0;
  std::shared_ptr<TGameImage> Image, EmptyImage, FinalImage;
  int x = 0, y = 0, w = 0, h = 0;
  float Position = 0;
  float Steps = 0;
  float StepSize = 0;
  int CurrentStep = 0;
  int Finished = 0;
  int BgR = 50, BgG = 50, BgB = 50;
  int BorderR = 0, BorderG = 0, BorderB = 0;
  int DrawEmptyUnderFinal = 0;
};
