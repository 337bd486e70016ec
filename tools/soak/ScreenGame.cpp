#include "ScreenGame.h"

#include "ScreenWorld.h"

#include "app/TAnimation.h"
#include "app/TGame.h"
#include "app/TScreen.h"
#include "app/VQMouse.h"
#include "platform/Files.h"
#include "player/TSaveGameManager.h"
#include "screens/LevelThumbnails.h"
#include "screens/TGameGUI.h"
#include "screens/TGameMenu.h"
#include "screens/VQGenerateScreen.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameMode.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/TState.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogTextInput.h"
#include "ui/TDialogYesNo.h"
#include "ui/TLabel.h"
#include "ui/TMenu.h"
#include "ui/TTextInput.h"
#include "ui/VQListBox.h"

#include <algorithm>

namespace {

std::string Caption(const std::shared_ptr<TDialog>& dialog) {
  return dialog && dialog->Caption ? dialog->Caption->Text : std::string();
}

// The in-game buttons: Klondike's column or the layout games' row.
std::shared_ptr<TMenu> Buttons() { return GameGUI ? GameGUI->MainMenu : nullptr; }

} // namespace

bool ScreenGame::Settle() {
  // A won level takes over at once: its message holds the table, cards still in flight included.
  const auto atRest = [&] {
    return (!table_.Busy() || GameState->stateFinished) && !(GenerateScreen && GenerateScreen->Active);
  };
  if (!world_.FrameUntil(atRest, 3000)) {
    std::string why = GenerateScreen && GenerateScreen->Active ? "the generate screen is up" : table_.Why();
    if (GameMenu->Active) why += ", the pause menu is open";
    if (!OpenDialogs().empty()) why += ", open: " + OpenDialogs();
    if (GameState->disableButtons) why += ", the buttons are held";
    world_.Fail("the table never came to rest: " + why + "; the last action: " + lastAction_);
    return false;
  }
  world_.Record(table_.Cards());
  world_.MoveMouse(790, 300);
  world_.Frame();
  // The next click must be no double click of the last: the pointer's own timer says when.
  world_.FrameUntil([] { return GameMouse->DoubleClickCounter <= 0; }, 30);
  world_.Look(); // the table at rest is drawn
  return Healthy();
}

std::string ScreenGame::OpenDialogs() const {
  std::string open;
  const std::pair<const char*, std::shared_ptr<TDialog>> dialogs[] = {
      {"message", GameGUI->OKInput},        {"name dialog", GameGUI->SaveGameNameInput},
      {"file list", GameGUI->SaveGameManager}, {"restart question", GameGUI->RestartInput},
      {"quit question", GameGUI->QuitInput},   {"reshuffle question", GameGUI->ShuffleInput},
      {"clear question", GameGUI->ResetInput}};
  for (const auto& [what, dialog] : dialogs)
    if (dialog) open += std::string(open.empty() ? "" : ", ") + what + " \"" + Caption(dialog) + "\"";
  return open;
}

bool ScreenGame::Healthy() {
  bool healthy = true;
  for (const auto& report : world_.TakeErrorReports()) {
    world_.Fail("error reported: " + report);
    healthy = false;
  }
  if (GameGUI && GameGUI->OKInput && !GameState->stateFinished && !GameGUI->LeaveAfterOK) {
    world_.Fail("a message nobody expected: " + Caption(GameGUI->OKInput));
    world_.ClickDialogButton(GameGUI->OKInput, "OK");
    world_.FrameUntil([] { return !GameGUI->OKInput; }, 200);
    healthy = false;
  }
  if (GameGUI && !GameGUI->OKInput && !OpenDialogs().empty()) {
    world_.Fail("a dialog stayed open: " + OpenDialogs());
    healthy = false;
  }
  if (world_.Ended()) {
    world_.Fail("the game ended on the game screen");
    return false;
  }
  if (world_.ScreenName() != "game") {
    world_.Fail("left the game screen for the " + world_.ScreenName() + " screen");
    return false;
  }
  return healthy;
}

bool ScreenGame::Closed(std::shared_ptr<TDialog> dialog) {
  // Finalise and Kill both clear Active; the owner drops the dialog in the same tick.
  if (world_.FrameUntil([&] { return !dialog->Active; }, 300)) return world_.Frame(), true;
  world_.Fail("a dialog never closed: " + Caption(dialog));
  return false;
}

bool ScreenGame::Answer(std::shared_ptr<TDialogYesNo> question, bool yes) {
  if (!question) {
    world_.Fail("the question did not open");
    return false;
  }
  if (world_.Chance(30)) {
    world_.WaitOpen(question);
    world_.Key(yes ? "Y" : "N");
  } else {
    world_.ClickDialogButton(question, yes ? "Yes" : "No");
  }
  return Closed(question);
}

bool ScreenGame::OpenPauseMenu() {
  if (world_.Chance(50)) world_.ClickButton(Buttons(), "menu");
  else world_.Key("Escape");
  if (!world_.FrameUntil([] { return GameMenu->Active && !GameMenu->FadeIn->Active; }, 100)) {
    // The last card landed as the menu was asked for: the level's end owns the screen now.
    if (GameState->stateFinished) return false;
    world_.Fail("the pause menu did not open");
    return false;
  }
  return true;
}

bool ScreenGame::ClosePauseMenu() {
  if (world_.Chance(50)) world_.ClickButton(GameMenu->Buttons, "resume");
  else world_.Key("Escape");
  if (!world_.FrameUntil([] { return !GameMenu->Active; }, 100)) {
    world_.Fail("the pause menu did not close");
    return false;
  }
  ++world_.figures.resumes;
  return true;
}

void ScreenGame::Dealt() {
  dealt_ = table_.Cards();
  NewGame();
}

void ScreenGame::NewGame() {
  // Klondike is won only by a long game: now and then one is played to be won, with nothing on the way
  // that deals anew or leaves, so that its win and the messages after it are walked through too.
  table_.PlayToWin(variant_ == "klondike" && world_.Chance(40));
}

bool ScreenGame::Restart() {
  if (!OpenPauseMenu()) return true;
  world_.ClickButton(GameMenu->Buttons, "restartpuzzle");
  const bool yes = world_.Chance(80);
  Answer(GameGUI->RestartInput, yes);
  if (!yes) return ClosePauseMenu();
  world_.FrameUntil([] { return !GameMenu->Active; }, 100);
  if (!Settle()) return false;
  ++world_.figures.restarts;
  if (!dealt_.empty() && table_.Cards() != dealt_)
    world_.Fail("restart did not bring back the deal:\n  dealt     " + dealt_ + "\n  restarted " + table_.Cards());
  return true;
}

bool ScreenGame::Reshuffle() {
  if (!OpenPauseMenu()) return true;
  world_.ClickButton(GameMenu->Buttons, "shufflepuzzle");
  const bool yes = world_.Chance(80);
  Answer(GameGUI->ShuffleInput, yes);
  if (!yes) return ClosePauseMenu();
  // The generate screen deals the cards again (once its overlay is drawn) and fades the game screen back in.
  if (!world_.Arrive("game")) return false;
  if (!world_.FrameUntil([] { return !(GenerateScreen && GenerateScreen->Active); }, 3000)) {
    world_.Fail("the generate screen never went away");
    return false;
  }
  if (GameMenu->Active) ClosePauseMenu();
  if (!Settle()) return false;
  ++world_.figures.reshuffles;
  Dealt();
  return true;
}

std::string ScreenGame::EnterName(const std::string& prefix) {
  auto dialog = GameGUI->SaveGameNameInput;
  if (!world_.WaitOpen(dialog)) return "";
  std::string name = dialog->TextInput ? dialog->TextInput->Text : "";
  if (name.empty() || world_.Chance(50)) {
    // A few names, so that saving over an earlier file happens too.
    for (size_t i = 0; i < name.size(); ++i) world_.Key("Backspace");
    name = prefix + std::to_string(1 + world_.Pick(4));
    world_.TypeText(name);
  }
  if (world_.Chance(50)) world_.Key("Return");
  else world_.ClickButton(dialog->Menu, "OK");
  if (!Closed(dialog)) return "";
  return name;
}

bool ScreenGame::Save() {
  if (!OpenPauseMenu()) return true;
  const std::string table = table_.Cards();
  world_.ClickButton(GameMenu->Buttons, "savegame");
  if (!GameGUI->SaveGameNameInput) {
    world_.Fail("savegame opened no name dialog");
    return ClosePauseMenu();
  }
  if (world_.Chance(10)) {
    world_.WaitOpen(GameGUI->SaveGameNameInput);
    auto dialog = GameGUI->SaveGameNameInput;
    world_.Key("Escape"); // the player changes their mind
    Closed(dialog);
    return ClosePauseMenu();
  }
  const std::string name = EnterName("Soak");
  if (name.empty()) return ClosePauseMenu();
  if (GameGUI->OKInput) return Healthy();
  const std::string path = ProfileFolder() + name + "." + extension_;
  std::string bytes;
  if (!platform::ReadWholeFile(path, bytes) || bytes.empty()) world_.Fail("the saved game " + path + " cannot be read");
  saved_[path] = table;
  ++world_.figures.saves;
  return ClosePauseMenu();
}

std::string ScreenGame::UseSaveGameManager(std::shared_ptr<TSaveGameManager> manager) {
  if (!world_.WaitOpen(manager)) return "";
  const auto& list = *manager->ListBox;
  const int count = int(list.Strings.size());
  if (count == 0 || world_.Chance(10)) {
    world_.ClickButton(manager->Menu, "Cancel");
    Closed(manager);
    return "";
  }
  // A line in view clicked: the box shows from StartList.
  const int row = world_.Pick(std::min(count - list.StartList, list.EndList - list.StartList + 1));
  const int y = int(list.BoxY) + row * list.LineHeight + list.LineHeight / 2;
  const int x = int(list.BoxX + list.BoxW / 2);
  world_.Click(x, y);
  if (list.Index != list.StartList + row) world_.Fail("a click on a saved game did not select it");
  const std::string chosen = manager->SelectedName();
  if (world_.Chance(10)) {
    world_.ClickButton(manager->Menu, "Delete");
    if (!manager->DialogYesNo) {
      world_.Fail("Delete asked nothing");
    } else {
      const bool yes = world_.Chance(60);
      auto question = manager->DialogYesNo;
      world_.ClickDialogButton(question, yes ? "Yes" : "No");
      world_.FrameUntil([&] { return !manager->DialogYesNo; }, 300);
      if (yes) {
        ++world_.figures.deletes;
        if (platform::FileExists(manager->Directory + chosen + "." + manager->Extension))
          world_.Fail("the deleted file " + chosen + " is still there");
        saved_.erase(manager->Directory + chosen + "." + manager->Extension);
      }
    }
    world_.ClickButton(manager->Menu, "Cancel");
    Closed(manager);
    return "";
  }
  if (world_.Chance(30)) world_.Click(x, y); // the second click of a double click loads it
  else world_.ClickButton(manager->Menu, "Load");
  if (!Closed(manager)) return "";
  return chosen;
}

void ScreenGame::CheckLoaded(const std::string& name, const std::string& extension) {
  ++world_.figures.loads;
  const auto it = saved_.find(ProfileFolder() + name + "." + extension);
  if (it == saved_.end()) return; // saved in an earlier session
  const std::string loaded = table_.Cards();
  if (loaded != it->second)
    world_.Fail("the loaded game " + name + " differs from the saved one:\n  saved  " + it->second + "\n  loaded " +
                loaded);
}

bool ScreenGame::Load() {
  if (!OpenPauseMenu()) return true;
  world_.ClickButton(GameMenu->Buttons, "loadgame");
  auto manager = GameGUI->SaveGameManager;
  if (!manager) {
    world_.Fail("loadgame opened no save-game manager");
    return ClosePauseMenu();
  }
  const std::string chosen = UseSaveGameManager(manager);
  if (chosen.empty()) return GameMenu->Active ? ClosePauseMenu() : true;
  world_.FrameUntil([] { return !GameMenu->Active; }, 100);
  if (!Settle()) return false;
  CheckLoaded(chosen, extension_);
  dealt_.clear();
  return true;
}

bool ScreenGame::BackToMenu(bool mayRefuse) {
  if (!OpenPauseMenu()) return true;
  world_.ClickButton(GameMenu->Buttons, "backtomenu");
  const bool yes = !mayRefuse || world_.Chance(85);
  Answer(GameGUI->QuitInput, yes);
  if (!yes) return ClosePauseMenu();
  ++world_.figures.backToMenu;
  world_.Arrive(playScreen_);
  return false;
}

bool ScreenGame::EndOfLevel() {
  ++world_.figures.won[variant_];
  // The high-score message first.
  if (GameGUI->OKInput) {
    ++world_.figures.expectedMessages;
    auto message = GameGUI->OKInput;
    world_.ClickDialogButton(message, "OK");
    Closed(message);
  }
  auto& menu = *GameGUI->endLevelMenu;
  if (!world_.FrameUntil([&] { return menu.Show && menu.Menu; }, 200)) {
    world_.Fail("no end-of-level menu");
    return false;
  }
  const bool custom = GamePlay->IsCustomLevel != 0;
  const int choice = world_.Pick(3);
  if (choice == 0 && !custom) {
    world_.ClickButton(menu.Menu, "nextpuzzle");
    if (variant_ != "klondike") {
      ++world_.figures.nextLayouts;
      if (!world_.Arrive("game")) return false;
    }
    if (!Settle()) return false;
    ++world_.figures.games[variant_];
    Dealt();
    return !GameState->stateFinished || (world_.Fail("the next game is over before it began"), false);
  }
  if (choice == 1) {
    world_.ClickButton(menu.Menu, "restartpuzzle");
    const bool yes = world_.Chance(80);
    Answer(GameGUI->RestartInput, yes);
    if (yes) {
      if (!Settle()) return false;
      // The won level dealt again is another game: games and wins stay comparable.
      ++world_.figures.restarts;
      ++world_.figures.games[variant_];
      return true;
    }
  }
  world_.ClickButton(menu.Menu, "backtomenu");
  Answer(GameGUI->QuitInput, true);
  ++world_.figures.backToMenu;
  world_.Arrive(playScreen_);
  return false;
}

void ScreenGame::Play(const std::string& variant, const std::string& loadedName) {
  variant_ = variant;
  extension_ = variant == "klondike" ? "ksave" : variant == "tripeaks" ? "tsave" : "msave";
  playScreen_ = variant == "klondike" ? "play" : variant;
  ++world_.figures.games[variant_];
  if (!Settle()) return;
  if (loadedName.empty()) {
    Dealt();
  } else {
    CheckLoaded(loadedName, extension_);
    dealt_.clear();
    NewGame();
  }
  for (int step = 0; step < 400; ++step) {
    world_.where = variant_ + " step " + std::to_string(step);
    if (!Settle()) return;
    if (GameState->stateFinished) {
      if (!EndOfLevel()) return;
      continue;
    }
    const double roll = std::uniform_real_distribution<double>(0, 100)(world_.random);
    std::string action = roll < 4 ? "undo" : roll < 8 ? "hint" : roll < 9 ? "restart" : roll < 10 ? "reshuffle"
                         : roll < 14 ? "save" : roll < 15 && variant_ == "klondike" ? "load" : roll < 16 ? "pause"
                         : roll < 16.7 ? "back to menu" : "move";
    const bool dealsAnewOrLeaves =
        action == "restart" || action == "reshuffle" || action == "load" || action == "back to menu";
    if (table_.PlaysToWin() && dealsAnewOrLeaves) action = "move";
    world_.where += " (" + action + ")";
    lastAction_ = world_.where;
    bool stay = true;
    if (action == "undo") {
      world_.ClickButton(Buttons(), "undo");
      ++world_.figures.undos;
    } else if (action == "hint") {
      world_.ClickButton(Buttons(), "hint");
      world_.Frame(30);
      ++world_.figures.hints;
    } else if (action == "restart") {
      stay = Restart();
    } else if (action == "reshuffle") {
      stay = Reshuffle();
    } else if (action == "save") {
      stay = Save();
    } else if (action == "load") {
      stay = Load();
    } else if (action == "pause") {
      if (OpenPauseMenu()) ClosePauseMenu();
    } else if (action == "back to menu") {
      stay = BackToMenu();
    } else {
      if (table_.Play() == 0) {
        // Nothing left to play: a new deal or back to the menu.
        stay = world_.Chance(50) ? Reshuffle() : BackToMenu();
      } else {
        ++world_.figures.moves[variant_];
      }
    }
    if (!stay) return;
  }
  if (world_.ScreenName() == "game") BackToMenu(false);
}

void ScreenGame::SaveLayout() {
  world_.ClickButton(GameGUI->CustomMenu, "savecustom");
  if (GameGUI->OKInput) {
    // Why the layout cannot be saved yet: expected while it is not a valid one.
    ++world_.figures.expectedMessages;
    auto message = GameGUI->OKInput;
    world_.ClickDialogButton(message, "OK");
    Closed(message);
    return;
  }
  if (!GameGUI->SaveGameNameInput) {
    world_.Fail("savecustom opened no name dialog");
    return;
  }
  const std::string name = EnterName("Layout");
  if (name.empty() || GameGUI->OKInput) return;
  const std::string path = ProfileFolder() + name + ".layout";
  TCardList cards;
  if (!ReadLevelLayout(path, cards, 0, 0)) world_.Fail("the saved layout " + path + " cannot be read");
  else if (cards.Count() != table_.CardCount())
    world_.Fail("the saved layout holds " + std::to_string(cards.Count()) + " cards, not " +
                std::to_string(table_.CardCount()));
  saved_[path] = table_.Cards();
  ++world_.figures.layoutsSaved;
}

void ScreenGame::LoadLayout() {
  world_.ClickButton(GameGUI->CustomMenu, "loadcustom");
  auto manager = GameGUI->SaveGameManager;
  if (!manager) {
    world_.Fail("loadcustom opened no layout list");
    return;
  }
  const std::string chosen = UseSaveGameManager(manager);
  if (chosen.empty()) return;
  world_.Frame(5);
  ++world_.figures.layoutsLoaded;
  const auto it = saved_.find(ProfileFolder() + chosen + ".layout");
  if (it != saved_.end() && it->second != table_.Cards())
    world_.Fail("the loaded layout " + chosen + " differs from the saved one:\n  saved  " + it->second +
                "\n  loaded " + table_.Cards());
}

void ScreenGame::Edit() {
  variant_ = "editor";
  ++world_.figures.games[variant_];
  const int wanted = 10 + world_.Pick(60);
  for (int step = 0; step < 300; ++step) {
    world_.where = "editor step " + std::to_string(step);
    world_.Frame(2);
    if (!Healthy()) return;
    const double roll = std::uniform_real_distribution<double>(0, 100)(world_.random);
    const bool enough = table_.CardCount() >= wanted;
    if (roll < (enough ? 30 : 2)) {
      SaveLayout();
    } else if (roll < (enough ? 35 : 3)) {
      LoadLayout();
    } else if (roll < (enough ? 37 : 3.5)) {
      world_.ClickButton(GameGUI->CustomMenu, "reset");
      const bool yes = world_.Chance(50);
      Answer(GameGUI->ResetInput, yes);
      if (yes && table_.CardCount() != 0) world_.Fail("the cleared layout still holds cards");
    } else if (roll < (enough ? 45 : 4)) {
      world_.ClickButton(GameGUI->CustomMenu, "backtomenu");
      const bool yes = world_.Chance(80);
      Answer(GameGUI->QuitInput, yes);
      if (yes) {
        world_.Arrive("play");
        return;
      }
    } else {
      table_.Play();
      ++world_.figures.moves[variant_];
    }
  }
  world_.ClickButton(GameGUI->CustomMenu, "backtomenu");
  Answer(GameGUI->QuitInput, true);
  world_.Arrive("play");
}
