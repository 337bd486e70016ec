#pragma once
#include <memory>
#include <string>

#include "platform/Audio.h"

// A loaded sample and a voice that plays it. A "channel reference" in the
// audio operations is a ChannelRef variable the operation may fill or replace.
using SoundRef = std::shared_ptr<platform::audio::Sound>;
using ChannelRef = std::shared_ptr<platform::audio::Channel>;

// Flags of TGameSound::Load, TSoundBank::Load and the music loaders.
inline constexpr int SOUND_LOOP = 1;   // the sample loops
inline constexpr int SOUND_STREAM = 2; // an OGG file is streamed from disk instead of decoded whole

// A named sound with its own playback rate and relative volume. Shared by the
// sound banks and whoever plays it.
class TGameSound {
public:
  std::string name;   // upper-case key: file name without folder and extension
  SoundRef sound;     // the sample
  float pitch = 1.0f; // playback rate
  float volume = 1.0f;

  // New sound loaded from `path`; a file that cannot be loaded is fatal
  // ("Error loading sample " + path).
  static std::shared_ptr<TGameSound> Create(const std::string& path, int flags);
  int Load(const std::string& path, int flags);
  // Plays through the game's effect strand (TGameAudio::GameSoundPlay).
  int PlayInChannel(ChannelRef& channel, float pan);

  // Upper-case file name of `path` without folder and extension.
  static std::string KeyFromPath(const std::string& path);
};
