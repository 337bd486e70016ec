#include "solitaire/TGamePlay.h"

#include "solitaire/TGameMode.h"

std::shared_ptr<TGamePlay> GamePlay;
