#pragma once
#include "app/TIniFile.h"

// The game's own small options file "config" (in the shared data folder):
// "ShowTimer" and "FirstRun".
extern TIniFile SessionConfig;

// The two options, until the game session object that owns them exists.
struct TSessionOptions {
  int ShowTimer = 0; // draw the layout timer
  int FirstRun = 1;  // 1 until the program has ended once
};
extern TSessionOptions SessionOptions;

// Start-up: FileName = folder + "config", defaults in, file loaded, values
// read back. Until this ran, WriteSessionSettings writes nothing.
int LoadSessionSettings(const std::string& folder);
// Clears the file object, adds both keys with their current values, saves.
int WriteSessionSettings();
bool SessionSettingsLoaded();
