#pragma once
#include "screens/TMenuScreen.h"

#include <cstdint>
#include <memory>

class TMenu;

// The help page: one illustrated page per variant, chosen with the row
// "matching", "tripeaks", "klondike"; "ok" and Escape lead back to the title
// screen. The page shown is kept for the next visit (Matching the first time).
class THelpScreen : public TMenuScreen {
public:
  THelpScreen() { name = "help"; }
  int Load() override;
  int Logic() override;
  int Draw() override;
  int Kill() override;

  std::shared_ptr<TMenu> GameMenu; // the variant row
  std::shared_ptr<TMenu> OkMenu;   // "ok", also the screen's Menu
  int32_t CurrentGameMode = 3;     // 2 Klondike, 3 Matching, 4 Tri Peaks

};

extern std::shared_ptr<THelpScreen> HelpScreen;
