#pragma once
#include <functional>

// The millisecond clock the main loop, the fades and the splash read. It is
// the platform's monotonic clock unless a test installs its own source, so
// frames can be driven with exact times.
using ClockSource = std::function<double()>;

double AppMillisecs();
// Installs `source` as the clock; an empty function restores the real one.
void SetClockSource(ClockSource source);
