#include "app/TSoundBank.h"

#include <algorithm>
#include <cctype>

#include "platform/ErrorReport.h"

std::shared_ptr<TSoundBank> Sounds;
std::shared_ptr<TSoundBank> MusicBank;

namespace {
std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::toupper(c)); });
  return text;
}
} // namespace

void TSoundBank::SetPath(const std::string& path) {
  Path = path;
  if (!Path.empty() && Path.back() != '/' && Path.back() != '\\') Path += '/';
}

std::shared_ptr<TGameSound> TSoundBank::Load(const std::string& name, float pitch, float volume,
                                          const std::string& key, int flags) {
  // A name without an extension (after its last folder separator) gets Ext.
  size_t slash = name.find_last_of("/\\");
  size_t dot = name.find_last_of('.');
  bool hasExt = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  std::string file = Path + (hasExt ? name : name + Ext);
  if (Stream) flags |= SOUND_STREAM;
  auto gameSound = TGameSound::Create(file, flags);
  gameSound->pitch = pitch;
  gameSound->volume = volume;
  if (!key.empty()) gameSound->name = Upper(key);
  Items[gameSound->name] = gameSound;
  return gameSound;
}

std::shared_ptr<TGameSound> TSoundBank::Find(const std::string& name) const {
  std::string upper = Upper(name);
  auto it = Items.find(upper);
  if (it == Items.end()) {
    ShowError("Sound '" + upper + "' was not found in the SoundBank", 1);
    return nullptr;
  }
  return it->second;
}

bool TSoundBank::Contains(const std::string& name) const { return Items.count(Upper(name)) != 0; }
