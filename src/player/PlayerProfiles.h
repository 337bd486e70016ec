#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TDialogTextInput;
class VQProfile;

// The game's players: each is a name with a marker file in the profile folder,
// profile folder + name + ".dat" holding the int32 1 (little-endian); the
// current player's name is the settings file's "Profile Name". Names become
// file names, so every name is checked as a player name (CheckName) before a
// file is made from it, including a name read back from the settings file.
// Names are 8-bit (Latin-1) throughout: settings, file names, lists and
// high-score tables keep the bytes unchanged.

// The current player, null until one is chosen.
extern std::shared_ptr<VQProfile> CurrentProfile;

// Profile folder + name + ".dat".
std::string PlayerFilePath(const std::string& name);
// 1 when `name` may be a player's name, else 0.
int32_t ValidPlayerName(const std::string& name);
// The players' names (every ".dat" file but a bare ".dat"), sorted ignoring
// case; false (and no names) when the profile folder cannot be listed.
bool ListPlayers(std::vector<std::string>& names);
// The player's completed-layout marks, as settings-file names (".ini" is
// added on disk): profile folder + name + "ms", "mc", "ts", "tc" (Matching
// and Tri Peaks, standard and custom).
std::vector<std::string> PlayerCompletedFiles(const std::string& name);
// The one of them for a game type (3 Matching, 4 Tri Peaks) and list; "" for
// any other type.
std::string PlayerCompletedFile(const std::string& name, int32_t gameType, int32_t isCustomLevel);

// The marker file of `profile`: written crash-safely (1 written, 0 not), and
// read (1 whenever it exists, whatever its length; a missing one is written
// and 0 given).
int32_t ProfileSaveFunction(VQProfile& profile);
int32_t ProfileLoadFunction(VQProfile& profile);
// A VQProfile of `name` with the two functions installed.
std::shared_ptr<VQProfile> CreateGameProfile(const std::string& name);

// Makes `name` the current player: its marker file made when new, "Profile
// Name" stored in the settings file. A name matching an existing player
// ignoring case takes that player's spelling. 0 when the name is refused or
// its file cannot be written; nothing changes then.
int32_t SelectPlayer(const std::string& name);
// The error text for a player file that could not be made.
std::string PlayerFileErrorMessage(const std::string& key, const std::string& name);

// The name dialog on "entername": at most 10 characters, Latin-1 letters
// allowed, names checked with the error dialog on refusal, the name kept as
// typed. Without cancel (the first start) Escape does not close it either.
std::shared_ptr<TDialogTextInput> CreatePlayerNamePrompt(int32_t withCancel);

// What the title screen opens on its first arrival.
enum class TPlayerStartup { Ready, AskName, ChoosePlayer };
// The start-up check: an unreadable profile folder is fatal ("Failed Read
// Directory"); no players asks for a name; otherwise the stored name becomes
// the current player, and a missing or unusable stored name (treated as
// empty) opens the player manager.
TPlayerStartup StartupPlayerCheck();
