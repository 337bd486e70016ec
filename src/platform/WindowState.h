#pragma once

struct SDL_Window;

// Platform-private links between the drawing layer and the input layer: the
// window, and the mapping between window and logical (800 x 600) coordinates.
namespace platform {

SDL_Window* CurrentWindow(); // nullptr while graphics are closed
void WindowToLogical(int windowX, int windowY, int& logicalX, int& logicalY);
void LogicalToWindow(int logicalX, int logicalY, int& windowX, int& windowY);
// The renderer lost its textures (device reset): every texture is remade.
void RendererLost();
// The canvas lost its pixels (render targets reset): the next frame is drawn whole.
void CanvasLost();
// The window was shown, exposed or resized: the next frame is shown whole.
void WindowNeedsRedraw();
// Makes sure the SDL video and event subsystems are running.
bool EnsureVideo();

} // namespace platform
