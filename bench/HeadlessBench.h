#pragma once
#include "platform/Graphics.h"

#include <cstdlib>

// Opens the headless drawing surface of the benchmarks (SDL dummy video, the
// software renderer, no audio device) unless it is open already; false when
// it cannot be opened.
inline bool OpenHeadlessGraphics() {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_RENDER_DRIVER", "software", 0);
  setenv("ALSOFT_DRIVERS", "null", 0);
  if (platform::GraphicsOpen()) return true;
  platform::GraphicsConfig config;
  config.vsync = false;
  return platform::OpenGraphics(config);
}
