#pragma once
#include <map>
#include <memory>
#include <string>

#include "app/TGameSound.h"

// Named sounds addressed by upper-case name, loaded from one folder. The game
// has two: `Sounds` (effects) and `MusicBank` (music tracks, streamed from
// their OGG files so two long tracks do not sit decoded in memory).
class TSoundBank {
public:
  std::string Path;        // folder, ending in "/"
  std::string Ext = ".wav"; // extension given to a name without one
  int Stream = 0;           // 1: OGG files are streamed from disk when played

  void SetPath(const std::string& path);
  // Loads Path + name (+ Ext when the name has no extension) and stores it
  // under its upper-case file name, or under `key` in upper case when given.
  std::shared_ptr<TGameSound> Load(const std::string& name, float pitch = 1.0f, float volume = 1.0f,
                                   const std::string& key = "", int flags = 0);
  // The sound stored under the upper-case `name`; a missing name is fatal.
  std::shared_ptr<TGameSound> Find(const std::string& name) const;
  bool Contains(const std::string& name) const;
  size_t Count() const { return Items.size(); }
  void Clear() { Items.clear(); }

  std::map<std::string, std::shared_ptr<TGameSound>> Items;
};

extern std::shared_ptr<TSoundBank> Sounds;    // effects, folder SoundPath
extern std::shared_ptr<TSoundBank> MusicBank; // tracks, folder MusicPath (streamed)
