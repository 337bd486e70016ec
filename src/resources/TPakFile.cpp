#include "resources/TPakFile.h"

#include "platform/ErrorReport.h"
#include "platform/Files.h"
#include "platform/Zlib.h"
#include "resources/TTableItem.h"

#include <algorithm>

namespace {

// The largest pack file read into memory: a stream is never much larger than
// what it inflates to, so a bigger file cannot hold a pack within the limit.
constexpr int64_t MaxPakFileBytes = 2 * TPakFile::MaxInflatedBytes;

std::string Corrupt(const std::string& why) { return "TPakFile::Corrupt pak file: " + why; }

// Deflate never packs more than about 1032 bytes into one, so a stream of
// `compressed` bytes cannot inflate to more than this. A block that must be
// complete (the item table) and declares more is refused before anything is
// allocated for it.
int64_t MaxInflatedSize(int64_t compressed) { return compressed * 1040 + 1024; }

// The declared sizes of a version 1.0 pack's items added up, walking the item
// headers ahead of inflating anything (a broken header ends the walk; the
// reading itself reports it).
int64_t DeclaredTotal10(ByteReader in, int32_t count) {
  int64_t total = 0;
  for (int32_t i = 0; i < count; ++i) {
    int32_t varType = 0, compressedSize = 0, realSize = 0;
    if (!in.Take(TPakFile::Version10NameSize) || !in.ReadInt32(varType) || !in.ReadInt32(compressedSize) ||
        !in.ReadInt32(realSize) || compressedSize < 0 || !in.Take(size_t(compressedSize)))
      break;
    if (realSize > 0) total += realSize;
  }
  return total;
}

// The same for a version 1.1 table.
int64_t DeclaredTotal11(ByteReader entries, int32_t count) {
  int64_t total = 0;
  for (int32_t i = 0; i < count; ++i) {
    TTableItem entry;
    if (!entry.ReadFromStream(entries)) break;
    if (entry.RealSize > 0) total += entry.RealSize;
  }
  return total;
}

bool WithinInflatedBudget(int64_t total, std::string& error) {
  if (total <= TPakFile::MaxInflatedBytes) return true;
  error = Corrupt("items larger than 64 MiB in all");
  return false;
}

} // namespace

bool InflatePakBlock(const uint8_t* data, int32_t compressedSize, int32_t realSize, std::vector<uint8_t>& out,
                     std::string& error, bool padShortStream) {
  if (compressedSize < 0 || realSize < 0) {
    error = Corrupt("negative size");
    return false;
  }
  if (compressedSize > TPakFile::MaxItemBytes || realSize > TPakFile::MaxItemBytes) {
    error = Corrupt("item larger than 16 MiB");
    return false;
  }
  if (!padShortStream && realSize > MaxInflatedSize(compressedSize)) {
    error = Corrupt("declared size cannot come from its stream");
    return false;
  }
  // Inflate into no more than the stream can give, and pad to the declared
  // size only once the stream has proved complete: a damaged item that
  // declares megabytes costs its own length, not megabytes of zeros.
  const int64_t reachable = std::min<int64_t>(realSize, MaxInflatedSize(compressedSize));
  out.assign(size_t(reachable), 0);
  // An empty item may be stored as no bytes at all.
  if (realSize == 0 && compressedSize == 0) return true;
  const int64_t produced = platform::Inflate(data, size_t(compressedSize), out.data(), size_t(reachable));
  if (produced < 0) {
    error = Corrupt("item stream does not inflate");
    out.clear();
    return false;
  }
  // A complete stream that gives fewer bytes than declared keeps the
  // zero-filled rest: packs written with a generous size still load.
  if (produced < realSize && !padShortStream) {
    error = Corrupt("stream shorter than its declared size");
    out.clear();
    return false;
  }
  out.resize(size_t(realSize));
  return true;
}

std::shared_ptr<TPakFile> TPakFile::Create(const std::string& path) {
  const std::string resolved = platform::ResolvePath(path);
  const int64_t size = platform::FileSize(resolved);
  if (size < 0) return nullptr;
  std::string error;
  auto pak = std::make_shared<TPakFile>();
  if (size > MaxPakFileBytes) {
    error = Corrupt("file larger than 128 MiB");
  } else {
    std::vector<uint8_t> bytes;
    if (!platform::ReadWholeFile(resolved, bytes, MaxPakFileBytes)) return nullptr;
    ByteReader in(bytes.data(), bytes.size());
    if (pak->ReadFromStream(in, &error)) return pak;
  }
  ShowError(error + " (" + path + ")", 0);
  return nullptr;
}

bool TPakFile::ReadFromStream(ByteReader& in, std::string* error) {
  Items.clear();
  std::string why;
  int32_t magic = 0, version = 0;
  bool ok = false;
  if (!in.ReadInt32(magic) || uint32_t(magic) != Magic) {
    why = "TPakFile::Invalid pak file";
  } else if (!in.ReadInt32(version)) {
    why = Corrupt("truncated header");
  } else if (version == Version10) {
    ok = ReadVersion10(in, why);
  } else if (version == Version11) {
    ok = ReadVersion11(in, why);
  } else {
    const uint32_t word = uint32_t(version);
    why = "TPakFile::Unsupported pakfile version " + std::to_string(word & 0xFFFF) + "." + std::to_string(word >> 16);
  }
  if (!ok) {
    Items.clear();
    if (error) *error = why;
  }
  return ok;
}

bool TPakFile::ReadVersion10(ByteReader& in, std::string& error) {
  int32_t count = 0;
  if (!in.ReadInt32(count)) {
    error = Corrupt("truncated header");
    return false;
  }
  // Each item takes at least its 64-byte header.
  constexpr size_t headerSize = Version10NameSize + 12;
  if (count < 0 || size_t(count) > in.Remaining() / headerSize) {
    error = Corrupt("item count " + std::to_string(count) + " does not fit the file");
    return false;
  }
  if (!WithinInflatedBudget(DeclaredTotal10(in, count), error)) return false;
  Items.reserve(size_t(count));
  for (int32_t i = 0; i < count; ++i) {
    const uint8_t* name = in.Take(Version10NameSize);
    int32_t varType = 0, compressedSize = 0, realSize = 0;
    if (!name || !in.ReadInt32(varType) || !in.ReadInt32(compressedSize) || !in.ReadInt32(realSize)) {
      error = Corrupt("truncated item header");
      return false;
    }
    if (compressedSize < 0 || size_t(compressedSize) > in.Remaining()) {
      error = Corrupt("item data beyond the end of the file");
      return false;
    }
    const uint8_t* data = in.Take(size_t(compressedSize));
    auto item = std::make_shared<TPakItem>(TrimPakName(name, Version10NameSize), varType, std::vector<uint8_t>());
    if (!InflatePakBlock(data, compressedSize, realSize, item->Data, error, true)) return false;
    Items.push_back(std::move(item));
  }
  return true;
}

bool TPakFile::ReadVersion11(ByteReader& in, std::string& error) {
  int32_t count = 0, tableCompressed = 0, tableReal = 0;
  if (!in.ReadInt32(count) || !in.ReadInt32(tableCompressed) || !in.ReadInt32(tableReal)) {
    error = Corrupt("truncated header");
    return false;
  }
  if (count < 0 || int64_t(count) * TTableItem::ITEM_SIZE != int64_t(tableReal)) {
    error = Corrupt("table size does not match the item count");
    return false;
  }
  if (tableCompressed < 0 || size_t(tableCompressed) > in.Remaining()) {
    error = Corrupt("item table beyond the end of the file");
    return false;
  }
  const uint8_t* tableData = in.Take(size_t(tableCompressed));
  std::vector<uint8_t> table;
  // The table must hold all of its entries.
  if (!InflatePakBlock(tableData, tableCompressed, tableReal, table, error, false)) return false;

  ByteReader entries(table.data(), table.size());
  if (!WithinInflatedBudget(DeclaredTotal11(entries, count), error)) return false;
  Items.reserve(size_t(count));
  for (int32_t i = 0; i < count; ++i) {
    TTableItem entry;
    if (!entry.ReadFromStream(entries)) {
      error = Corrupt("truncated item table");
      return false;
    }
    if (entry.Size < 0 || size_t(entry.Size) > in.Remaining()) {
      error = Corrupt("item data beyond the end of the file");
      return false;
    }
    // Item streams follow the table back to back, in table order.
    const uint8_t* data = in.Take(size_t(entry.Size));
    auto item = std::make_shared<TPakItem>(entry.Name, entry.VarType, std::vector<uint8_t>());
    if (!InflatePakBlock(data, entry.Size, entry.RealSize, item->Data, error, true)) return false;
    Items.push_back(std::move(item));
  }
  return true;
}
