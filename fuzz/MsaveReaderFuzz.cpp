// Feeds arbitrary bytes to the Matching save-file reader (".msave"). A refused file is
// an ordinary outcome; whatever is accepted must be valid and read back the
// same after being written again.
#include "solitaire/TLayoutSaveFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {
void Check(bool condition) {
  if (!condition) __builtin_trap();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TMatchingSaveFile file;
  if (!file.Parse(std::string(reinterpret_cast<const char*>(data), size))) return 0;
  Check(file.IsValid() == 1);
  const std::string written = file.Format();
  TMatchingSaveFile again;
  Check(again.Parse(written) == 1);
  Check(again.Format() == written);
  return 0;
}
