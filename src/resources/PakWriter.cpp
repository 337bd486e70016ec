#include "resources/PakWriter.h"

#include "platform/Files.h"
#include "platform/Zlib.h"
#include "resources/TPakFile.h"
#include "resources/TPakItem.h"
#include "resources/TTableItem.h"

#include <cstring>

namespace {

void PutInt32(std::vector<uint8_t>& out, int32_t value) {
  const uint32_t v = uint32_t(value);
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
  out.push_back(uint8_t(v >> 16));
  out.push_back(uint8_t(v >> 24));
}

void PutName(std::vector<uint8_t>& out, const std::string& name, size_t field) {
  const size_t start = out.size();
  out.resize(start + field, 0);
  std::memcpy(out.data() + start, name.data(), name.size());
}

bool Fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

// What the reader accepts in all.
bool CheckTotal(const std::vector<PakWriterItem>& items, std::string* error) {
  int64_t total = 0;
  for (const auto& item : items) total += int64_t(item.Data.size());
  return total <= TPakFile::MaxInflatedBytes || Fail(error, "items larger than 64 MiB in all");
}

bool CheckItem(const PakWriterItem& item, size_t nameField, std::string* error) {
  if (item.Name.size() > nameField)
    return Fail(error, "name too long for the pack (" + std::to_string(nameField) + " bytes): " + item.Name);
  if (int64_t(item.Data.size()) > TPakFile::MaxItemBytes) return Fail(error, "item larger than 16 MiB: " + item.Name);
  if (TrimPakName(reinterpret_cast<const uint8_t*>(item.Name.data()), item.Name.size()) != item.Name)
    return Fail(error, "name starts or ends with a blank or control byte: " + item.Name);
  return true;
}

std::string WithSlash(const std::string& path) {
  if (path.empty() || path.back() == '/') return path;
  return path + "/";
}

bool EndsWith(const std::string& text, const std::string& end) {
  return !end.empty() && text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool Collect(const std::string& folder, const std::string& prefix, int depth, std::vector<PakWriterItem>& items,
             std::string* error, const std::string& skipExt) {
  if (depth > 16) return Fail(error, "folders nested too deep: " + folder);
  for (const std::string& name : platform::ListFolder(folder, "", true)) {
    if (name == "." || name == ".." || EndsWith(name, skipExt)) continue;
    const std::string full = WithSlash(folder) + name;
    if (platform::FolderExists(full)) {
      if (!Collect(full, prefix + name + "/", depth + 1, items, error, skipExt)) return false;
      continue;
    }
    PakWriterItem item;
    item.Name = prefix + name;
    item.VarType = VarTypeForName(item.Name);
    if (!platform::ReadWholeFile(full, item.Data, TPakFile::MaxItemBytes)) return Fail(error, "cannot read " + full);
    items.push_back(std::move(item));
  }
  return true;
}

} // namespace

bool BuildPak11(const std::vector<PakWriterItem>& items, std::vector<uint8_t>& out, std::string* error, int level) {
  if (!CheckTotal(items, error)) return false;
  std::vector<std::vector<uint8_t>> streams;
  streams.reserve(items.size());
  for (const auto& item : items) {
    if (!CheckItem(item, TTableItem::NAME_SIZE, error)) return false;
    streams.push_back(platform::Deflate(item.Data.data(), item.Data.size(), level));
    if (streams.back().empty()) return Fail(error, "cannot compress " + item.Name);
  }
  // The table records each stream's offset in the file, which depends on the
  // compressed size of the table itself: recompress until that settles.
  std::vector<uint8_t> table;
  std::vector<uint8_t> packedTable;
  size_t dataStart = 0;
  for (int pass = 0; pass < 8; ++pass) {
    table.clear();
    int64_t offset = int64_t(dataStart);
    for (size_t i = 0; i < items.size(); ++i) {
      PutInt32(table, int32_t(streams[i].size()));
      PutInt32(table, int32_t(offset));
      PutInt32(table, int32_t(items[i].Data.size()));
      PutInt32(table, items[i].VarType);
      PutName(table, items[i].Name, TTableItem::NAME_SIZE);
      offset += int64_t(streams[i].size());
    }
    packedTable = platform::Deflate(table.data(), table.size(), level);
    const size_t start = 20 + packedTable.size();
    if (start == dataStart) break;
    dataStart = start;
  }
  if (int64_t(table.size()) > TPakFile::MaxItemBytes) return Fail(error, "too many items for one pack");

  out.clear();
  PutInt32(out, int32_t(TPakFile::Magic));
  PutInt32(out, TPakFile::Version11);
  PutInt32(out, int32_t(items.size()));
  PutInt32(out, int32_t(packedTable.size()));
  PutInt32(out, int32_t(table.size()));
  out.insert(out.end(), packedTable.begin(), packedTable.end());
  for (const auto& stream : streams) out.insert(out.end(), stream.begin(), stream.end());
  return true;
}

bool BuildPak10(const std::vector<PakWriterItem>& items, std::vector<uint8_t>& out, std::string* error, int level) {
  if (!CheckTotal(items, error)) return false;
  out.clear();
  PutInt32(out, int32_t(TPakFile::Magic));
  PutInt32(out, TPakFile::Version10);
  PutInt32(out, int32_t(items.size()));
  for (const auto& item : items) {
    if (!CheckItem(item, TPakFile::Version10NameSize, error)) return false;
    const std::vector<uint8_t> stream = platform::Deflate(item.Data.data(), item.Data.size(), level);
    if (stream.empty()) return Fail(error, "cannot compress " + item.Name);
    PutName(out, item.Name, TPakFile::Version10NameSize);
    PutInt32(out, item.VarType);
    PutInt32(out, int32_t(stream.size()));
    PutInt32(out, int32_t(item.Data.size()));
    out.insert(out.end(), stream.begin(), stream.end());
  }
  return true;
}

bool CollectPakItems(const std::string& folder, std::vector<PakWriterItem>& items, std::string* error,
                     const std::string& skipExt) {
  std::string resolved = folder;
  while (resolved.size() > 1 && resolved.back() == '/') resolved.pop_back();
  resolved = platform::ResolvePath(resolved);
  if (!platform::FolderExists(resolved)) return Fail(error, "no such folder: " + folder);
  return Collect(resolved, "", 0, items, error, skipExt);
}

bool WritePak11(const std::string& pakPath, const std::vector<PakWriterItem>& items, std::string* error) {
  std::vector<uint8_t> bytes;
  if (!BuildPak11(items, bytes, error)) return false;
  if (!platform::WriteFileAtomic(pakPath, bytes.data(), bytes.size())) return Fail(error, "cannot write " + pakPath);
  return true;
}

bool WritePakFromFolder(const std::string& folder, const std::string& pakPath, std::string* error) {
  std::vector<PakWriterItem> items;
  if (!CollectPakItems(folder, items, error)) return false;
  return WritePak11(pakPath, items, error);
}
