// The decoded forms of resource items: pictures, sounds and fonts. Kept apart
// from the pack reader so that tools and fuzzers that only need bytes link
// without the picture, sound and font decoders.
#include "resources/TPakFileManager.h"
#include "resources/TPakItem.h"

std::shared_ptr<platform::Pixmap> TPakItem::GetPixmap() const {
  auto pixmap = std::make_shared<platform::Pixmap>();
  if (!platform::DecodePicture(Data.data(), Data.size(), *pixmap)) return nullptr;
  return pixmap;
}

std::shared_ptr<platform::Picture> TPakItem::GetImage(int flags) const {
  return platform::Picture::LoadFromMemory(Data.data(), Data.size(), flags);
}

std::shared_ptr<platform::Picture> TPakItem::GetAnimImage(int cellWidth, int cellHeight, int firstCell, int cellCount,
                                                          int flags) const {
  platform::Pixmap pixmap;
  if (!platform::DecodePicture(Data.data(), Data.size(), pixmap)) return nullptr;
  return platform::Picture::FromPixmapCells(pixmap, cellWidth, cellHeight, firstCell, cellCount, flags);
}

std::shared_ptr<platform::audio::Sound> TPakItem::GetSound(int flags) const {
  return platform::audio::Sound::LoadFromMemory(Data.data(), Data.size(), (flags & 1) != 0);
}

std::shared_ptr<platform::RasterFont> TPakItem::GetImageFont(int size, int /*style*/) const {
  if (size < 1) return nullptr;
  auto font = std::make_shared<platform::RasterFont>();
  if (!platform::RasterizeFont(Data.data(), Data.size(), size, *font)) return nullptr;
  return font;
}

std::shared_ptr<platform::Pixmap> TPakFileManager::GetPixmap(const std::string& name) const {
  const auto item = GetItem(name);
  return item ? item->GetPixmap() : nullptr;
}

std::shared_ptr<platform::Picture> TPakFileManager::GetImage(const std::string& name, int flags) const {
  const auto item = GetItem(name);
  return item ? item->GetImage(flags) : nullptr;
}

std::shared_ptr<platform::Picture> TPakFileManager::GetAnimImage(const std::string& name, int cellWidth,
                                                                 int cellHeight, int firstCell, int cellCount,
                                                                 int flags) const {
  const auto item = GetItem(name);
  return item ? item->GetAnimImage(cellWidth, cellHeight, firstCell, cellCount, flags) : nullptr;
}

std::shared_ptr<platform::RasterFont> TPakFileManager::GetImageFont(const std::string& name, int size,
                                                                    int style) const {
  const auto item = GetItem(name);
  return item ? item->GetImageFont(size, style) : nullptr;
}

std::shared_ptr<platform::audio::Sound> TPakFileManager::GetSound(const std::string& name, int flags) const {
  const auto item = GetItem(name);
  return item ? item->GetSound(flags) : nullptr;
}

std::shared_ptr<platform::audio::Sound> TPakFileManager::GetAudioSample(const std::string& name) const {
  const auto item = GetItem(name);
  return item ? item->GetAudioSample() : nullptr;
}
