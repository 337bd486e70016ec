#pragma once
#include <cstdint>
#include <memory>
#include <vector>

struct SDL_Renderer;
struct SDL_Texture;

// Platform-private: the drawing calls of one frame, kept until the frame is
// shown, so that a frame drawn exactly like the previous one costs nothing and
// a frame that changed in one place is rasterised only there. Every argument
// that decides a pixel is part of a command, and a texture is named by a serial
// that changes whenever its pixels do, so two frames compare equal only when
// they would give the same picture.
namespace platform {

class Texture;
class TurnedLight;

// Canvas pixels from (x, y), w wide and h high.
struct PixelRect {
  int x = 0, y = 0, w = 0, h = 0;
  bool Empty() const { return w <= 0 || h <= 0; }
  bool operator==(const PixelRect&) const = default;
};

PixelRect Intersect(const PixelRect& a, const PixelRect& b);
// Whether `inner` lies wholly inside `outer` (an empty one always does).
bool Contains(const PixelRect& outer, const PixelRect& inner);
PixelRect Union(const PixelRect& a, const PixelRect& b);

// Changed pixels as a few rectangles that do not overlap. Changes far apart
// (a glowing header and sparkles at the pointer) stay apart instead of
// joining into one box over everything between them; rectangles that overlap
// or lie close join, and past `MaxRects` the two whose joining adds the
// fewest pixels join.
class PixelRegion {
public:
  static constexpr int MaxRects = 4;
  PixelRegion() = default;
  explicit PixelRegion(const PixelRect& rect) { Add(rect); }
  void Add(const PixelRect& rect);
  void Add(const PixelRegion& region) {
    for (const PixelRect& rect : region) Add(rect);
  }
  void Clear() { count_ = 0; }
  bool Empty() const { return count_ == 0; }
  const PixelRect* begin() const { return rects_; }
  const PixelRect* end() const { return rects_ + count_; }
  int Area() const;
  bool Intersects(const PixelRect& rect) const;
  // Whether one rectangle of the region holds all of `rect`.
  bool Holds(const PixelRect& rect) const;

private:
  void Remove(int index) { rects_[index] = rects_[--count_]; }
  PixelRect rects_[MaxRects + 1];
  int count_ = 0;
};

struct DrawCommand {
  enum class Kind : uint8_t { Clear, Copy, CopyEx, FillRect, Quad, Line, Point };
  Kind kind = Kind::Clear;
  int blend = 0;                       // SDL blend mode
  uint8_t r = 255, g = 255, b = 255, a = 255;
  int flip = 0;                        // SDL flip flags (CopyEx)
  bool clipped = false;
  PixelRect clip;                      // when clipped
  bool sourced = false;
  PixelRect source;                    // part of the texture, when sourced
  float x = 0, y = 0, w = 0, h = 0;    // destination; a line runs from (x, y) to (w, h)
  float angle = 0, centreX = 0, centreY = 0;
  float quad[8] = {};                  // the corners of a turned rectangle
  int textureW = 0, textureH = 0;
  bool opaque = false;                 // every texture pixel fully opaque
  uint64_t textureSerial = 0;          // compared instead of the pointer below
  Texture* texture = nullptr;          // not owned; alive until the frame is drawn

  // Equal when every argument but the texture pointer is equal.
  bool SameAs(const DrawCommand& other) const;
  // Canvas pixels the command may touch (a little generous at the edges).
  PixelRect Bounds() const;
  // Drawing it under a clip gives, inside the clip, exactly its unclipped pixels.
  bool ExactUnderClip() const;
  // Paints every pixel of a width x height canvas without looking at it.
  bool Covers(int width, int height) const;
};

class DrawList {
public:
  DrawList();
  ~DrawList();
  void Record(const DrawCommand& command) { current_.push_back(command); }
  bool Pending() const { return !current_.empty(); }

  // Draws the recorded frame onto the renderer's current target, which holds
  // the last frame drawn, and returns the part of the canvas that changed
  // (empty when the frame equals the previous one). The list is then empty.
  PixelRegion Rasterise(SDL_Renderer* renderer, int width, int height);
  // The canvas no longer holds the previous frame (new canvas, lost renderer,
  // drawing that went past the list): the next frame is drawn whole.
  void Invalidate() { previousValid_ = false; }
  // Forgets every frame and frees the kept pixels (before the renderer goes,
  // or when the renderer has lost what its targets held).
  void Clear();
  // The same, but the kept pixels are forgotten, not freed (the renderer is
  // left to the operating system at exit).
  void Abandon();
  // Whether a frame's unchanged beginning is kept as pixels of its own (worth
  // it where the processor rasterises; a graphics card draws it for nothing).
  void KeepFrameStarts(bool on);
  // Whether additive turned pictures are drawn in one pass from their kept
  // pixels (TurnedLight) instead of by the renderer: worth it, and only
  // taken, where the processor rasterises.
  void DrawLightsInOnePass(bool on) { lightsInOnePass_ = on; }

  // Carries out one command, clipped to `limit` as well when given; an
  // additive turned picture through `lights` when given.
  static void Execute(SDL_Renderer* renderer, const DrawCommand& command, const PixelRect* limit = nullptr,
                      TurnedLight* lights = nullptr);

private:
  struct TextureDeleter {
    void operator()(SDL_Texture* texture) const;
  };

  static int LastCover(const std::vector<DrawCommand>& commands, int width, int height);
  // The changed part; `same` is how many commands from `base` on equal the previous frame's.
  PixelRegion Changed(int base, int width, int height, int& same) const;
  // Draws the commands from `base` on inside `dirty`, the first `same` of
  // them unchanged since the previous frame.
  void DrawPart(SDL_Renderer* renderer, int base, int same, const PixelRegion& dirty, int width, int height);
  bool PrefixKept(int base) const;
  // Draws `command`, the first drawing in `part` after the kept start, in one
  // pass from the kept pixels when it is a light the lights draw straight:
  // the kept pixels are then not copied into `part` first. False, having
  // drawn nothing, otherwise.
  bool LightOverKept(SDL_Renderer* renderer, const DrawCommand& command, const PixelRect& part);
  TurnedLight* Lights() const { return lightsInOnePass_ ? lights_.get() : nullptr; }

  std::vector<DrawCommand> current_, previous_; // storage reused frame after frame
  int previousBase_ = 0;
  bool previousValid_ = false;

  // The whole canvas as the first commands of a frame leave it (`prefix_`,
  // from its cover on). When a frame begins with those very commands, the
  // changed part starts from these pixels instead of drawing them again: a
  // still screen under a glowing logo or fireworks costs only what changes
  // on it. Made once the same commands have begun two frames in a row.
  std::unique_ptr<SDL_Texture, TextureDeleter> prefixPixels_;
  std::vector<DrawCommand> prefix_;
  bool prefixValid_ = false;
  bool keepStarts_ = true;
  int lastSame_ = -1;

  std::unique_ptr<TurnedLight> lights_;
  bool lightsInOnePass_ = false;
};

} // namespace platform
