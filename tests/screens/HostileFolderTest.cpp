// Hostile entries in the player's folder for every kind of file the game
// lists: saved games of each variant, the player's own layouts (the Tri Peaks
// and Matching lists and the editor's), players, completed-layout marks and
// high-score tables. Each list opens with them; choosing one the game cannot
// read shows the error dialog and the game goes on; no entry is changed.
#include "LevelScreenWorld.h"

#include "app/TMousePointer.h"
#include "effects/TSlideLineList.h"
#include "platform/ErrorReport.h"
#include "player/PlayerProfiles.h"
#include "player/TSaveGameManager.h"
#include "player/VQPlayerManager.h"
#include "screens/LevelFiles.h"
#include "screens/TGameGUI.h"
#include "screens/TGameMenu.h"
#include "screens/TGameScreen.h"
#include "screens/THighScoreScreen.h"
#include "screens/TLevelPlayScreen.h"
#include "screens/TPlayScreen.h"
#include "screens/TTitleScreen.h"
#include "screens/VQGenerateScreen.h"
#include "screens/VQLevelList.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeEditor.h"
#include "solitaire/TLayoutGameMode.h"
#include "solitaire/TState.h"
#include "ui/DialogFactories.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogYesNo.h"
#include "ui/TListBox.h"
#include "ui/VQListBox.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <set>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What choosing an entry must do: be refused with the error dialog, be
// taken (it is a good file under an unusual name), either of the two (a
// damaged file the lenient layout reader may still take), or nothing at all
// because the list does not show it.
enum class Outcome { Refused, Taken, Either, Hidden };

struct Entry {
  std::string stem;
  Outcome outcome;
};

// Names a test message can show.
std::string Printable(const std::string& name) {
  std::string shown;
  for (unsigned char ch : name) {
    if (ch >= 32 && ch < 127) shown += char(ch);
    else {
      char hex[8];
      std::snprintf(hex, sizeof(hex), "\\x%02x", ch);
      shown += hex;
    }
  }
  return shown;
}

std::vector<Entry> ListedOf(const std::vector<Entry>& entries) {
  std::vector<Entry> listed;
  for (const Entry& entry : entries)
    if (entry.outcome != Outcome::Hidden) listed.push_back(entry);
  return listed;
}

void SetOutcome(std::vector<Entry>& entries, const std::string& stem, Outcome outcome) {
  for (Entry& entry : entries)
    if (entry.stem == stem) entry.outcome = outcome;
}

std::set<std::string> StemsOf(const std::vector<Entry>& entries) {
  std::set<std::string> stems;
  for (const Entry& entry : entries) stems.insert(entry.stem);
  return stems;
}

// Recorded instead of shown: the messages the error reporter was given.
std::vector<std::string> Reported;
void Record(const std::string& message, int fatal) {
  Reported.push_back(message);
  if (fatal) throw std::runtime_error("fatal: " + message);
}

class HostileFolderTest : public LevelScreenWorld {
protected:
  void SetUp() override {
    LevelScreenWorld::SetUp();
    Reported.clear();
    previousHandler = GetErrorHandler();
    SetErrorHandler(&Record);
  }
  void TearDown() override {
    SetErrorHandler(previousHandler);
    // The locked entry must go with the folder.
    for (const std::string& path : lockedFiles) chmod(path.c_str(), 0644);
    LevelScreenWorld::TearDown();
  }

  // Plants, for files ending in "." + extension: an empty file, the first
  // half of `good`, binary garbage, a file of 3 GiB (sparse), `good` under
  // the longest name a file can have, under a name of control bytes and bytes
  // that are no UTF-8, and under a Latin-1 name; `good` that cannot be read
  // (no permission; root reads it all the same); a folder, a link to itself,
  // a link to nothing, a named pipe and a link to a device. `empty`,
  // `truncated`, `garbage` and `oddName` say what choosing those must do.
  std::vector<Entry> Plant(const std::string& extension, const std::string& good, Outcome empty, Outcome truncated,
                           Outcome garbage, Outcome oddName = Outcome::Taken) {
    const std::string dot = "." + extension;
    auto path = [&](const std::string& stem) { return folder.File(stem + dot); };
    std::vector<Entry> entries;
    folder.Write("Empty" + dot, "");
    entries.push_back({"Empty", empty});
    folder.Write("Truncated" + dot, good.substr(0, good.size() / 2));
    entries.push_back({"Truncated", truncated});
    std::string noise;
    uint32_t state = 7;
    for (int i = 0; i < 4000; ++i) {
      state = state * 1103515245u + 12345u;
      noise += char(state >> 23);
    }
    folder.Write("Garbage" + dot, noise);
    entries.push_back({"Garbage", garbage});
    {
      const int fd = open(path("Huge").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      EXPECT_GE(fd, 0);
      EXPECT_EQ(ftruncate(fd, off_t(3) << 30), 0);
      close(fd);
    }
    entries.push_back({"Huge", Outcome::Refused});
    const std::string longest(255 - dot.size(), 'L');
    folder.Write(longest + dot, good);
    entries.push_back({longest, Outcome::Taken});
    const std::string odd = "odd\x01\x7f\x80\xc3(\xff\xfe\n\t";
    folder.Write(odd + dot, good);
    entries.push_back({odd, oddName});
    const std::string latin = "\xc9l\xe8ve";
    folder.Write(latin + dot, good);
    entries.push_back({latin, Outcome::Taken});
    folder.Write("Locked" + dot, good);
    EXPECT_EQ(chmod(path("Locked").c_str(), 0), 0);
    lockedFiles.insert(path("Locked"));
    entries.push_back({"Locked", geteuid() == 0 ? Outcome::Taken : Outcome::Refused});
    EXPECT_TRUE(platform::CreateFolder(path("Folder")));
    folder.Write("Folder" + dot + "/inside" + dot, good);
    entries.push_back({"Folder", Outcome::Hidden});
    EXPECT_EQ(symlink(("Loop" + dot).c_str(), path("Loop").c_str()), 0);
    entries.push_back({"Loop", Outcome::Hidden});
    EXPECT_EQ(symlink("nowhere/at/all", path("Dangling").c_str()), 0);
    entries.push_back({"Dangling", Outcome::Hidden});
    EXPECT_EQ(mkfifo(path("Pipe").c_str(), 0644), 0);
    entries.push_back({"Pipe", Outcome::Hidden});
    EXPECT_EQ(symlink("/dev/zero", path("Device").c_str()), 0);
    entries.push_back({"Device", Outcome::Hidden});
    return entries;
  }

  // Every entry of the folder (and of its folders) as it stands: kind,
  // permissions, size and a hash of the bytes of small files, link targets.
  std::map<std::string, std::string> Snapshot(const std::string& sub = "") {
    std::map<std::string, std::string> entries;
    DIR* dir = opendir((folder.Path() + sub).c_str());
    if (!dir) return entries;
    while (dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name == "." || name == "..") continue;
      const std::string path = folder.Path() + sub + name;
      struct stat info {};
      lstat(path.c_str(), &info);
      std::string what = std::to_string(info.st_mode) + ":" + std::to_string(info.st_size) + ":";
      if (S_ISLNK(info.st_mode)) {
        char target[256] = {};
        what += std::string(target, size_t(std::max<ssize_t>(readlink(path.c_str(), target, sizeof(target)), 0)));
      } else if (S_ISREG(info.st_mode) && info.st_size < (1 << 20)) {
        std::string bytes;
        platform::ReadWholeFile(path, bytes);
        what += std::to_string(std::hash<std::string>{}(bytes));
      } else if (S_ISDIR(info.st_mode)) {
        for (const auto& [inner, innerWhat] : Snapshot(sub + name + "/")) entries[inner] = innerWhat;
      }
      entries[sub + name] = what;
    }
    closedir(dir);
    return entries;
  }
  // The snapshot of the entries ending in `extension` (and inside the
  // planted folders), without the settings-changed marker the world keeps
  // beside the players, which moves whenever a setting does.
  std::map<std::string, std::string> Planted(const std::string& extension) {
    auto entries = Snapshot();
    for (auto it = entries.begin(); it != entries.end();) {
      const bool planted = it->first.size() > extension.size() &&
                           it->first.compare(it->first.size() - extension.size(), extension.size(), extension) == 0;
      const bool kept = (planted && it->first != "inichanged.dat") || it->first.rfind("Folder.", 0) == 0;
      it = kept ? std::next(it) : entries.erase(it);
    }
    return entries;
  }

  // Closes the open error dialog with Enter.
  void CloseError(const std::function<std::shared_ptr<TDialogOK>()>& dialog) {
    ASSERT_TRUE(dialog());
    WaitOpen(*dialog());
    DrawFrame();
    TapKey("Return");
    ASSERT_TRUE(TickUntil([&] { return !dialog(); }, 400));
    Tick(2);
  }

  // `stem` chosen in the open save-game manager as a player does: its line
  // scrolled into view with the wheel and double-clicked.
  void Choose(TSaveGameManager& manager, const std::string& stem) {
    WaitOpen(manager);
    const auto& names = manager.FileNames;
    const auto found = std::find(names.begin(), names.end(), stem);
    ASSERT_NE(found, names.end()) << Printable(stem);
    const int index = int(found - names.begin());
    const VQListBox& box = *manager.ListBox;
    MoveMouse(int(box.BoxX) + 30, int(box.BoxY) + 5);
    if (index > box.EndList) TurnWheel(box.EndList - index);
    Tick(2);
    ASSERT_TRUE(index >= box.StartList && index <= box.EndList) << Printable(stem);
    DrawFrame();
    const int row = index - box.StartList;
    DoubleClick(int(box.BoxX) + 30, int(box.BoxY) + row * box.LineHeight + box.LineHeight / 2);
  }

  ErrorHandler previousHandler = nullptr;
  std::set<std::string> lockedFiles;
};

TEST_F(HostileFolderTest, KlondikeSavesListedInTheGameRefuseWhatCannotBeReadAndTheGameGoesOn) {
  Enter(PlayScreen);
  ClickButton(*PlayScreen->GameMenu, "klondike");
  ASSERT_TRUE(ArrivedInGame());
  auto* mode = GamePlay->GameMode.get();
  ASSERT_TRUE(TickUntil([&] { return mode->CanSaveGame() == 1; }, 4000));
  ASSERT_EQ(GameGUI->SaveGameAs("Base"), 1);
  const std::string good = FileText("Base.ksave");
  const auto entries = Plant("ksave", good, Outcome::Refused, Outcome::Refused, Outcome::Refused);
  const auto before = Planted(".ksave");

  auto openError = [] {
    if (GameGUI->SaveGameManager && GameGUI->SaveGameManager->DialogOK) return GameGUI->SaveGameManager->DialogOK;
    return GameGUI->OKInput;
  };
  for (const Entry& entry : ListedOf(entries)) {
    if (!GameMenu->Active) {
      TapKey("Escape");
      Tick(60);
    }
    ASSERT_EQ(GameMenu->Active, 1) << Printable(entry.stem);
    ClickButton(*GameMenu->Buttons, "loadgame");
    ASSERT_TRUE(GameGUI->SaveGameManager);
    auto manager = GameGUI->SaveGameManager;
    std::set<std::string> shown(manager->FileNames.begin(), manager->FileNames.end());
    shown.erase("Base");
    ASSERT_EQ(shown, StemsOf(ListedOf(entries)));
    Choose(*manager, entry.stem);
    ASSERT_TRUE(TickUntil([&] { return openError() || !GameGUI->SaveGameManager; }, 400)) << Printable(entry.stem);
    const bool refused = openError() != nullptr;
    EXPECT_EQ(refused, entry.outcome == Outcome::Refused) << Printable(entry.stem);
    if (refused) CloseError(openError);
    if (GameGUI->SaveGameManager) {
      TapKey("Escape");
      ASSERT_TRUE(TickUntil([] { return !GameGUI->SaveGameManager; }, 400));
    }
    EXPECT_EQ(Game->CurrentTScreen, GameScreen);
    EXPECT_EQ(GamePlay->GameMode.get(), mode);
    // A loaded game is dealt again before it takes the pause menu.
    ASSERT_TRUE(TickUntil([&] { return mode->CanSaveGame() == 1 && !GameState->disableButtons; }, 4000));
  }
  EXPECT_EQ(Planted(".ksave"), before);

  // A save that turns into a named pipe after the list was made is refused
  // at once: choosing it must not wait for a writer that never comes.
  folder.Write("Swapped.ksave", good);
  if (!GameMenu->Active) {
    TapKey("Escape");
    Tick(60);
  }
  ClickButton(*GameMenu->Buttons, "loadgame");
  ASSERT_TRUE(GameGUI->SaveGameManager);
  ASSERT_TRUE(platform::DeleteFile(folder.File("Swapped.ksave")));
  ASSERT_EQ(mkfifo(folder.File("Swapped.ksave").c_str(), 0644), 0);
  Choose(*GameGUI->SaveGameManager, "Swapped");
  ASSERT_TRUE(TickUntil([&] { return openError() != nullptr; }, 400));
  CloseError(openError);
  EXPECT_TRUE(Reported.empty()) << Reported.front();
}

TEST_F(HostileFolderTest, TriPeaksAndMatchingSavesListedOnThePlayScreensRefuseWhatCannotBeRead) {
  const std::pair<std::shared_ptr<TLevelPlayScreen>, const char*> variants[] = {{TripeaksPlayScreen, "tsave"},
                                                                               {MatchingPlayScreen, "msave"}};
  for (const auto& [screen, extension] : variants) {
    Enter(screen);
    DoubleClickSlot(0);
    ASSERT_TRUE(ArrivedInGame());
    auto* mode = GamePlay->GameMode.get();
    ASSERT_TRUE(TickUntil([&] { return mode->CanSaveGame() == 1; }, 4000));
    ASSERT_EQ(GameGUI->SaveGameAs("Base"), 1);
    ExitPlaying(screen);
    const std::string good = FileText(std::string("Base.") + extension);
    const auto entries = Plant(extension, good, Outcome::Refused, Outcome::Refused, Outcome::Refused);
    const auto before = Planted(std::string(".") + extension);

    auto openError = [&screen = screen] {
      if (screen->SaveGameManager && screen->SaveGameManager->DialogOK) return screen->SaveGameManager->DialogOK;
      return screen->ErrorDialog;
    };
    for (const Entry& entry : ListedOf(entries)) {
      ClickButton(*screen->MainMenu, "load");
      ASSERT_TRUE(screen->SaveGameManager) << extension;
      auto manager = screen->SaveGameManager;
      std::set<std::string> shown(manager->FileNames.begin(), manager->FileNames.end());
      shown.erase("Base");
      ASSERT_EQ(shown, StemsOf(ListedOf(entries))) << extension;
      Choose(*manager, entry.stem);
      ASSERT_TRUE(FramesUntil(
          [&] { return openError() || (Game->CurrentTScreen == GameScreen && !Game->GameFade.Active); }, 300))
          << Printable(entry.stem);
      const bool refused = openError() != nullptr;
      EXPECT_EQ(refused, entry.outcome == Outcome::Refused) << extension << " " << Printable(entry.stem);
      if (refused) {
        CloseError(openError);
        if (screen->SaveGameManager) {
          TapKey("Escape");
          ASSERT_TRUE(TickUntil([&] { return !screen->SaveGameManager; }, 400));
        }
        EXPECT_EQ(Game->CurrentTScreen, screen);
      } else {
        ExitPlaying(screen);
      }
    }
    EXPECT_EQ(Planted(std::string(".") + extension), before) << extension;
    for (const Entry& entry : entries) platform::DeleteFile(folder.File(entry.stem + "." + extension));
    TapKey("Escape");
    ASSERT_TRUE(Arrived(PlayScreen));
  }
  EXPECT_TRUE(Reported.empty()) << Reported.front();
}

TEST_F(HostileFolderTest, OwnLayoutListsOfTriPeaksAndMatchingOpenAndRefuseWhatCannotBeRead) {
  std::string good;
  ASSERT_TRUE(platform::ReadWholeFile(test_support::DataPath("layouts/matching/001.layout"), good));
  // A layout without a card is refused too: it would be won before a move.
  const auto entries = Plant("layout", good, Outcome::Refused, Outcome::Taken, Outcome::Either);
  const auto before = Planted(".layout");
  for (const std::shared_ptr<TLevelPlayScreen>& screen :
       {std::shared_ptr<TLevelPlayScreen>(TripeaksPlayScreen), std::shared_ptr<TLevelPlayScreen>(MatchingPlayScreen)}) {
    Enter(screen);
    ClickButton(*screen->LevelTypeMenu, "customlevel");
    Tick();
    for (const Entry& entry : ListedOf(entries)) {
      auto list = screen->CustomLevelList;
      ASSERT_TRUE(list);
      ASSERT_EQ(std::set<std::string>(list->LevelList.begin(), list->LevelList.end()), StemsOf(ListedOf(entries)));
      const auto found = std::find(list->LevelList.begin(), list->LevelList.end(), entry.stem);
      const int index = int(found - list->LevelList.begin());
      while (index < list->CurrentPagePosition) ClickButton(*list->NavigationMenu, "arrowLeft");
      while (index >= list->CurrentPagePosition + list->NumLevelItems)
        ClickButton(*list->NavigationMenu, "arrowRight");
      DrawFrame();
      ClickSlot(index - list->CurrentPagePosition);
      ASSERT_EQ(list->CurrentLevel, entry.stem);
      ClickButton(*screen->MainMenu, "playsmall");
      ASSERT_TRUE(FramesUntil(
          [&] { return screen->ErrorDialog || (Game->CurrentTScreen == GameScreen && !Game->GameFade.Active); }, 300))
          << Printable(entry.stem);
      const bool refused = screen->ErrorDialog != nullptr;
      if (entry.outcome != Outcome::Either) {
        EXPECT_EQ(refused, entry.outcome == Outcome::Refused) << screen->name << " " << Printable(entry.stem);
      }
      if (refused) {
        ASSERT_TRUE(TickUntil([] { return !GenerateScreen->Active; }, 400));
        CloseError([&screen = screen] { return screen->ErrorDialog; });
        EXPECT_EQ(Game->CurrentTScreen, screen);
        continue;
      }
      Tick(50);
      EXPECT_EQ(GameState->stateFinished, 0) << screen->name << " " << Printable(entry.stem) << " won unplayed";
      // A layout no deal fits says so and leads back by itself.
      if (GameGUI->OKInput) {
        CloseError([] { return GameGUI->OKInput; });
        ASSERT_TRUE(TickUntil([&] { return Game->CurrentTScreen == screen && !Game->GameFade.Active; }, 800));
      } else {
        ExitPlaying(screen);
      }
    }
    TapKey("Escape");
    ASSERT_TRUE(Arrived(PlayScreen));
  }
  EXPECT_EQ(Planted(".layout"), before);
  EXPECT_TRUE(Reported.empty()) << Reported.front();
}

TEST_F(HostileFolderTest, TheEditorsLayoutListRefusesWhatCannotBeReadAndKeepsTheCards) {
  std::string good;
  ASSERT_TRUE(platform::ReadWholeFile(test_support::DataPath("layouts/matching/001.layout"), good));
  const auto entries = Plant("layout", good, Outcome::Taken, Outcome::Taken, Outcome::Either);
  const auto before = Planted(".layout");
  Enter(PlayScreen);
  ClickButton(*PlayScreen->MainMenu, "custom");
  ASSERT_TRUE(ArrivedInGame());
  auto editor = std::dynamic_pointer_cast<TGameModeEditor>(GamePlay->GameMode);
  ASSERT_TRUE(editor);
  auto openError = [] {
    if (GameGUI->SaveGameManager && GameGUI->SaveGameManager->DialogOK) return GameGUI->SaveGameManager->DialogOK;
    return GameGUI->OKInput;
  };
  for (const Entry& entry : ListedOf(entries)) {
    Click(400, 300); // a card of the player's own, which a refused file leaves in place
    const int cards = editor->Cards->Count();
    ClickButton(*GameGUI->CustomMenu, "loadcustom");
    ASSERT_TRUE(GameGUI->SaveGameManager);
    auto manager = GameGUI->SaveGameManager;
    ASSERT_EQ(std::set<std::string>(manager->FileNames.begin(), manager->FileNames.end()),
              StemsOf(ListedOf(entries)));
    Choose(*manager, entry.stem);
    ASSERT_TRUE(TickUntil([&] { return openError() || !GameGUI->SaveGameManager; }, 400)) << Printable(entry.stem);
    const bool refused = openError() != nullptr;
    if (entry.outcome != Outcome::Either) {
      EXPECT_EQ(refused, entry.outcome == Outcome::Refused) << Printable(entry.stem);
    }
    if (refused) {
      CloseError(openError);
      if (GameGUI->SaveGameManager) {
        TapKey("Escape");
        ASSERT_TRUE(TickUntil([] { return !GameGUI->SaveGameManager; }, 400));
      }
      EXPECT_EQ(editor->Cards->Count(), cards) << Printable(entry.stem);
    }
    EXPECT_EQ(Game->CurrentTScreen, GameScreen);
    EXPECT_EQ(GamePlay->GameMode, editor);
    Tick(120);
  }
  EXPECT_EQ(Planted(".layout"), before);
  EXPECT_TRUE(Reported.empty()) << Reported.front();
}

TEST_F(HostileFolderTest, ThePlayerManagerListsHostilePlayerFilesAndRefusesNamesNoPlayerCanHave) {
  const std::string marker("\x01\0\0\0", 4);
  // Any file of the name makes a player, whatever it holds; a name no
  // player can have (too long, control characters) is refused.
  auto entries = Plant("dat", marker, Outcome::Taken, Outcome::Taken, Outcome::Taken, Outcome::Refused);
  SetOutcome(entries, "Huge", Outcome::Taken);
  SetOutcome(entries, "Locked", Outcome::Taken);
  SetOutcome(entries, std::string(251, 'L'), Outcome::Refused);
  const auto before = Planted(".dat");
  Enter(TitleScreen);
  ASSERT_FALSE(TitleScreen->PlayerManager);
  for (const Entry& entry : ListedOf(entries)) {
    const std::string current = Game->ProfileName;
    ClickButton(*TitleScreen->TitleMenu, "changeplayer");
    ASSERT_TRUE(TitleScreen->PlayerManager);
    auto manager = TitleScreen->PlayerManager;
    WaitOpen(*manager);
    const auto& names = manager->ListBox->Strings;
    std::set<std::string> shown(names.begin(), names.end());
    // The world's player, and the settings-changed marker, which the world
    // keeps beside the players.
    shown.erase("Tester");
    shown.erase("inichanged");
    ASSERT_EQ(shown, StemsOf(ListedOf(entries)));
    const int index = int(std::find(names.begin(), names.end(), entry.stem) - names.begin());
    const TListBox& box = *manager->ListBox;
    MoveMouse(int(box.BoxX) + 30, int(box.BoxY) + 5);
    const int lastShown = box.TopIndex + box.VisibleLines() - 1;
    if (index > lastShown) TurnWheel(lastShown - index);
    if (index < box.TopIndex) TurnWheel(box.TopIndex - index);
    Tick(2);
    DrawFrame();
    const int row = index - box.TopIndex;
    ASSERT_TRUE(row >= 0 && row < box.VisibleLines()) << Printable(entry.stem);
    DoubleClick(int(box.BoxX) + 30, int(box.BoxY + float(row * box.LineHeight) * box.Scale) + box.LineHeight / 2);
    auto openError = [&manager] { return manager->DialogOK; };
    ASSERT_TRUE(TickUntil([&] { return openError() || !TitleScreen->PlayerManager; }, 400)) << Printable(entry.stem);
    const bool refused = openError() != nullptr;
    EXPECT_EQ(refused, entry.outcome == Outcome::Refused) << Printable(entry.stem);
    if (refused) {
      CloseError(openError);
      TapKey("Escape");
      ASSERT_TRUE(TickUntil([] { return !TitleScreen->PlayerManager; }, 400));
      EXPECT_EQ(Game->ProfileName, current) << Printable(entry.stem);
    } else {
      EXPECT_EQ(Game->ProfileName, entry.stem);
    }
    EXPECT_EQ(Game->CurrentTScreen, TitleScreen);
  }
  EXPECT_EQ(Planted(".dat"), before);
  EXPECT_TRUE(Reported.empty()) << Reported.front();
}

// Hostile entries in place of a file the game reads and writes by its name:
// what each holds, and whether the game can read it.
// (Root reads a file without permission all the same.)
struct NamedSort {
  const char* what;
  bool readable;
};
const NamedSort NamedSorts[] = {{"empty", true},      {"cut", true},     {"garbage", true},
                                {"huge", false},      {"folder", false}, {"locked", geteuid() == 0},
                                {"loop", false},      {"dangling", false}, {"pipe", false},
                                {"device", false}};

// Puts the hostile entry `what` at `path`; `whole` is what a good file holds.
void PlantNamed(const std::string& path, const std::string& what, const std::string& whole,
                std::set<std::string>& locked) {
  bool made = false;
  if (what == "empty") made = platform::WriteFileAtomic(path, "");
  if (what == "cut") made = platform::WriteFileAtomic(path, whole.substr(0, whole.size() - 2));
  if (what == "garbage") made = platform::WriteFileAtomic(path, std::string("\x00\xff=\x01\r\n==\xfe\n\x80=1\r", 15));
  if (what == "huge") {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    made = fd >= 0 && ftruncate(fd, off_t(3) << 30) == 0;
    close(fd);
  }
  if (what == "folder") made = platform::CreateFolder(path);
  if (what == "locked") {
    made = platform::WriteFileAtomic(path, whole) && chmod(path.c_str(), 0) == 0;
    locked.insert(path);
  }
  if (what == "loop") made = symlink(path.substr(path.rfind('/') + 1).c_str(), path.c_str()) == 0;
  if (what == "dangling") made = symlink("nowhere/at/all", path.c_str()) == 0;
  if (what == "pipe") made = mkfifo(path.c_str(), 0644) == 0;
  if (what == "device") made = symlink("/dev/zero", path.c_str()) == 0;
  EXPECT_TRUE(made) << what << " at " << path;
}

TEST_F(HostileFolderTest, HostileCompletionMarksShowNoMarksAndAreNeverWrittenOverUnread) {
  std::string layout;
  ASSERT_TRUE(platform::ReadWholeFile(test_support::DataPath("layouts/matching/001.layout"), layout));
  const std::string whole = "001=1\r\nMINE=1\r\n";
  const std::string standard = test_support::DataPath("layouts/tripeaks/002.layout");
  for (const NamedSort& sort : NamedSorts) {
    folder.Write("Mine.layout", layout);
    std::vector<std::string> files;
    for (const std::string& file : PlayerCompletedFiles("Tester")) files.push_back(file + ".ini");
    for (const std::string& file : files) PlantNamed(file, sort.what, whole, lockedFiles);
    const auto before = Snapshot();
    // Marks read: "cut" holds both (the last line lost only its end).
    const bool marked = sort.readable && (std::string(sort.what) == "cut" || std::string(sort.what) == "locked");
    for (const std::shared_ptr<TLevelPlayScreen>& screen :
       {std::shared_ptr<TLevelPlayScreen>(TripeaksPlayScreen), std::shared_ptr<TLevelPlayScreen>(MatchingPlayScreen)}) {
      Enter(screen);
      ASSERT_TRUE(screen->StandardLevelList) << sort.what;
      EXPECT_EQ(screen->StandardLevelList->LevelCompletedList.at(0), marked ? "1" : "0") << sort.what;
      EXPECT_EQ(screen->StandardLevelList->LevelCompletedList.at(1), "0") << sort.what;
      DrawFrame();
      ClickButton(*screen->LevelTypeMenu, "customlevel");
      Tick();
      ASSERT_TRUE(screen->CustomLevelList) << sort.what;
      EXPECT_EQ(screen->CustomLevelList->LevelCompletedList.at(0), marked ? "1" : "0") << sort.what;
      DrawFrame();
      ClickButton(*screen->LevelTypeMenu, "standardlevel");
      Tick();
      TapKey("Escape");
      ASSERT_TRUE(Arrived(PlayScreen));
    }
    EXPECT_EQ(Snapshot(), before) << sort.what;
    // A layout finished: the mark is added to what can be read; what cannot is left alone.
    const std::string& file = files.front();
    const std::string stem = file.substr(0, file.size() - 4);
    EXPECT_EQ(MarkLevelCompleted(stem, standard, "1"), sort.readable ? 1 : 0) << sort.what;
    if (!sort.readable) {
      EXPECT_EQ(Snapshot(), before) << sort.what;
    } else {
      std::string bytes;
      ASSERT_TRUE(platform::ReadWholeFile(file, bytes));
      EXPECT_NE(bytes.find("002=1"), std::string::npos) << sort.what;
      if (marked) {
        EXPECT_NE(bytes.find("001=1"), std::string::npos) << sort.what;
      }
    }
    EXPECT_TRUE(Reported.empty()) << sort.what << ": " << Reported.front();
    for (const std::string& path : lockedFiles) chmod(path.c_str(), 0644);
    lockedFiles.clear();
    for (const std::string& path : files) {
      platform::DeleteFile(path);
      rmdir(path.c_str());
    }
  }
}

TEST_F(HostileFolderTest, HostileHighScoreTablesOpenOnTheirPageAndAreNeverWrittenOverUnread) {
  std::string whole;
  ASSERT_TRUE(platform::ReadWholeFile(folder.File("klondike.hsdat"), whole));
  const std::pair<std::shared_ptr<TSolitaireHighScoreList>, const char*> tables[] = {
      {GamePlay->HighscoreListSolitaire, "klondike"},
      {GamePlay->HighscoreListMatching, "matching"},
      {GamePlay->HighscoreListTripeaks, "tripeaks"}};
  for (const NamedSort& sort : NamedSorts) {
    const std::string what = sort.what;
    for (const auto& [table, name] : tables) {
      platform::DeleteFile(folder.File(std::string(name) + ".hsdat"));
      PlantNamed(folder.File(std::string(name) + ".hsdat"), what, whole, lockedFiles);
    }
    const auto before = Snapshot();
    // As at start-up.
    for (const auto& [table, name] : tables) {
      table->Create(name, 10);
      table->Load();
    }
    // Entries read: all ten, all but the last (cut short), a few of the
    // garbage; the ten defaults in place of what cannot be read, which is
    // left as it is until a score enters the table.
    size_t expected = 10;
    if (what == "empty") expected = 0;
    if (what == "cut") expected = 9;
    if (what == "garbage") expected = GamePlay->HighscoreListSolitaire->Items.size();
    Enter(HighScoreScreen);
    for (const char* button : {"klondike", "tripeaks", "matching"}) {
      ClickButton(*HighScoreScreen->GameMenu, button);
      Tick(400);
      DrawFrame();
      EXPECT_EQ(HighScoreScreen->SlideLines->Items.size(), expected) << what << " " << button;
    }
    ClickButton(*HighScoreScreen->OkMenu, "ok");
    ASSERT_TRUE(Arrived(TitleScreen));
    EXPECT_EQ(Snapshot(), before) << what;
    EXPECT_TRUE(Reported.empty()) << what << ": " << Reported.front();
    Reported.clear();
    for (const std::string& path : lockedFiles) chmod(path.c_str(), 0644);
    lockedFiles.clear();
    for (const auto& [table, name] : tables) {
      platform::DeleteFile(folder.File(std::string(name) + ".hsdat"));
      rmdir(folder.File(std::string(name) + ".hsdat").c_str());
    }
  }
}

} // namespace
