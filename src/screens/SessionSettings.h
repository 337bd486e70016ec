#pragma once
#include "app/TIniFile.h"

// The game's own small options file "config" (in the shared data folder):
// "ShowTimer" and "FirstRun" of GamePlay.
extern TIniFile SessionConfig;

// Start-up: FileName = folder + "config", defaults in, file loaded, values
// read back. Until this ran, WriteSessionSettings writes nothing.
int LoadSessionSettings(const std::string& folder);
// Clears the file object, adds both keys with their current values, saves.
int WriteSessionSettings();
bool SessionSettingsLoaded();
// An empty, nameless file object that writes nothing until loaded again.
void ResetSessionSettings();
