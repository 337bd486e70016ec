#pragma once
#include "resources/TPakFileManager.h"

#include <istream>
#include <memory>
#include <string>

// Opens read streams over resource-set items for one URL scheme, so code
// that opens streams by URL can read packed items. The game itself never
// registers one.
class TPakFileStreamFactory {
public:
  std::shared_ptr<TPakFileManager> PakMan;
  std::string Protocoll; // the scheme answered, e.g. "pak"

  // A stream over item `path` when `protocol` is ours, the stream is not
  // wanted for writing and a manager is attached; nullptr otherwise or when
  // the item is missing.
  std::shared_ptr<std::istream> CreateStream(const std::string& url, const std::string& protocol,
                                             const std::string& path, bool readable, bool writeable) const;
};
