#pragma once
#include "app/TScreen.h"

#include <memory>

class TMenu;
class TSprite;

// The title screen, first after loading: the "titlescreen" background, the
// "logo" header with its pulsing glow and the title menu (play, help,
// options, high scores, exit, change player); the pointer sparkles. Escape
// and "exit" lead to the exit screen. Buttons whose screens do not exist yet
// do nothing.
class TTitleScreen : public TScreen {
public:
  TTitleScreen() { name = "title"; }
  int Load() override;
  int Start() override;
  int Logic() override;
  int Draw() override;
  int Kill() override;
  int SetEscDestination() override;

  // Background offset.
  float x = 0, y = 0;
  // The header sprite (the base screen's Header is a plain picture) and the menu.
  std::shared_ptr<TSprite> HeaderSprite;
  std::shared_ptr<TMenu> TitleMenu;

private:
  // Starts the 500 ms fade out, music included, towards `destination`.
  void FadeTo(const std::shared_ptr<TScreen>& destination);
  void DrawVersion();
};

extern std::shared_ptr<TTitleScreen> TitleScreen;
