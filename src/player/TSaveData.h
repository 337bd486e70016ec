#pragma once
#include <memory>

// A player's saved-game record. It holds nothing yet: saved games are files
// in the profile folder, listed by TSaveGameManager. Profiles keep one.
class TSaveData {
public:
  static std::shared_ptr<TSaveData> Create();
};
