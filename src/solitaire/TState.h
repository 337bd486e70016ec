#pragma once
#include <cstdint>
#include <memory>

// The session flags every in-game control consults. One exists, `GameState`.
class TState {
public:
  // Clear: custom, building and finished all off (the other flags stay).
  // Building a level (dealing) and the end-of-level state also lock the buttons.
  void Clear();
  void StartBuildingLevel();
  void StopBuildingLevel();
  void StartFinished();
  void StopFinished();

  int32_t stateCustomMode = 0;    // the layout editor is running
  int32_t stateBuildingLevel = 0; // a layout is being built
  int32_t stateFinished = 0;      // the layout is finished (end-of-level state)
  int32_t disableButtons = 0;     // in-game buttons and menus ignore the mouse
  int32_t isMakingLevel = 0;
  int32_t isReShuffling = 0;
};

extern std::shared_ptr<TState> GameState;
