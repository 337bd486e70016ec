#include "screens/SessionSettings.h"

#include "solitaire/TGamePlay.h"

TIniFile SessionConfig;

namespace {
bool loaded = false;

void FillSession() {
  if (!GamePlay) GamePlay = std::make_shared<TGamePlay>();
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
  if (!loaded || SessionConfig.FileName.empty()) return 0;
  FillSession();
  return SessionConfig.Save();
}

bool SessionSettingsLoaded() { return loaded; }
