// Feeds arbitrary bytes to the settings-file reader and checks what any
// settings file must satisfy: the known keys stay exactly as added, and
// what is saved reads back to the same values.
#include "app/TIniFile.h"

#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>

namespace {

const char* const Keys[] = {"Full Screen", "Sound", "Music", "Sound Volume", "Particles", "Driver",
                            "Sound Driver", "Profile Name", "Sub-Region", "ShowTimer", "FirstRun"};

void Fill(TIniFile& ini) {
  for (const char* key : Keys) ini.Add(key, "1");
  ini.Add("Sound", "1"); // a key added twice
}

void Check(bool condition) {
  if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  TIniFile ini;
  Fill(ini);
  ini.LoadFromBytes(bytes);
  Check(ini.Count() == std::size(Keys) + 1);
  for (size_t i = 0; i < std::size(Keys); ++i) Check(ini.Lines()[i]->Name == IniUpperCase(Keys[i]));
  for (const auto& line : ini) {
    Check(line->Value.find_first_of(std::string("\n\r\0", 3)) == std::string::npos);
    IniTextToInt(line->Value);
  }

  TIniFile again;
  Fill(again);
  again.LoadFromBytes(ini.ToBytes());
  for (size_t i = 0; i < ini.Count(); ++i) Check(again.Lines()[i]->Value == ini.Lines()[i]->Value);

  IniTextToInt(bytes);
  return 0;
}
