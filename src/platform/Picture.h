#pragma once
#include "platform/Pixmap.h"

#include <cstdint>
#include <memory>
#include <vector>

// A drawable picture: one or more equally sized frames, a drawing handle, the
// pixels kept in memory (for collision outlines and render-target grabs) and a
// texture made lazily on first draw, so pictures may be loaded before the
// window exists. Owned through std::shared_ptr by whoever loaded it.
namespace platform {

namespace picture_flags {
constexpr int Mask = 1;    // apply the current mask colour
constexpr int Filter = 2;  // linear filtering (smooth rotation and scaling)
constexpr int Mipmap = 4;  // accepted; the renderer has no mipmaps
constexpr int All = -1;
} // namespace picture_flags

class Texture; // platform-private

class Picture {
public:
  // A whole pixmap as one frame.
  static std::shared_ptr<Picture> FromPixmap(const Pixmap& pixmap, int flags = picture_flags::All);
  // `cellCount` frames of cellWidth x cellHeight cut row by row, starting at `firstCell`.
  // Returns nullptr when the pixmap does not hold that many cells.
  static std::shared_ptr<Picture> FromPixmapCells(const Pixmap& pixmap, int cellWidth, int cellHeight,
                                                  int firstCell, int cellCount, int flags = picture_flags::All);
  // Decodes a file (PNG or JPEG); nullptr with `error` set on failure.
  static std::shared_ptr<Picture> Load(const std::string& path, int flags = picture_flags::All,
                                       std::string* error = nullptr);
  static std::shared_ptr<Picture> LoadFromMemory(const uint8_t* data, size_t size, int flags = picture_flags::All,
                                                 std::string* error = nullptr);
  // An empty picture that can be drawn into with BeginRenderTo.
  static std::shared_ptr<Picture> CreateRenderTarget(int width, int height);

  struct PrivateToken {
  private:
    friend class Picture;
    PrivateToken() = default;
  };
  explicit Picture(PrivateToken); // use the factories above
  ~Picture();

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Frames() const { return int(frames_.size()); }
  int Flags() const { return flags_; }

  void SetHandle(float x, float y) { handleX_ = x; handleY_ = y; }
  void MidHandle(bool centred); // handle at (w/2, h/2) with integer halves, or (0, 0)
  float HandleX() const { return handleX_; }
  float HandleY() const { return handleY_; }

  const Pixmap& FramePixels(int frame) const; // frame clamped to the valid range
  // Uploads every frame now instead of on first draw.
  void Precache();

  // Platform-private: the texture of a frame (created on demand).
  Texture* FrameTexture(int frame);
  bool IsRenderTarget() const { return renderTarget_; }
  // Pixels drawn into a render target are read back into memory by EndRenderTo.
  Pixmap& MutableFramePixels(int frame) { return frames_[frame]; }
  // A number unique to these pixels: renewed whenever they change (collision
  // outlines are cached under it).
  uint64_t Serial() const { return serial_; }
  void PixelsChanged();

private:
  int width_ = 0, height_ = 0, flags_ = 0;
  float handleX_ = 0, handleY_ = 0;
  bool renderTarget_ = false;
  std::vector<Pixmap> frames_;
  std::vector<std::unique_ptr<Texture>> textures_;
  uint64_t serial_ = 0;
};

} // namespace platform
