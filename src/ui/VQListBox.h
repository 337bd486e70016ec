#pragma once
#include "app/TGameSound.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TColor;
class TFont;
namespace platform { class ImageFont; }

// The simple list box of the save-game manager: a box of lines, a selection
// bar, single and double clicks. The owner scrolls it by moving StartList and
// EndList (the first and last visible line), which it keeps inside Strings.
class VQListBox {
public:
  static constexpr int32_t LastItemInList = 7; // eight visible lines

  static std::shared_ptr<VQListBox> Create(int32_t first, int32_t gap, int32_t centred, int32_t drawBox,
                                           int32_t doubleClickMs);
  void SetCoords(float x, float y, float width, float height);
  void SetupFont(const std::shared_ptr<platform::ImageFont>& imageFont, const std::shared_ptr<TColor>& colour);
  void CalcLineHeight();
  void ClearIndex();
  void SetIndex(int32_t i);
  // The view from line `start`, as many lines as the box shows (fewer when the list is short).
  void ShowFrom(int32_t start);
  int32_t VisibleLines() const; // lines the box has room for
  int32_t Manage();
  void Draw();
  void DrawHighlight();
  void Kill();

  std::shared_ptr<TFont> Font;
  int32_t DrawBox = 1;
  float BoxX = 0, BoxY = 0, BoxW = 0, BoxH = 0;
  std::shared_ptr<TColor> BoxColor;
  int32_t TextBorder = 10;
  int32_t Gap = 5;
  int32_t LineHeight = 0;
  int32_t Centred = 0;
  std::vector<std::string> Strings;
  int32_t Index = -1;
  std::string Value;
  int32_t Clicked = -1;
  std::shared_ptr<TColor> HighlightCol;
  int32_t HighlightUnder = 1;
  int32_t DoubleClicked = -1;
  float DoubleClickTime = 100.0f;
  float DoubleClickCounter = 0;
  int32_t RoundHeight = 1;
  std::shared_ptr<TGameSound> ClickSound;
  ChannelRef ClickChannel;
  int32_t StartList = 0, EndList = LastItemInList;
};
