#include "platform/Graphics.h"
#include "platform/Texture.h"
#include "platform/WindowState.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <thread>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

struct WindowDeleter {
  void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
struct RendererDeleter {
  void operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
};
struct TextureDeleter {
  void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
};

// Everything the drawing layer owns. Drawing goes into `canvas`, a texture of
// the logical size; Flip scales it into the window with borders to keep the
// aspect, which also makes the back-buffer grab exact whatever the window size.
struct GraphicsState {
  std::unique_ptr<SDL_Window, WindowDeleter> window;
  std::unique_ptr<SDL_Renderer, RendererDeleter> renderer;
  std::unique_ptr<SDL_Texture, TextureDeleter> canvas;
  unsigned generation = 0;
  bool videoStarted = false;
  int width = 800, height = 600;
  bool fullScreen = false;
  bool softwareRenderer = false;
  bool vsyncRequested = false;
  bool vsyncRenderer = false;   // the renderer was made with vsync
  bool vsyncIneffective = false; // ... but presenting was seen not to wait
  int quickPresents = 0;
  Clock::duration framePeriod = std::chrono::microseconds(16667);
  Clock::time_point nextFrame;

  Blend blend = Blend::Alpha;
  float alpha = 1;
  int red = 255, green = 255, blue = 255;
  int clsRed = 0, clsGreen = 0, clsBlue = 0;
  float rotation = 0, scaleX = 1, scaleY = 1, originX = 0, originY = 0;
  bool clipping = false;
  SDL_Rect clip{0, 0, 0, 0};
  Picture* target = nullptr; // not owned: the picture between BeginRenderTo and EndRenderTo
};

// Set when the state below is destroyed at process exit; pictures that are
// themselves destroyed later then leave their textures alone.
bool graphicsStateGone = false;

struct GraphicsStateHolder {
  GraphicsState state;
  ~GraphicsStateHolder() {
    state.target = nullptr;
    state.canvas.reset();
    state.renderer.reset();
    state.window.reset();
    graphicsStateGone = true;
  }
};

GraphicsState& G() {
  static GraphicsStateHolder holder;
  return holder.state;
}

SDL_BlendMode ToSdl(Blend blend) {
  switch (blend) {
  case Blend::Solid: return SDL_BLENDMODE_NONE;
  case Blend::Light: return SDL_BLENDMODE_ADD;
  case Blend::Shade: return SDL_BLENDMODE_MUL;
  case Blend::Alpha: break;
  }
  return SDL_BLENDMODE_BLEND;
}

Uint8 AlphaByte() { return Uint8(std::lround(std::clamp(G().alpha, 0.0f, 1.0f) * 255.0f)); }

Uint8 ColorByte(int value) { return Uint8(std::clamp(value, 0, 255)); }

void ApplyClip() {
  GraphicsState& g = G();
  if (g.target || !g.clipping) SDL_RenderSetClipRect(g.renderer.get(), nullptr);
  else SDL_RenderSetClipRect(g.renderer.get(), &g.clip);
}

void SelectCanvas() {
  SDL_SetRenderTarget(G().renderer.get(), G().canvas.get());
  ApplyClip();
}

// The area of the window's output that shows the canvas.
SDL_Rect Letterbox() {
  GraphicsState& g = G();
  int outW = g.width, outH = g.height;
  if (g.renderer) SDL_GetRendererOutputSize(g.renderer.get(), &outW, &outH);
  double scale = std::min(double(outW) / g.width, double(outH) / g.height);
  int w = std::max(1, int(std::lround(g.width * scale)));
  int h = std::max(1, int(std::lround(g.height * scale)));
  return SDL_Rect{(outW - w) / 2, (outH - h) / 2, w, h};
}

// Window points to output pixels (they differ on high-density screens).
void OutputScale(double& sx, double& sy) {
  sx = sy = 1;
  GraphicsState& g = G();
  if (!g.window || !g.renderer) return;
  int winW, winH, outW, outH;
  SDL_GetWindowSize(g.window.get(), &winW, &winH);
  SDL_GetRendererOutputSize(g.renderer.get(), &outW, &outH);
  if (winW > 0 && winH > 0) {
    sx = double(outW) / winW;
    sy = double(outH) / winH;
  }
}

bool MakeCanvas() {
  GraphicsState& g = G();
  g.canvas.reset(SDL_CreateTexture(g.renderer.get(), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, g.width,
                                   g.height));
  if (!g.canvas) return false;
  SDL_SetTextureScaleMode(g.canvas.get(), SDL_ScaleModeLinear);
  SDL_SetTextureBlendMode(g.canvas.get(), SDL_BLENDMODE_NONE);
  SelectCanvas();
  SDL_SetRenderDrawColor(g.renderer.get(), 0, 0, 0, 255);
  SDL_RenderClear(g.renderer.get());
  return true;
}

void ReadRefreshRate() {
  GraphicsState& g = G();
  int rate = DesktopRefreshRate();
  g.framePeriod = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / rate));
}

void ApplyPictureState(const Texture& texture) {
  GraphicsState& g = G();
  SDL_Texture* handle = texture.Handle();
  SDL_SetTextureColorMod(handle, ColorByte(g.red), ColorByte(g.green), ColorByte(g.blue));
  const Uint8 alpha = AlphaByte();
  SDL_SetTextureAlphaMod(handle, alpha);
  SDL_BlendMode mode = ToSdl(g.blend);
  // An opaque picture drawn unturned at full size and full alpha covers its
  // rectangle exactly, so blending it would only cost time (a whole-screen
  // background blended every frame is most of an idle frame's work in software).
  if (mode == SDL_BLENDMODE_BLEND && alpha == 255 && texture.Opaque() && g.rotation == 0 &&
      std::fabs(g.scaleX) == 1 && std::fabs(g.scaleY) == 1)
    mode = SDL_BLENDMODE_NONE;
  SDL_SetTextureBlendMode(handle, mode);
}

void ApplyShapeState() {
  GraphicsState& g = G();
  SDL_SetRenderDrawBlendMode(g.renderer.get(), ToSdl(g.blend));
  SDL_SetRenderDrawColor(g.renderer.get(), ColorByte(g.red), ColorByte(g.green), ColorByte(g.blue), AlphaByte());
}

} // namespace

// ---- Textures ----------------------------------------------------------------

Texture::~Texture() {
  // A texture of an older renderer went with that renderer.
  if (handle_ && !graphicsStateGone && generation_ == G().generation && G().renderer) SDL_DestroyTexture(handle_);
}

std::unique_ptr<Texture> Texture::Create(const Pixmap& pixels, bool filter, bool target) {
  GraphicsState& g = G();
  if (!g.renderer || pixels.Empty()) return nullptr;
  SDL_Texture* handle = SDL_CreateTexture(g.renderer.get(), SDL_PIXELFORMAT_RGBA32,
                                          target ? SDL_TEXTUREACCESS_TARGET : SDL_TEXTUREACCESS_STATIC,
                                          pixels.width, pixels.height);
  if (!handle) return nullptr;
  SDL_UpdateTexture(handle, nullptr, pixels.rgba.data(), pixels.width * 4);
  SDL_SetTextureBlendMode(handle, SDL_BLENDMODE_BLEND);
  SDL_SetTextureScaleMode(handle, filter ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  bool opaque = !target;
  for (size_t i = 3; opaque && i < pixels.rgba.size(); i += 4) opaque = pixels.rgba[i] == 255;
  return std::make_unique<Texture>(handle, g.generation, opaque);
}

// ---- Window and renderer -----------------------------------------------------

// True for an OpenGL renderer whose driver is a CPU rasteriser (llvmpipe,
// softpipe, the generic software rasteriser).
static bool RendererRasterisesOnCpu(SDL_Renderer* renderer) {
  SDL_RendererInfo info{};
  if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name) return false;
  if (std::strncmp(info.name, "opengl", 6) != 0) return false;
  using GetString = const unsigned char* (*)(unsigned int);
  auto glGetString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  if (!glGetString) return false;
  const unsigned char* name = glGetString(0x1F01); // GL_RENDERER
  if (!name) return false;
  const std::string text(reinterpret_cast<const char*>(name));
  return text.find("llvmpipe") != std::string::npos || text.find("softpipe") != std::string::npos ||
         text.find("Software Rasterizer") != std::string::npos;
}

bool EnsureVideo() {
  GraphicsState& g = G();
  if (g.videoStarted) return true;
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "1");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
  g.videoStarted = true;
  return true;
}

SDL_Window* CurrentWindow() { return G().window.get(); }

void WindowToLogical(int windowX, int windowY, int& logicalX, int& logicalY) {
  GraphicsState& g = G();
  double sx, sy;
  OutputScale(sx, sy);
  SDL_Rect box = Letterbox();
  logicalX = int(std::floor((windowX * sx - box.x) * g.width / box.w));
  logicalY = int(std::floor((windowY * sy - box.y) * g.height / box.h));
}

void LogicalToWindow(int logicalX, int logicalY, int& windowX, int& windowY) {
  GraphicsState& g = G();
  double sx, sy;
  OutputScale(sx, sy);
  SDL_Rect box = Letterbox();
  // The window pixel under the centre of the logical one.
  windowX = int(std::floor((box.x + (logicalX + 0.5) * box.w / g.width) / sx));
  windowY = int(std::floor((box.y + (logicalY + 0.5) * box.h / g.height) / sy));
}

void RendererLost() {
  GraphicsState& g = G();
  if (!g.renderer) return;
  ++g.generation; // every picture remakes its texture from its kept pixels
  MakeCanvas();
}

int CountGraphicsModes() {
  if (!EnsureVideo()) return 0;
  int modes = SDL_GetNumDisplayModes(0);
  return modes > 0 ? modes : 0;
}

bool OpenGraphics(const GraphicsConfig& config) {
  if (G().renderer) CloseGraphics();
  if (!EnsureVideo()) return false;
  GraphicsState& g = G();
  g.width = std::max(1, config.width);
  g.height = std::max(1, config.height);
  Uint32 windowFlags = SDL_WINDOW_RESIZABLE | (config.fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  g.window.reset(SDL_CreateWindow(config.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, g.width,
                                  g.height, windowFlags));
  if (!g.window) return false;
  SDL_SetWindowMinimumSize(g.window.get(), g.width / 4, g.height / 4);
  Uint32 vsyncFlag = config.vsync ? SDL_RENDERER_PRESENTVSYNC : 0;
  g.renderer.reset(
      SDL_CreateRenderer(g.window.get(), -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE | vsyncFlag));
  // An OpenGL renderer that rasterises on the CPU (no graphics card, as under
  // Xvfb) costs more than twice the CPU of SDL's own software renderer for the
  // same frames, so the game prefers the latter there. An explicit
  // SDL_RENDER_DRIVER is left alone.
  if (g.renderer && !SDL_getenv("SDL_RENDER_DRIVER") && RendererRasterisesOnCpu(g.renderer.get()))
    g.renderer.reset();
  if (!g.renderer)
    g.renderer.reset(SDL_CreateRenderer(g.window.get(), -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE));
  if (!g.renderer) {
    g.window.reset();
    return false;
  }
  SDL_RendererInfo info{};
  SDL_GetRendererInfo(g.renderer.get(), &info);
  g.softwareRenderer = (info.flags & SDL_RENDERER_SOFTWARE) != 0;
  g.vsyncRequested = config.vsync;
  g.vsyncRenderer = (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
  g.vsyncIneffective = false;
  g.quickPresents = 0;
  ++g.generation;
  g.fullScreen = config.fullScreen;
  g.target = nullptr;
  g.clipping = false;
  if (!MakeCanvas()) {
    CloseGraphics();
    return false;
  }
  ResetDrawState();
  ReadRefreshRate();
  g.nextFrame = Clock::now();
  return true;
}

void CloseGraphics() {
  GraphicsState& g = G();
  ++g.generation; // textures still held by pictures are forgotten, not freed
  g.target = nullptr;
  g.canvas.reset();
  g.renderer.reset(); // frees every texture it made
  g.window.reset();
}

bool GraphicsOpen() { return G().renderer != nullptr; }

bool SetFullScreen(bool fullScreen) {
  GraphicsState& g = G();
  if (!g.window) return false;
  if (fullScreen) {
    // Without a window manager nothing moves or sizes a full-screen window,
    // so it is made to cover the screen first.
    SDL_Rect bounds;
    int display = SDL_GetWindowDisplayIndex(g.window.get());
    if (SDL_GetDisplayBounds(display < 0 ? 0 : display, &bounds) == 0) {
      SDL_SetWindowPosition(g.window.get(), bounds.x, bounds.y);
      SDL_SetWindowSize(g.window.get(), bounds.w, bounds.h);
    }
  }
  if (SDL_SetWindowFullscreen(g.window.get(), fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return false;
  if (!fullScreen) {
    SDL_SetWindowSize(g.window.get(), g.width, g.height);
    SDL_SetWindowPosition(g.window.get(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
  g.fullScreen = fullScreen;
  ReadRefreshRate();
  return true;
}

bool IsFullScreen() { return G().fullScreen; }

void SetVSync(bool on) {
  GraphicsState& g = G();
  g.vsyncRequested = on;
  g.vsyncIneffective = false;
  g.quickPresents = 0;
  if (!g.renderer) return;
  if (SDL_RenderSetVSync(g.renderer.get(), on ? 1 : 0) == 0) g.vsyncRenderer = on;
}

bool VSyncActive() {
  GraphicsState& g = G();
  return g.renderer && g.vsyncRequested && g.vsyncRenderer && !g.softwareRenderer && !g.vsyncIneffective;
}

namespace {
SDL_DisplayMode DesktopMode() {
  SDL_DisplayMode mode{};
  if (!EnsureVideo()) return mode;
  int display = G().window ? SDL_GetWindowDisplayIndex(G().window.get()) : 0;
  if (display < 0 || SDL_GetDesktopDisplayMode(display, &mode) != 0) SDL_GetDesktopDisplayMode(0, &mode);
  return mode;
}
} // namespace

int DesktopWidth() { return DesktopMode().w; }
int DesktopHeight() { return DesktopMode().h; }
int DesktopRefreshRate() {
  int rate = DesktopMode().refresh_rate;
  return rate >= 20 && rate <= 500 ? rate : 60;
}

void GetWindowPosition(int& x, int& y) {
  x = y = 0;
  if (!G().window) return;
  int top = 0, left = 0;
  SDL_GetWindowPosition(G().window.get(), &x, &y);
  if (SDL_GetWindowBordersSize(G().window.get(), &top, &left, nullptr, nullptr) == 0) {
    x -= left;
    y -= top;
  }
}

void GetClientPosition(int& x, int& y) {
  x = y = 0;
  if (G().window) SDL_GetWindowPosition(G().window.get(), &x, &y);
}

void CentreWindow() {
  if (G().window && !G().fullScreen)
    SDL_SetWindowPosition(G().window.get(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

void SetWindowIcon(const Pixmap& icon) {
  if (!G().window || icon.Empty()) return;
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(icon.rgba.data()), icon.width,
                                                            icon.height, 32, icon.width * 4, SDL_PIXELFORMAT_RGBA32);
  if (!surface) return;
  SDL_SetWindowIcon(G().window.get(), surface);
  SDL_FreeSurface(surface);
}

void SetWindowTitle(const std::string& title) {
  if (G().window) SDL_SetWindowTitle(G().window.get(), title.c_str());
}

// ---- Drawing state -------------------------------------------------------------

void SetBlend(Blend blend) { G().blend = blend; }
Blend GetBlend() { return G().blend; }
void SetAlpha(float alpha) { G().alpha = alpha; }
float GetAlpha() { return G().alpha; }
void SetColor(int r, int g, int b) {
  G().red = r;
  G().green = g;
  G().blue = b;
}
void GetColor(int& r, int& g, int& b) {
  r = G().red;
  g = G().green;
  b = G().blue;
}
void SetClsColor(int r, int g, int b) {
  G().clsRed = r;
  G().clsGreen = g;
  G().clsBlue = b;
}
void SetRotation(float degrees) { G().rotation = degrees; }
float GetRotation() { return G().rotation; }
void SetScale(float x, float y) {
  G().scaleX = x;
  G().scaleY = y;
}
void GetScale(float& x, float& y) {
  x = G().scaleX;
  y = G().scaleY;
}
void SetOrigin(float x, float y) {
  G().originX = x;
  G().originY = y;
}
void GetOrigin(float& x, float& y) {
  x = G().originX;
  y = G().originY;
}

void SetViewport(int x, int y, int w, int h) {
  GraphicsState& g = G();
  g.clipping = true;
  g.clip = SDL_Rect{x, y, std::max(0, w), std::max(0, h)};
  if (g.renderer) ApplyClip();
}

void ResetViewport() {
  G().clipping = false;
  if (G().renderer) ApplyClip();
}

void ResetDrawState() {
  GraphicsState& g = G();
  g.blend = Blend::Alpha;
  g.alpha = 1;
  g.red = g.green = g.blue = 255;
  g.rotation = 0;
  g.scaleX = g.scaleY = 1;
  g.originX = g.originY = 0;
}

// ---- Drawing -------------------------------------------------------------------

void Cls() {
  GraphicsState& g = G();
  if (!g.renderer) return;
  SDL_SetRenderDrawBlendMode(g.renderer.get(), SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(g.renderer.get(), ColorByte(g.clsRed), ColorByte(g.clsGreen), ColorByte(g.clsBlue), 255);
  SDL_RenderClear(g.renderer.get());
}

void DrawPicture(Picture& picture, float x, float y, int frame) {
  GraphicsState& g = G();
  if (!g.renderer || g.scaleX == 0 || g.scaleY == 0) return;
  Texture* texture = picture.FrameTexture(frame);
  if (!texture) return;
  ApplyPictureState(*texture);
  float sx = std::fabs(g.scaleX), sy = std::fabs(g.scaleY);
  float handleX = picture.HandleX(), handleY = picture.HandleY();
  int flip = SDL_FLIP_NONE;
  // A negative scale mirrors the picture about its handle.
  if (g.scaleX < 0) {
    flip |= SDL_FLIP_HORIZONTAL;
    handleX = picture.Width() - handleX;
  }
  if (g.scaleY < 0) {
    flip |= SDL_FLIP_VERTICAL;
    handleY = picture.Height() - handleY;
  }
  SDL_FRect dest{x + g.originX - handleX * sx, y + g.originY - handleY * sy, picture.Width() * sx,
                 picture.Height() * sy};
  if (g.rotation == 0 && flip == SDL_FLIP_NONE) {
    SDL_RenderCopyF(g.renderer.get(), texture->Handle(), nullptr, &dest);
    return;
  }
  SDL_FPoint centre{handleX * sx, handleY * sy};
  SDL_RenderCopyExF(g.renderer.get(), texture->Handle(), nullptr, &dest, g.rotation, &centre,
                    SDL_RendererFlip(flip));
}

void DrawSubPicture(Picture& picture, float x, float y, float w, float h, float sx, float sy, float sw, float sh,
                    int frame) {
  GraphicsState& g = G();
  if (!g.renderer || w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
  Texture* texture = picture.FrameTexture(frame);
  if (!texture) return;
  ApplyPictureState(*texture);
  SDL_Rect source{int(std::lround(sx)), int(std::lround(sy)), int(std::lround(sw)), int(std::lround(sh))};
  SDL_FRect dest{x + g.originX, y + g.originY, w, h};
  SDL_RenderCopyF(g.renderer.get(), texture->Handle(), &source, &dest);
}

void DrawRect(float x, float y, float w, float h) {
  GraphicsState& g = G();
  if (!g.renderer) return;
  ApplyShapeState();
  float left = x + g.originX, top = y + g.originY;
  float width = w * g.scaleX, height = h * g.scaleY;
  if (g.rotation == 0) {
    if (width < 0) {
      left += width;
      width = -width;
    }
    if (height < 0) {
      top += height;
      height = -height;
    }
    SDL_FRect rect{left, top, width, height};
    SDL_RenderFillRectF(g.renderer.get(), &rect);
    return;
  }
  // Rotated about its top-left corner, as two triangles.
  float radians = g.rotation * float(M_PI) / 180.0f;
  float c = std::cos(radians), s = std::sin(radians);
  SDL_Color color{ColorByte(g.red), ColorByte(g.green), ColorByte(g.blue), AlphaByte()};
  const float corners[4][2] = {{0, 0}, {width, 0}, {width, height}, {0, height}};
  SDL_Vertex vertices[4];
  for (int i = 0; i < 4; ++i) {
    vertices[i].position = SDL_FPoint{left + c * corners[i][0] - s * corners[i][1],
                                      top + s * corners[i][0] + c * corners[i][1]};
    vertices[i].color = color;
    vertices[i].tex_coord = SDL_FPoint{0, 0};
  }
  const int indices[6] = {0, 1, 2, 0, 2, 3};
  SDL_RenderGeometry(g.renderer.get(), nullptr, vertices, 4, indices, 6);
}

void DrawLine(float x1, float y1, float x2, float y2) {
  GraphicsState& g = G();
  if (!g.renderer) return;
  ApplyShapeState();
  SDL_RenderDrawLineF(g.renderer.get(), x1 + g.originX, y1 + g.originY, x2 + g.originX, y2 + g.originY);
}

void Plot(float x, float y) {
  GraphicsState& g = G();
  if (!g.renderer) return;
  ApplyShapeState();
  SDL_RenderDrawPointF(g.renderer.get(), x + g.originX, y + g.originY);
}

void Flip(bool vsync) {
  GraphicsState& g = G();
  if (!g.renderer) return;
  if (g.target) EndRenderTo();
  SDL_Renderer* renderer = g.renderer.get();
  SDL_SetRenderTarget(renderer, nullptr);
  SDL_RenderSetClipRect(renderer, nullptr);
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  SDL_Rect box = Letterbox();
  SDL_RenderCopy(renderer, g.canvas.get(), nullptr, &box);
  bool waitForRetrace = vsync && VSyncActive();
  Clock::time_point before = Clock::now();
  SDL_RenderPresent(renderer);
  Clock::time_point after = Clock::now();
  SelectCanvas();

  if (waitForRetrace) {
    // Some drivers accept vsync and then never wait (virtual displays); after
    // a run of instant presents, pace the frames ourselves.
    if (after - before < g.framePeriod / 4) {
      if (++g.quickPresents >= 30) g.vsyncIneffective = true;
    } else {
      g.quickPresents = 0;
    }
    g.nextFrame = after;
    return;
  }
  // Sleep until the next refresh slot; a frame that ran late starts a new slot.
  g.nextFrame += g.framePeriod;
  if (g.nextFrame < after) g.nextFrame = after;
  else std::this_thread::sleep_until(g.nextFrame);
}

bool BeginRenderTo(Picture& target) {
  GraphicsState& g = G();
  if (!g.renderer || !target.IsRenderTarget()) return false;
  if (g.target) EndRenderTo();
  Texture* texture = target.FrameTexture(0);
  if (!texture || SDL_SetRenderTarget(g.renderer.get(), texture->Handle()) != 0) {
    SelectCanvas();
    return false;
  }
  g.target = &target;
  ApplyClip();
  return true;
}

void EndRenderTo() {
  GraphicsState& g = G();
  if (!g.target) return;
  Pixmap& pixels = g.target->MutableFramePixels(0);
  if (SDL_RenderReadPixels(g.renderer.get(), nullptr, SDL_PIXELFORMAT_RGBA32, pixels.rgba.data(),
                           pixels.width * 4) == 0)
    g.target->PixelsChanged();
  g.target = nullptr;
  SelectCanvas();
}

bool GrabBackBuffer(Pixmap& out) {
  GraphicsState& g = G();
  if (!g.renderer) return false;
  Picture* wasDrawingInto = g.target;
  if (wasDrawingInto) SDL_SetRenderTarget(g.renderer.get(), g.canvas.get());
  out.width = g.width;
  out.height = g.height;
  out.rgba.assign(size_t(g.width) * g.height * 4, 0);
  bool ok = SDL_RenderReadPixels(g.renderer.get(), nullptr, SDL_PIXELFORMAT_RGBA32, out.rgba.data(), g.width * 4) == 0;
  if (wasDrawingInto) SDL_SetRenderTarget(g.renderer.get(), wasDrawingInto->FrameTexture(0)->Handle());
  if (!ok) {
    out = Pixmap();
    return false;
  }
  for (size_t i = 3; i < out.rgba.size(); i += 4) out.rgba[i] = 255; // the screen is opaque
  return true;
}

void FinishDrawing() {
  if (G().renderer) SDL_RenderFlush(G().renderer.get());
}

unsigned RendererGeneration() { return G().generation; }

} // namespace platform
