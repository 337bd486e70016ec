#include "support/HeadlessGraphics.h"

#include "platform/WindowState.h"

#include <SDL.h>

#include <cstdlib>

namespace test_support {

namespace {
void CloseAtExit() { platform::CloseGraphics(); }
} // namespace

bool EnsureHeadlessGraphics() {
  if (platform::GraphicsOpen()) return true;
  // Fill in the headless drivers when a test binary is started by hand.
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_RENDER_DRIVER", "software", 0);
  setenv("ALSOFT_DRIVERS", "null", 0);
  platform::GraphicsConfig config;
  config.vsync = false;
  if (!platform::OpenGraphics(config)) return false;
  static bool registered = false;
  if (!registered) {
    registered = true;
    std::atexit(CloseAtExit);
  }
  return true;
}

bool GrabShownWindow(platform::Pixmap& out) {
  SDL_Window* window = platform::CurrentWindow();
  SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : nullptr;
  if (!surface || !surface->pixels) return false;
  out.width = surface->w;
  out.height = surface->h;
  out.rgba.assign(size_t(out.width) * size_t(out.height) * 4, 0);
  return SDL_ConvertPixels(surface->w, surface->h, surface->format->format, surface->pixels, surface->pitch,
                           SDL_PIXELFORMAT_RGBA32, out.rgba.data(), out.width * 4) == 0;
}

void HeadlessGraphics::SetUp() {
  ASSERT_TRUE(EnsureHeadlessGraphics()) << "cannot open the headless graphics";
  platform::ResetViewport();
  platform::ResetDrawState();
  platform::SetClsColor(0, 0, 0);
  platform::Cls();
}

} // namespace test_support
