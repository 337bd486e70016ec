#include "resources/TTableItem.h"

std::string TrimPakName(const uint8_t* field, size_t size) {
  size_t first = 0;
  size_t last = size;
  while (first < last && field[first] <= 32) ++first;
  while (last > first && field[last - 1] <= 32) --last;
  return std::string(reinterpret_cast<const char*>(field) + first, last - first);
}

bool TTableItem::ReadFromStream(ByteReader& in) {
  if (!in.ReadInt32(Size) || !in.ReadInt32(Offset) || !in.ReadInt32(RealSize) || !in.ReadInt32(VarType)) return false;
  const uint8_t* name = in.Take(NAME_SIZE);
  if (!name) return false;
  Name = TrimPakName(name, NAME_SIZE);
  return true;
}
