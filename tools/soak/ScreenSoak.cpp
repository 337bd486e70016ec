#include "ScreenSoak.h"

#include "ScreenWorld.h"

#include "app/TGame.h"
#include "effects/ParticleRandom.h"
#include "platform/Files.h"
#include "player/PlayerProfiles.h"
#include "player/TSaveGameManager.h"
#include "player/TSolitaireHighScoreList.h"
#include "player/VQPlayerManager.h"
#include "screens/TGameGUI.h"
#include "screens/THelpScreen.h"
#include "screens/THighScoreScreen.h"
#include "screens/TLevelPlayScreen.h"
#include "screens/TOptionsScreen.h"
#include "screens/TPlayScreen.h"
#include "screens/TTitleScreen.h"
#include "screens/VQLevelList.h"
#include "solitaire/TGamePlay.h"
#include "ui/TButton.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogTextInput.h"
#include "ui/TDialogYesNo.h"
#include "ui/TLabel.h"
#include "ui/TListBox.h"
#include "ui/TMenu.h"
#include "ui/TSlider.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

const char* const Variants[] = {"klondike", "tripeaks", "matching", "editor"};

// Too many failures in a row say the walk is lost: the soak stops.
constexpr size_t MostFailures = 40;

} // namespace

void ScreenSoak::Run(int games, uint32_t seed) {
  goal_ = games;
  world_.random.seed(seed);
  // At least two sessions: the second starts on the files the first wrote.
  while ((!Done() || world_.figures.sessions < 2) && world_.figures.failures.size() < MostFailures) {
    if (!StartSession()) break;
    const int visits = 3 + world_.Pick(10);
    bool onTitle = true;
    for (int visit = 0; visit < visits && onTitle && !Done(); ++visit) onTitle = TitleVisit();
    if (onTitle) Quit();
    if (!world_.Ended()) {
      world_.Fail("the walk could not reach the title screen's exit");
      break;
    }
    world_.EndProgram();
  }
}

bool ScreenSoak::Done() const {
  for (const char* variant : Variants) {
    const auto it = world_.figures.games.find(variant);
    if (it == world_.figures.games.end() || it->second < goal_) return false;
  }
  return true;
}

std::string ScreenSoak::NextVariant() {
  if (world_.Chance(25)) return Variants[world_.Pick(4)];
  std::string least = Variants[0];
  for (const char* variant : Variants)
    if (world_.figures.games[variant] < world_.figures.games[least]) least = variant;
  return least;
}

void ScreenSoak::CheckHealthy() {
  for (const auto& report : world_.TakeErrorReports()) world_.Fail("error reported: " + report);
}

bool ScreenSoak::StartSession() {
  world_.where = "start-up";
  world_.StartUp();
  // Every session's deals, table designs and dialog slides come from the
  // soak's seed, so that a run (and a failure in it) can be replayed.
  GamePlay->SeedDeals(uint32_t(world_.random()));
  SeedParticleRandom(uint32_t(world_.random()));
  std::srand(unsigned(world_.random()));
  CheckHealthy();
  if (!world_.Arrive("title", 3000)) return false;
  FirstPlayer();
  CheckHealthy();
  return !world_.Ended();
}

void ScreenSoak::FirstPlayer() {
  world_.where = "first player";
  if (auto prompt = TitleScreen->EnterName) {
    world_.WaitOpen(prompt);
    const std::string name = "Soaker" + std::to_string(++playerNames_);
    world_.TypeText(name);
    world_.Key("Return");
    world_.FrameUntil([] { return !TitleScreen->EnterName; }, 300);
    ++world_.figures.playersAdded;
    if (Game->ProfileName != name) world_.Fail("the first player is " + Game->ProfileName + ", not " + name);
    if (!platform::FileExists(PlayerFilePath(name))) world_.Fail("no file for the first player " + name);
  } else if (auto manager = TitleScreen->PlayerManager) {
    world_.ClickDialogButton(manager, "OK");
    world_.FrameUntil([] { return !TitleScreen->PlayerManager; }, 300);
    ++world_.figures.playersChosen;
  }
  world_.Frame(10);
}

void ScreenSoak::BackToTitle(const std::shared_ptr<TMenu>& menu, const std::string& button) {
  if (world_.Chance(30)) world_.Key("Escape");
  else world_.ClickButton(menu, button);
  world_.Arrive("title");
}

bool ScreenSoak::TitleVisit() {
  world_.where = "title";
  CheckHealthy();
  const int roll = world_.Pick(100);
  const char* button = roll < 62 ? "play" : roll < 72 ? "options" : roll < 80 ? "help" : roll < 88 ? "highscore"
                                                                                                    : "changeplayer";
  // Every page once before the random walk goes on, so that a short run sees them all.
  const std::pair<const char*, const char*> pages[] = {
      {"options", "options"}, {"help", "help"}, {"highscores", "highscore"}, {"players", "changeplayer"}};
  for (const auto& [page, pageButton] : pages)
    if (!world_.figures.visits.count(page)) {
      button = pageButton;
      break;
    }
  world_.ClickButton(TitleScreen->TitleMenu, button);
  const std::string page = button;
  if (page == "play") Play();
  else if (page == "options") Options();
  else if (page == "help") Help();
  else if (page == "highscore") HighScores();
  else Players();
  CheckHealthy();
  if (world_.ScreenName() != "title" && !world_.Arrive("title")) return false;
  return true;
}

void ScreenSoak::Play() {
  world_.where = "play screen";
  if (!world_.Arrive("play")) return;
  for (int round = 0; round < 4 && !Done(); ++round) {
    world_.where = "play screen";
    const std::string variant = NextVariant();
    if (variant == "klondike") {
      world_.ClickButton(PlayScreen->GameMenu, "klondike");
      if (world_.Arrive("game")) game_.Play("klondike");
    } else if (variant == "editor") {
      world_.ClickButton(PlayScreen->MainMenu, "custom");
      if (world_.Arrive("game")) game_.Edit();
    } else {
      world_.ClickButton(PlayScreen->GameMenu, variant);
      LevelList(variant);
    }
    CheckHealthy();
    if (world_.ScreenName() != "play" || world_.Chance(30)) break;
  }
  if (world_.ScreenName() == "play") BackToTitle(PlayScreen->MainMenu, "back");
}

void ScreenSoak::LevelList(const std::string& variant) {
  if (!world_.Arrive(variant)) return;
  TLevelPlayScreen& screen = variant == "matching" ? static_cast<TLevelPlayScreen&>(*MatchingPlayScreen)
                                                   : static_cast<TLevelPlayScreen&>(*TripeaksPlayScreen);
  for (int action = 0; action < 12; ++action) {
    world_.where = variant + " list";
    CheckHealthy();
    if (screen.ErrorDialog) {
      world_.Fail("an error on the level list: " + (screen.ErrorDialog->Caption ? screen.ErrorDialog->Caption->Text : ""));
      world_.ClickDialogButton(screen.ErrorDialog, "OK");
      world_.Frame(30);
    }
    const auto list = screen.CurrentList();
    if (!list) {
      world_.Fail("no level list shown");
      break;
    }
    const int roll = world_.Pick(100);
    if (roll < 15) {
      const bool custom = screen.CurrentLevelType == "standardlevel";
      world_.ClickButton(screen.LevelTypeMenu, custom ? "customlevel" : "standardlevel");
      if (screen.CurrentLevelType != (custom ? "customlevel" : "standardlevel"))
        world_.Fail("the level type switch did not switch");
    } else if (roll < 30) {
      const int before = list->CurrentPagePosition;
      world_.ClickButton(list->NavigationMenu, world_.Chance(70) ? "arrowRight" : "arrowLeft");
      if (list->CurrentPagePosition != before) ++world_.figures.pagesTurned;
    } else if (roll < 42) {
      if (LoadFromList(screen, variant)) break;
    } else if (roll < 90) {
      if (PlayFromList(screen, variant)) break;
    } else {
      break;
    }
  }
  if (world_.ScreenName() != variant) return;
  if (world_.Chance(30)) world_.Key("Escape");
  else world_.ClickButton(screen.MainMenu, "back");
  world_.Arrive("play");
}

// A layout of the shown page selected and started; true when the game was
// played (back on the list), false when nothing could be started.
bool ScreenSoak::PlayFromList(TLevelPlayScreen& screen, const std::string& variant) {
  const auto list = screen.CurrentList();
  const int slots = list->SlotsOnPage();
  if (slots == 0) return false;
  float x = 0, y = 0;
  VQLevelList::SlotCentre(world_.Pick(slots), x, y);
  const int how = world_.Pick(3);
  if (how == 0) {
    world_.DoubleClick(int(x), int(y));
  } else {
    world_.Click(int(x), int(y));
    world_.Frame(20);
    if (how == 1) world_.ClickButton(screen.MainMenu, "playsmall");
    else world_.Key("Return");
  }
  const bool custom = screen.CurrentLevelType == "customlevel";
  if (!world_.Arrive("game", 1000)) return false;
  if (custom) ++world_.figures.customPlayed;
  game_.Play(variant);
  return world_.ScreenName() != variant || world_.Chance(50);
}

// A saved game of the variant resumed from the list's "load".
bool ScreenSoak::LoadFromList(TLevelPlayScreen& screen, const std::string& variant) {
  world_.ClickButton(screen.MainMenu, "load");
  if (!screen.SaveGameManager) {
    world_.Fail("load opened no save-game manager");
    return false;
  }
  const std::string chosen = game_.UseSaveGameManager(screen.SaveGameManager);
  if (chosen.empty()) return false;
  if (!world_.Arrive("game")) return false;
  game_.Play(variant, chosen);
  return true;
}

void ScreenSoak::MoveSlider(const std::string& which) {
  const auto& slider = which == "music" ? OptionsScreen->MusicSlider : OptionsScreen->SoundSlider;
  const int value = world_.Pick(101);
  const float span = float(slider->w - 2 * slider->Border);
  const int x = int(slider->x + float(slider->Border) + span * float(value) / 100.0f);
  const int y = int(slider->y) + slider->h / 2;
  world_.Drag(x - 40, y, x, y);
  ++world_.figures.sliders;
  if (std::abs(slider->Value - value) > 2)
    world_.Fail("the " + which + " slider shows " + std::to_string(slider->Value) + ", not " + std::to_string(value));
  const int volume = which == "music" ? Game->MusicVolume : Game->SoundVolume;
  if (volume != slider->Value)
    world_.Fail("the " + which + " volume is " + std::to_string(volume) + ", the slider " + std::to_string(slider->Value));
}

void ScreenSoak::Options() {
  world_.where = "options";
  if (!world_.Arrive("options")) return;
  for (int action = world_.Pick(5); action >= 0; --action) {
    const int roll = world_.Pick(100);
    if (roll < 60) {
      MoveSlider(world_.Chance(50) ? "music" : "sound");
    } else {
      const bool timer = roll < 95;
      const int before = timer ? GamePlay->ShowTimer : Game->FullScreen;
      world_.ClickButton(OptionsScreen->OptionsMenu, timer ? "showtimer" : "fullscreen");
      ++world_.figures.toggles;
      if (timer && GamePlay->ShowTimer == before) world_.Fail("showtimer did not toggle");
    }
  }
  if (world_.Chance(70)) {
    world_.ClickButton(OptionsScreen->OkMenu, "ok");
    world_.Arrive("title");
    ++world_.figures.optionsWritten;
    std::string settings;
    if (!platform::ReadWholeFile(Game->SettingsFileName() + ".ini", settings) || settings.empty())
      world_.Fail("the settings file cannot be read after ok");
  } else {
    world_.Key("Escape");
    world_.Arrive("title");
  }
}

void ScreenSoak::Help() {
  world_.where = "help";
  if (!world_.Arrive("help")) return;
  const std::pair<const char*, int> pages[] = {{"klondike", 2}, {"matching", 3}, {"tripeaks", 4}};
  for (int action = world_.Pick(4); action > 0; --action) {
    const auto& [button, mode] = pages[world_.Pick(3)];
    world_.ClickButton(HelpScreen->GameMenu, button);
    ++world_.figures.helpPages;
    if (HelpScreen->CurrentGameMode != mode) world_.Fail(std::string("the help page of ") + button + " is not shown");
  }
  BackToTitle(HelpScreen->OkMenu, "ok");
}

void ScreenSoak::HighScores() {
  world_.where = "high scores";
  if (!world_.Arrive("highscores")) return;
  const std::pair<const char*, std::shared_ptr<TSolitaireHighScoreList>> tables[] = {
      {"klondike", GamePlay->HighscoreListSolitaire},
      {"matching", GamePlay->HighscoreListMatching},
      {"tripeaks", GamePlay->HighscoreListTripeaks}};
  for (int action = world_.Pick(4); action > 0; --action) {
    const auto& [button, table] = tables[world_.Pick(3)];
    world_.ClickButton(HighScoreScreen->GameMenu, button);
    ++world_.figures.scoreTables;
    if (HighScoreScreen->CurrentHighScoreList != table) world_.Fail(std::string("the table of ") + button + " is not shown");
    world_.Frame(20);
  }
  if (world_.Chance(10)) {
    world_.ClickButton(HighScoreScreen->OkMenu, "clear");
    auto question = HighScoreScreen->ClearHighscore;
    if (!question) {
      world_.Fail("clear asked nothing");
    } else {
      const bool yes = world_.Chance(50);
      world_.ClickDialogButton(question, yes ? "Yes" : "No");
      world_.FrameUntil([] { return !HighScoreScreen->ClearHighscore; }, 300);
      if (yes) ++world_.figures.tablesCleared;
    }
  }
  BackToTitle(HighScoreScreen->OkMenu, "ok");
}

void ScreenSoak::Players() {
  world_.where = "player manager";
  auto manager = TitleScreen->PlayerManager;
  if (!world_.WaitOpen(manager)) {
    world_.Fail("changeplayer opened no player manager");
    return;
  }
  ++world_.figures.visits["players"];
  auto& list = *manager->ListBox;
  auto clickRow = [&](int row) {
    const int line = list.LineHeight;
    world_.Click(int(list.BoxX + list.BoxW / 2), int(list.BoxY) + (row - list.TopIndex) * line + line / 2);
  };
  for (int action = 0; action < 6; ++action) {
    const int count = int(list.Strings.size());
    const int roll = world_.Pick(100);
    if (roll < 35) {
      world_.ClickButton(manager->Menu, "Create");
      if (manager->DialogOK) {
        // At most seven players: the manager says so.
        ++world_.figures.expectedMessages;
        world_.ClickDialogButton(manager->DialogOK, "OK");
        world_.FrameUntil([&] { return !manager->DialogOK; }, 300);
        continue;
      }
      auto prompt = manager->EnterName;
      if (!world_.WaitOpen(prompt)) {
        world_.Fail("Create asked no name");
        continue;
      }
      const std::string name = "Player" + std::to_string(++playerNames_);
      world_.TypeText(name);
      world_.Key("Return");
      world_.FrameUntil([&] { return !TitleScreen->PlayerManager; }, 300);
      ++world_.figures.playersAdded;
      if (Game->ProfileName != name) world_.Fail("the new player " + name + " is not the current one");
      if (!platform::FileExists(PlayerFilePath(name))) world_.Fail("no file for the new player " + name);
      return;
    }
    if (count == 0) continue;
    const int row = world_.Pick(std::min(count - list.TopIndex, list.VisibleLines()));
    clickRow(list.TopIndex + row);
    const std::string chosen = list.Index >= 0 ? list.Strings[size_t(list.Index)] : "";
    if (roll < 60) {
      world_.ClickButton(manager->Menu, "OK");
      world_.FrameUntil([&] { return !TitleScreen->PlayerManager; }, 300);
      ++world_.figures.playersChosen;
      if (Game->ProfileName != chosen) world_.Fail("the chosen player " + chosen + " is not the current one");
      return;
    }
    if (roll < 85) {
      world_.ClickButton(manager->Menu, "Delete");
      if (manager->DialogOK) {
        // The last player cannot go.
        ++world_.figures.expectedMessages;
        world_.ClickDialogButton(manager->DialogOK, "OK");
        world_.FrameUntil([&] { return !manager->DialogOK; }, 300);
        continue;
      }
      auto question = manager->DialogYesNo;
      if (!question) {
        world_.Fail("Delete asked nothing");
        continue;
      }
      const bool yes = world_.Chance(70);
      world_.ClickDialogButton(question, yes ? "Yes" : "No");
      world_.FrameUntil([&] { return !manager->DialogYesNo; }, 300);
      if (yes) {
        ++world_.figures.playersDeleted;
        if (platform::FileExists(PlayerFilePath(chosen))) world_.Fail("the deleted player " + chosen + " is still there");
      }
      continue;
    }
    break;
  }
  if (world_.Chance(50)) world_.ClickButton(manager->Menu, "Cancel");
  else world_.Key("Escape");
  world_.FrameUntil([] { return !TitleScreen->PlayerManager; }, 300);
  if (!Game->ProfileName.empty() && !platform::FileExists(PlayerFilePath(Game->ProfileName)))
    world_.Fail("the current player " + Game->ProfileName + " has no file");
}

void ScreenSoak::Quit() {
  world_.where = "quit";
  if (world_.Chance(50)) world_.ClickButton(TitleScreen->TitleMenu, "exit");
  else world_.Key("Escape");
  world_.FrameUntil([] { return false; }, 400);
  if (!world_.Ended()) return;
  ++world_.figures.quits;
  CheckHealthy();
}

namespace {

void PrintFigures(const ScreenFigures& f) {
  std::printf("screens soak: %d sessions started, %d quit, %d frames, %d drawn\n", f.sessions, f.quits, f.frames,
              f.drawn);
  std::printf("screens visited:");
  for (const auto& [name, count] : f.visits) std::printf(" %s %d", name.c_str(), count);
  std::printf("\n%-10s %6s %6s %7s\n", "variant", "games", "won", "moves");
  for (const char* variant : Variants) {
    auto at = [&](const std::map<std::string, int>& m) {
      const auto it = m.find(variant);
      return it == m.end() ? 0 : it->second;
    };
    std::printf("%-10s %6d %6d %7d\n", variant, at(f.games), at(f.won), at(f.moves));
  }
  std::printf("in game: hints %d, undos %d, restarts %d, reshuffles %d, next layouts %d, resumes %d, back to menu %d\n",
              f.hints, f.undos, f.restarts, f.reshuffles, f.nextLayouts, f.resumes, f.backToMenu);
  std::printf("files: saves %d, loads %d, deletes %d, layouts saved %d, layouts loaded %d, custom layouts played %d, "
              "pages turned %d\n",
              f.saves, f.loads, f.deletes, f.layoutsSaved, f.layoutsLoaded, f.customPlayed, f.pagesTurned);
  std::printf("players: added %d, chosen %d, deleted %d\n", f.playersAdded, f.playersChosen, f.playersDeleted);
  std::printf("pages: sliders %d, toggles %d, options written %d, help pages %d, score tables %d, cleared %d, "
              "expected messages %d\n",
              f.sliders, f.toggles, f.optionsWritten, f.helpPages, f.scoreTables, f.tablesCleared, f.expectedMessages);
  std::printf("tables at rest %llu, digest %016llx\n", (unsigned long long)f.tables, (unsigned long long)f.digest);
  std::printf("failures: %zu\n", f.failures.size());
  for (const auto& failure : f.failures) std::printf("  %s\n", failure.c_str());
}

} // namespace

int RunScreenSoak(int games, uint32_t seed, int drawEvery) {
  char folder[] = "/tmp/marrowdeck-screens-XXXXXX";
  if (!mkdtemp(folder)) {
    std::fprintf(stderr, "soak: no temporary folder\n");
    return 2;
  }
  ScreenWorld world(folder);
  world.drawEvery = std::max(1, drawEvery);
  ScreenSoak soak(world);
  soak.Run(games, seed);
  PrintFigures(world.figures);
  std::fflush(stdout);
  const bool failed = !world.figures.failures.empty();
  // A failed run keeps the player's folder for a look.
  if (failed) std::printf("the player's files: %s\n", folder);
  else std::filesystem::remove_all(folder);
  return failed ? 1 : 0;
}
