#include "solitaire/TState.h"

std::shared_ptr<TState> GameState;
