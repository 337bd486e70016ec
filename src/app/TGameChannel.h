#pragma once
#include <memory>
#include <string>

#include "app/TGameSound.h"

// One voice of the effect pool (TChannelArray), owned by the pool.
class TGameChannel {
public:
  ChannelRef Channel;         // its own allocated channel
  std::string name;
  int Reserved = 0;           // 1: never handed out by GetChannel
  int PlayWhenFinished = 1;   // 1: handed out only once its sound has finished
  float OriginalVolume = 1.0f; // the volume asked for the sound playing on it

  // New game channel with a newly allocated channel.
  static std::shared_ptr<TGameChannel> Create();
  // Stops and releases the channel.
  void Kill();
  bool Playing() const;
};
