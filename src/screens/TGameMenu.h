#pragma once
#include "app/TGameSound.h"
#include "app/TScreen.h"

#include <cstdint>
#include <memory>

class TAnimation;
class TMenu;

// The pause menu over a running game: resume, restart, reshuffle, save, load
// (Klondike only) and back to the menu. Escape opens and closes it; its
// questions and the name dialog are GameGUI's dialogs. While it is open the
// game's own logic waits. One exists, `GameMenu`.
class TGameMenu : public TScreen {
public:
  TGameMenu() { name = "gamemenu"; }
  int Load() override;
  // Opens (with the click sound when playSound is 1) and closes it.
  void Show(int32_t playSound);
  void Hide();
  // One tick: the fades, Escape and the buttons.
  int Logic() override;
  // The fades alone: a menu closed by a command that starts a deal (restart,
  // load) fades out while the buttons are held, and the game goes on after it.
  void ManageFades();
  int Draw() override;

  std::shared_ptr<TMenu> Buttons; // also the screen's Menu
  int32_t Active = 0;
  int32_t MouseState = 0; // the pointer was shown when the menu opened
  std::shared_ptr<TGameSound> ActivateSound, DeactivateSound;
  std::shared_ptr<TAnimation> FadeIn, FadeOut;

private:
  // 0 hidden .. 1 fully shown, following the fades.
  float FadeValue() const;
  ChannelRef SoundChannel;
};

extern std::shared_ptr<TGameMenu> GameMenu;
