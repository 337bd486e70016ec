#include "ui/UiSound.h"

#include "app/TChannelArray.h"
#include "app/TGame.h"

void PlayUiSound(const std::shared_ptr<TGameSound>& sound, ChannelRef& ownChannel) {
  if (!sound || !Game) return;
  if (Game->Channels)
    Game->Channels->PlayGameSound(sound, nullptr, 1.0f, 0.0f);
  else
    Game->GameSoundPlay(ownChannel, sound, 0.0f);
}
