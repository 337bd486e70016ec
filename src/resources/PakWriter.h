#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes resource packs. Version 1.1 (an item table, then the item streams)
// is what the tools produce; version 1.0 (items inline) is kept so old packs
// can be made for checking the reader.
struct PakWriterItem {
  std::string Name;    // at most 256 bytes in 1.1, 52 in 1.0
  int32_t VarType = 0;
  std::vector<uint8_t> Data;
};

// The bytes of a pack; false with `error` set when a name or item does not
// fit the format.
bool BuildPak11(const std::vector<PakWriterItem>& items, std::vector<uint8_t>& out, std::string* error = nullptr,
                int level = 9);
bool BuildPak10(const std::vector<PakWriterItem>& items, std::vector<uint8_t>& out, std::string* error = nullptr,
                int level = 9);

// Every file under `folder` (sub-folders walked in name order, names joined
// with "/", VarType from the extension), skipping files whose name ends in
// `skipExt` (".pak" keeps a pack from swallowing others). False with `error`
// set when a file cannot be read.
bool CollectPakItems(const std::string& folder, std::vector<PakWriterItem>& items, std::string* error = nullptr,
                     const std::string& skipExt = ".pak");

// Packs a folder into a version 1.1 pack at `pakPath`, written crash-safe.
bool WritePakFromFolder(const std::string& folder, const std::string& pakPath, std::string* error = nullptr);
// Writes items as a version 1.1 pack at `pakPath`, crash-safe.
bool WritePak11(const std::string& pakPath, const std::vector<PakWriterItem>& items, std::string* error = nullptr);
