#include "solitaire/TTripeaksBonus.h"

void TTripeaksBonus::Create(int32_t x, int32_t y) { Start(x, y, 500, 150, 615, 50, 0.0075f, BonusPoints); }
