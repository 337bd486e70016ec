#include "screens/LevelFiles.h"

#include "app/TIniFile.h"
#include "platform/Files.h"

namespace {

// A marks file holds a short line per layout; anything far larger is not one.
constexpr int64_t MaxMarksBytes = 4ll << 20;

std::string ThreeDigits(int32_t n) {
  std::string text = std::to_string(n);
  while (text.size() < 3) text.insert(text.begin(), '0');
  return text;
}

} // namespace

std::string LevelName(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

std::string LevelKey(const std::string& levelPath) { return IniUpperCase(LevelName(levelPath)); }

int32_t ReadLevelMarks(const std::string& iniPath, std::string& bytes) {
  bytes.clear();
  const std::string path = platform::ResolvePath(iniPath);
  if (!platform::EntryExists(path)) return 0;
  return platform::ReadWholeFile(path, bytes, MaxMarksBytes) ? 1 : -1;
}

int32_t MarkLevelCompleted(const std::string& file, const std::string& levelPath, const std::string& value) {
  const std::string key = LevelKey(levelPath);
  if (key.empty()) return 0;
  TIniFile marks(file);
  std::string bytes;
  // Marks that cannot be read are not replaced by this one mark alone.
  if (ReadLevelMarks(marks.Path(), bytes) < 0) return 0;
  bool already = false;
  for (const std::string& line : IniSplitLines(bytes)) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos || eq == 0) continue;
    const std::string name = IniUpperCase(line.substr(0, eq));
    const std::string lineValue = line.substr(eq + 1);
    if (name == key) {
      if (!already && lineValue == value) already = true;
      continue;
    }
    marks.Add(name, lineValue);
  }
  if (already) return 1;
  marks.Add(key, value);
  const std::string path = platform::FileExists(marks.Path()) ? platform::ResolvePath(marks.Path()) : marks.Path();
  return platform::WriteFileAtomic(path, marks.ToBytes()) ? 1 : 0;
}

int32_t LayoutNumber(const std::string& levelPath) { return IniTextToInt(LevelName(levelPath)); }

std::string NextLayoutPath(const std::string& current, const std::string& folder, const std::string& extension,
                           int32_t count, const std::string& first) {
  const int32_t n = LayoutNumber(current);
  if (n > 0 && n < count) {
    const std::string candidate = folder + ThreeDigits(n + 1) + "." + extension;
    if (platform::FileExists(candidate)) return candidate;
  }
  return folder + first + "." + extension;
}

int32_t CardBackgroundForLayout(int32_t n) { return ((n - 1) % 6 + 6) % 6 + 1; }
