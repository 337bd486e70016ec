#pragma once
#include "app/TScreen.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

class TMenu;
class TSprite;

// What the pages around the title screen share (options, help, high scores):
// the "titlescreen" background with its offset, a glowing header, the
// pointer sparkle, the "blackback" panel, a 500 ms fade in on entry and a
// 500 ms fade out (music included) on leaving; Escape leads to the title
// screen without fading the music.
class TMenuScreen : public TScreen {
public:
  int Start() override;
  int Kill() override;
  int SetEscDestination() override;

  // Background offset.
  float x = 0, y = 0;
  // The header sprite (the base screen's Header is a plain picture).
  std::shared_ptr<TSprite> HeaderSprite;

protected:
  // The part of Load every page shares: background, the header picture
  // ImagePath + header + ".png" centred on (headerX, headerY) and glowing,
  // the pointer sparkle, and Escape leaving without the music fade.
  void LoadPage(const std::string& header, float headerX, float headerY);
  // A menu of buttons (picture, key or null) in one row `gap` apart, centred,
  // each growing under the pointer; Grow makes a menu's buttons grow.
  static std::shared_ptr<TMenu> CreateRow(const std::vector<std::pair<const char*, const char*>>& buttons, int gap);
  static void Grow(TMenu& menu);
  // The row "matching", "tripeaks", "klondike" of the help and high-score pages at y 115.
  static std::shared_ptr<TMenu> CreateVariantRow();
  // The row at the foot of a page, centred 260 pixels below the middle of the
  // screen, with "oksmall" as its default button "ok"; it becomes the screen's Menu.
  std::shared_ptr<TMenu> CreateOkRow(const std::initializer_list<std::pair<const char*, const char*>>& more = {});
  // Starts the fade out (music included) towards `destination`; nothing while a fade runs.
  void FadeTo(const std::shared_ptr<TScreen>& destination);
  // Background and the "blackback" panel centred on (400, 284); the header.
  void DrawBackdrop();
  void DrawHeader();
};
