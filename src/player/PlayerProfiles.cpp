#include "player/PlayerProfiles.h"

#include "app/TGame.h"
#include "platform/ErrorReport.h"
#include "platform/Files.h"
#include "player/VQProfile.h"
#include "resources/TGameImage.h"
#include "resources/TGameText.h"
#include "resources/TImageBank.h"
#include "ui/DialogFactories.h"
#include "ui/NameCheck.h"
#include "ui/TColor.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogTextInput.h"
#include "ui/TShadow.h"
#include "ui/TTextInput.h"
#include "ui/TextDraw.h"

#include <algorithm>

std::shared_ptr<VQProfile> CurrentProfile;

namespace {

// The marker's bytes: the int32 1, little-endian.
const std::string MarkerBytes("\x01\x00\x00\x00", 4);

std::string Text(const std::string& key) { return GameText ? GameText->FindString(key) : std::string(); }

std::string ProfileFolder() { return Game ? Game->ProfilePath : std::string(); }

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return UpperLatin1(x) == UpperLatin1(y);
         });
}

// The player's own spelling of `name` when one matches it ignoring case.
std::string ExistingSpelling(const std::string& name) {
  std::vector<std::string> players;
  ListPlayers(players);
  for (const std::string& player : players)
    if (SameIgnoringCase(player, name)) return player;
  return name;
}

std::shared_ptr<TGameImage> PromptPanel() {
  if (Images && Images->FindTImage("entername")) return Images->Find("entername");
  const std::string path = (Game ? Game->ImagePath : std::string()) + "entername.png";
  return platform::FileExists(path) ? TGameImage::Create(path, -1, 0) : nullptr;
}

// `profile` becomes the current player; the window closed during play saves it.
void MakeCurrent(const std::shared_ptr<VQProfile>& profile) {
  Game->ProfileName = profile->Name;
  CurrentProfile = profile;
  Game->ProfileLoadedFunction = [] { return CurrentProfile != nullptr; };
  Game->SaveProfileFunction = [] {
    if (CurrentProfile) CurrentProfile->Save();
  };
}

} // namespace

std::string PlayerFilePath(const std::string& name) { return ProfileFolder() + name + ".dat"; }

int32_t ValidPlayerName(const std::string& name) {
  std::string message;
  return CheckName(name, TNameKind::Player, message) == 1 ? 1 : 0;
}

bool ListPlayers(std::vector<std::string>& names) {
  std::vector<std::string> entries;
  names.clear();
  if (!platform::ListFolderChecked(ProfileFolder(), "dat", entries)) return false;
  for (const std::string& entry : entries)
    if (entry.size() > 4) names.push_back(entry.substr(0, entry.size() - 4)); // not the bare ".dat"
  return true;
}

std::vector<std::string> PlayerCompletedFiles(const std::string& name) {
  std::vector<std::string> files;
  for (int32_t type : {3, 4})
    for (int32_t custom : {0, 1}) files.push_back(PlayerCompletedFile(name, type, custom));
  return files;
}

std::string PlayerCompletedFile(const std::string& name, int32_t gameType, int32_t isCustomLevel) {
  const char* suffix = nullptr;
  if (gameType == 3) suffix = isCustomLevel ? "mc" : "ms";
  else if (gameType == 4) suffix = isCustomLevel ? "tc" : "ts";
  return suffix ? ProfileFolder() + name + suffix : std::string();
}

int32_t ProfileSaveFunction(VQProfile& profile) {
  const std::string path = PlayerFilePath(profile.Name);
  const std::string target = platform::FileExists(path) ? platform::ResolvePath(path) : path;
  return platform::WriteFileAtomic(target, MarkerBytes) ? 1 : 0;
}

int32_t ProfileLoadFunction(VQProfile& profile) {
  // A file cut short by a crash while it was written still marks a player.
  if (platform::FileExists(PlayerFilePath(profile.Name))) return 1;
  profile.Save();
  return 0;
}

std::shared_ptr<VQProfile> CreateGameProfile(const std::string& name) {
  auto profile = VQProfile::Create(name);
  // The functions refer back to their own profile: a plain pointer, never
  // deleted, so that the profile does not keep itself alive.
  VQProfile* self = profile.get();
  profile->SaveFunction = [self] { return ProfileSaveFunction(*self); };
  profile->LoadFunction = [self] { return ProfileLoadFunction(*self); };
  return profile;
}

std::string PlayerFileErrorMessage(const std::string& key, const std::string& name) {
  return Text(key) + name + ".dat'.";
}

int32_t SelectPlayer(const std::string& typed) {
  if (!ValidPlayerName(typed) || !Game) return 0;
  const std::string name = ExistingSpelling(typed);
  auto profile = CreateGameProfile(name);
  profile->Load();
  if (!platform::FileExists(PlayerFilePath(name))) return 0;
  MakeCurrent(profile);
  Game->IniUpdate(1);
  return 1;
}

std::shared_ptr<TDialogTextInput> CreatePlayerNamePrompt(int32_t withCancel) {
  const TNameKind kind = TNameKind::Player;
  auto dialog = TDialogTextInput::Create(Text("Enter Name"), "", NameMaxLength(kind), PromptPanel(), 0, 0, 0);
  dialog->MenuCreate(withCancel ? 1 : 0, 30);
  dialog->SetupText(FontOfSize(20), TColor::Create(255, 255, 255), TShadow::Create(1, 1, 0.6f), 0);
  dialog->BoxBorderH = 40;
  // Every character is typed as it is; a name that cannot be a file name is
  // refused on OK with the reason, so "../x" is never quietly turned into "..x".
  dialog->TextInput->AllowExtendedChars = 1;
  dialog->TextInput->AllowEscToAbort = withCancel ? 1 : 0;
  dialog->UppercaseFirstChar = 0;
  dialog->ErrorCheckFunc = NameCheckFunc(kind);
  dialog->ErrorDialogFunc = [](const std::string& message) { return CreateErrorOKDialog(message); };
  StyleGameDialog(*dialog);
  return dialog;
}

TPlayerStartup StartupPlayerCheck() {
  std::vector<std::string> players;
  if (!ListPlayers(players)) {
    ShowError(Text("Failed Read Directory") + ProfileFolder() + "'", 1);
    return TPlayerStartup::AskName;
  }
  if (players.empty()) return TPlayerStartup::AskName;

  // A stored name that could not be a player's (a path, a control
  // character, too long) is taken for no name at all.
  if (!ValidPlayerName(Game->ProfileName)) Game->ProfileName.clear();
  if (Game->ProfileName.empty()) {
    const std::string stray = ProfileFolder() + ".dat";
    if (platform::FileExists(stray)) platform::DeleteFile(stray);
    CurrentProfile.reset();
    return TPlayerStartup::ChoosePlayer;
  }
  const std::string name = ExistingSpelling(Game->ProfileName);
  auto profile = CreateGameProfile(name);
  profile->Load();
  if (!platform::FileExists(PlayerFilePath(name)))
    ShowError(Text("Could Not Create File") + PlayerFilePath(name) + "'", 0);
  MakeCurrent(profile);
  return TPlayerStartup::Ready;
}
