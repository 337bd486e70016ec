#include "solitaire/TState.h"

std::shared_ptr<TState> GameState;

void TState::Clear() { stateCustomMode = stateBuildingLevel = stateFinished = 0; }

void TState::StartBuildingLevel() {
  Clear();
  stateBuildingLevel = disableButtons = 1;
}

void TState::StopBuildingLevel() { stateBuildingLevel = disableButtons = 0; }

void TState::StartFinished() {
  Clear();
  stateFinished = disableButtons = 1;
}

void TState::StopFinished() { stateFinished = disableButtons = 0; }
