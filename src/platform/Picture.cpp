#include "platform/Picture.h"
#include "platform/Graphics.h"
#include "platform/Texture.h"

#include <algorithm>
#include <atomic>

namespace platform {

namespace {

std::atomic<uint64_t> nextSerial{1};

int ClampFrame(int frame, int count) { return frame < 0 ? 0 : (frame >= count ? count - 1 : frame); }

void PrepareFrame(Pixmap& frame, int flags) {
  if (flags & picture_flags::Mask) {
    int r, g, b;
    GetMaskColor(r, g, b);
    ApplyMask(frame, r, g, b);
  }
}

} // namespace

Picture::Picture(PrivateToken) : serial_(nextSerial++) {}

Picture::~Picture() = default;

std::shared_ptr<Picture> Picture::FromPixmap(const Pixmap& pixmap, int flags) {
  if (pixmap.Empty()) return nullptr;
  return FromPixmapCells(pixmap, pixmap.width, pixmap.height, 0, 1, flags);
}

std::shared_ptr<Picture> Picture::FromPixmapCells(const Pixmap& pixmap, int cellWidth, int cellHeight,
                                                  int firstCell, int cellCount, int flags) {
  if (pixmap.Empty() || cellWidth <= 0 || cellHeight <= 0 || firstCell < 0 || cellCount <= 0) return nullptr;
  int across = pixmap.width / cellWidth;
  int down = pixmap.height / cellHeight;
  if (across <= 0 || int64_t(firstCell) + cellCount > int64_t(across) * down) return nullptr;
  auto picture = std::make_shared<Picture>(PrivateToken());
  picture->width_ = cellWidth;
  picture->height_ = cellHeight;
  picture->flags_ = flags;
  picture->frames_.resize(size_t(cellCount));
  picture->textures_.resize(size_t(cellCount));
  for (int i = 0; i < cellCount; ++i) {
    int cell = firstCell + i;
    int left = (cell % across) * cellWidth;
    int top = (cell / across) * cellHeight;
    Pixmap& frame = picture->frames_[size_t(i)];
    frame.width = cellWidth;
    frame.height = cellHeight;
    frame.rgba.resize(size_t(cellWidth) * cellHeight * 4);
    for (int y = 0; y < cellHeight; ++y)
      std::copy_n(pixmap.Pixel(left, top + y), size_t(cellWidth) * 4, frame.Pixel(0, y));
    PrepareFrame(frame, flags);
  }
  return picture;
}

std::shared_ptr<Picture> Picture::Load(const std::string& path, int flags, std::string* error) {
  Pixmap pixmap;
  if (!LoadPixmap(path, pixmap, error)) return nullptr;
  return FromPixmap(pixmap, flags);
}

std::shared_ptr<Picture> Picture::LoadFromMemory(const uint8_t* data, size_t size, int flags, std::string* error) {
  Pixmap pixmap;
  if (!DecodePicture(data, size, pixmap, error)) return nullptr;
  return FromPixmap(pixmap, flags);
}

std::shared_ptr<Picture> Picture::CreateRenderTarget(int width, int height) {
  if (width <= 0 || height <= 0 || width > MaxPictureSide || height > MaxPictureSide) return nullptr;
  auto picture = std::make_shared<Picture>(PrivateToken());
  picture->width_ = width;
  picture->height_ = height;
  picture->flags_ = picture_flags::Filter;
  picture->renderTarget_ = true;
  picture->frames_.resize(1);
  picture->frames_[0].width = width;
  picture->frames_[0].height = height;
  picture->frames_[0].rgba.assign(size_t(width) * height * 4, 0);
  picture->textures_.resize(1);
  return picture;
}

void Picture::MidHandle(bool centred) {
  if (centred) {
    handleX_ = float(width_ / 2);
    handleY_ = float(height_ / 2);
  } else {
    handleX_ = handleY_ = 0;
  }
}

const Pixmap& Picture::FramePixels(int frame) const { return frames_[size_t(ClampFrame(frame, Frames()))]; }

void Picture::Precache() {
  for (int i = 0; i < Frames(); ++i) FrameTexture(i);
}

Texture* Picture::FrameTexture(int frame) {
  if (frames_.empty()) return nullptr;
  size_t index = size_t(ClampFrame(frame, Frames()));
  std::unique_ptr<Texture>& texture = textures_[index];
  if (!texture || texture->Generation() != RendererGeneration())
    texture = Texture::Create(frames_[index], (flags_ & picture_flags::Filter) != 0, renderTarget_);
  return texture.get();
}

void Picture::PixelsChanged() { serial_ = nextSerial++; }

} // namespace platform
