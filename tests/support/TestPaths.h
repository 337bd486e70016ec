#pragma once
#include <cstdlib>
#include <string>

// Where tests find files: the repository (MARROWDECK_SOURCE) and the build's
// game data tree (MARROWDECK_DATA), both set by CTest for every test. Each
// returns the root with a trailing "/" followed by `relative`.
namespace test_support {

inline std::string SourcePath(const std::string& relative = "") {
  const char* root = std::getenv("MARROWDECK_SOURCE");
  return std::string(root ? root : ".") + "/" + relative;
}

inline std::string DataPath(const std::string& relative = "") {
  const char* root = std::getenv("MARROWDECK_DATA");
  return std::string(root ? root : "gamedata") + "/" + relative;
}

} // namespace test_support
