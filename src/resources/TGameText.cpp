#include "resources/TGameText.h"

#include "platform/ErrorReport.h"
#include "platform/Files.h"
#include "resources/TGameImage.h"

std::shared_ptr<TGameText> GameText;

namespace {

std::string textFolder;

// Splits at "\n", dropping a "\r" right before it. The line break ending the
// file does not open one more (empty) line.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    const bool lastLine = end == std::string::npos;
    if (lastLine) end = text.size();
    size_t length = end - start;
    if (!lastLine && length > 0 && text[end - 1] == '\r') --length;
    lines.push_back(text.substr(start, length));
    start = end + 1;
  }
  return lines;
}

bool StartsEntry(const std::string& line) { return !line.empty() && line[0] == '['; }

} // namespace

void TGameText::SetFolder(const std::string& folder) { textFolder = folder; }
const std::string& TGameText::Folder() { return textFolder; }

std::shared_ptr<TGameText> TGameText::Create(const std::string& file) {
  auto table = std::make_shared<TGameText>();
  table->Read(file);
  return table;
}

void TGameText::Read(const std::string& file) {
  Map.clear();
  const std::string path = textFolder + file;
  std::string text;
  if (!platform::ReadWholeFile(platform::ResolvePath(path), text, 16ll << 20)) {
    ShowError("Error loading file " + path, 1);
    return;
  }
  Parse(text);
}

bool TGameText::Parse(const std::string& text) {
  Map.clear();
  const std::vector<std::string> lines = SplitLines(text);
  size_t i = 0;
  while (i < lines.size()) {
    if (UpperCaseName(lines[i]) != "[TEXT]") {
      ShowError("[TEXT] header hot found", 1);
      return false;
    }
    ++i;
    // A header followed by another header (or by the end) holds nothing.
    if (i >= lines.size() || StartsEntry(lines[i])) continue;
    const std::string key = UpperCaseName(lines[i]);
    ++i;
    std::vector<std::string> body;
    while (i < lines.size() && !StartsEntry(lines[i])) body.push_back(lines[i++]);
    Map[key] = std::move(body);
  }
  return true;
}

const std::vector<std::string>& TGameText::Find(const std::string& key) const {
  static const std::vector<std::string> none;
  auto found = Map.find(UpperCaseName(key));
  return found == Map.end() ? none : found->second;
}

std::string TGameText::FindString(const std::string& key) const {
  std::string joined;
  const auto& lines = Find(key);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) joined += "\r\n";
    joined += lines[i];
  }
  return joined;
}
