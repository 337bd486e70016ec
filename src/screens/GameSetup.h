#pragma once
#include <string>

// What the command line asks of this run.
struct TRunOptions {
  std::string DataFolder; // --data DIR (empty: found automatically)
  int FullScreen = -1;    // --fullscreen 1, --windowed 0, -1 the saved setting
};

// The shared data folder below the user's data folder (settings, players,
// the error log; also the last place for the single-instance lock).
inline constexpr const char* SharedDataFolder = "Velquor Games/Marrowdeck";
// Shown when the data pack is missing and the game text has no "Data Pak Error".
inline constexpr const char* DataPakErrorFallback =
    "Marrowdeck could not find its game data (data/resources/data.pak). Please reinstall the game.";

// Configures Game and loads every shared resource into the objects
// CreateGameGlobals made, in the start-up order: the
// folders and settings (with crash recovery), audio, game text, packs,
// fonts, the session options, the window, the logo splash and, under the
// loading screen, sounds, music and pictures.
void GameSetup(const TRunOptions& options);

// The loaders that run under the loading screen; each advances the loading bar.
void LoadGameResources();
void LoadSoundEffects();
void LoadMusicTracks();
void LoadInterfaceImages();

// The game's data folder (ends in "/"): --data, else $MARROWDECK_DATA, else
// "gamedata/" beside the executable when it exists, else the installed
// share folder "../share/marrowdeck/" beside the executable's folder.
std::string FindDataPrefix(const std::string& commandLineFolder);
