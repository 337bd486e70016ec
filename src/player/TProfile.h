#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// One player of the framework: a name (also its file name in the profile
// folder) with level, score, lives, time and hint flags, and its own file
// format. Subclasses may replace saving and loading altogether (VQProfile).
//
// The general file, profile folder + Name + ".dat", little-endian: the five
// counters CurrentLevel, LockedLevel, Score, Lives, Kills as int32, the i-th
// stored as value + i * 3617249 + 5182406 (wrapping); TimeTaken as a double;
// Difficulty, TipsFlag, InstructionsFlag as int32; the 100 hint flags as
// int32; then whatever SaveUserFunction appends.
class TProfile {
public:
  static constexpr int32_t MAX_HINTS = 100;
  // Appends the caller's own data to the bytes being saved.
  using SaveUser = std::function<void(std::string& bytes)>;
  // Reads the caller's data from `bytes`, starting at `pos` (moved past what it read).
  using LoadUser = std::function<void(const std::string& bytes, size_t& pos)>;

  virtual ~TProfile() = default;

  // A new profile with Init(name) done.
  static std::shared_ptr<TProfile> Create(const std::string& name);
  // Level 1, locked level 2, 3 lives, tips and instructions on, no hints shown.
  void Init(const std::string& name);

  // Hint flags: all cleared, all set to `value`; ShowHint is 0 when the hint
  // was already shown, else marks it (saving when `save` is 1) and gives 1.
  void ClearHints();
  void HintsSet(int32_t value);
  int32_t ShowHint(int32_t index, int32_t save);

  // The general file: Save reports a file it cannot write as fatal; Load
  // creates a missing file and gives 0, else reads it and gives 1.
  virtual int32_t Save();
  virtual int32_t Load();

  // The general file's bytes, and reading them back (hint flags until 100
  // are read or the bytes end; a file cut short keeps the defaults it lacks).
  std::string Encode() const;
  void Decode(const std::string& bytes);
  // Profile folder + Name + ".dat".
  std::string FilePath() const;

  std::string Name;
  int32_t CurrentLevel = 0;
  int32_t LockedLevel = 0;
  int32_t Score = 0;
  int32_t Lives = 0;
  int32_t Kills = 0;
  double TimeTaken = 0;
  int32_t Difficulty = 0;
  int32_t TipsFlag = 0;
  int32_t InstructionsFlag = 0;
  std::array<int32_t, MAX_HINTS> HintsShown{};
  SaveUser SaveUserFunction;
  LoadUser LoadUserFunction;
};
