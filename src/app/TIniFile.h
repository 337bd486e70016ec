#pragma once
#include "app/TIniLine.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A settings file of "KEY=value" lines. The owner first adds every key it
// knows with its current value, then loads the file (which only overwrites
// values of keys already present), then saves: the file on disk always ends
// up holding exactly the known keys, in the order they were added, with
// upper-case names and CR LF line ends.
//
// Files are written crash-safe (temporary file, flush, rename) so a crash or
// a full disk leaves the previous file intact; a save that cannot be written
// is fatal with "Failed to save file " + path.
class TIniFile {
public:
  using LineList = std::vector<std::shared_ptr<TIniLine>>;

  TIniFile() = default;
  explicit TIniFile(std::string fileName) : FileName(std::move(fileName)) {}
  virtual ~TIniFile() = default;

  // Full path of the file without its ".ini" extension.
  std::string FileName;

  // List operations: walk in order, count, clear.
  const LineList& Lines() const { return lines_; }
  LineList::const_iterator begin() const { return lines_.begin(); }
  LineList::const_iterator end() const { return lines_.end(); }
  size_t Count() const { return lines_.size(); }
  void Clear() { lines_.clear(); }

  // Appends a line (name stored in upper case) without looking for an
  // existing one of that name. The integer form writes decimal text.
  void Add(const std::string& name, const std::string& value);
  void Add(const std::string& name, const char* value) { Add(name, std::string(value)); }
  void Add(const std::string& name, int32_t value);

  // Lookups for copying values back into fields. `name` is compared in upper
  // case; the first line of that name answers. Missing keys give `fallback`.
  std::shared_ptr<TIniLine> Find(const std::string& name) const;
  bool Has(const std::string& name) const { return Find(name) != nullptr; }
  std::string GetString(const std::string& name, const std::string& fallback = "") const;
  int32_t GetInt(const std::string& name, int32_t fallback = 0) const;

  // Writes every line; fatal "Failed to save file " + path when it cannot.
  // Returns 1 when written.
  int Save();
  // Reads the file (a missing or unreadable file leaves the values as they
  // are), then saves. Returns 1 when the file was read, 0 otherwise.
  int Load();

  // The same steps on bytes in memory: update matching lines from `bytes`,
  // and the exact bytes Save writes.
  void LoadFromBytes(const std::string& bytes);
  std::string ToBytes() const;

  // The path written and read: FileName + ".ini".
  std::string Path() const { return FileName + ".ini"; }

protected:
  // Reads the file into the list without saving; 1 when it was read.
  int ReadValues();

private:
  LineList lines_;
};

// Upper case of ASCII letters a-z only; every other byte stays.
std::string IniUpperCase(const std::string& text);

// Integer value of settings text: decimal, "$" hexadecimal or "%" binary,
// with an optional sign; reading stops at the first byte that is no digit of
// the base, and text that starts with no number reads as 0. Values wrap to 32
// bits like the file's integers.
int32_t IniTextToInt(const std::string& text);

// Splits settings-file bytes into lines: a line ends at a line feed or a zero
// byte and every carriage return is dropped.
std::vector<std::string> IniSplitLines(const std::string& bytes);

// Crash recovery helpers.
// The value of `key` (compared in upper case) in a settings file; empty when
// the file or the key is missing.
std::string ReadIniValue(const std::string& file, const std::string& key);
// Writes `target` as a copy of `source` line by line, with every line whose
// key is `key` (compared in upper case) written as KEY=value. The copy is
// built whole and renamed over `target`, so `target` is never left half
// written. A source that cannot be read gives a file holding only the
// KEY=value line; a source without the key gets the line appended, so the
// value is never lost. Returns 1 when `target` was written, 0 otherwise.
int CopyIniReplacingValue(const std::string& source, const std::string& target, const std::string& key,
                          const std::string& value);
