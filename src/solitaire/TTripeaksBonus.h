#pragma once
#include "solitaire/TFlyingBonus.h"

// A Tri Peaks streak bonus: 50 points flying from the play's mouse position
// out towards (500, 150) and onto the score display at (615, 50).
class TTripeaksBonus : public TFlyingBonus {
public:
  static constexpr int32_t BonusPoints = 50;
  void Create(int32_t x, int32_t y) { StartStreakBonus(x, y, BonusPoints); }
};
