#pragma once
#include "platform/Picture.h"

#include <string>

// The 2-D drawing layer: one window with a fixed 800 x 600 logical surface,
// letterboxed into whatever size the window or screen has. Drawing works like
// a state machine: set blend, alpha, colour, rotation, scale and origin, then
// draw pictures and shapes; every draw uses the state current at the call.
namespace platform {

enum class Blend { Solid, Alpha, Light, Shade }; // Light adds, Shade multiplies

struct GraphicsConfig {
  std::string title = "Marrowdeck";
  int width = 800;   // logical surface
  int height = 600;
  bool fullScreen = false;
  bool vsync = true;
};

// Graphics modes the display offers (0 when no display can be opened).
int CountGraphicsModes();
bool OpenGraphics(const GraphicsConfig& config);
void CloseGraphics();
bool GraphicsOpen();

// Full screen uses the desktop resolution, windowed opens at 800 x 600; the
// switch keeps the renderer and every texture.
bool SetFullScreen(bool fullScreen);
bool IsFullScreen();
void SetVSync(bool on);
bool VSyncActive(); // true only when the flip really waits for the retrace
// Without a retrace to wait for, Flip keeps the display's pace by sleeping
// (on by default). Off, frames follow each other at once: for tools that
// drive the game on its own clock faster than real time.
void SetFramePacing(bool on);

int DesktopWidth();
int DesktopHeight();
int DesktopRefreshRate(); // 60 when the display does not say
void GetWindowPosition(int& x, int& y);
void GetClientPosition(int& x, int& y);
void CentreWindow();
void SetWindowIcon(const Pixmap& icon);
void SetWindowTitle(const std::string& title);

// Drawing state.
void SetBlend(Blend blend);
Blend GetBlend();
void SetAlpha(float alpha);                 // 0..1
float GetAlpha();
void SetColor(int r, int g, int b);         // 0..255, multiplies the picture
void GetColor(int& r, int& g, int& b);
void SetClsColor(int r, int g, int b);
void SetRotation(float degrees);            // clockwise, about the picture's handle
float GetRotation();
void SetScale(float x, float y);
void GetScale(float& x, float& y);
void SetOrigin(float x, float y);           // added to every position
void GetOrigin(float& x, float& y);
void SetViewport(int x, int y, int w, int h);
void ResetViewport();
void ResetDrawState(); // Alpha blend, alpha 1, white, no rotation, scale 1, origin 0

// Drawing.
void Cls();
void DrawPicture(Picture& picture, float x, float y, int frame = 0);
// Draws the rectangle (sx, sy, sw, sh) of a frame at x, y (top-left, no handle),
// stretched to w x h.
void DrawSubPicture(Picture& picture, float x, float y, float w, float h,
                    float sx, float sy, float sw, float sh, int frame = 0);
void DrawRect(float x, float y, float w, float h);
void DrawLine(float x1, float y1, float x2, float y2);
void Plot(float x, float y);

// Shows the frame. With vsync on and supported this waits for the retrace;
// otherwise it sleeps until the next refresh slot so an idle game never spins.
// Drawing calls wait until then: a frame drawn exactly like the one the window
// shows is neither rasterised nor shown again (the pace stays the same), and a
// frame that changed in one place is redrawn and shown only there.
void Flip(bool vsync);

// How the recent frames went (for tests and measuring).
struct FrameStats {
  uint64_t presented = 0; // frames put into the window
  uint64_t skipped = 0;   // frames identical to what the window showed
  int changedPixels = 0;  // canvas pixels the last frame put into the window
};
FrameStats GetFrameStats();
// Off: every frame is rasterised whole and shown, as a reference.
void SetFrameReuse(bool on);

// Finds out, in a short-lived child process, whether OpenGL on this display
// rasterises on the processor, so that OpenGraphics can choose the renderer
// without loading an OpenGL driver. Call it early (before other threads
// exist); OpenGraphics waits for the answer, starting the probe if needed.
void BeginRendererProbe();

// Draws into an off-screen picture made by Picture::CreateRenderTarget until
// EndRenderTo, which also copies the result into the picture's pixels.
bool BeginRenderTo(Picture& target);
void EndRenderTo();

// Carries out every drawing call made so far (they wait for Flip otherwise).
void FinishDrawing();

// Reads the 800 x 600 back buffer (before Flip).
bool GrabBackBuffer(Pixmap& out);

// Bumped whenever the renderer is recreated; textures of older generations are remade.
unsigned RendererGeneration();

} // namespace platform
