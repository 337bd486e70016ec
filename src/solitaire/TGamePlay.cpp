#include "solitaire/TGamePlay.h"

#include "solitaire/TGameMode.h"
#include "solitaire/TGameModeEditor.h"
#include "solitaire/TGameModeKlondike.h"
#include "solitaire/TGameModeMatching.h"
#include "solitaire/TGameModeTripeaks.h"
#include "solitaire/TState.h"

std::shared_ptr<TGamePlay> GamePlay;

int32_t TGamePlay::Init(int32_t mode, int32_t background) {
  if (GameState) GameState->Clear();
  SelectedGameMode = mode;
  GameMode.reset();
  switch (mode) {
  case 1: {
    auto editor = std::make_shared<TGameModeEditor>();
    editor->CardBackground = editor->Random.Rand(1, 6); // the preview's back and the table's design
    GameMode = editor;
    if (GameState) GameState->StartCustom();
    break;
  }
  case 2:
    GameMode = std::make_shared<TGameModeKlondike>(); // deals its own table design
    break;
  case 3:
    GameMode = std::make_shared<TGameModeMatching>();
    break;
  case 4:
    GameMode = std::make_shared<TGameModeTripeaks>();
    break;
  default:
    return 0;
  }
  GameMode->GameType = SelectedGameMode;
  if (mode >= 3 && background >= 1 && background <= 6) GameMode->CardBackground = background;
  return 1;
}

int32_t TGamePlay::Logic() { return GameMode ? GameMode->Logic() : 0; }

int32_t TGamePlay::Draw() { return GameMode ? GameMode->Draw() : 0; }
