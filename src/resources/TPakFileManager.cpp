#include "resources/TPakFileManager.h"

#include "platform/Files.h"

namespace {

// Folder trees deeper than this are not walked (guards against link loops).
constexpr int MaxFolderDepth = 16;

std::string WithSlash(const std::string& path) {
  if (path.empty() || path.back() == '/' || path.back() == '\\') return path;
  return path + "/";
}

// File names are matched ignoring case, like every other data-file lookup, so
// "DATA.PAK" is read as a pack and never served as a loose file.
bool EndsWith(const std::string& text, const std::string& end) {
  return !end.empty() && text.size() >= end.size() &&
         PakLowerCase(text.substr(text.size() - end.size())) == PakLowerCase(end);
}

// The folder on disk matching `path` ignoring case, ending in "/".
std::string ResolveFolder(const std::string& path) {
  std::string bare = path;
  while (bare.size() > 1 && (bare.back() == '/' || bare.back() == '\\')) bare.pop_back();
  return WithSlash(platform::ResolvePath(bare));
}

} // namespace

std::shared_ptr<TPakFileManager> PakFiles;

std::shared_ptr<TPakFileManager> TPakFileManager::Create(const std::string& path, const std::string& ext) {
  auto manager = std::make_shared<TPakFileManager>();
  manager->Open(path, ext);
  return manager;
}

int TPakFileManager::Open(const std::string& path, const std::string& ext) {
  std::string normal = path;
  for (char& c : normal) {
    if (c == '\\') c = '/';
  }
  Path = WithSlash(normal);
  Ext = ext;
  return Reload();
}

int TPakFileManager::Reload() {
  Map.clear();
  return LoadPaks(Path, Ext) + LoadFiles(Path);
}

void TPakFileManager::Insert(const std::shared_ptr<TPakItem>& item) {
  if (item) Map[PakLowerCase(item->Name)] = item;
}

int TPakFileManager::LoadPaks(const std::string& path, const std::string& ext) {
  const std::string folder = ResolveFolder(path);
  std::vector<std::shared_ptr<TPakFile>> paks;
  for (const std::string& name : platform::ListFolder(folder)) {
    if (name == "." || name == ".." || !EndsWith(name, ext)) continue;
    if (auto pak = TPakFile::Create(folder + name)) paks.push_back(pak);
  }
  int inserted = 0;
  for (const auto& pak : paks) {
    for (const auto& item : pak->Items) {
      Insert(item);
      ++inserted;
    }
  }
  return inserted;
}

int TPakFileManager::LoadPakFile(const std::string& path) {
  auto pak = TPakFile::Create(path);
  if (!pak) return 0;
  for (const auto& item : pak->Items) Insert(item);
  return int(pak->Items.size());
}

int TPakFileManager::LoadFiles(const std::string& path) {
  FolderSet visited;
  return WalkFolder(ResolveFolder(path), "", 0, visited);
}

int TPakFileManager::WalkFolder(const std::string& folder, const std::string& prefix, int depth,
                                FolderSet& visited) {
  // Each real folder is walked once, so links to "." or ".." cost nothing and
  // a walk takes time in proportion to the tree on disk.
  uint64_t device = 0, inode = 0;
  if (depth > MaxFolderDepth || !platform::FolderIdentity(folder, device, inode) ||
      !visited.insert({device, inode}).second)
    return 0;
  int inserted = 0;
  for (const std::string& name : platform::ListFolder(folder, "", true)) {
    if (name == "." || name == ".." || EndsWith(name, Ext)) continue;
    const std::string full = WithSlash(folder) + name;
    if (platform::FolderExists(full)) {
      inserted += WalkFolder(full, prefix + name + "/", depth + 1, visited);
      continue;
    }
    std::vector<uint8_t> bytes;
    if (!platform::ReadWholeFile(full, bytes, TPakFile::MaxItemBytes)) continue;
    const std::string relative = prefix + name;
    Insert(std::make_shared<TPakItem>(relative, VarTypeForName(relative), std::move(bytes)));
    ++inserted;
  }
  return inserted;
}

std::shared_ptr<TPakItem> TPakFileManager::GetItem(const std::string& name) const {
  const auto found = Map.find(PakLowerCase(name));
  return found == Map.end() ? nullptr : found->second;
}

std::vector<uint8_t> TPakFileManager::GetBinary(const std::string& name) const {
  const auto item = GetItem(name);
  return item ? item->GetBinary() : std::vector<uint8_t>();
}

std::string TPakFileManager::GetString(const std::string& name) const {
  const auto item = GetItem(name);
  return item ? item->GetString() : std::string();
}

std::shared_ptr<std::vector<uint8_t>> TPakFileManager::GetBank(const std::string& name) const {
  const auto item = GetItem(name);
  return item ? item->GetBank() : nullptr;
}

std::shared_ptr<std::istream> TPakFileManager::GetStream(const std::string& name) const {
  const auto item = GetItem(name);
  return item ? item->GetStream() : nullptr;
}

std::string TPakFileManager::GetText(const std::string& name) const {
  const auto item = GetItem(name);
  return item ? item->GetText() : std::string();
}
