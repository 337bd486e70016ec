#pragma once
#include "app/TGameSound.h"

#include <memory>

// Plays a widget sound (a click, a dialog opening) through the game's channel
// pool, or on `ownChannel` when the game has no pool. Nothing without a game.
void PlayUiSound(const std::shared_ptr<TGameSound>& sound, ChannelRef& ownChannel);
