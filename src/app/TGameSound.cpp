#include "app/TGameSound.h"
#include "app/TGame.h"

#include <algorithm>
#include <cctype>

#include "app/TGameAudio.h"
#include "platform/ErrorReport.h"
#include "platform/Files.h"
#include "resources/TPakFileManager.h"

std::shared_ptr<TGameSound> TGameSound::Create(const std::string& path, int flags) {
  auto gameSound = std::make_shared<TGameSound>();
  gameSound->Load(path, flags);
  return gameSound;
}

int TGameSound::Load(const std::string& path, int flags) {
  bool loop = (flags & SOUND_LOOP) != 0;
  SoundRef loaded;
  // Like every resource, a sound is looked up by file name in the pack set
  // first (already in memory there), then read from disk.
  size_t slash = path.find_last_of("/\\");
  auto item = PakFiles ? PakFiles->GetItem(slash == std::string::npos ? path : path.substr(slash + 1)) : nullptr;
  if (item) {
    loaded = platform::audio::Sound::LoadFromMemory(item->Data.data(), item->Data.size(), loop);
  } else {
    std::string resolved = platform::ResolvePath(path);
    loaded = (flags & SOUND_STREAM) ? platform::audio::Sound::LoadStreamed(resolved, loop)
                                    : platform::audio::Sound::Load(resolved, loop);
  }
  if (!loaded) {
    ShowError("Error loading sample " + path, 1);
    return 0;
  }
  sound = loaded;
  name = KeyFromPath(path);
  return 1;
}

int TGameSound::PlayInChannel(ChannelRef& channel, float pan) {
  TGameAudio* game = Game.get();
  if (!game) return 0;
  return game->GameSoundPlayAt(channel, *this, volume, pan);
}

std::string TGameSound::KeyFromPath(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
  size_t dot = file.find_last_of('.');
  if (dot != std::string::npos) file.resize(dot);
  std::transform(file.begin(), file.end(), file.begin(), [](unsigned char c) { return char(std::toupper(c)); });
  return file;
}
