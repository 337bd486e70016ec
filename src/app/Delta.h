#pragma once

// Size of the running logic tick: 1.0 for a whole 5 ms tick, less for the
// fractional last tick of a frame. Every movement, timer and animation
// multiplies by it.
extern float Delta;
