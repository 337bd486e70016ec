#include "solitaire/TGamePlay.h"

#include "solitaire/TGameMode.h"
#include "solitaire/TGameModeKlondike.h"
#include "solitaire/TState.h"

std::shared_ptr<TGamePlay> GamePlay;

int32_t TGamePlay::Init(int32_t mode, int32_t background) {
  if (GameState) GameState->Clear();
  SelectedGameMode = mode;
  GameMode.reset();
  switch (mode) {
  case 2:
    GameMode = std::make_shared<TGameModeKlondike>(); // deals its own table design
    break;
  default:
    // The editor, Matching and Tri Peaks arrive with their own modes.
    (void)background;
    return 0;
  }
  GameMode->GameType = SelectedGameMode;
  return 1;
}

int32_t TGamePlay::Logic() { return GameMode ? GameMode->Logic() : 0; }

int32_t TGamePlay::Draw() { return GameMode ? GameMode->Draw() : 0; }
