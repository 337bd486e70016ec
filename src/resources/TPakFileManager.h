#pragma once
#include "resources/TPakFile.h"
#include "resources/TPakItem.h"

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

// The game's resource set: every pack of one folder, decompressed into
// memory at load time, overlaid with every loose file under that folder.
// Items are served by name (ASCII case ignored). Later packs (in listing
// order) override earlier ones and loose files override pack items of the
// same relative name.
class TPakFileManager {
public:
  std::string Path; // base folder, ending in "/"
  std::string Ext;  // pack extension, ".pak" in this game
  std::map<std::string, std::shared_ptr<TPakItem>> Map; // by lower-cased name

  // Stores the folder and extension, then loads everything.
  static std::shared_ptr<TPakFileManager> Create(const std::string& path, const std::string& ext);
  // The same for an existing set; returns the number of items loaded.
  int Open(const std::string& path, const std::string& ext);

  // Loading: all again, the packs of a folder, the loose files of a folder
  // tree, one pack file. Each returns the number of items inserted.
  int Reload();
  int LoadPaks(const std::string& path, const std::string& ext);
  int LoadFiles(const std::string& path);
  int LoadPakFile(const std::string& path);

  // Lookup; nullptr when missing.
  std::shared_ptr<TPakItem> GetItem(const std::string& name) const;

  // The item accessors by name; a missing item gives an empty result or
  // nullptr, and the caller reports it.
  std::vector<uint8_t> GetBinary(const std::string& name) const;
  std::string GetString(const std::string& name) const;
  std::shared_ptr<std::vector<uint8_t>> GetBank(const std::string& name) const;
  std::shared_ptr<std::istream> GetStream(const std::string& name) const;
  std::string GetText(const std::string& name) const;
  std::shared_ptr<platform::Pixmap> GetPixmap(const std::string& name) const;
  std::shared_ptr<platform::Picture> GetImage(const std::string& name, int flags) const;
  std::shared_ptr<platform::Picture> GetAnimImage(const std::string& name, int cellWidth, int cellHeight,
                                                  int firstCell, int cellCount, int flags) const;
  std::shared_ptr<platform::RasterFont> GetImageFont(const std::string& name, int size, int style) const;
  std::shared_ptr<platform::audio::Sound> GetSound(const std::string& name, int flags) const;
  std::shared_ptr<platform::audio::Sound> GetAudioSample(const std::string& name) const;

private:
  void Insert(const std::shared_ptr<TPakItem>& item);
  // Folders already walked, by device and inode: links back into the tree are walked once.
  using FolderSet = std::set<std::pair<uint64_t, uint64_t>>;
  int WalkFolder(const std::string& folder, const std::string& prefix, int depth, FolderSet& visited);
};

// The game's resource set over "data/resources/": empty from program entry,
// opened by start-up.
extern std::shared_ptr<TPakFileManager> PakFiles;
