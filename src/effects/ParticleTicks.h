#pragma once
#include "app/TGame.h"

// Milliseconds to logic ticks at the game's current speed (5 ms a tick
// without an application object).
inline float ParticleTicks(float ms) { return Game ? Game->CalcAnimLength(ms) : ms / 5.0f; }
