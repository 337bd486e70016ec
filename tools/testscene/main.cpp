// marrowdeck-testscene: shows the drawing layer's test scene in a window until
// it is closed (Escape or the close button; Alt+Enter or F switches full
// screen), or with --golden FILE.png renders one frame headless to FILE.png.
// --seconds N ends the window run after N seconds; --still draws the scene as
// at its first moment in every frame (for measuring what a still screen costs).
#include "TestScene.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Keys.h"
#include "platform/System.h"

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace platform;

namespace {

int RenderGolden(const std::string& path) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_RENDER_DRIVER", "software", 1);
  GraphicsConfig config;
  config.vsync = false;
  if (!OpenGraphics(config)) {
    std::fprintf(stderr, "cannot open the headless drawing surface\n");
    return 1;
  }
  TestScene scene;
  scene.Draw(0);
  Pixmap frame;
  bool ok = GrabBackBuffer(frame) && SavePng(frame, path, 9);
  CloseGraphics();
  if (!ok) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return ok ? 0 : 1;
}

int RunWindow(double seconds, bool still) {
  GraphicsConfig config;
  config.title = "Marrowdeck test scene";
  if (!OpenGraphics(config)) {
    std::fprintf(stderr, "cannot open the window\n");
    return 1;
  }
  TestScene scene;
  int64_t start = Millisecs();
  bool altDown = false, running = true;
  while (running) {
    Event event;
    while (PollEvent(event)) {
      if (event.type == EventType::Close) running = false;
      if (event.type == EventType::KeyDown || event.type == EventType::KeyUp) {
        bool down = event.type == EventType::KeyDown;
        if (event.key == keys::LeftAlt || event.key == keys::RightAlt) altDown = down;
        if (down && event.key == keys::Escape) running = false;
        if (down && (event.key == keys::A + 5 || (event.key == keys::Enter && altDown))) SetFullScreen(!IsFullScreen());
      }
    }
    float elapsed = float(Millisecs() - start) / 1000.0f;
    if (seconds > 0 && elapsed >= seconds) running = false;
    scene.Draw(still ? 0.0f : elapsed);
    Flip(true);
  }
  CloseGraphics();
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  double seconds = 0;
  bool still = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--golden" && i + 1 < argc) return RenderGolden(argv[i + 1]);
    if (arg == "--seconds" && i + 1 < argc) seconds = std::atof(argv[++i]);
    else if (arg == "--still") still = true;
    else {
      std::fprintf(stderr, "usage: %s [--golden FILE.png] [--seconds N] [--still]\n", argv[0]);
      return 2;
    }
  }
  return RunWindow(seconds, still);
}
