#include "screens/TGameGUI.h"

#include "app/Clock.h"
#include "app/InputTables.h"
#include "app/TGame.h"
#include "app/TMousePointer.h"
#include "app/TSoundBank.h"
#include "effects/TParticleList.h"
#include "platform/Graphics.h"
#include "platform/Keys.h"
#include "player/PlayerProfiles.h"
#include "player/TSaveGameManager.h"
#include "player/TSolitaireHighScoreList.h"
#include "resources/TGameText.h"
#include "resources/TImageBank.h"
#include "screens/LevelFiles.h"
#include "screens/TGameMenu.h"
#include "screens/TGameScreen.h"
#include "screens/TLevelPlayScreen.h"
#include "screens/VQGenerateScreen.h"
#include "solitaire/LevelTimer.h"
#include "solitaire/TGameMode.h"
#include "solitaire/TGameModeEditor.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/TState.h"
#include "solitaire/VictoryParticles.h"
#include "ui/DialogFactories.h"
#include "ui/TColor.h"
#include "ui/VQListBox.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogTextInput.h"
#include "ui/TDialogYesNo.h"
#include "ui/TTextInput.h"
#include "ui/TMenu.h"
#include "ui/TextDraw.h"
#include "ui/UiSound.h"

#include <functional>

std::shared_ptr<TGameGUI> GameGUI;

namespace {

std::string Text(const std::string& key) { return GameText ? GameText->FindString(key) : std::string(); }

TGameMode* Mode() { return GamePlay ? GamePlay->GameMode.get() : nullptr; }

// The layout editor when it is the running mode.
TGameModeEditor* Editor() { return dynamic_cast<TGameModeEditor*>(Mode()); }

// The player's layout file of this name.
std::string LayoutPath(const std::string& name) { return ProfileFolder() + name + ".layout"; }

// Runs one tick of an open dialog; when it answers, it is closed and dropped
// and the answer returned (0 while it stays open).
template <class Dialog> int32_t Service(std::shared_ptr<Dialog>& dialog) {
  GameState->disableButtons = 1;
  const int32_t result = dialog->Manage();
  if (result == 0) return 0;
  dialog->Kill();
  dialog.reset();
  return result;
}

// After a dialog closed: the buttons listen again and Escape is the game
// screen's (it toggles the pause menu).
void AfterDialog(bool flushMouse) {
  GameState->disableButtons = 0;
  if (flushMouse) {
    FlushMouse();
    if (Game->Mouse) Game->Mouse->ClearButtons();
  }
  Game->IgnoreEscapeKey = 1;
}

void HidePauseMenu() {
  if (GameMenu && GameMenu->Active) GameMenu->Hide();
}

// The game screen fades out towards `destination` (music fading too).
void FadeTo(const std::shared_ptr<TScreen>& destination) {
  Game->DestinationTScreen = destination;
  Game->GameFade.Init(500.0f, 1, Game->MusicChannel);
}

void NextLayoutWorker() {
  auto* mode = Mode();
  if (mode && !GamePlay->IsCustomLevel) {
    const bool matching = GamePlay->SelectedGameMode == 3;
    const std::string folder = Game->DataPrefix + (matching ? "layouts/matching/" : "layouts/tripeaks/");
    const std::string next = NextLayoutPath(GamePlay->CurrentLevel, folder, "layout", matching ? 80 : 32, "001");
    // The back is chosen before the deal, so the stock is dealt with it too.
    mode->CardBackground = CardBackgroundForLayout(LayoutNumber(next));
    mode->Init(next, 0);
  }
  StartLevelTimer();
  FadeTo(GameScreen);
}

void ReshuffleWorker() {
  if (auto* mode = Mode()) mode->Shuffle();
  StartLevelTimer();
  FadeTo(GameScreen);
}

void RunUnderGenerateScreen(std::function<void()> work) {
  if (Game->Mouse) Game->Mouse->Off();
  GenerateScreen = std::make_shared<VQGenerateScreen>();
  GenerateScreen->GenerateFunction = std::move(work);
  GenerateScreen->Load();
  GenerateScreen->Show();
}

} // namespace

std::string KlondikeLayoutPath() { return Game->DataPrefix + "layouts/klondike/klondike.layout"; }

std::string ProfileFolder() { return Game ? Game->ProfilePath : std::string(); }

std::string CompletedFileForLevel(int32_t gameType, int32_t isCustomLevel) {
  return PlayerCompletedFile(Game->ProfileName, gameType, isCustomLevel);
}

void TGameGUI::Load() {
  ShuffleInput.reset();
  RestartInput.reset();
  QuitInput.reset();
  ResetInput.reset();
  OKInput.reset();
  LeaveAfterOK = 0;
  SaveGameNameInput.reset();
  if (SaveGameManager) SaveGameManager->Kill();
  SaveGameManager.reset();
  LastFileName.clear();
  endLevelMenu = std::make_shared<VQEndLevelMenu>();
}

void TGameGUI::Start(int32_t klondikeLayout) {
  MainMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 6);
  if (klondikeLayout == 1) {
    // A column at the bottom left, beside the time and the score.
    for (const char* name : {"undo", "hint", "menu"}) MainMenu->AddQuick(name);
    MainMenu->SetX(19);
    MainMenu->SetY(510);
  } else {
    for (const char* name : {"menu", "hint", "undo"}) MainMenu->AddQuick(name);
    MainMenu->SetX(710);
    MainMenu->SetY(18);
  }
  CustomMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 6);
  for (const char* name : {"savecustom", "loadcustom", "reset", "backtomenu"}) CustomMenu->AddQuick(name);
  CustomMenu->MakeRow(20);
  CustomMenu->CentreHoriz();
  CustomMenu->SetY(565);
}

bool TGameGUI::AnyDialogOpen() const {
  return ShuffleInput || RestartInput || QuitInput || ResetInput || OKInput || SaveGameNameInput || SaveGameManager;
}

void TGameGUI::FinishLevel() {
  GameState->StartFinished();
  VictoryParticles = std::make_shared<TParticleList>();
  if (Sounds && Sounds->Contains("applause")) PlayUiSound(Sounds->Find("applause"), SoundChannel);
  PauseLevelTimer();
  const int32_t type = GamePlay->SelectedGameMode;
  // A game resumed from a save has no layout of its own to mark.
  if ((type == 3 || type == 4) && !GamePlay->CurrentLevel.empty())
    MarkLevelCompleted(CompletedFileForLevel(type, GamePlay->IsCustomLevel), GamePlay->CurrentLevel, "1");
  if (auto table = GamePlay->GameMode->GetHighscoreList()) {
    const int32_t position = table->GetPosition(GamePlay->Score);
    if (position != 0) {
      table->Insert(Game->ProfileName, GamePlay->Score);
      table->Save();
      OKInput = CreateLongOKDialog(Text("Highscore Place") + std::to_string(position) + "!");
    }
  }
  GameState->disableButtons = 0;
  endLevelMenu->Init(-1, -1);
}

void TGameGUI::Logic() {
  auto* mode = Mode();
  if (!GameState->stateFinished && !GameState->stateCustomMode && mode && mode->IsGameFinished() &&
      GamePlay->ScoreAdder == 0)
    FinishLevel();
  if (!GameState->disableButtons) {
    if (GameState->stateCustomMode) {
      if (CustomMenu) CustomMenu->Manage();
    } else if (MainMenu && !(GameMenu && GameMenu->Active)) {
      MainMenu->Manage();
    }
  }
  CheckInputDialogs();
  CheckButtonClicks();
  CheckEndGameMenu();
}

void TGameGUI::CheckButtonClicks() {
  // H asks for a hint in the tick it is pressed or not at all: a press made
  // while none can be given (the deal, the pause menu, a message) is used up
  // here rather than showing a hint later, unasked.
  const bool hintKey = KeyHit(platform::keys::A + ('H' - 'A')) != 0;
  if (GameState->disableButtons) return;
  auto* mode = Mode();
  if (MainMenu && MainMenu->Clicked("menu")) GameMenu->Show(1);
  if (CustomMenu) {
    if (CustomMenu->Clicked("savecustom")) AskLayoutName();
    if (CustomMenu->Clicked("loadcustom")) ShowSaveGameManager();
    if (CustomMenu->Clicked("reset")) ResetInput = CreateYesNoDialog(Text("Clear Puzzle"));
    if (CustomMenu->Clicked("backtomenu")) QuitInput = CreateYesNoDialog(Text("Exit Editor"));
  }
  if (GameState->stateFinished || GameState->disableButtons || !mode || !MainMenu) return;
  if (MainMenu->Clicked("undo")) mode->Undo();
  if (MainMenu->Clicked("hint") || (hintKey && !(GameMenu && GameMenu->Active))) mode->ResetHintTimer(100);
}

void TGameGUI::ShowFileError(const std::string& message) {
  if (!message.empty()) OKInput = CreateErrorOKDialog(message);
}

int32_t TGameGUI::ShowDealMessage() {
  auto* mode = Mode();
  if (!mode || !mode->IsDealUnsolvable()) return 0;
  OKInput = CreateOKDialog(Text("Editor Error Unsolvable"));
  LeaveAfterOK = 1;
  return 1;
}

void TGameGUI::AskLayoutName() {
  auto* editor = Editor();
  if (!editor) return;
  switch (editor->IsLayoutValid()) {
  case 0:
    SaveGameNameInput = CreateNameInputDialog(2, Text("Enter Card Name"), TNameKind::Layout);
    if (!LastFileName.empty()) {
      SaveGameNameInput->TextInput->Text = LastFileName;
      SaveGameNameInput->TextInput->CurrentChar = int32_t(LastFileName.size()) + 1;
    }
    break;
  case 1: OKInput = CreateOKDialog(Text("Editor Error Equal Number")); break;
  case 2: OKInput = CreateOKDialog(Text("Editor Error Two Opened")); break;
  case 3: OKInput = CreateOKDialog(Text("Editor Error Unsolvable")); break;
  default: OKInput = CreateOKDialog(Text("Editor Error Not Valid")); break;
  }
}

int32_t TGameGUI::SaveLayoutAs(const std::string& name) {
  auto* editor = Editor();
  if (!editor) return 0;
  if (!editor->SaveLayout(LayoutPath(name))) {
    ShowFileError(editor->FileMessage);
    return 0;
  }
  LastFileName = name;
  return 1;
}

int32_t TGameGUI::LoadLayout(const std::string& name) {
  auto* editor = Editor();
  if (!editor) return 0;
  if (editor->LoadLayout(LayoutPath(name))) return 1;
  ShowFileError(editor->FileMessage);
  return 0;
}

int32_t TGameGUI::LoadSavedGame(const std::string& name) {
  auto* mode = Mode();
  if (!mode) return 0;
  const bool frozen = LevelPauseTime != 0;
  if (!mode->LoadGame(ProfileFolder() + name + ".ksave")) {
    // A damaged or refused file says why; the game goes on as it was.
    ShowFileError(mode->FileMessage);
    return 0;
  }
  // A resumed game has no layout file of its own: the end of the level must
  // not mark whatever was played before.
  GamePlay->CurrentLevel.clear();
  GamePlay->IsCustomLevel = 0;
  GameState->Clear();
  // The loaded play time stays; a running pause restarts from now.
  if (frozen) LevelPauseTime = int64_t(AppMillisecs());
  HidePauseMenu();
  return 1;
}

int32_t TGameGUI::SaveGameAs(const std::string& name) {
  auto* mode = Mode();
  if (!mode || GameState->stateFinished) return 0;
  if (mode->SaveGame(ProfileFolder() + name)) return 1;
  ShowFileError(mode->FileMessage);
  return 0;
}

void TGameGUI::CheckInputDialogs() {
  auto* mode = Mode();
  if (SaveGameManager) {
    GameState->disableButtons = 1;
    const int32_t result = SaveGameManager->Manage();
    if (result != 0) {
      const std::string chosen = SaveGameManager->SelectedName();
      SaveGameManager->Kill();
      SaveGameManager.reset();
      AfterDialog(true);
      if (result == 1) {
        if (GameState->stateCustomMode) LoadLayout(chosen);
        else LoadSavedGame(chosen);
      }
    } else if (SaveGameManager->Active) {
      return;
    }
  }
  if (SaveGameNameInput) {
    GameState->disableButtons = 1;
    const int32_t result = SaveGameNameInput->Manage();
    if (result != 0) {
      const std::string name = SaveGameNameInput->Value();
      SaveGameNameInput->Kill();
      SaveGameNameInput.reset();
      AfterDialog(true);
      if (result == 1) {
        if (GameState->stateCustomMode) SaveLayoutAs(name);
        else SaveGameAs(name);
      }
    }
  }
  if (ResetInput) {
    const int32_t result = Service(ResetInput);
    if (result != 0) {
      AfterDialog(true);
      if (result == 1 && mode) mode->Clear();
    }
  }
  if (RestartInput) {
    const int32_t result = Service(RestartInput);
    if (result != 0) {
      AfterDialog(false);
      if (result == 1 && mode) {
        mode->Reset();
        HidePauseMenu();
        ShowDealMessage();
      }
    }
  }
  if (QuitInput) {
    const int32_t result = Service(QuitInput);
    if (result != 0) {
      AfterDialog(false);
      if (result == 1) FadeTo(PlayScreenOfGameType(GamePlay->SelectedGameMode));
    }
  }
  if (ShuffleInput) {
    const int32_t result = Service(ShuffleInput);
    if (result != 0) {
      AfterDialog(false);
      if (result == 1) Shuffle();
    }
  }
  if (OKInput && Service(OKInput) != 0) {
    AfterDialog(true);
    // No game is on the table after a deal that could not be made.
    if (LeaveAfterOK) FadeTo(PlayScreenOfGameType(GamePlay->SelectedGameMode));
    LeaveAfterOK = 0;
  }
}

void TGameGUI::CheckEndGameMenu() {
  if (!GameState->stateFinished || GameState->disableButtons || (GameMenu && GameMenu->Active) || !endLevelMenu) return;
  endLevelMenu->Logic(GamePlay->IsCustomLevel ? 0 : 1, 1, 1);
  switch (endLevelMenu->Selected) {
  case 1:
    if (GamePlay->SelectedGameMode == 2) {
      // A new deal of the one layout (also after a loaded game, which has no CurrentLevel).
      if (auto* mode = Mode()) mode->Init(KlondikeLayoutPath(), 0);
      StartLevelTimer();
      ShowDealMessage();
    } else {
      MatchingTripeaksNext();
    }
    break;
  case 2: RestartInput = CreateYesNoDialog(Text("Restart Puzzle")); break;
  case 3: QuitInput = CreateYesNoDialog(Text("Exit Playing")); break;
  default: break;
  }
}

void TGameGUI::MatchingTripeaksNext() { RunUnderGenerateScreen(NextLayoutWorker); }

void TGameGUI::Shuffle() { RunUnderGenerateScreen(ReshuffleWorker); }

void TGameGUI::Draw() {
  if (GameState->stateFinished) {
    DrawTextLines(Text("Finished Puzzle Message"), 255, 410, FontOfSize(25), 1, 0, 1, 0);
    if (!(GameMenu && GameMenu->Active) && endLevelMenu) endLevelMenu->Draw(GamePlay->IsCustomLevel ? 0 : 1, 1, 1);
  }
  DrawDialogs();
}

void TGameGUI::DrawMenus() {
  if (GameState->stateCustomMode) {
    if (CustomMenu) CustomMenu->Draw(0, 0);
  } else if (MainMenu) {
    MainMenu->Draw(0, 0);
  }
}

void TGameGUI::DrawDialogs() {
  if (RestartInput) RestartInput->Draw();
  if (ResetInput) ResetInput->Draw();
  if (QuitInput) QuitInput->Draw();
  if (ShuffleInput) ShuffleInput->Draw();
  if (OKInput) OKInput->Draw();
  if (SaveGameNameInput) SaveGameNameInput->Draw();
  if (SaveGameManager) SaveGameManager->Draw();
}

void TGameGUI::ShowSaveGameManager() {
  const bool custom = GameState->stateCustomMode != 0;
  SaveGameManager = OpenSaveGameManager(custom ? "Choose Layout" : "Choose Savegame", custom ? "layout" : "ksave");
}

std::shared_ptr<TSaveGameManager> OpenSaveGameManager(const std::string& captionKey, const std::string& extension) {
  auto manager = TSaveGameManager::Create(Text(captionKey), Images->Find("manager"), 0, 0, 0, extension,
                                          ProfileFolder(), Text("Delete File"));
  manager->DimWhenActive = 1; // the table or play screen behind it darkens, as behind every dialog
  manager->ListBox->HighlightCol = TColor::Create(100, 100, 100, 0.5f);
  manager->ErrorDialogFunc = CreateErrorOKDialog;
  manager->DialogYesNoFunc = CreateYesNoDialog;
  manager->Start();
  return manager;
}
