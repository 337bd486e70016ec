#include "player/TProfile.h"

#include "app/TGame.h"
#include "platform/ErrorReport.h"
#include "platform/Files.h"

#include <cstring>

namespace {

// The five counters are stored shifted so that the file does not show them plainly.
constexpr uint32_t CounterStep = 3617249, CounterBase = 5182406;
// A profile file is a few hundred bytes plus the caller's data.
constexpr int64_t MaxFileBytes = 1 << 20;

void PutInt(std::string& bytes, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(char((value >> shift) & 0xFF));
}

// Reads a little-endian value of `size` bytes; false (nothing read) when the bytes end first.
bool GetBytes(const std::string& bytes, size_t& pos, void* out, size_t size) {
  if (pos + size > bytes.size()) return false;
  uint64_t value = 0;
  for (size_t i = 0; i < size; ++i) value |= uint64_t(uint8_t(bytes[pos + i])) << (8 * i);
  std::memcpy(out, &value, size);
  pos += size;
  return true;
}

bool GetInt(const std::string& bytes, size_t& pos, int32_t& out) {
  uint32_t value = 0;
  if (!GetBytes(bytes, pos, &value, 4)) return false;
  out = int32_t(value);
  return true;
}

} // namespace

std::shared_ptr<TProfile> TProfile::Create(const std::string& name) {
  auto profile = std::make_shared<TProfile>();
  profile->Init(name);
  return profile;
}

void TProfile::Init(const std::string& name) {
  Name = name;
  CurrentLevel = 1;
  LockedLevel = 2;
  Score = 0;
  Lives = 3;
  Kills = 0;
  TimeTaken = 0;
  Difficulty = 0;
  TipsFlag = 1;
  InstructionsFlag = 1;
  ClearHints();
}

void TProfile::ClearHints() { HintsSet(0); }

void TProfile::HintsSet(int32_t value) { HintsShown.fill(value); }

int32_t TProfile::ShowHint(int32_t index, int32_t save) {
  if (index < 0 || index >= MAX_HINTS || HintsShown[size_t(index)]) return 0;
  HintsShown[size_t(index)] = 1;
  if (save == 1) Save();
  return 1;
}

std::string TProfile::FilePath() const { return (Game ? Game->ProfilePath : std::string()) + Name + ".dat"; }

std::string TProfile::Encode() const {
  std::string bytes;
  const int32_t counters[] = {CurrentLevel, LockedLevel, Score, Lives, Kills};
  for (uint32_t i = 0; i < 5; ++i) PutInt(bytes, uint32_t(counters[i]) + i * CounterStep + CounterBase);
  uint64_t time = 0;
  std::memcpy(&time, &TimeTaken, sizeof time);
  PutInt(bytes, uint32_t(time & 0xFFFFFFFFu));
  PutInt(bytes, uint32_t(time >> 32));
  for (int32_t value : {Difficulty, TipsFlag, InstructionsFlag}) PutInt(bytes, uint32_t(value));
  for (int32_t flag : HintsShown) PutInt(bytes, uint32_t(flag));
  if (SaveUserFunction) SaveUserFunction(bytes);
  return bytes;
}

void TProfile::Decode(const std::string& bytes) {
  size_t pos = 0;
  int32_t* counters[] = {&CurrentLevel, &LockedLevel, &Score, &Lives, &Kills};
  for (uint32_t i = 0; i < 5; ++i) {
    int32_t stored = 0;
    if (!GetInt(bytes, pos, stored)) return;
    *counters[i] = int32_t(uint32_t(stored) - i * CounterStep - CounterBase);
  }
  if (!GetBytes(bytes, pos, &TimeTaken, sizeof TimeTaken)) return;
  for (int32_t* value : {&Difficulty, &TipsFlag, &InstructionsFlag})
    if (!GetInt(bytes, pos, *value)) return;
  ClearHints();
  for (int32_t& flag : HintsShown)
    if (!GetInt(bytes, pos, flag)) return;
  if (LoadUserFunction) LoadUserFunction(bytes, pos);
}

int32_t TProfile::Save() {
  const std::string path = FilePath();
  const std::string target = platform::FileExists(path) ? platform::ResolvePath(path) : path;
  if (!platform::WriteFileAtomic(target, Encode())) {
    ShowError("Could not create file '" + path + "'", 1);
    return 0;
  }
  return 1;
}

int32_t TProfile::Load() {
  const std::string path = FilePath();
  if (!platform::FileExists(path)) {
    Save();
    return 0;
  }
  std::string bytes;
  if (!platform::ReadWholeFile(platform::ResolvePath(path), bytes, MaxFileBytes)) return 0;
  Decode(bytes);
  return 1;
}
