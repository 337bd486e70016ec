#pragma once
#include "screens/TMenuScreen.h"

#include <cstdint>
#include <memory>
#include <string>

class TButton;
class TMenu;
class TSlider;

// The options page: music and sound volume sliders that take effect at once
// (the sound slider clicks, at most four times a second, so the player hears
// the level), the "fullscreen" and "showtimer" toggles, and "ok", which
// writes the session's "config" and the settings file. Escape leaves without
// writing; what was changed stays in effect for this run.
class TOptionsScreen : public TMenuScreen {
public:
  TOptionsScreen() { name = "options"; }
  int Load() override;
  int Logic() override;
  int Draw() override;
  int Kill() override;

  std::shared_ptr<TMenu> OptionsMenu; // the two toggles
  std::shared_ptr<TMenu> OkMenu;      // "ok", also the screen's Menu
  std::shared_ptr<TSlider> MusicSlider, SoundSlider;
  // Clock value of the last sample click.
  int64_t LastClickTime = 0;

  // Shortest time between two sample clicks of the sound slider, in ms.
  static constexpr int64_t ClickInterval = 250;

private:
  // A toggle shows its picture + "On" (and + "OnMO" under the pointer) when set.
  static void ShowToggle(TButton& button, const std::string& picture, int32_t on);
};

extern std::shared_ptr<TOptionsScreen> OptionsScreen;
