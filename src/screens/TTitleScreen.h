#pragma once
#include "app/TScreen.h"

#include <memory>

class TDialogTextInput;
class TMenu;
class TSprite;
class VQPlayerManager;

// The title screen, first after loading: the "titlescreen" background, the
// "logo" header with its pulsing glow and the title menu (play, help,
// options, high scores, exit, change player); the pointer sparkles. Escape
// and "exit" lead to the exit screen. Buttons whose screens do not exist yet
// do nothing. On the first arrival after start-up it asks for the first
// player's name or opens the player manager ("changeplayer" opens it too);
// the current player is greeted above the "changeplayer" button.
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
  // The first player's name prompt and the player manager while open.
  std::shared_ptr<TDialogTextInput> EnterName;
  std::shared_ptr<VQPlayerManager> PlayerManager;
  // Players on the first arrival: the name prompt, the manager or nothing.
  void PromptForName();
  void SetupPrompt();
  void ShowPlayerManager();
  void DrawWelcome();

private:
  // Set once the players were checked after start-up.
  int32_t PlayersChecked = 0;
  // One tick of the open player dialog; 1 while one is open.
  int32_t ManagePlayerDialogs();
  // Starts the 500 ms fade out, music included, towards `destination`.
  void FadeTo(const std::shared_ptr<TScreen>& destination);
  void DrawVersion();
};

extern std::shared_ptr<TTitleScreen> TitleScreen;
