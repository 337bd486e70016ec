// Feeds arbitrary bytes as a name found in the profile folder: a player's
// marker file is profile folder + name + ".dat", and a name read from the
// folder or from the settings file is used only when the player-name check
// takes it. Whatever the check takes stays a plain file name inside the
// profile folder (no folder separators, no "." or "..", no terminator) and
// the player's other files (completion marks) stay there too.
#include "player/PlayerProfiles.h"
#include "ui/NameCheck.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

bool PlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\0') == std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string name(reinterpret_cast<const char*>(data), size);
  std::string message;
  for (TNameKind kind : {TNameKind::Player, TNameKind::SavedGame, TNameKind::Layout}) {
    if (CheckName(name, kind, message) != 1) continue;
    Check(PlainFileName(name));
    Check(int32_t(name.size()) <= NameMaxLength(kind));
  }
  if (ValidPlayerName(name) != 1) return 0;
  Check(PlayerFilePath(name) == name + ".dat"); // no profile folder without a game
  for (const std::string& file : PlayerCompletedFiles(name)) Check(PlainFileName(file));
  return 0;
}
