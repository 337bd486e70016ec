#include "WriterKinds.h"

#include "app/Clock.h"
#include "app/TGame.h"
#include "app/TIniFile.h"
#include "platform/ErrorReport.h"
#include "platform/Files.h"
#include "player/PlayerProfiles.h"
#include "player/TSolitaireHighScoreList.h"
#include "player/VQProfile.h"
#include "resources/TGameText.h"
#include "resources/TImageBank.h"
#include "screens/GameGlobals.h"
#include "screens/LevelFiles.h"
#include "screens/SessionSettings.h"
#include "solitaire/CardPictures.h"
#include "solitaire/TCardLayoutFile.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeKlondike.h"
#include "solitaire/TGameModeMatching.h"
#include "solitaire/TGameModeTripeaks.h"
#include "solitaire/TGamePlay.h"

#include <memory>
#include <stdexcept>

namespace crash_test {

namespace {

std::vector<std::string> reported;
ErrorHandler previousHandler = nullptr;
bool handlerInstalled = false;

// A fatal error never returns to the writer that reported it: it unwinds
// to the kind's Write, which answers with its message.
struct FatalReport : std::runtime_error {
  using std::runtime_error::runtime_error;
};

void Record(const std::string& message, int fatal) {
  reported.push_back(message);
  if (fatal) throw FatalReport(message);
}

// The kind's write, with a fatal report as a failed write.
std::function<WriteResult(int)> Guarded(std::function<WriteResult(int)> write) {
  return [write = std::move(write)](int version) {
    try {
      return write(version);
    } catch (const FatalReport& fatal) {
      return WriteResult{false, fatal.what()};
    }
  };
}

// The last message reported since `before` messages were there, "" for none.
std::string ReportedSince(size_t before) { return reported.size() > before ? reported.back() : std::string(); }

WriteResult Reported(bool done, size_t before) { return {done, ReportedSince(before)}; }

std::string SharedFolder;
std::string DataFolder;

std::string Profiles() { return SharedFolder + "profiles/"; }

std::string ReadBytes(const std::string& path) {
  std::string bytes;
  platform::ReadWholeFile(path, bytes);
  return bytes;
}

// The game's process-wide objects as start-up leaves them for a writer: the
// folders, the texts, the card pictures; a clock that stands still, so a
// saved game's play time (and so its bytes) is the same every time.
bool CommonSetup(const std::string& shared, const std::string& data) {
  reported.clear();
  SharedFolder = shared;
  DataFolder = data;
  if (!handlerInstalled) previousHandler = GetErrorHandler();
  handlerInstalled = true;
  SetErrorHandler(&Record);
  SetClockSource([] { return 0.0; });
  CreateGameGlobals();
  Game->DataPrefix = data;
  Game->SubPath = shared;
  Game->ProfilePath = Profiles();
  Game->Ini.FileName = shared + "marrowdeck";
  Game->ProfileName = "Tester";
  if (!platform::FolderExists(Profiles()) && !platform::CreateFolders(Profiles())) return false;
  GameText = TGameText::Create(data + "data/text/gametext.txt");
  return true;
}

bool LoadCardPictures() {
  HeartsImages.reset(), DiamondsImages.reset(), SpadesImages.reset(), ClubsImages.reset(); // no faces needed
  const std::string folder = DataFolder + "data/graphics/";
  Images->SetPath(folder);
  for (const char* name : {"cardback1", "cardback2", "cardback3", "cardback4", "cardback5", "cardback6", "cardempty",
                           "cardfoundationempty", "cardstockempty", "carddenied", "cardflip", "cardhint1",
                           "cardhint2", "cardmarked", "cardmo"}) {
    if (!platform::FileExists(folder + name + ".png")) return false;
    Images->Load(name);
  }
  ForgetCardPictures();
  return true;
}

// Settings: two sets of values of different lengths.
WriterKind Settings() {
  WriterKind kind;
  kind.Name = "settings";
  kind.File = "marrowdeck.ini";
  kind.Setup = CommonSetup;
  kind.Write = [](int version) {
    const size_t before = reported.size();
    Game->MusicVolume = version ? 75 : 30;
    Game->ProfileName = version ? "Ada" : "Bartholomew";
    const bool done = Game->IniUpdate(1) == 1 && ReportedSince(before).empty();
    return Reported(done, before);
  };
  kind.Reads = [](int version) {
    const std::string file = SharedFolder + "marrowdeck";
    return ReadIniValue(file + ".ini", "profile name") == (version ? "Ada" : "Bartholomew") &&
           ReadIniValue(file + ".ini", "music volume") == (version ? "75" : "30");
  };
  return kind;
}

// The session's "config": the timer shown or not.
WriterKind Config() {
  WriterKind kind;
  kind.Name = "config";
  kind.File = "config.ini";
  kind.Setup = [](const std::string& shared, const std::string& data) {
    if (!CommonSetup(shared, data)) return false;
    // Reading writes the file back, or makes it: as version 0.
    GamePlay->ShowTimer = 0;
    GamePlay->FirstRun = 1;
    ResetSessionSettings();
    return LoadSessionSettings(shared) == 1;
  };
  kind.Write = [](int version) {
    const size_t before = reported.size();
    GamePlay->ShowTimer = version;
    GamePlay->FirstRun = version ? 0 : 1;
    const bool done = WriteSessionSettings() == 1;
    return Reported(done, before);
  };
  kind.Reads = [](int version) {
    const std::string file = SharedFolder + "config.ini";
    return ReadIniValue(file, "showtimer") == std::to_string(version) &&
           ReadIniValue(file, "firstrun") == std::to_string(version ? 0 : 1);
  };
  return kind;
}

std::shared_ptr<TSolitaireHighScoreList> highScores;

// A high-score table: ten entries, names and scores differing by version.
WriterKind HighScores() {
  WriterKind kind;
  kind.Name = "high scores";
  kind.File = "profiles/klondike.hsdat";
  kind.Setup = [](const std::string& shared, const std::string& data) {
    if (!CommonSetup(shared, data)) return false;
    highScores = std::make_shared<TSolitaireHighScoreList>();
    highScores->Create("klondike", 10);
    return true;
  };
  kind.Write = [](int version) {
    const size_t before = reported.size();
    highScores->Items.clear();
    for (int i = 0; i < 10; ++i)
      highScores->Add((version ? "Winner" : "Player") + std::to_string(i), (version ? 5000 : 900) - 50 * i);
    return Reported(highScores->Save() == 1, before);
  };
  kind.Reads = [](int version) {
    TSolitaireHighScoreList table;
    table.Create("klondike", 10);
    if (table.Load() != 1 || table.Items.size() != 10) return false;
    return table.Items[0]->name == (version ? "Winner0" : "Player0") && table.Items[9]->score == (version ? 4550 : 450);
  };
  return kind;
}

std::shared_ptr<VQProfile> player;

// A player's marker file (its bytes never change; it must never be lost).
WriterKind PlayerMarker() {
  WriterKind kind;
  kind.Name = "player marker";
  kind.File = "profiles/Tester.dat";
  kind.Setup = [](const std::string& shared, const std::string& data) {
    if (!CommonSetup(shared, data)) return false;
    player = CreateGameProfile("Tester");
    return player != nullptr;
  };
  kind.Write = [](int) {
    const size_t before = reported.size();
    return Reported(ProfileSaveFunction(*player) == 1, before);
  };
  kind.Reads = [](int) {
    std::vector<std::string> names;
    return ListPlayers(names) && names.size() == 1 && names[0] == "Tester" &&
           ReadBytes(Profiles() + "Tester.dat") == std::string("\x01\0\0\0", 4);
  };
  return kind;
}

std::shared_ptr<TGameMode> savedMode;

// A freshly dealt game of Mode, at rest and ready to save.
template <class Mode> std::shared_ptr<Mode> DealtGame(const std::string& layout) {
  auto mode = std::make_shared<Mode>();
  if constexpr (std::is_same_v<Mode, TGameModeKlondike>) mode->Seed(7);
  else mode->Random.Seed(7);
  GamePlay->GameMode = mode;
  if (!mode->Init(DataFolder + layout, 0)) return nullptr;
  for (int tick = 0; tick < 100000 && !mode->CanSaveGame(); ++tick) mode->Logic();
  return mode->CanSaveGame() ? mode : nullptr;
}

int32_t SavedScore(int version) { return version ? 1234 : 40; }

// A saved game of one variant: the same deal saved with two scores.
template <class Mode> WriterKind SavedGame(const char* name, const char* ending, const char* layout) {
  WriterKind kind;
  kind.Name = name;
  kind.File = std::string("profiles/slot") + ending;
  kind.Setup = [layout](const std::string& shared, const std::string& data) {
    if (!CommonSetup(shared, data) || !LoadCardPictures()) return false;
    savedMode = DealtGame<Mode>(layout);
    return savedMode != nullptr;
  };
  kind.Write = [](int version) {
    GamePlay->GameMode = savedMode;
    GamePlay->Score = SavedScore(version);
    GamePlay->ScoreAdder = 0;
    const bool done = savedMode->SaveGame(Profiles() + "slot") == 1;
    return WriteResult{done, savedMode->FileMessage};
  };
  kind.Reads = [ending](int version) {
    auto reader = std::make_shared<Mode>();
    GamePlay->GameMode = reader;
    const bool read = reader->LoadGame(Profiles() + "slot" + ending) == 1 && GamePlay->Score == SavedScore(version);
    GamePlay->GameMode = savedMode;
    return read;
  };
  return kind;
}

std::shared_ptr<TCardList> layouts[2];

// A custom layout: two standard Tri Peaks layouts saved under one name.
WriterKind CustomLayout() {
  WriterKind kind;
  kind.Name = "custom layout";
  kind.File = "profiles/mine.layout";
  kind.Setup = [](const std::string& shared, const std::string& data) {
    if (!CommonSetup(shared, data) || !LoadCardPictures()) return false;
    for (int i = 0; i < 2; ++i) {
      layouts[i] = TCardList::Create();
      const std::string file = data + "layouts/tripeaks/" + (i ? "002" : "001") + ".layout";
      if (!TCardLayoutFile::Load(file, *layouts[i], 0, 0, 0)) return false;
    }
    return layouts[0]->Count() != layouts[1]->Count() || TCardLayoutFile::Format(*layouts[0], 0, 0) !=
                                                            TCardLayoutFile::Format(*layouts[1], 0, 0);
  };
  kind.Write = [](int version) {
    const size_t before = reported.size();
    return Reported(TCardLayoutFile::Save(Profiles() + "mine.layout", *layouts[version], 0, 0, 0) == 1, before);
  };
  kind.Reads = [](int version) {
    auto list = TCardList::Create();
    return TCardLayoutFile::Load(Profiles() + "mine.layout", *list, 0, 0, 0) == 1 &&
           TCardLayoutFile::Format(*list, 0, 0) == TCardLayoutFile::Format(*layouts[version], 0, 0);
  };
  return kind;
}

std::string MarksFile() { return PlayerCompletedFile("Tester", 4, 0); }

// Completion marks: one layout marked done, then not.
WriterKind CompletionMarks() {
  WriterKind kind;
  kind.Name = "completion marks";
  kind.File = "profiles/Testerts.ini";
  kind.Setup = CommonSetup;
  kind.Write = [](int version) {
    // The session shows no message for a mark it could not keep.
    return WriteResult{MarkLevelCompleted(MarksFile(), "layouts/tripeaks/121.layout", version ? "1" : "0") == 1, ""};
  };
  kind.Reads = [](int version) { return ReadIniValue(MarksFile() + ".ini", "121") == (version ? "1" : "0"); };
  return kind;
}

} // namespace

std::vector<WriterKind> WriterKinds() {
  std::vector<WriterKind> kinds = {Settings(),
          Config(),
          HighScores(),
          PlayerMarker(),
          SavedGame<TGameModeKlondike>("klondike save", ".ksave", "layouts/klondike/klondike.layout"),
          SavedGame<TGameModeTripeaks>("tri peaks save", ".tsave", "layouts/tripeaks/001.layout"),
          SavedGame<TGameModeMatching>("matching save", ".msave", "layouts/matching/001.layout"),
          CustomLayout(),
          CompletionMarks()};
  for (WriterKind& kind : kinds) {
    kind.Write = Guarded(std::move(kind.Write));
    kind.Setup = [setup = std::move(kind.Setup)](const std::string& shared, const std::string& data) {
      try {
        return setup(shared, data);
      } catch (const FatalReport&) {
        return false;
      }
    };
  }
  return kinds;
}

void ReleaseWriterKinds() {
  highScores.reset();
  player.reset();
  savedMode.reset();
  layouts[0].reset();
  layouts[1].reset();
  ResetSessionSettings();
  ResetGameGlobals();
  SetClockSource({});
  if (handlerInstalled) SetErrorHandler(previousHandler);
  handlerInstalled = false;
}

std::vector<std::string> Temporaries(const std::string& shared) {
  std::vector<std::string> found;
  for (const std::string& folder : {shared, shared + "profiles/"})
    for (const std::string& name : platform::ListFolder(folder))
      if (name.find(".tmp-") != std::string::npos) found.push_back(folder + name);
  return found;
}

const std::vector<std::string>& ReportedErrors() { return reported; }

} // namespace crash_test
