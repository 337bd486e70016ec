#pragma once
#include "resources/ByteReader.h"

#include <cstdint>
#include <string>

// One entry of a version 1.1 pack's item table: four little-endian int32
// values and a 256-byte name, 272 bytes in all.
class TTableItem {
public:
  static constexpr int NAME_SIZE = 256;
  static constexpr int ITEM_SIZE = 272;

  int32_t Size = 0;     // compressed byte count
  int32_t Offset = 0;   // stored by the writer; the reader never seeks by it
  int32_t RealSize = 0; // decompressed byte count
  int32_t VarType = 0;
  std::string Name;     // trimmed of bytes <= 32 at both ends

  // Reads one 272-byte entry; false when fewer bytes are left.
  bool ReadFromStream(ByteReader& in);
};

// A fixed-size name field: bytes with code 32 or lower (spaces, NULs) are
// trimmed from both ends.
std::string TrimPakName(const uint8_t* field, size_t size);
