#include "resources/TGameImage.h"

#include "platform/ErrorReport.h"
#include "platform/Files.h"
#include "resources/TPakFileManager.h"

namespace {

// The file name without folder and extension.
std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = file.find_last_of('.');
  if (dot != std::string::npos) file.erase(dot);
  return file;
}

// The file name without its folder.
std::string FileName(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Resources are looked up by file name in the pack set first, then on disk.
std::shared_ptr<TPakItem> PackItemFor(const std::string& path) {
  return PakFiles ? PakFiles->GetItem(FileName(path)) : nullptr;
}

int32_t NextPowerOfTwo(int32_t value) {
  int32_t result = 1;
  while (result < value) result <<= 1;
  return result;
}

} // namespace

std::string UpperCaseName(const std::string& text) {
  std::string upper = text;
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return upper;
}

void TGameImage::Load(const std::string& path, int flags, int midHandle) {
  name = UpperCaseName(BaseName(path));
  image = nullptr;
  if (auto item = PackItemFor(path)) image = item->GetImage(flags);
  if (!image) image = platform::Picture::Load(path, flags);
  if (!image) {
    ShowError("Error loading bitmap " + path, 1);
    return;
  }
  GetSize();
  MidHandle(midHandle);
}

void TGameImage::LoadAnim(const std::string& path, int cellWidth, int cellHeight, int firstCell, int cellCount,
                          int flags, int midHandle) {
  name = UpperCaseName(BaseName(path));
  image = nullptr;
  if (cellWidth > 0 && cellHeight > 0 && cellCount > 0) {
    if (auto item = PackItemFor(path)) image = item->GetAnimImage(cellWidth, cellHeight, firstCell, cellCount, flags);
    platform::Pixmap pixels;
    if (!image && platform::LoadPixmap(platform::ResolvePath(path), pixels))
      image = platform::Picture::FromPixmapCells(pixels, cellWidth, cellHeight, firstCell, cellCount, flags);
  }
  if (!image) {
    ShowError("Error loading anim bitmap " + path, 1);
    return;
  }
  GetSize();
  MidHandle(midHandle);
}

std::shared_ptr<TGameImage> TGameImage::Create(const std::string& path, int flags, int midHandle) {
  auto gameImage = std::make_shared<TGameImage>();
  gameImage->Load(path, flags, midHandle);
  return gameImage;
}

std::shared_ptr<TGameImage> TGameImage::CreateAuto(const std::string& path, int cellWidth, int cellHeight,
                                                   int firstCell, int cellCount, int flags, int midHandle) {
  auto gameImage = std::make_shared<TGameImage>();
  if (cellCount < 2) gameImage->Load(path, flags, midHandle);
  else gameImage->LoadAnim(path, cellWidth, cellHeight, firstCell, cellCount, flags, midHandle);
  return gameImage;
}

std::shared_ptr<TGameImage> TGameImage::CreateFromImage(std::shared_ptr<platform::Picture> image,
                                                        const std::string& name, int midHandle) {
  auto gameImage = std::make_shared<TGameImage>();
  gameImage->name = name;
  gameImage->image = std::move(image);
  gameImage->GetSize();
  gameImage->MidHandle(midHandle);
  return gameImage;
}

void TGameImage::GetSize() {
  if (!image) return;
  w = image->Width();
  h = image->Height();
  w2 = float(w / 2);
  h2 = float(h / 2);
}

void TGameImage::MidHandle(int flag) {
  if (flag == 1) {
    if (image) image->MidHandle(true);
    midhandled = 1;
  } else {
    if (image) image->SetHandle(0, 0);
    midhandled = 0;
  }
}

int32_t TGameImage::CalcRAM() const {
  const int32_t frames = image ? image->Frames() : 0;
  return w * h * 4 * frames;
}

int32_t TGameImage::CalcVRAM() const {
  const int32_t frames = image ? image->Frames() : 0;
  return NextPowerOfTwo(w) * NextPowerOfTwo(h) * 4 * frames;
}

void TGameImage::Precache() {
  if (image) image->Precache();
}
