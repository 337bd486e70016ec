#pragma once
#include "app/TIniFile.h"

// The same settings-file format as TIniFile, with a choice whether loading
// writes the file back.
class VQIniFile : public TIniFile {
public:
  using TIniFile::TIniFile;

  // Reads the file into the known keys; saves afterwards only when `save` is
  // 1. Returns 1 when the file was read, 0 otherwise.
  int Load(int save);
};
