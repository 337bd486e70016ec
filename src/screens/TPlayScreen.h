#pragma once
#include "app/TScreen.h"

#include <memory>

class TMenu;
class TSprite;

// The main play screen between the title and a game: the variant buttons
// ("matching", "tripeaks", "klondike"), the editor ("custom") and "back" to
// the title, with two lines about the variant under the pointer. Klondike
// starts a deal on the game screen, Matching and Tri Peaks open their level
// lists. Escape leads back to the title.
class TPlayScreen : public TScreen {
public:
  TPlayScreen() { name = "play"; }
  int Load() override;
  int Start() override;
  int Logic() override;
  int Draw() override;
  int Kill() override;
  int SetEscDestination() override;

  float x = 0, y = 0; // background offset
  std::shared_ptr<TSprite> HeaderSprite;
  std::shared_ptr<TMenu> MainMenu; // "custom", "back"
  std::shared_ptr<TMenu> GameMenu; // "matching", "tripeaks", "klondike"

private:
  void FadeTo(const std::shared_ptr<TScreen>& destination);
};

extern std::shared_ptr<TPlayScreen> PlayScreen;
