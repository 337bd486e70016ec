#pragma once
#include "app/TScreen.h"

#include <cstdint>
#include <memory>

class TCrossFade;

// The screen a game is played on: one of five table backgrounds (cross-faded
// to the next every 150 s), the score and the layout timer, the session's
// mode, the in-game buttons and dialogs (GameGUI), the pause menu (GameMenu),
// the fireworks of a won game and the generate screen of a reshuffle or next
// layout. Escape stays with this screen: it toggles the pause menu. Time spent
// paused, in the background or in the pause menu does not count on the timer.
class TGameScreen : public TScreen {
public:
  TGameScreen() { name = "game"; }
  int Load() override;
  int Start() override;
  int Logic() override;
  int Draw() override;

  std::shared_ptr<TCrossFade> CrossFade;
  int64_t LastFade = 0;   // clock of the last background change
  int32_t LastMouseZ = 0;
  int64_t LastTime = 0;   // clock at which the current pause began; 0 when none
  int32_t DidPauseOrSuspend = -1; // -1 none, 0 paused, 1 in the background, 2 pause menu
  int32_t LastImage = 1;  // 1..5: "gamescreen" + number
  int64_t LastBurst = 0;  // clock of the last firework

  // Freezes the layout timer while paused and lets it run on afterwards.
  void PauseBookkeeping();

private:
  void DrawScore();
};

extern std::shared_ptr<TGameScreen> GameScreen;
