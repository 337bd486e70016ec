#pragma once
#include "player/TProfile.h"

#include <functional>
#include <memory>

class TSaveData;

// The game's player: a TProfile whose saving and loading are replaced by
// SaveFunction and LoadFunction (the game keeps only a marker file per
// player, see PlayerProfiles). Without them Save does nothing and Load gives 0.
class VQProfile : public TProfile {
public:
  // Init(name) and a new savedata.
  static std::shared_ptr<VQProfile> Create(const std::string& name);

  // SaveFunction's result (1 written, 0 not), or 1 when there is none.
  int32_t Save() override;
  int32_t Load() override;

  std::function<int32_t()> SaveFunction;
  std::function<int32_t()> LoadFunction;
  std::shared_ptr<TSaveData> savedata;
};
