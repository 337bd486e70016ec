#pragma once
#include <cstdint>
#include <memory>

class TMenu;
class TGameImage;

// The menu shown over the table once a layout is finished: "nextpuzzle",
// "restartpuzzle" and "backtomenu" on the "endlevelback" panel. The caller
// says which choices are offered (custom layouts have no next one).
class VQEndLevelMenu {
public:
  // Builds the menu at (x, y); a negative x centres it on the screen. Shows it.
  void Init(int32_t x, int32_t y);
  void PositionMenu();
  // Selected: 0 nothing, 1 next, 2 restart, 3 back to the menu, for this tick.
  int32_t Logic(int32_t next, int32_t restart, int32_t back);
  void Draw(int32_t next, int32_t restart, int32_t back);

  std::shared_ptr<TMenu> Menu;
  std::shared_ptr<TGameImage> Panel;
  int32_t X = 400, Y = 300;
  int32_t orgX = 0, orgY = 0;
  int32_t Selected = 0;
  int32_t Show = 0;
};
