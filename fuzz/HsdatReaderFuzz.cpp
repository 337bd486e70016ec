// Feeds arbitrary bytes to the high-score table reader (".hsdat"). At most
// the ten places are read, every name read back is at most MaxStoredName
// bytes, and the entries written again read back the same.
#include "player/TSolitaireHighScoreList.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const auto entries = TSolitaireHighScoreList::Decode(bytes);
  Check(entries.size() <= size_t(TSolitaireHighScoreList::numPositions));
  Check(entries.size() * 5 <= size); // each entry takes a terminator and four score bytes
  for (const auto& entry : entries) Check(entry.name.size() <= TSolitaireHighScoreList::MaxStoredName);
  const auto again = TSolitaireHighScoreList::Decode(TSolitaireHighScoreList::Encode(entries));
  Check(again.size() == entries.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    Check(again[i].name == entries[i].name);
    Check(again[i].score == entries[i].score);
  }
  return 0;
}
