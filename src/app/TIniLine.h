#pragma once
#include <string>

// One "KEY=value" line of a settings file. `Name` is kept in upper case by
// TIniFile::Add; `Value` is the text exactly as read or given (bytes, one per
// character).
class TIniLine {
public:
  TIniLine() = default;
  TIniLine(std::string name, std::string value) : Name(std::move(name)), Value(std::move(value)) {}

  std::string Name;
  std::string Value;
};
