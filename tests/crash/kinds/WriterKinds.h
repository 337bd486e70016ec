#pragma once
#include <functional>
#include <string>
#include <vector>

// Every kind of file the game writes for the player, each driven through the
// game's own writer: the settings, "config", a high-score table, a player
// marker, a saved game of each variant, a custom layout and the completion
// marks. The crash harness kills processes while they write these, and the
// full-disk tests let the disk fill up under them.
//
// Each kind writes one of two versions of its file (0 and 1, with different
// contents), so a file found afterwards is the previous version, the new one,
// or damage.
namespace crash_test {

// What a write gave: done, or not with the message the game shows for it
// (the error reporter's text, or the game mode's FileMessage).
struct WriteResult {
  bool Done = false;
  std::string Message;
};

struct WriterKind {
  std::string Name;
  std::string File; // the file it writes, relative to the shared data folder
  // Builds the game objects the writer needs, in this process, with the
  // shared data folder at `shared` (ending in "/") and the game data at
  // `data`. False when something is missing.
  std::function<bool(const std::string& shared, const std::string& data)> Setup;
  std::function<WriteResult(int version)> Write;
  // The game's reader takes the file as it stands and finds `version` in it.
  std::function<bool(int version)> Reads;
};

// The kinds, in a fixed order. Setup of any of them replaces the game's
// process-wide objects (CreateGameGlobals); ReleaseWriterKinds drops them.
std::vector<WriterKind> WriterKinds();
void ReleaseWriterKinds();

// The temporary files of the game's writers (".tmp-" names) in the folders
// the kinds write: the shared data folder and its "profiles/".
std::vector<std::string> Temporaries(const std::string& shared);

// The error reporter's messages since the last Setup (a kind's writes report
// through it; a fatal one does not end the process here).
const std::vector<std::string>& ReportedErrors();

} // namespace crash_test
