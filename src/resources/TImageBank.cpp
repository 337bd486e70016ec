#include "resources/TImageBank.h"

#include "platform/ErrorReport.h"

std::shared_ptr<TImageBank> Images;
std::shared_ptr<TImageBank> HeartsImages;
std::shared_ptr<TImageBank> DiamondsImages;
std::shared_ptr<TImageBank> SpadesImages;
std::shared_ptr<TImageBank> ClubsImages;

namespace {

// The position of the extension's dot in the file-name part of `name`, or npos.
size_t ExtensionDot(const std::string& name) {
  const size_t dot = name.find_last_of('.');
  if (dot == std::string::npos) return dot;
  const size_t slash = name.find_last_of("/\\");
  if (slash != std::string::npos && slash > dot) return std::string::npos;
  return dot;
}

} // namespace

void TImageBank::SetPath(const std::string& path) {
  Path = path;
  if (Path.empty() || (Path.back() != '/' && Path.back() != '\\')) Path += "/";
}

void TImageBank::Load(const std::string& name, const std::string& alias, int flags, int midHandle) {
  const size_t dot = ExtensionDot(name);
  const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
  const std::string ext = dot == std::string::npos ? Ext : name.substr(dot);
  auto image = TGameImage::Create(Path + stem + ext, flags, midHandle);
  if (!alias.empty()) image->name = UpperCaseName(alias);
  Insert(image);
}

void TImageBank::LoadNoMid(const std::string& name, const std::string& alias, int flags) {
  Load(name, alias, flags, 0);
}

void TImageBank::LoadAnim(const std::string& name, int cellWidth, int cellHeight, int firstCell, int cellCount,
                          int flags, int midHandle) {
  auto image = std::make_shared<TGameImage>();
  image->LoadAnim(Path + name + Ext, cellWidth, cellHeight, firstCell, cellCount, flags, midHandle);
  Insert(image);
}

void TImageBank::Insert(const std::shared_ptr<TGameImage>& image) {
  if (image) Map[image->name] = image;
}

std::shared_ptr<TGameImage> TImageBank::Find(const std::string& name) const {
  const std::string key = UpperCaseName(name);
  auto found = Map.find(key);
  if (found == Map.end()) {
    ShowError("Image '" + key + "' was Not found in the ImageBank", 1);
    return nullptr;
  }
  return found->second;
}

std::shared_ptr<platform::Picture> TImageBank::FindTImage(const std::string& name) const {
  auto found = Map.find(UpperCaseName(name));
  return found == Map.end() ? nullptr : found->second->image;
}

int32_t TImageBank::CalcRAM() const {
  int64_t total = 0;
  for (const auto& [key, image] : Map) total += image->CalcRAM();
  return int32_t(total / 1024);
}

int32_t TImageBank::CalcVRAM() const {
  int64_t total = 0;
  for (const auto& [key, image] : Map) total += image->CalcVRAM();
  return int32_t(total / 1024);
}

void TImageBank::Precache() {
  for (const auto& [key, image] : Map) image->Precache();
}

std::shared_ptr<TGameImage> AddImageToBank(std::shared_ptr<platform::Picture> picture, const std::string& name,
                                           int midHandle, TImageBank* bank) {
  // A picture that did not decode (a missing pack item) would only crash later
  // when drawn: report it here like any other picture that failed to load.
  if (!picture) {
    ShowError("Error loading bitmap " + name, 1);
    return nullptr;
  }
  auto image = TGameImage::CreateFromImage(std::move(picture), UpperCaseName(name), midHandle);
  TImageBank* target = bank ? bank : Images.get();
  if (target) target->Insert(image);
  return image;
}
