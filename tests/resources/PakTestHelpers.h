#pragma once
// Builders of raw pack bytes for the reader tests, able to write packs that
// lie about their counts and sizes.
#include "platform/Zlib.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace paktest {

inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

inline void PutField(std::vector<uint8_t>& out, const std::string& name, size_t field) {
  const size_t start = out.size();
  out.resize(start + field, 0);
  std::memcpy(out.data() + start, name.data(), std::min(name.size(), field));
}

inline std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

inline std::vector<uint8_t> Z(const std::vector<uint8_t>& data) { return platform::Deflate(data.data(), data.size()); }

// One item as stored, with sizes that may disagree with the stream.
struct RawItem {
  std::string NameField; // written into the fixed-size name field as is
  int32_t VarType = 0;
  int32_t Size = 0;      // declared compressed size
  int32_t RealSize = 0;  // declared real size
  std::vector<uint8_t> Stream;
};

inline RawItem Item(const std::string& name, const std::string& content, int32_t varType = 0) {
  RawItem item;
  item.NameField = name;
  item.VarType = varType;
  item.Stream = Z(Bytes(content));
  item.Size = int32_t(item.Stream.size());
  item.RealSize = int32_t(content.size());
  return item;
}

inline std::vector<uint8_t> Header(uint32_t version) {
  std::vector<uint8_t> out;
  Put32(out, 0x4B415021);
  Put32(out, version);
  return out;
}

inline std::vector<uint8_t> Pak10(const std::vector<RawItem>& items, int64_t count = -1) {
  std::vector<uint8_t> out = Header(1);
  Put32(out, uint32_t(count < 0 ? int64_t(items.size()) : count));
  for (const auto& item : items) {
    PutField(out, item.NameField, 52);
    Put32(out, uint32_t(item.VarType));
    Put32(out, uint32_t(item.Size));
    Put32(out, uint32_t(item.RealSize));
    out.insert(out.end(), item.Stream.begin(), item.Stream.end());
  }
  return out;
}

inline std::vector<uint8_t> Table11(const std::vector<RawItem>& items) {
  std::vector<uint8_t> table;
  for (const auto& item : items) {
    Put32(table, uint32_t(item.Size));
    Put32(table, 0);
    Put32(table, uint32_t(item.RealSize));
    Put32(table, uint32_t(item.VarType));
    PutField(table, item.NameField, 256);
  }
  return table;
}

// A version 1.1 pack; the table stream and the header's numbers can be
// replaced to make it lie.
inline std::vector<uint8_t> Pak11(const std::vector<RawItem>& items, int64_t count = -1,
                                  const std::vector<uint8_t>* tableStream = nullptr, int64_t tableReal = -1,
                                  int64_t tableCompressed = -1) {
  const std::vector<uint8_t> table = Table11(items);
  const std::vector<uint8_t> packed = tableStream ? *tableStream : Z(table);
  std::vector<uint8_t> out = Header(0x00010001);
  Put32(out, uint32_t(count < 0 ? int64_t(items.size()) : count));
  Put32(out, uint32_t(tableCompressed < 0 ? int64_t(packed.size()) : tableCompressed));
  Put32(out, uint32_t(tableReal < 0 ? int64_t(table.size()) : tableReal));
  out.insert(out.end(), packed.begin(), packed.end());
  for (const auto& item : items) out.insert(out.end(), item.Stream.begin(), item.Stream.end());
  return out;
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

} // namespace paktest
