#include "player/TSolitaireHighScoreList.h"

#include "app/TGame.h"
#include "platform/ErrorReport.h"
#include "platform/Files.h"
#include "resources/TGameText.h"

namespace {

constexpr int32_t DefaultScores[TSolitaireHighScoreList::numPositions] = {200, 170, 150, 130, 110, 90, 70, 50, 30, 10};
// A table file is a few hundred bytes; anything far larger is not one.
constexpr int64_t MaxFileBytes = 1 << 20;

std::string Text(const std::string& key) { return GameText ? GameText->FindString(key) : std::string(); }

} // namespace

void TSolitaireHighScoreList::Create(const std::string& name, int32_t maxNameLength) {
  Items.clear();
  filepath = (Game ? Game->ProfilePath : std::string()) + name + ".hsdat";
  MaxNameLength = maxNameLength;
}

void TSolitaireHighScoreList::Add(const std::string& name, int32_t score) {
  Items.push_back(std::make_shared<TSolitaireHighScore>(name, score));
}

int32_t TSolitaireHighScoreList::Insert(const std::string& name, int32_t score) {
  auto entry = std::make_shared<TSolitaireHighScore>(name, score);
  auto it = Items.begin();
  while (it != Items.end() && (*it)->score >= score) ++it;
  if (it == Items.end()) {
    if (int32_t(Items.size()) >= numPositions) return 0;
    Items.push_back(entry);
  } else {
    Items.insert(it, entry);
  }
  while (int32_t(Items.size()) > numPositions) Items.pop_back();
  return 1;
}

int32_t TSolitaireHighScoreList::GetPosition(int32_t score) const {
  int32_t position = 1;
  for (const auto& entry : Items) {
    if (entry->score < score) break;
    ++position;
  }
  return position <= numPositions ? position : 0;
}

std::string TSolitaireHighScoreList::Encode(const std::vector<TSolitaireHighScore>& entries) {
  std::string bytes;
  for (const auto& entry : entries) {
    for (unsigned char ch : entry.name) {
      // The one code that would shift onto the terminator becomes "?".
      if ((ch + NameShift) % 256 == 0) ch = '?';
      bytes.push_back(char((ch + NameShift) % 256));
    }
    bytes.push_back('\0');
    const auto score = uint32_t(entry.score);
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(char((score >> shift) & 0xFF));
  }
  return bytes;
}

std::vector<TSolitaireHighScore> TSolitaireHighScoreList::Decode(const std::string& bytes) {
  std::vector<TSolitaireHighScore> entries;
  size_t pos = 0;
  while (pos < bytes.size() && int32_t(entries.size()) < numPositions) {
    const size_t end = bytes.find('\0', pos);
    // A name without its terminator, an overlong name or a cut-off score
    // ends the reading; that entry is dropped.
    if (end == std::string::npos || end - pos > MaxStoredName || end + 5 > bytes.size()) break;
    TSolitaireHighScore entry;
    for (size_t i = pos; i < end; ++i) entry.name.push_back(char((uint8_t(bytes[i]) + 256 - NameShift) % 256));
    uint32_t score = 0;
    for (int i = 0; i < 4; ++i) score |= uint32_t(uint8_t(bytes[end + 1 + i])) << (8 * i);
    entry.score = int32_t(score);
    entries.push_back(std::move(entry));
    pos = end + 5;
  }
  return entries;
}

int32_t TSolitaireHighScoreList::Load() {
  Items.clear();
  // Only a missing table is written at once; anything else under its name
  // that cannot be read (a folder, a pipe, a broken link) stays as it is.
  if (!platform::EntryExists(filepath)) {
    CreateDefault();
    return 0;
  }
  std::string bytes;
  if (!platform::ReadWholeFile(platform::ResolvePath(filepath), bytes, MaxFileBytes)) {
    FillDefaults();
    return 0;
  }
  for (auto& entry : Decode(bytes)) Add(entry.name, entry.score);
  return 1;
}

int32_t TSolitaireHighScoreList::Save() {
  std::vector<TSolitaireHighScore> entries;
  entries.reserve(Items.size());
  for (const auto& entry : Items) entries.push_back(*entry);
  const std::string path = platform::FileExists(filepath) ? platform::ResolvePath(filepath) : filepath;
  if (platform::WriteFileAtomic(path, Encode(entries))) return 1;
  ShowError(Text("Failed Save File") + filepath, 0);
  return 0;
}

void TSolitaireHighScoreList::FillDefaults() {
  Items.clear();
  for (int32_t i = 0; i < numPositions; ++i) Add(Text("Highscore Name " + std::to_string(i + 1)), DefaultScores[i]);
}

void TSolitaireHighScoreList::CreateDefault() {
  FillDefaults();
  Save();
}

void TSolitaireHighScoreList::Zero(int32_t count) {
  Items.clear();
  for (int32_t i = 0; i < count; ++i) Add("Empty", 0);
  Save();
}
