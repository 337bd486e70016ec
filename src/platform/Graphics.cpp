#include "platform/Graphics.h"
#include "platform/DrawList.h"
#include "platform/RendererProbe.h"
#include "platform/Texture.h"
#include "platform/WindowState.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
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
// Drawing calls aimed at the canvas wait on `list` until the frame is shown
// (or until the canvas is read); drawing into a render target is carried out at once.
struct GraphicsState {
  std::unique_ptr<SDL_Window, WindowDeleter> window;
  std::unique_ptr<SDL_Renderer, RendererDeleter> renderer;
  std::unique_ptr<SDL_Texture, TextureDeleter> canvas;
  unsigned generation = 0;
  bool videoStarted = false;
  bool videoRefused = false; // only an invisible driver was to be had
  int width = 800, height = 600;
  bool fullScreen = false;
  bool softwareRenderer = false;
  bool vsyncRequested = false;
  bool vsyncRenderer = false;   // the renderer was made with vsync
  bool vsyncIneffective = false; // ... but presenting was seen not to wait
  int quickPresents = 0;
  Clock::duration framePeriod = std::chrono::microseconds(16667);
  Clock::time_point nextFrame;
  bool paced = true; // Flip sleeps to the next refresh slot

  DrawList list;
  uint64_t frame = 1;         // counts Flips
  bool frameReuse = true;
  PixelRegion unshown;        // canvas pixels changed since the window last showed them
  bool windowStale = true;    // the window must be shown whole (new, exposed, resized)
  SDL_Rect shownBox{0, 0, 0, 0};
  FrameStats stats;

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
    graphicsStateGone = true;
    if (!state.window) {
      state.list.Clear();
      return;
    }
    // Still open: the process ends without closing the window first, by an
    // exit() inside a library (Xlib's, when the display goes away). SDL would
    // then wait on the lost display for ever, spinning a core, so the window,
    // the renderer and their textures are left to the operating system.
    state.list.Abandon();
    (void)state.canvas.release();
    (void)state.renderer.release();
    (void)state.window.release();
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

void SelectCanvas() { SDL_SetRenderTarget(G().renderer.get(), G().canvas.get()); }

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
  // Where the processor draws, a canvas in the window's own 32-bit format is
  // put into the window by a plain copy instead of a conversion of every
  // pixel (its alpha is never shown).
  Uint32 format = SDL_PIXELFORMAT_ARGB8888;
  if (g.softwareRenderer && SDL_GetWindowPixelFormat(g.window.get()) == SDL_PIXELFORMAT_RGB888)
    format = SDL_PIXELFORMAT_RGB888;
  g.canvas.reset(SDL_CreateTexture(g.renderer.get(), format, SDL_TEXTUREACCESS_TARGET, g.width, g.height));
  if (!g.canvas) return false;
  SDL_SetTextureScaleMode(g.canvas.get(), SDL_ScaleModeLinear);
  SDL_SetTextureBlendMode(g.canvas.get(), SDL_BLENDMODE_NONE);
  SelectCanvas();
  SDL_SetRenderDrawColor(g.renderer.get(), 0, 0, 0, 255);
  SDL_RenderClear(g.renderer.get());
  g.list.Clear(); // the new canvas holds no frame yet
  g.unshown.Clear();
  g.windowStale = true;
  return true;
}

void ReadRefreshRate() {
  GraphicsState& g = G();
  int rate = DesktopRefreshRate();
  g.framePeriod = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / rate));
}

void StampClip(DrawCommand& command) {
  GraphicsState& g = G();
  if (g.target || !g.clipping) return; // a render target is drawn whole
  command.clipped = true;
  command.clip = PixelRect{g.clip.x, g.clip.y, g.clip.w, g.clip.h};
}

// A picture drawn with the current colour, alpha and blend.
DrawCommand PictureCommand(DrawCommand::Kind kind, Texture& texture, const Picture& picture) {
  GraphicsState& g = G();
  DrawCommand command;
  command.kind = kind;
  command.r = ColorByte(g.red);
  command.g = ColorByte(g.green);
  command.b = ColorByte(g.blue);
  command.a = AlphaByte();
  SDL_BlendMode mode = ToSdl(g.blend);
  // An opaque picture drawn unturned at full size and full alpha covers its
  // rectangle exactly, so blending it would only cost time (a whole-screen
  // background blended every frame is most of an idle frame's work in software).
  if (mode == SDL_BLENDMODE_BLEND && command.a == 255 && texture.Opaque() && g.rotation == 0 &&
      std::fabs(g.scaleX) == 1 && std::fabs(g.scaleY) == 1)
    mode = SDL_BLENDMODE_NONE;
  command.blend = int(mode);
  command.texture = &texture;
  command.textureSerial = texture.Serial();
  command.textureW = picture.Width();
  command.textureH = picture.Height();
  command.opaque = texture.Opaque();
  StampClip(command);
  return command;
}

// A shape drawn with the current colour, alpha and blend.
DrawCommand ShapeCommand(DrawCommand::Kind kind) {
  GraphicsState& g = G();
  DrawCommand command;
  command.kind = kind;
  command.blend = int(ToSdl(g.blend));
  command.r = ColorByte(g.red);
  command.g = ColorByte(g.green);
  command.b = ColorByte(g.blue);
  command.a = AlphaByte();
  StampClip(command);
  return command;
}

// Draws what the list holds onto the canvas. Called by Flip, and also
// before the canvas is read, a target drawn into or a listed texture freed:
// drawing after that starts a new list over what the canvas now shows.
void DrawListNow() {
  GraphicsState& g = G();
  if (!g.list.Pending()) return;
  if (!g.frameReuse) g.list.Invalidate();
  SelectCanvas();
  g.unshown.Add(g.list.Rasterise(g.renderer.get(), g.width, g.height));
}

// The software renderer blends every pixel of a picture, the fully
// transparent ones too, which change nothing when blended or added: an
// unscaled copy there draws only the picture's visible rectangle, at the
// same whole-pixel offset, so that the pixels are exactly those of the whole
// copy (the renderer cuts a position down to whole pixels, which moves an
// offset unchanged for positions at or right of and below the origin).
void TrimTransparentEdges(DrawCommand& command, const Texture& texture) {
  GraphicsState& g = G();
  const Texture::Rect& visible = texture.Visible();
  if (!g.softwareRenderer || g.target || command.kind != DrawCommand::Kind::Copy || command.sourced) return;
  if (command.blend != int(SDL_BLENDMODE_BLEND) && command.blend != int(SDL_BLENDMODE_ADD)) return;
  if (command.w != float(command.textureW) || command.h != float(command.textureH)) return;
  if (!(command.x >= 0 && command.y >= 0) && !(command.x == std::floor(command.x) && command.y == std::floor(command.y)))
    return;
  if (visible.w == command.textureW && visible.h == command.textureH) return;
  if (visible.w <= 0 || visible.h <= 0) return; // nothing shows: kept whole, as drawn before
  command.sourced = true;
  command.source = PixelRect{visible.x, visible.y, visible.w, visible.h};
  command.x += float(visible.x);
  command.y += float(visible.y);
  command.w = float(visible.w);
  command.h = float(visible.h);
}

void Submit(const DrawCommand& command) {
  GraphicsState& g = G();
  if (command.texture) command.texture->recordedFrame = g.frame;
  if (g.target) DrawList::Execute(g.renderer.get(), command);
  else g.list.Record(command);
}

} // namespace

// ---- Textures ----------------------------------------------------------------

std::atomic<uint64_t> nextTextureSerial{1};

Texture::Texture(SDL_Texture* handle, unsigned generation, bool opaque)
    : handle_(handle), generation_(generation), opaque_(opaque), serial_(nextTextureSerial++) {}

Texture::~Texture() {
  // A texture of an older renderer went with that renderer.
  if (!handle_ || graphicsStateGone || generation_ != G().generation || !G().renderer) return;
  // The frame's list may still name it: that much of the frame is drawn now.
  if (recordedFrame == G().frame && G().list.Pending()) DrawListNow();
  SDL_DestroyTexture(handle_);
}

void Texture::PixelsChanged() { serial_ = nextTextureSerial++; }

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
  auto texture = std::make_unique<Texture>(handle, g.generation, opaque);
  Texture::Rect visible{0, 0, pixels.width, pixels.height};
  if (!target && !opaque) {
    int left = pixels.width, top = pixels.height, right = -1, bottom = -1;
    for (int y = 0; y < pixels.height; ++y)
      for (int x = 0; x < pixels.width; ++x)
        if (pixels.Pixel(x, y)[3] != 0) {
          left = std::min(left, x);
          right = std::max(right, x);
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
    visible = right < 0 ? Texture::Rect{} : Texture::Rect{left, top, right - left + 1, bottom - top + 1};
  }
  texture->SetVisible(visible);
  if (!target) texture->pixels_ = &pixels;
  return texture;
}

// ---- Window and renderer -----------------------------------------------------

bool EnsureVideo() {
  GraphicsState& g = G();
  if (g.videoStarted) return true;
  if (g.videoRefused) return false;
  BeginRendererProbe(); // before this process opens its own display connection
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "1");
  // A tick that stops reading input after a quick click's release leaves the
  // queue's end-of-pump marker unread; without this the next tick would stop
  // at that marker and see nothing that arrived since.
  SDL_SetHint(SDL_HINT_POLL_SENTINEL, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
  // Without a reachable display SDL falls back to drivers that show nothing,
  // and a game nobody can see would wait for ever: those drivers are taken
  // only when SDL_VIDEODRIVER asks for them (the tests' headless runs).
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!SDL_getenv("SDL_VIDEODRIVER") && driver &&
      (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    g.videoRefused = true;
    return false;
  }
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

void CanvasLost() {
  GraphicsState& g = G();
  g.list.Clear(); // the kept pixels were a target too
  g.windowStale = true;
}

void WindowNeedsRedraw() { G().windowStale = true; }

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
  // OpenGL that rasterises on the processor (no graphics card, as under Xvfb)
  // costs several times the CPU of SDL's own software renderer for the same
  // frames, so there the software renderer draws and presents straight into
  // the window, with no OpenGL in the process at all. With a graphics card
  // the window is made for OpenGL at once, so it is not made twice. An
  // explicit SDL_RENDER_DRIVER is left alone.
  const OpenGlKind openGl = SDL_getenv("SDL_RENDER_DRIVER") ? OpenGlKind::Unknown : RendererProbeResult();
  const bool software = openGl == OpenGlKind::Cpu || openGl == OpenGlKind::None;
  if (software) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  Uint32 windowFlags = SDL_WINDOW_RESIZABLE | (config.fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) |
                       (openGl == OpenGlKind::Gpu ? SDL_WINDOW_OPENGL : 0);
  g.window.reset(SDL_CreateWindow(config.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, g.width,
                                  g.height, windowFlags));
  if (!g.window) return false;
  SDL_SetWindowMinimumSize(g.window.get(), g.width / 4, g.height / 4);
  Uint32 vsyncFlag = config.vsync ? SDL_RENDERER_PRESENTVSYNC : 0;
  if (!software)
    g.renderer.reset(
        SDL_CreateRenderer(g.window.get(), -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE | vsyncFlag));
  if (!g.renderer)
    g.renderer.reset(SDL_CreateRenderer(g.window.get(), -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE));
  if (!g.renderer) {
    g.window.reset();
    return false;
  }
  SDL_RendererInfo info{};
  SDL_GetRendererInfo(g.renderer.get(), &info);
  g.softwareRenderer = (info.flags & SDL_RENDERER_SOFTWARE) != 0;
  g.list.KeepFrameStarts(g.softwareRenderer);
  g.list.DrawLightsInOnePass(g.softwareRenderer);
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
  g.shownBox = SDL_Rect{0, 0, 0, 0};
  return true;
}

void CloseGraphics() {
  GraphicsState& g = G();
  ++g.generation; // textures still held by pictures are forgotten, not freed
  g.target = nullptr;
  g.list.Clear(); // names textures that go with the renderer
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
  g.windowStale = true;
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

void SetFramePacing(bool on) { G().paced = on; }

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
}

void ResetViewport() { G().clipping = false; }

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
  DrawCommand command;
  command.kind = DrawCommand::Kind::Clear;
  command.blend = int(SDL_BLENDMODE_NONE);
  command.r = ColorByte(g.clsRed);
  command.g = ColorByte(g.clsGreen);
  command.b = ColorByte(g.clsBlue);
  Submit(command);
}

void DrawPicture(Picture& picture, float x, float y, int frame) {
  GraphicsState& g = G();
  if (!g.renderer || g.scaleX == 0 || g.scaleY == 0) return;
  Texture* texture = picture.FrameTexture(frame);
  if (!texture) return;
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
  const bool turned = g.rotation != 0 || flip != SDL_FLIP_NONE;
  DrawCommand command = PictureCommand(turned ? DrawCommand::Kind::CopyEx : DrawCommand::Kind::Copy, *texture, picture);
  command.x = x + g.originX - handleX * sx;
  command.y = y + g.originY - handleY * sy;
  command.w = picture.Width() * sx;
  command.h = picture.Height() * sy;
  if (turned) {
    command.angle = g.rotation;
    command.centreX = handleX * sx;
    command.centreY = handleY * sy;
    command.flip = flip;
  } else {
    TrimTransparentEdges(command, *texture);
  }
  Submit(command);
}

void DrawSubPicture(Picture& picture, float x, float y, float w, float h, float sx, float sy, float sw, float sh,
                    int frame) {
  GraphicsState& g = G();
  if (!g.renderer || w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
  Texture* texture = picture.FrameTexture(frame);
  if (!texture) return;
  DrawCommand command = PictureCommand(DrawCommand::Kind::Copy, *texture, picture);
  command.sourced = true;
  command.source = PixelRect{int(std::lround(sx)), int(std::lround(sy)), int(std::lround(sw)), int(std::lround(sh))};
  command.x = x + g.originX;
  command.y = y + g.originY;
  command.w = w;
  command.h = h;
  Submit(command);
}

void DrawRect(float x, float y, float w, float h) {
  GraphicsState& g = G();
  if (!g.renderer) return;
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
    DrawCommand command = ShapeCommand(DrawCommand::Kind::FillRect);
    command.x = left;
    command.y = top;
    command.w = width;
    command.h = height;
    Submit(command);
    return;
  }
  // Turned about its top-left corner, as two triangles.
  float radians = g.rotation * float(M_PI) / 180.0f;
  float c = std::cos(radians), s = std::sin(radians);
  const float corners[4][2] = {{0, 0}, {width, 0}, {width, height}, {0, height}};
  DrawCommand command = ShapeCommand(DrawCommand::Kind::Quad);
  for (int i = 0; i < 4; ++i) {
    command.quad[2 * i] = left + c * corners[i][0] - s * corners[i][1];
    command.quad[2 * i + 1] = top + s * corners[i][0] + c * corners[i][1];
  }
  Submit(command);
}

void DrawLine(float x1, float y1, float x2, float y2) {
  GraphicsState& g = G();
  if (!g.renderer) return;
  DrawCommand command = ShapeCommand(DrawCommand::Kind::Line);
  command.x = x1 + g.originX;
  command.y = y1 + g.originY;
  command.w = x2 + g.originX;
  command.h = y2 + g.originY;
  Submit(command);
}

void Plot(float x, float y) {
  GraphicsState& g = G();
  if (!g.renderer) return;
  DrawCommand command = ShapeCommand(DrawCommand::Kind::Point);
  command.x = x + g.originX;
  command.y = y + g.originY;
  Submit(command);
}

namespace {

// Sleeps until the next refresh slot; a frame that ran late starts a new slot.
void WaitForNextSlot(Clock::time_point now) {
  GraphicsState& g = G();
  g.nextFrame += g.framePeriod;
  if (g.nextFrame < now || !g.paced) g.nextFrame = now;
  else std::this_thread::sleep_until(g.nextFrame);
}

// Paints the window's area outside the canvas black.
void ClearBorders(const SDL_Rect& box) {
  GraphicsState& g = G();
  int outW = g.width, outH = g.height;
  SDL_GetRendererOutputSize(g.renderer.get(), &outW, &outH);
  const SDL_Rect borders[4] = {{0, 0, outW, box.y},
                               {0, box.y + box.h, outW, outH - box.y - box.h},
                               {0, box.y, box.x, box.h},
                               {box.x + box.w, box.y, outW - box.x - box.w, box.h}};
  for (const SDL_Rect& border : borders)
    if (border.w > 0 && border.h > 0) SDL_RenderFillRect(g.renderer.get(), &border);
}

// Copies the changed parts of the canvas straight into the window's own
// surface when they share a format: a plain copy of each row, where the
// renderer's copy between them moves eight bytes at a time. False when it
// cannot (the renderer then copies).
bool CopyChangedIntoWindow(const SDL_Rect& box, const SDL_Rect* shown, int count) {
  GraphicsState& g = G();
  SDL_Surface* surface = SDL_GetWindowSurface(g.window.get());
  Uint32 format = 0;
  if (!surface || !surface->pixels || SDL_MUSTLOCK(surface) ||
      SDL_QueryTexture(g.canvas.get(), &format, nullptr, nullptr, nullptr) != 0 ||
      surface->format->format != format || SDL_BYTESPERPIXEL(format) != 4 || box.x < 0 || box.y < 0 ||
      box.x + box.w > surface->w || box.y + box.h > surface->h)
    return false;
  SelectCanvas();
  for (int i = 0; i < count; ++i) {
    const SDL_Rect source{shown[i].x - box.x, shown[i].y - box.y, shown[i].w, shown[i].h};
    auto* first = static_cast<uint8_t*>(surface->pixels) + size_t(shown[i].y) * size_t(surface->pitch) +
                  size_t(shown[i].x) * 4;
    if (SDL_RenderReadPixels(g.renderer.get(), &source, format, first, surface->pitch) != 0) return false;
  }
  return true;
}

// Puts the canvas into the window: only the changed part where the window
// keeps what it was given (the software renderer at the canvas's own size),
// else the whole canvas, letterboxed.
void Present(const SDL_Rect& box, bool whole) {
  GraphicsState& g = G();
  SDL_Renderer* renderer = g.renderer.get();
  const bool oneToOne = box.w == g.width && box.h == g.height;
  if (g.softwareRenderer && oneToOne && !whole) {
    SDL_Rect shown[PixelRegion::MaxRects];
    int count = 0;
    for (const PixelRect& part : g.unshown) shown[count++] = SDL_Rect{box.x + part.x, box.y + part.y, part.w, part.h};
    if (!CopyChangedIntoWindow(box, shown, count)) {
      SDL_SetRenderTarget(renderer, nullptr);
      SDL_RenderSetClipRect(renderer, nullptr);
      for (int i = 0; i < count; ++i) {
        const SDL_Rect source{shown[i].x - box.x, shown[i].y - box.y, shown[i].w, shown[i].h};
        SDL_RenderCopy(renderer, g.canvas.get(), &source, &shown[i]);
      }
      SDL_RenderFlush(renderer);
    }
    SDL_UpdateWindowSurfaceRects(g.window.get(), shown, count);
  } else {
    SDL_SetRenderTarget(renderer, nullptr);
    SDL_RenderSetClipRect(renderer, nullptr);
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    // A window surface keeps its borders; a back buffer must be cleared.
    if (g.softwareRenderer) ClearBorders(box);
    else SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, g.canvas.get(), nullptr, &box);
    SDL_RenderPresent(renderer);
  }
  SelectCanvas();
}

} // namespace

void Flip(bool vsync) {
  GraphicsState& g = G();
  if (!g.renderer) return;
  if (g.target) EndRenderTo();
  DrawListNow();
  ++g.frame;

  // The window already shows this very picture: neither draw nor show it again,
  // but keep the pace of the frames.
  const SDL_Rect box = Letterbox();
  const bool whole = g.windowStale || !g.frameReuse || !SDL_RectEquals(&box, &g.shownBox);
  if (!whole && g.unshown.Empty()) {
    ++g.stats.skipped;
    g.stats.changedPixels = 0;
    WaitForNextSlot(Clock::now());
    return;
  }
  ++g.stats.presented;
  g.stats.changedPixels = whole ? g.width * g.height : g.unshown.Area();

  bool waitForRetrace = vsync && VSyncActive();
  Clock::time_point before = Clock::now();
  Present(box, whole);
  Clock::time_point after = Clock::now();
  g.unshown.Clear();
  g.windowStale = false;
  g.shownBox = box;

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
  WaitForNextSlot(after);
}

bool BeginRenderTo(Picture& target) {
  GraphicsState& g = G();
  if (!g.renderer || !target.IsRenderTarget()) return false;
  if (g.target) EndRenderTo();
  Texture* texture = target.FrameTexture(0);
  if (!texture) return false;
  // Drawings of the target already listed must show its pixels as they are now.
  DrawListNow();
  if (SDL_SetRenderTarget(g.renderer.get(), texture->Handle()) != 0) {
    SelectCanvas();
    return false;
  }
  SDL_RenderSetClipRect(g.renderer.get(), nullptr);
  g.target = &target;
  return true;
}

void EndRenderTo() {
  GraphicsState& g = G();
  if (!g.target) return;
  Pixmap& pixels = g.target->MutableFramePixels(0);
  if (SDL_RenderReadPixels(g.renderer.get(), nullptr, SDL_PIXELFORMAT_RGBA32, pixels.rgba.data(),
                           pixels.width * 4) == 0)
    g.target->PixelsChanged();
  if (Texture* texture = g.target->FrameTexture(0)) texture->PixelsChanged();
  g.target = nullptr;
  SelectCanvas();
}

bool GrabBackBuffer(Pixmap& out) {
  GraphicsState& g = G();
  if (!g.renderer) return false;
  Picture* wasDrawingInto = g.target;
  if (wasDrawingInto) SDL_SetRenderTarget(g.renderer.get(), g.canvas.get());
  else DrawListNow();
  SDL_RenderSetClipRect(g.renderer.get(), nullptr);
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
  GraphicsState& g = G();
  if (!g.renderer) return;
  if (!g.target) DrawListNow();
  SDL_RenderFlush(g.renderer.get());
}

FrameStats GetFrameStats() { return G().stats; }

void SetFrameReuse(bool on) { G().frameReuse = on; }

unsigned RendererGeneration() { return G().generation; }

} // namespace platform
