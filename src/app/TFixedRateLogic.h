#pragma once
#include "app/TTrackingVar.h"

#include <vector>

class TGame;

// Turns the time of each frame into logic ticks of 5 ms (200 a second):
// the frame time is capped at 50 ms and smoothed over the last 50 frames,
// except for the first five frames after every Init, which are taken raw.
// `current` holds the whole ticks of the last frame, `maximum` the largest.
class TFixedRateLogic : public TTrackingVar {
public:
  void Init() override;
  void Create();
  void CalcMS();
  void SetThreshold(int ms) { Threshold = ms; }
  void Calc();
  void SetDelta(float step);
  void SetDefaultFramerate(int rate);
  void HistoryClear();

  // Reads Fast and VSync and keeps the window origin current; may be null
  // (then neither fast mode nor the vsync rule apply). Not owned.
  TGame* Owner = nullptr;

  int FramerateDefault = 200;
  float Framerate = 200.0f;
  double LastTime = 0;
  double TmpMS = 0;
  double NumTicks = 0;
  double LastNumTicks = 0;
  float MS = 5.0f;
  float DeltaMultiplier = 1.0f;
  float FullDelta = 0;
  int Threshold = 50;
  int JitterCorrection = 1;
  int HistorySize = 1;
  int HistorySizeMax = 50;
  std::vector<int> History;
  int HistoryCounter = 0;
  int First = 0;
  int FirstMax = 5;
  int IgnoreHistoryOnSpeedUp = 1;
};
