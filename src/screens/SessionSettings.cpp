#include "screens/SessionSettings.h"

TIniFile SessionConfig;
TSessionOptions SessionOptions;

namespace {
bool loaded = false;

void FillSession() {
  SessionConfig.Clear();
  SessionConfig.Add("ShowTimer", SessionOptions.ShowTimer);
  SessionConfig.Add("FirstRun", SessionOptions.FirstRun);
}
} // namespace

int LoadSessionSettings(const std::string& folder) {
  SessionConfig.FileName = folder + "config";
  FillSession();
  SessionConfig.Load();
  for (const auto& line : SessionConfig) {
    if (line->Name == "SHOWTIMER") SessionOptions.ShowTimer = IniTextToInt(line->Value);
    else if (line->Name == "FIRSTRUN") SessionOptions.FirstRun = IniTextToInt(line->Value);
  }
  loaded = true;
  return 1;
}

int WriteSessionSettings() {
  // An early exit (a missing data pack) reaches here before the file has a
  // name; nothing is written then.
  if (!loaded || SessionConfig.FileName.empty()) return 0;
  FillSession();
  return SessionConfig.Save();
}

bool SessionSettingsLoaded() { return loaded; }
