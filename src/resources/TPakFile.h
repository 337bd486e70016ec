#pragma once
#include "resources/ByteReader.h"
#include "resources/TPakItem.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One resource pack file: a little-endian archive of named, zlib-compressed
// items, read whole and decompressed into memory.
//
// A pack is untrusted data: every count and size is checked against the
// bytes present, against MaxItemBytes and against a total for the whole pack
// before anything is allocated. An item whose complete stream inflates to
// fewer bytes than declared is zero-padded to its declared size; a stream
// that is damaged anywhere (data, header, checksum, truncation) makes the
// whole pack invalid. An invalid pack yields no items at all.
class TPakFile {
public:
  static constexpr uint32_t Magic = 0x4B415021;     // "!PAK"
  static constexpr int32_t Version10 = 1;
  static constexpr int32_t Version11 = 0x00010001;
  static constexpr int32_t Version10NameSize = 52;
  // The most one item (or the table) and one whole pack may hold once
  // inflated. A short stream is zero-padded to its declared size, so the
  // sizes alone decide what is allocated: a few bytes of pack must not claim
  // gigabytes. The game's own packs hold about a megabyte in all.
  static constexpr int64_t MaxItemBytes = 16ll << 20;
  static constexpr int64_t MaxInflatedBytes = 64ll << 20;

  std::vector<std::shared_ptr<TPakItem>> Items; // in pack order

  // Reads the pack at `path`. nullptr when the file cannot be opened (quietly)
  // or is not a valid pack (reported through ShowError, not fatal).
  static std::shared_ptr<TPakFile> Create(const std::string& path);

  // Reads either version from `in` into Items. False with `error` set on any
  // fault: "TPakFile::Invalid pak file" for a wrong magic,
  // "TPakFile::Unsupported pakfile version 2.0" style for an unknown version,
  // "TPakFile::Corrupt pak file: ..." for broken contents. Items is empty
  // after a failure.
  bool ReadFromStream(ByteReader& in, std::string* error = nullptr);

private:
  bool ReadVersion10(ByteReader& in, std::string& error);
  bool ReadVersion11(ByteReader& in, std::string& error);
};

// Inflates one stored block into exactly `realSize` bytes (a stream giving
// more keeps the first `realSize`; one giving fewer is zero-padded when
// `padShortStream`, else refused). False when the sizes are out of range or
// the stream is damaged.
bool InflatePakBlock(const uint8_t* data, int32_t compressedSize, int32_t realSize, std::vector<uint8_t>& out,
                     std::string& error, bool padShortStream);
