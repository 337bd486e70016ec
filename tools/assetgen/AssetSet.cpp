#include "AssetSet.h"

#include "resources/PakWriter.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace assetgen {

namespace {
bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

// The pack's content kind by extension: pictures 2, fonts 3, other data 0.
int32_t VarTypeOf(const std::string& name) {
  if (EndsWith(name, ".png") || EndsWith(name, ".jpg")) return 2;
  if (EndsWith(name, ".ttf")) return 3;
  return 0;
}
} // namespace

void AssetSet::AddPicture(const std::string& path, std::shared_ptr<Canvas> picture, const std::string& group,
                          bool packed) {
  Asset asset;
  asset.path = path;
  asset.bytes = EndsWith(path, ".jpg") ? picture->EncodeJpeg(92) : picture->EncodePng();
  asset.picture = std::move(picture);
  asset.group = group;
  asset.packed = packed;
  items_.push_back(std::move(asset));
}

void AssetSet::AddFile(const std::string& path, std::vector<uint8_t> bytes, bool packed) {
  Asset asset;
  asset.path = path;
  asset.bytes = std::move(bytes);
  asset.packed = packed;
  items_.push_back(std::move(asset));
}

const Asset* AssetSet::Find(const std::string& path) const {
  for (const Asset& a : items_)
    if (a.path == path) return &a;
  return nullptr;
}

int AssetSet::WriteAll(const std::string& root) const {
  namespace fs = std::filesystem;
  int written = 0;
  std::vector<PakWriterItem> packed;
  for (const Asset& a : items_) {
    fs::path path = fs::path(root) / a.path;
    if (!a.packed) {
      WriteBytes(path, a.bytes);
      ++written;
      continue;
    }
    // A loose file would override the packed item, so a stale loose copy
    // from an older build is removed.
    std::error_code ignored;
    fs::remove(path, ignored);
    PakWriterItem item;
    item.Name = path.filename().string();
    item.VarType = VarTypeOf(item.Name);
    item.Data = a.bytes;
    packed.push_back(std::move(item));
  }
  if (packed.empty()) return written; // a set with nothing for the pack (the theme icons) writes none
  std::vector<uint8_t> pack;
  std::string error;
  if (!BuildPak11(packed, pack, &error)) throw std::runtime_error("cannot build data.pak: " + error);
  WriteBytes(fs::path(root) / "data/resources/data.pak", pack);
  return written + 1;
}

} // namespace assetgen
