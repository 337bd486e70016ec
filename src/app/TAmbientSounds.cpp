#include "app/TAmbientSounds.h"
#include "app/TGame.h"

#include "app/Delta.h"
#include "app/TGameAudio.h"

int TAmbientSounds::AddSound(const std::shared_ptr<TGameSound>& gameSound) {
  if (!gameSound || TotalSounds >= MAX_SOUNDS) return 0;
  Sounds.push_back(gameSound);
  TotalSounds = int(Sounds.size());
  return 1;
}

int TAmbientSounds::Fill(const std::string& prefix, int count, const std::string& suffix) {
  for (int i = 0; i < count; ++i) AddSound(TGameSound::Create(prefix + std::to_string(i) + suffix, 0));
  return 1;
}

int TAmbientSounds::Init(float ms, int chance) {
  TGameAudio* game = Game.get();
  SoundCounterMax = int(game ? game->CalcAnimLength(ms) : ms / 5.0f);
  SoundCounter = float(SoundCounterMax);
  Chance = chance;
  return 1;
}

int TAmbientSounds::Kill() {
  Sounds.clear();
  TotalSounds = 0;
  return 1;
}

int TAmbientSounds::Manage() {
  SoundCounter -= Delta;
  if (SoundCounter > 0) return 0;
  SoundCounter += float(SoundCounterMax);
  int roll = std::uniform_int_distribution<int>(1, 100)(Random);
  if (Chance < roll || Sounds.empty()) return 0;
  auto& pick = Sounds[size_t(std::uniform_int_distribution<int>(0, TotalSounds - 1)(Random))];
  TGameAudio* game = Game.get();
  if (!game || !game->Channels) return 0;
  return game->Channels->PlayGameSound(pick, nullptr, pick->volume, 0.0f) ? 1 : 0;
}
