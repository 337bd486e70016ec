#include "app/VQIniFile.h"

int VQIniFile::Load(int save) {
  const int read = ReadValues();
  if (save == 1) Save();
  return read;
}
