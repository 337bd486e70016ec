#pragma once
#include "player/TSolitaireHighScore.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The ten best scores of one variant, best first, kept in the profile folder
// as name + ".hsdat" and shared by every player of the machine. GamePlay owns
// the three tables (Klondike, Matching, Tri Peaks); the end of a level enters
// scores, the high-score screen shows them.
//
// The file is a headerless run of entries: the name with every byte shifted
// up by NameShift (mod 256), a 0 byte, the score as little-endian int32.
class TSolitaireHighScoreList {
public:
  static constexpr int32_t numPositions = 10;
  // 256 - 99 = 157 is a control code no name may hold, so no name byte
  // becomes the terminator.
  static constexpr int32_t NameShift = 99;
  // Longest name read back from a file; a longer run of bytes is damage.
  static constexpr size_t MaxStoredName = 255;

  // Empties the table and names its file: profile folder + name + ".hsdat".
  void Create(const std::string& name, int32_t maxNameLength);
  // Appends without ordering or limit (loading, defaults).
  void Add(const std::string& name, int32_t score);
  // Enters a score below every equal or better one; 1 when it entered the
  // table (which then keeps its best ten), 0 when it did not reach it.
  int32_t Insert(const std::string& name, int32_t score);
  // The position 1..10 Insert would give `score`, 0 when it misses the table.
  int32_t GetPosition(int32_t score) const;

  // Reads the file. A missing file gets the default table, written at once;
  // a file that exists but cannot be read gives the defaults in memory only,
  // so a moment's lock or a permission slip never wipes the scores. At most
  // ten entries are read; a damaged last entry is dropped.
  int32_t Load();
  // Writes every entry (crash-safe); a failure is reported as "Failed Save
  // File" + path and the game goes on with the table in memory. 1 when written.
  int32_t Save();
  // Ten default names ("Highscore Name 1".."10") scoring 200 down to 10, saved.
  void CreateDefault();
  // `count` entries "Empty" with score 0, saved.
  void Zero(int32_t count);

  // The file's bytes for the entries, and the entries read from bytes.
  static std::string Encode(const std::vector<TSolitaireHighScore>& entries);
  static std::vector<TSolitaireHighScore> Decode(const std::string& bytes);

  std::vector<std::shared_ptr<TSolitaireHighScore>> Items; // best first
  std::string filepath;
  int32_t MaxNameLength = 10;

private:
  void FillDefaults();
};
