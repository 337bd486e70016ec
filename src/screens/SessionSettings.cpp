#include "screens/SessionSettings.h"

#include "solitaire/TGamePlay.h"

TIniFile SessionConfig;

namespace {
bool loaded = false;

void FillSession() {
  SessionConfig.Clear();
  SessionConfig.Add("ShowTimer", GamePlay->ShowTimer);
  SessionConfig.Add("FirstRun", GamePlay->FirstRun);
}
} // namespace

int LoadSessionSettings(const std::string& folder) {
  SessionConfig.FileName = folder + "config";
  FillSession();
  SessionConfig.Load();
  for (const auto& line : SessionConfig) {
    if (line->Name == "SHOWTIMER") GamePlay->ShowTimer = IniTextToInt(line->Value);
    else if (line->Name == "FIRSTRUN") GamePlay->FirstRun = IniTextToInt(line->Value);
  }
  loaded = true;
  return 1;
}

int WriteSessionSettings() {
  // An early exit (a missing data pack) reaches here before the file has a
  // name; nothing is written then.
  if (!loaded || SessionConfig.FileName.empty() || !GamePlay) return 0;
  FillSession();
  return SessionConfig.Save();
}

bool SessionSettingsLoaded() { return loaded; }

void ResetSessionSettings() {
  SessionConfig = TIniFile();
  loaded = false;
}
