#pragma once
#include <string>

// A fresh folder under $TMPDIR (or /tmp) for one test, removed with everything
// in it when the object goes. Path() ends in "/".
namespace test_support {

class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  // Path() + name, and a helper that writes `bytes` to such a file.
  std::string File(const std::string& name) const { return path_ + name; }
  std::string Write(const std::string& name, const std::string& bytes) const;

private:
  std::string path_;
};

} // namespace test_support
