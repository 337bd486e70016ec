#pragma once
#include "app/TGameSound.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TColor;
class TFont;
class TGameImage;
class TKeyRepeat;
class TScrollBar;
class TShadow;
namespace platform { class ImageFont; }

// A boxed list of strings with a highlighted selection: a click selects, a
// second click on the selection within the double-click time reports it
// through GetDoubleClicked, the cursor keys move the selection (repeating
// while held) and the mouse wheel scrolls. Entries may be drawn "locked" in
// another colour. An attached scroll bar follows and moves the first visible
// entry. Only the entries that fit in the box are drawn or clickable.
class TListBox {
public:
  static std::shared_ptr<TListBox> Create(int32_t first, int32_t gap, int32_t centred, int32_t drawBox,
                                          int32_t doubleClickMs);
  void Init(int32_t first, int32_t gap, int32_t centred, int32_t drawBox);

  // Set-up.
  void SetCoords(float x, float y, float width, float height);
  void SetupBox(const std::shared_ptr<TColor>& colour);
  void SetupFont(const std::shared_ptr<platform::ImageFont>& imageFont, const std::shared_ptr<TColor>& colour,
                 const std::shared_ptr<TShadow>& shadow, const std::shared_ptr<TColor>& inverseColour = nullptr);
  void SetClickSound(const std::shared_ptr<TGameSound>& sound);
  // A vertical scroll bar along the box's right edge with arrows upName/downName.
  void AttachScrollBar(const std::shared_ptr<TGameImage>& slider, const std::string& upName,
                       const std::string& downName);
  void CalcLineHeight();

  // The entries; call Refresh after changing Strings.
  void Add(const std::string& text);
  void Clear();
  void Refresh();

  // Selection and view.
  int32_t VisibleLines() const; // entries shown at once
  int32_t GetTempLimit() const; // one past the last visible entry
  void SetIndex(int32_t i);
  void SetTopIndex(int32_t i);
  void ClearIndex();
  int32_t GetIndexY() const;
  int32_t GetDoubleClicked();
  // The next click on a line is a single one (something came between).
  void ForgetDoubleClick() { DoubleClickCounter = 0; }

  int32_t Manage();
  void Draw();
  void DrawHighlight();
  void PlayClick();
  void Kill();

  std::shared_ptr<TFont> Font;
  int32_t DrawBox = 1;
  float BoxX = 0, BoxY = 0, BoxW = 0, BoxH = 0;
  std::shared_ptr<TColor> BoxColor;
  std::shared_ptr<TGameImage> Background;
  int32_t BackgroundOffsetX = 0, BackgroundOffsetY = 0;
  int32_t TextBorder = 10;
  int32_t Gap = 5;
  int32_t LineYOffset = 0;
  int32_t LineHeight = 0;
  int32_t Centred = 0;
  std::vector<std::string> Strings;
  int32_t Index = -1;
  int32_t TopIndex = 0;
  std::string Value;
  int32_t Clicked = -1;
  std::shared_ptr<TColor> HighlightCol;
  int32_t HighlightUnder = 1;
  int32_t DoubleClicked = -1;
  float DoubleClickTime = 100.0f;
  float DoubleClickCounter = 0;
  int32_t Limit = 0; // most entries shown, 0: as many as fit
  int32_t RoundHeight = 1;
  int32_t DisplayLines = 0;
  std::shared_ptr<TGameSound> ClickSound;
  ChannelRef ClickChannel;
  int32_t NoShadowOnHighlighted = 0;
  int32_t ArrowKeysMoveHighlight = 1;
  std::vector<int32_t> LockedArray;
  std::shared_ptr<TColor> LockedColor;
  std::shared_ptr<TScrollBar> ScrollBar;
  float Scale = 1.0f;
  std::shared_ptr<TKeyRepeat> UpKeyRepeat, DownKeyRepeat;
  int32_t LastMouseZ = 0;

private:
  // Row under the pointer among the visible entries, or -1.
  int32_t RowUnderPointer() const;
  bool PointerInBox() const;
  void SyncScrollBar();
};
