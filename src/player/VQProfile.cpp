#include "player/VQProfile.h"

#include "player/TSaveData.h"

std::shared_ptr<VQProfile> VQProfile::Create(const std::string& name) {
  auto profile = std::make_shared<VQProfile>();
  profile->Init(name);
  profile->savedata = TSaveData::Create();
  return profile;
}

int32_t VQProfile::Save() { return SaveFunction ? SaveFunction() : 1; }

int32_t VQProfile::Load() { return LoadFunction ? LoadFunction() : 0; }
