#pragma once
#include "screens/TMenuScreen.h"

#include <cstdint>
#include <memory>

class TDialogYesNo;
class TMenu;
class TSlideLineList;
class TSolitaireHighScoreList;

// The high-score page: one variant's table at a time (the Matching table on
// every visit), its ten rows sliding in one after another, alternately from
// the left and the right, glowing from white to green for half a second as
// they settle. "clear" asks whether to put the shown table back to its
// defaults, which are written at once; "ok" and Escape lead to the title screen.
class THighScoreScreen : public TMenuScreen {
public:
  THighScoreScreen() { name = "highscores"; }
  int Load() override;
  int Logic() override;
  int Draw() override;
  int Kill() override;

  // One sliding line per entry of CurrentHighScoreList, the entry attached; started at once.
  void SetSlideLines();

  std::shared_ptr<TMenu> GameMenu; // the variant row
  std::shared_ptr<TMenu> OkMenu;   // "ok" and "clear", also the screen's Menu
  std::shared_ptr<TSlideLineList> SlideLines;
  int32_t StartY = 200; // y of the first line
  int32_t col1 = 150;   // x of the name column
  int32_t col2 = 650;   // right edge of the score column
  int32_t col3 = 720;   // right end used for the slide distance
  int32_t w = 0;        // slide distance, col3 - col1
  int32_t height = 0;   // total height of the lines
  std::shared_ptr<TSolitaireHighScoreList> CurrentHighScoreList;
  std::shared_ptr<TDialogYesNo> ClearHighscore;
  int32_t ShowingInput = 0;

  // Line timing: each line waits LineDelayMs x its index, slides for SlideMs, then glows for StayMs.
  static constexpr float LineDelayMs = 30, SlideMs = 600, StayMs = 500;
  static constexpr int32_t LineStep = 25;

private:
  void DrawLines();
};

extern std::shared_ptr<THighScoreScreen> HighScoreScreen;
