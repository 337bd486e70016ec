#pragma once
#include "platform/Pixmap.h"

#include <cstdint>
#include <memory>

struct SDL_Texture;

// Platform-private: one uploaded frame of a picture. A texture belongs to the
// renderer of one generation (RendererGeneration); when the renderer goes, its
// textures are gone with it and the handle is only forgotten, never freed twice.
namespace platform {

class Texture {
public:
  Texture(SDL_Texture* handle, unsigned generation, bool opaque = false);
  ~Texture();
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;

  SDL_Texture* Handle() const { return handle_; }
  unsigned Generation() const { return generation_; }
  // Every pixel fully opaque (never true for render targets, whose pixels change).
  bool Opaque() const { return opaque_; }
  // The smallest rectangle outside which every pixel is fully transparent
  // (the whole texture for render targets); empty when nothing shows.
  struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
  };
  const Rect& Visible() const { return visible_; }
  void SetVisible(const Rect& visible) { visible_ = visible; }
  // The pixels it was made from (kept by its picture, alive as long as the
  // texture); null for render targets, whose pixels are the texture's own.
  const Pixmap* Pixels() const { return pixels_; }
  // A number unique to the texture's pixels, renewed when a render target is drawn into.
  uint64_t Serial() const { return serial_; }
  void PixelsChanged();
  // The frame in which a drawing of this texture was last put on the frame's list.
  uint64_t recordedFrame = 0;

  // Uploads a pixmap (a render target when `target`); nullptr without a renderer.
  // `pixels` must outlive the texture (a picture's own frame).
  static std::unique_ptr<Texture> Create(const Pixmap& pixels, bool filter, bool target);

private:
  SDL_Texture* handle_;
  unsigned generation_;
  bool opaque_;
  uint64_t serial_;
  Rect visible_;
  const Pixmap* pixels_ = nullptr;
};

} // namespace platform
