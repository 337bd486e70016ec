#include "app/TIniFile.h"

#include "app/AppGlobals.h"
#include "platform/ErrorReport.h"
#include "platform/Files.h"

namespace {

// Settings files are a few hundred bytes; anything far larger is not one of
// ours and is treated as unreadable rather than read into memory.
constexpr int64_t MaxIniBytes = 4ll << 20;

// Key and value of one line: the key is the text before the first "=" (the
// whole line without one), in upper case; nothing is trimmed.
void SplitLine(const std::string& line, std::string& key, std::string& value) {
  const size_t eq = line.find('=');
  if (eq == std::string::npos) {
    key = IniUpperCase(line);
    value.clear();
  } else {
    key = IniUpperCase(line.substr(0, eq));
    value = line.substr(eq + 1);
  }
}

bool ReadIniBytes(const std::string& path, std::string& bytes) {
  return platform::ReadWholeFile(platform::ResolvePath(path), bytes, MaxIniBytes);
}

} // namespace

std::string IniUpperCase(const std::string& text) {
  std::string upper = text;
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  }
  return upper;
}

int32_t IniTextToInt(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  uint32_t base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i < text.size() && text[i] == '%') {
    base = 2;
    ++i;
  }
  // Unsigned arithmetic wraps instead of overflowing.
  uint32_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    uint32_t digit;
    if (c >= '0' && c <= '9') digit = uint32_t(c - '0');
    else if (c >= 'a' && c <= 'f') digit = uint32_t(c - 'a' + 10);
    else if (c >= 'A' && c <= 'F') digit = uint32_t(c - 'A' + 10);
    else break;
    if (digit >= base) break;
    value = value * base + digit;
  }
  if (negative) value = 0u - value;
  return int32_t(value);
}

std::vector<std::string> IniSplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::string line;
  bool pending = false;
  for (char c : bytes) {
    if (c == '\n' || c == '\0') {
      lines.push_back(line);
      line.clear();
      pending = false;
    } else if (c != '\r') {
      line.push_back(c);
      pending = true;
    } else {
      pending = true;
    }
  }
  // A last line without a line feed still counts.
  if (pending) lines.push_back(line);
  return lines;
}

void TIniFile::Add(const std::string& name, const std::string& value) {
  lines_.push_back(std::make_shared<TIniLine>(IniUpperCase(name), value));
}

void TIniFile::Add(const std::string& name, int32_t value) { Add(name, std::to_string(value)); }

std::shared_ptr<TIniLine> TIniFile::Find(const std::string& name) const {
  const std::string key = IniUpperCase(name);
  for (const auto& line : lines_) {
    if (line->Name == key) return line;
  }
  return nullptr;
}

std::string TIniFile::GetString(const std::string& name, const std::string& fallback) const {
  const auto line = Find(name);
  return line ? line->Value : fallback;
}

int32_t TIniFile::GetInt(const std::string& name, int32_t fallback) const {
  const auto line = Find(name);
  return line ? IniTextToInt(line->Value) : fallback;
}

std::string TIniFile::ToBytes() const {
  std::string bytes;
  for (const auto& line : lines_) {
    bytes += line->Name;
    bytes += '=';
    bytes += line->Value;
    bytes += "\r\n";
  }
  return bytes;
}

void TIniFile::LoadFromBytes(const std::string& bytes) {
  std::string key, value;
  for (const std::string& text : IniSplitLines(bytes)) {
    SplitLine(text, key, value);
    // Every line of that name takes the value: a key added twice is updated
    // twice. Keys nobody added are dropped.
    for (const auto& line : lines_) {
      if (line->Name == key) line->Value = value;
    }
  }
}

// StartupStage marks each step so a fatal error during start-up can be
// placed: 5002-5006 and 5013 while loading, 5007-5010 while saving.
int TIniFile::Save() {
  StartupStage = 5007;
  const std::string path = platform::ResolvePath(Path());
  StartupStage = 5008;
  const std::string bytes = ToBytes();
  StartupStage = 5009;
  if (!platform::WriteFileAtomic(path, bytes)) {
    ShowError("Failed to save file " + Path(), 1);
    return 0;
  }
  StartupStage = 5010;
  return 1;
}

int TIniFile::ReadValues() {
  StartupStage = 5002;
  std::string bytes;
  if (!ReadIniBytes(Path(), bytes)) {
    StartupStage = 5013;
    return 0;
  }
  StartupStage = 5003;
  LoadFromBytes(bytes);
  StartupStage = 5006;
  return 1;
}

int TIniFile::Load() {
  const int read = ReadValues();
  Save();
  return read;
}

std::string ReadIniValue(const std::string& file, const std::string& key) {
  std::string bytes;
  if (!ReadIniBytes(file, bytes)) return "";
  const std::string wanted = IniUpperCase(key);
  std::string lineKey, value;
  for (const std::string& text : IniSplitLines(bytes)) {
    SplitLine(text, lineKey, value);
    if (lineKey == wanted) return value;
  }
  return "";
}

int CopyIniReplacingValue(const std::string& source, const std::string& target, const std::string& key,
                          const std::string& value) {
  const std::string wanted = IniUpperCase(key);
  const std::string replacement = wanted + "=" + value + "\r\n";
  std::string bytes;
  std::string copy;
  bool replaced = false;
  if (ReadIniBytes(source, bytes)) {
    std::string lineKey, lineValue;
    for (const std::string& text : IniSplitLines(bytes)) {
      SplitLine(text, lineKey, lineValue);
      if (lineKey == wanted) {
        copy += replacement;
        replaced = true;
      } else {
        copy += text + "\r\n";
      }
    }
  }
  if (!replaced) copy += replacement;
  return platform::WriteFileAtomic(platform::ResolvePath(target), copy) ? 1 : 0;
}
