#pragma once
#include "app/TAnimation.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class TColor;

// A line of text gliding across the screen in straight segments, one segment
// per phase of its timer (the high-score rows slide in this way). Within a
// phase it moves from the segment's start to its end; after the last phase it
// rests at the last end point.
class TSlideLine : public TAnimation {
public:
  TSlideLine();

  // The text and its first segment of lengthMs (a counting-down timer, not started).
  void InitLine(const std::string& lineText, float startX, float startY, float endX, float endY, float lengthMs);
  // The next segment; 0 when the line already has MAX_PHASES segments.
  int32_t AddPhaseSpecial(float startX, float startY, float endX, float endY, float lengthMs);
  void CalcDistance();
  float GetX() const;
  float GetY() const;
  int32_t Manage() override;
  // The text at (GetX, GetY) in Color with the current font.
  void Draw();
  void AttachObject(const std::shared_ptr<void>& object);

  std::array<float, MAX_PHASES> StartX{}, StartY{}, EndX{}, EndY{};
  float DX = 0, DY = 0;
  std::string text;
  std::shared_ptr<TColor> Color;
  std::shared_ptr<void> AttachedObject;

private:
  int32_t LastPhase() const;
};
