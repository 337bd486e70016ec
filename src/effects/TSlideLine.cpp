#include "effects/TSlideLine.h"

#include "platform/Graphics.h"
#include "ui/TColor.h"
#include "ui/TextDraw.h"

#include <algorithm>

TSlideLine::TSlideLine() : Color(TColor::Create(255, 255, 255)) {}

void TSlideLine::InitLine(const std::string& lineText, float startX, float startY, float endX, float endY,
                          float lengthMs) {
  Init(lengthMs, 0, 0, 0);
  text = lineText;
  StartX.fill(0);
  StartY.fill(0);
  EndX.fill(0);
  EndY.fill(0);
  StartX[0] = startX;
  StartY[0] = startY;
  EndX[0] = endX;
  EndY[0] = endY;
  CalcDistance();
}

int32_t TSlideLine::AddPhaseSpecial(float startX, float startY, float endX, float endY, float lengthMs) {
  const int32_t next = TotalPhases;
  if (next >= MAX_PHASES || !AddPhase(lengthMs)) return 0;
  StartX[size_t(next)] = startX;
  StartY[size_t(next)] = startY;
  EndX[size_t(next)] = endX;
  EndY[size_t(next)] = endY;
  return 1;
}

void TSlideLine::CalcDistance() {
  const auto phase = size_t(std::clamp(CurrentPhase, int32_t(0), MAX_PHASES - 1));
  DX = EndX[phase] - StartX[phase];
  DY = EndY[phase] - StartY[phase];
}

int32_t TSlideLine::LastPhase() const { return std::clamp(TotalPhases - 1, int32_t(0), MAX_PHASES - 1); }

float TSlideLine::GetX() const {
  if (!Active) return EndX[size_t(LastPhase())];
  const auto phase = size_t(std::clamp(CurrentPhase, int32_t(0), MAX_PHASES - 1));
  return StartX[phase] + (1.0f - GetRatio()) * DX;
}

float TSlideLine::GetY() const {
  if (!Active) return EndY[size_t(LastPhase())];
  const auto phase = size_t(std::clamp(CurrentPhase, int32_t(0), MAX_PHASES - 1));
  return StartY[phase] + (1.0f - GetRatio()) * DY;
}

int32_t TSlideLine::Manage() {
  const int32_t ended = TAnimation::Manage();
  if (ended) CalcDistance();
  return ended;
}

void TSlideLine::Draw() {
  if (Color) Color->Apply();
  DrawText(text, GetX(), GetY());
  TColor::Restore();
}

void TSlideLine::AttachObject(const std::shared_ptr<void>& object) { AttachedObject = object; }
