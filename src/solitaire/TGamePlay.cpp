#include "solitaire/TGamePlay.h"

#include "solitaire/TGameMode.h"
#include "solitaire/TGameModeEditor.h"
#include "solitaire/TGameModeKlondike.h"
#include "solitaire/TGameModeMatching.h"
#include "solitaire/TGameModeTripeaks.h"
#include "solitaire/TState.h"

#include <random>

std::shared_ptr<TGamePlay> GamePlay;

TGamePlay::TGamePlay() : DealSeeds(std::random_device{}()) {}

int32_t TGamePlay::Init(int32_t mode, int32_t background) {
  if (GameState) GameState->Clear();
  SelectedGameMode = mode;
  GameMode.reset();
  switch (mode) {
  case 1: {
    auto editor = std::make_shared<TGameModeEditor>();
    editor->Random.Seed(DealSeeds.Next());
    editor->CardBackground = editor->Random.Rand(1, 6); // the preview's back and the table's design
    GameMode = editor;
    if (GameState) GameState->StartCustom();
    break;
  }
  case 2: {
    auto klondike = std::make_shared<TGameModeKlondike>(); // deals its own table design
    klondike->Seed(DealSeeds.Next());
    GameMode = klondike;
    break;
  }
  case 3: {
    auto matching = std::make_shared<TGameModeMatching>();
    matching->Random.Seed(DealSeeds.Next());
    GameMode = matching;
    break;
  }
  case 4: {
    auto tripeaks = std::make_shared<TGameModeTripeaks>();
    tripeaks->Random.Seed(DealSeeds.Next());
    GameMode = tripeaks;
    break;
  }
  default:
    return 0;
  }
  GameMode->GameType = SelectedGameMode;
  if (mode >= 3 && background >= 1 && background <= 6) GameMode->CardBackground = background;
  return 1;
}

int32_t TGamePlay::Logic() { return GameMode ? GameMode->Logic() : 0; }

int32_t TGamePlay::Draw() { return GameMode ? GameMode->Draw() : 0; }
