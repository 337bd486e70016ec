#pragma once
#include <memory>
#include <vector>

#include "app/TGameChannel.h"

// The pool of game channels effects are played on, handed out in turn. The
// game holds it in TGameAudio::Channels; its volumes follow the effect strand.
class TChannelArray {
public:
  std::vector<std::shared_ptr<TGameChannel>> Items; // in order
  float MaxVol = 1.5f;                   // voices at full volume before all are scaled down
  std::shared_ptr<TGameChannel> Current; // the channel handed out last

  // New pool of `count` channels; Current is the last.
  static std::shared_ptr<TChannelArray> Create(int count);
  // Scales every channel so no more than MaxVol voices sound at full volume;
  // returns the factor (at most 1).
  float BalanceVolumes(float extra);
  std::shared_ptr<TGameChannel> ChannelByIndex(int index) const; // 1-based
  int CountPlaying() const;
  // The next usable, unreserved channel after Current (cyclic), or null when
  // every other channel is busy.
  std::shared_ptr<TGameChannel> GetChannel();
  void Kill();
  int Manage();
  // Plays `gameSound` on `gameChannel` (or on the next free one); null when no
  // channel is free and the sound is dropped.
  std::shared_ptr<TGameChannel> PlayGameSound(const std::shared_ptr<TGameSound>& gameSound,
                                              std::shared_ptr<TGameChannel> gameChannel, float volume,
                                              float pan);
  void SetVolume(float factor);
  // Replaces the channel by a fresh one (which becomes Current).
  void StopGameChannel(const std::shared_ptr<TGameChannel>& gameChannel);
  size_t Count() const { return Items.size(); }
};
