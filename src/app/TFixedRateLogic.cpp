#include "app/TFixedRateLogic.h"

#include "app/Clock.h"
#include "app/Delta.h"
#include "app/TGame.h"
#include "platform/Graphics.h"

#include <cmath>

void TFixedRateLogic::Create() { History.assign(size_t(HistorySizeMax), 0); }

void TFixedRateLogic::Init() {
  CalcMS();
  LastTime = AppMillisecs();
  NumTicks = 0;
  LastNumTicks = 1.0;
  SetDelta(1.0f);
  TTrackingVar::Init();
  First = FirstMax;
}

void TFixedRateLogic::CalcMS() {
  int rate = int(Framerate);
  MS = rate > 0 ? 1000.0f / float(rate) : 5.0f;
}

void TFixedRateLogic::Calc() {
  if (Owner && Owner->Fast == 1) {
    NumTicks = 1.0;
    current = int(NumTicks);
    return;
  }

  // A moved window restarts the timing, so the drag does not turn into
  // catch-up ticks.
  if (Owner && platform::GraphicsOpen()) {
    int x = 0, y = 0;
    platform::GetWindowPosition(x, y);
    if (x != Owner->WindowX || y != Owner->WindowY) {
      Init();
      Owner->SetWindowCoords();
      Owner->SetClientCoords();
    }
  }

  double now = AppMillisecs();
  if (now < LastTime) {
    NumTicks = LastNumTicks;
  } else {
    TmpMS = now - LastTime;
    if (TmpMS > Threshold) TmpMS = Threshold;

    double average = TmpMS;
    if (First <= 0 && !History.empty()) {
      History[size_t(HistoryCounter)] = int(TmpMS);
      int sum = 0;
      for (int i = 0; i < HistorySize; ++i) sum += History[size_t(i)];
      int counted = HistorySize;
      ++HistoryCounter;
      if (HistorySize < HistorySizeMax) ++HistorySize;
      average = double(sum) / counted;
      if (HistoryCounter >= HistorySize) HistoryCounter = 0;
    } else {
      --First;
    }

    double used = TmpMS;
    if (JitterCorrection == 1) {
      used = average;
      if (IgnoreHistoryOnSpeedUp == 1 && Owner && Owner->VSync == 1 && TmpMS < average - 1) used = TmpMS;
    }
    NumTicks = used / MS;
  }

  LastTime = now;
  LastNumTicks = NumTicks;
  if (NumTicks > maximum) maximum = int(NumTicks);
  current = int(NumTicks);
}

void TFixedRateLogic::SetDelta(float step) {
  Delta = step * DeltaMultiplier;
  FullDelta = step;
}

void TFixedRateLogic::SetDefaultFramerate(int rate) {
  FramerateDefault = rate;
  Framerate = float(rate);
}

void TFixedRateLogic::HistoryClear() {
  for (int i = 0; i < HistorySize && i < int(History.size()); ++i) History[size_t(i)] = 0;
  HistorySize = 1;
  HistoryCounter = 0;
}
