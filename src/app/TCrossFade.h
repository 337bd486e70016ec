#pragma once
#include "resources/TGameImage.h"

#include <memory>

// Two pictures, the second drawn over the first with an alpha that rises
// over a length in ms (counted in logic ticks).
class TCrossFade {
public:
  int Create(std::shared_ptr<TGameImage> image1, std::shared_ptr<TGameImage> image2, float length);
  int Init();
  int Manage();
  int Draw();
  int SetImage1Coords(int x, int y);
  int SetImage2Coords(int x, int y);
  float Alpha() const;

  std::shared_ptr<TGameImage> Image1, Image2;
  int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  float AnimLength = 0;  // ticks
  float AnimCounter = 0; // ticks elapsed
};
