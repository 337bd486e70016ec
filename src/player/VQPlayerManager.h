#pragma once
#include "player/TPlayerManager.h"

// The game's player manager: TPlayerManager with a hook run after a player's
// file was deleted, and the game's own set-up (CreateForGame).
class VQPlayerManager : public TPlayerManager {
public:
  static std::shared_ptr<VQPlayerManager> Create(const std::string& caption,
                                                 const std::shared_ptr<TGameImage>& background, int32_t w,
                                                 int32_t x, int32_t y, int32_t limit);
  // The manager as the title screen opens it, started: "Choose Player" on
  // the "manager" panel, at most 7 players, the game's texts and dialogs,
  // new players made current with SelectPlayer; a deleted player's
  // completed-layout marks go with it.
  static std::shared_ptr<VQPlayerManager> CreateForGame();

  std::function<void(VQPlayerManager&)> CustomDeleteFunction;

protected:
  void ProfileDeleted() override;
};
