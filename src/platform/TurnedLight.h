#pragma once
#include "platform/DrawList.h"
#include "platform/Pixmap.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

struct SDL_Renderer;
struct SDL_Texture;

// Platform-private: draws an additive ("light") picture turned and scaled on
// the software renderer in one pass. SDL's own path there scales the picture
// into a new surface, turns that into another (in double precision, every
// pixel of the turned square) and blends the result, allocating both each
// time: with a hundred fireworks stars that is most of a frame. Here the
// picture's kept pixels are sampled straight into the turned rectangle of its
// visible part, tinted and faded as the blend would; that patch is added to
// the canvas pixels under it, read back, and the sum goes back as a plain
// unscaled copy. Where and how it lands is the same as SDL's (the same
// whole-pixel destination and turning centre, bilinear filtering), within a
// level or two of rounding at soft edges; the adding itself is exactly the
// renderer's.
//
// One patch texture is reused, grown to the largest patch drawn (never larger
// than the canvas), and the texels of the last four pictures are kept, so the
// memory it holds stays bounded.
namespace platform {

class TurnedLight {
public:
  // Draws `command` (an additive turned copy of a picture whose kept pixels
  // are `pixels`) clipped to `clip` when given. False when this drawing is
  // not one it takes (the caller then draws it as usual).
  bool Draw(SDL_Renderer* renderer, const DrawCommand& command, const Pixmap& pixels, const PixelRect* clip);
  // The same for an additive copy neither turned nor scaled (a glowing
  // header, a lit card), with exactly the renderer's pixels. With `under`
  // (a texture of the target's size and format) it paints all of `area`,
  // which holds the drawing: `under`'s pixels there with the light added, in
  // place of copying them first; false, having drawn nothing, when it cannot.
  bool DrawStraight(SDL_Renderer* renderer, const DrawCommand& command, const Pixmap& pixels, const PixelRect* clip,
                    SDL_Texture* under = nullptr, const PixelRect* area = nullptr);
  // Frees the patch texture (before the renderer goes).
  void Clear();
  // Forgets the patch texture without freeing it (the renderer is left to
  // the operating system at exit).
  void Abandon() {
    (void)patch_.release();
    Clear();
  }

private:
  struct TextureDeleter {
    void operator()(SDL_Texture* texture) const;
  };
  // Adds the light `first` (rows `stride` pixels apart) to the canvas at `dest`.
  bool AddPatch(SDL_Renderer* renderer, const uint32_t* first, int stride, const PixelRect& dest);
  std::unique_ptr<SDL_Texture, TextureDeleter> patch_;
  int patchW_ = 0, patchH_ = 0;
  std::vector<uint32_t> pixels_; // the patch, reused
  std::vector<uint32_t> canvas_; // the canvas under the lit part of the patch, reused

  // The source rectangles of the last few pictures drawn, as texels with a
  // clear border of one, so that sampling needs no edge tests.
  struct Source {
    uint64_t serial = 0;
    PixelRect rect;
    uint64_t lastUse = 0;
    std::vector<uint32_t> texels;
  };
  const uint32_t* Padded(const Pixmap& pixels, const PixelRect& source, uint64_t serial);
  std::array<Source, 4> sources_;
  uint64_t uses_ = 0;
};

} // namespace platform
