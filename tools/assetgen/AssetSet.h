#pragma once
#include "Canvas.h"

#include <memory>
#include <string>
#include <vector>

// Every file the generator makes, in the order it makes them: pictures
// (painted canvases encoded as PNG or JPEG) and raw files (the font copy),
// some of them bound for the resource pack. Written out in one go.
namespace assetgen {

struct Asset {
  std::string path;                // relative to the data root, e.g. "data/graphics/cardmo.png"
  std::shared_ptr<Canvas> picture; // null for raw files
  std::vector<uint8_t> bytes;      // encoded content
  std::string group;               // review-sheet section ("cards", "buttons", ...)
  bool packed = false;             // goes into data/resources/data.pak
};

class AssetSet {
public:
  // Adds a finished picture, encoded by the extension of `path` (".jpg" gives
  // JPEG, anything else PNG).
  void AddPicture(const std::string& path, std::shared_ptr<Canvas> picture, const std::string& group,
                  bool packed = false);
  void AddFile(const std::string& path, std::vector<uint8_t> bytes, bool packed = false);

  const std::vector<Asset>& Items() const { return items_; }
  const Asset* Find(const std::string& path) const;

  // Writes every loose file under `root` and packs the others into
  // data/resources/data.pak (version 1.1; no pack when nothing is packed);
  // returns the number of files written. Throws on an I/O failure.
  int WriteAll(const std::string& root) const;

private:
  std::vector<Asset> items_;
};

} // namespace assetgen
