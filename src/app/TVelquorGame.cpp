#include "app/TVelquorGame.h"

#include "app/AppGlobals.h"
#include "app/Clock.h"
#include "app/TScreen.h"
#include "app/VQMouse.h"

int TVelquorGame::LogicWrapper() {
  Mouse->ClearMouseHit();
  Mouse->Manage();
  DoPeekEvent();
  ReadKeys();
  if (InstantExit == 1) return -1;
  if ((Paused == 1 || Suspended == 1) && AppMillisecs() - double(SetupTime) > 5000.0) return 0;
  GameFade.Manage();
  if (Fading() == 0 || GameFade.AllowAnim == 1) {
    ScreenChange();
    if (GameMouse) GameMouse->UpdateMouseClicks();
    if (CurrentTScreen) CurrentTScreen->Logic();
  }
  return 1;
}
