#include "app/TChannelArray.h"
#include "app/TGame.h"

#include <algorithm>

#include "app/TGameAudio.h"

std::shared_ptr<TChannelArray> TChannelArray::Create(int count) {
  auto pool = std::make_shared<TChannelArray>();
  for (int i = 0; i < count; ++i) pool->Items.push_back(TGameChannel::Create());
  if (!pool->Items.empty()) pool->Current = pool->Items.back();
  return pool;
}

float TChannelArray::BalanceVolumes(float extra) {
  float voices = float(CountPlaying()) + extra;
  float factor = voices > 0 ? std::min(1.0f, MaxVol / voices) : 1.0f;
  SetVolume(factor);
  return factor;
}

std::shared_ptr<TGameChannel> TChannelArray::ChannelByIndex(int index) const {
  if (index < 1 || index > int(Items.size())) return nullptr;
  return Items[size_t(index - 1)];
}

int TChannelArray::CountPlaying() const {
  return int(std::count_if(Items.begin(), Items.end(), [](const auto& c) { return c->Playing(); }));
}

std::shared_ptr<TGameChannel> TChannelArray::GetChannel() {
  if (Items.empty()) return nullptr;
  auto at = std::find(Items.begin(), Items.end(), Current);
  size_t start = at == Items.end() ? Items.size() - 1 : size_t(at - Items.begin());
  size_t index = start;
  for (;;) {
    index = (index + 1) % Items.size();
    Current = Items[index];
    if (index == start) return nullptr; // came round: every other channel is busy
    const auto& candidate = Items[index];
    bool usable = candidate->PlayWhenFinished == 0 || !candidate->Playing();
    if (usable && candidate->Reserved == 0) return candidate;
  }
}

void TChannelArray::Kill() {
  for (auto& gameChannel : Items) gameChannel->Kill();
  Items.clear();
  Current.reset();
}

int TChannelArray::Manage() {
  BalanceVolumes(0);
  return 1;
}

std::shared_ptr<TGameChannel> TChannelArray::PlayGameSound(const std::shared_ptr<TGameSound>& gameSound,
                                                           std::shared_ptr<TGameChannel> gameChannel,
                                                           float volume, float pan) {
  if (!gameSound) return nullptr;
  if (!gameChannel) gameChannel = GetChannel();
  if (!gameChannel) return nullptr; // every channel busy: the effect is dropped
  gameChannel->OriginalVolume = volume;
  // The balanced volume is used for this play only; the shared sound keeps
  // its own volume for everyone else who plays it.
  float balanced = volume * BalanceVolumes(1);
  if (TGameAudio* game = Game.get())
    game->GameSoundPlayAt(gameChannel->Channel, *gameSound, balanced, pan);
  return gameChannel;
}

void TChannelArray::SetVolume(float factor) {
  TGameAudio* game = Game.get();
  float strand = game ? float(game->SoundVolume) / 100.0f : 1.0f;
  for (auto& gameChannel : Items)
    if (gameChannel->Channel) gameChannel->Channel->SetVolume(gameChannel->OriginalVolume * factor * strand);
}

void TChannelArray::StopGameChannel(const std::shared_ptr<TGameChannel>& gameChannel) {
  auto at = std::find(Items.begin(), Items.end(), gameChannel);
  if (at != Items.end()) Items.erase(at);
  if (gameChannel) gameChannel->Kill();
  Current = TGameChannel::Create();
  Items.push_back(Current);
}
