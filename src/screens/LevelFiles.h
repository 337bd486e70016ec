#pragma once
#include <cstdint>
#include <string>

// Layout bookkeeping of the session: completion marks, the next standard
// layout and the table design a numbered layout is played on.

// A layout's name: its file name without folder and extension.
std::string LevelName(const std::string& levelPath);
// The layout's key in a completion-marks file: its file name without folder
// and extension, in upper case.
std::string LevelKey(const std::string& levelPath);
// The bytes of the completion-marks file `iniPath` (".ini" included): 1 when
// read, 0 when there is none (no marks), -1 when something is there that
// cannot be read as one (too large, no permission, a folder, a pipe, a
// broken link); such an entry is never written over.
int32_t ReadLevelMarks(const std::string& iniPath, std::string& bytes);
// Sets the mark of `levelPath` to `value` in the settings file `file` (".ini"
// added): a line that already holds the value changes nothing, otherwise every
// line of that key goes and KEY=value is added. An empty path marks nothing.
// 1 when the file holds the mark afterwards; a file that cannot be read or
// written answers 0, is left as it was, and the game goes on.
int32_t MarkLevelCompleted(const std::string& file, const std::string& levelPath, const std::string& value);
// The standard layout after `current` in `folder`: number n + 1 written with
// three digits when 0 < n < count and that file exists, else `first` (the
// sequence wraps).
std::string NextLayoutPath(const std::string& current, const std::string& folder, const std::string& extension,
                           int32_t count, const std::string& first);
// The number in a layout's file name (0 when it has none).
int32_t LayoutNumber(const std::string& levelPath);
// The card back and table (1..6) of layout number n: ((n - 1) mod 6) + 1,
// always in range (n = 0 gives 6).
int32_t CardBackgroundForLayout(int32_t n);
