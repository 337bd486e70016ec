#include "ui/TListBox.h"

#include "app/Delta.h"
#include "app/InputTables.h"
#include "app/TGame.h"
#include "platform/Graphics.h"
#include "platform/Keys.h"
#include "resources/TGameImage.h"
#include "ui/TColor.h"
#include "ui/TFont.h"
#include "ui/TKeyRepeat.h"
#include "ui/TMenu.h"
#include "ui/TScrollBar.h"
#include "ui/TextDraw.h"
#include "ui/UiSound.h"

#include <algorithm>
#include <cmath>

std::shared_ptr<TListBox> TListBox::Create(int32_t first, int32_t gap, int32_t centred, int32_t drawBox,
                                           int32_t doubleClickMs) {
  auto box = std::make_shared<TListBox>();
  box->Init(first, gap, centred, drawBox);
  box->DoubleClickTime = Game ? Game->CalcAnimLength(float(doubleClickMs)) : float(doubleClickMs) / 5.0f;
  box->UpKeyRepeat = TKeyRepeat::Create(400, 100);
  box->DownKeyRepeat = TKeyRepeat::Create(400, 100);
  box->LastMouseZ = Game && Game->Mouse ? Game->Mouse->z : 0;
  return box;
}

void TListBox::Init(int32_t /*first*/, int32_t gap, int32_t centred, int32_t drawBox) {
  Gap = gap;
  Centred = centred;
  DrawBox = drawBox;
  Font = TFont::Create(FontOfSize(20), TColor::Create(255, 255, 255));
  BoxColor = TColor::Create(0, 0, 0);
  HighlightCol = TColor::Create(0, 0, 150);
  Strings.clear();
  CalcLineHeight();
}

void TListBox::SetCoords(float x, float y, float width, float height) {
  BoxX = x;
  BoxY = y;
  BoxW = std::max(width, 0.0f);
  BoxH = std::max(height, 0.0f);
  CalcLineHeight();
}

void TListBox::SetupBox(const std::shared_ptr<TColor>& colour) { BoxColor = colour; }

void TListBox::SetupFont(const std::shared_ptr<platform::ImageFont>& imageFont,
                         const std::shared_ptr<TColor>& colour, const std::shared_ptr<TShadow>& shadow,
                         const std::shared_ptr<TColor>& inverseColour) {
  Font = TFont::Create(imageFont, colour ? colour : TColor::Create(255, 255, 255), shadow, 0, inverseColour);
  CalcLineHeight();
}

void TListBox::SetClickSound(const std::shared_ptr<TGameSound>& sound) {
  ClickSound = sound;
  if (ScrollBar && ScrollBar->Menu)
    for (const auto& button : ScrollBar->Menu->Items) button->SoundClick = sound;
}

void TListBox::AttachScrollBar(const std::shared_ptr<TGameImage>& slider, const std::string& upName,
                               const std::string& downName) {
  const int32_t arrowRoom = 30;
  ScrollBar = TScrollBar::Create(slider, int32_t(BoxH) - 2 * arrowRoom, 0, BoxX + BoxW + 16, BoxY + float(arrowRoom),
                                 1);
  ScrollBar->SetArrows(upName, downName, 100);
  SyncScrollBar();
}

void TListBox::CalcLineHeight() {
  const float fontHeight = Font && Font->ImageFont ? float(Font->ImageFont->Height()) : 0.0f;
  LineHeight = int32_t(std::lround(fontHeight)) + 2 * Gap;
  if (LineHeight <= 0) {
    DisplayLines = 0;
    return;
  }
  if (RoundHeight) BoxH = std::floor(BoxH / float(LineHeight)) * float(LineHeight);
  DisplayLines = int32_t(BoxH / float(LineHeight));
}

void TListBox::Add(const std::string& text) {
  Strings.push_back(text);
  Refresh();
}

void TListBox::Clear() {
  Strings.clear();
  LockedArray.clear();
  ClearIndex();
  TopIndex = 0;
  Refresh();
}

void TListBox::Refresh() {
  SetTopIndex(TopIndex);
  if (Index >= int32_t(Strings.size())) ClearIndex();
}

// ---- Selection and view -----------------------------------------------------

int32_t TListBox::VisibleLines() const {
  // Never more than fit in the box, whatever Limit asks.
  return Limit > 0 ? std::min(Limit, DisplayLines) : DisplayLines;
}

int32_t TListBox::GetTempLimit() const {
  return std::min(TopIndex + VisibleLines(), int32_t(Strings.size()));
}

void TListBox::SetIndex(int32_t i) {
  if (i < 0 || i >= int32_t(Strings.size())) {
    Index = -1;
    Value.clear();
    return;
  }
  Index = i;
  Value = Strings[size_t(i)];
  if (i < TopIndex) SetTopIndex(i);
  if (i >= TopIndex + VisibleLines()) SetTopIndex(i - VisibleLines() + 1);
  SyncScrollBar();
}

void TListBox::SetTopIndex(int32_t i) {
  const int32_t last = std::max(int32_t(Strings.size()) - VisibleLines(), 0);
  TopIndex = std::max(0, std::min(i, last));
  SyncScrollBar();
}

void TListBox::SyncScrollBar() {
  if (!ScrollBar) return;
  ScrollBar->SetValueMax(double(std::max(int32_t(Strings.size()) - VisibleLines(), 0)));
  ScrollBar->SetValue(double(TopIndex));
}

void TListBox::ClearIndex() {
  Index = -1;
  Clicked = -1;
  Value.clear();
}

int32_t TListBox::GetIndexY() const {
  if (Index < 0) return 0;
  return int32_t(BoxY + float(Index - TopIndex) * float(LineHeight) * Scale);
}

int32_t TListBox::GetDoubleClicked() {
  const int32_t result = DoubleClicked;
  DoubleClicked = -1;
  return result;
}

// ---- Per tick ---------------------------------------------------------------

bool TListBox::PointerInBox() const {
  if (!Game || !Game->Mouse) return false;
  const float mx = float(Game->Mouse->x), my = float(Game->Mouse->y);
  return mx >= BoxX && mx < BoxX + BoxW * Scale && my >= BoxY && my < BoxY + BoxH * Scale;
}

int32_t TListBox::RowUnderPointer() const {
  if (!PointerInBox() || LineHeight <= 0) return -1;
  const float my = float(Game->Mouse->y);
  const float line = float(LineHeight) * Scale;
  for (int32_t entry = TopIndex; entry < GetTempLimit(); ++entry) {
    const float top = BoxY + float(entry - TopIndex) * line;
    if (my > top && my < top + line) return entry;
  }
  return -1;
}

int32_t TListBox::Manage() {
  Clicked = -1;
  if (ScrollBar && ScrollBar->Manage()) SetTopIndex(ScrollBar->Value);

  TMousePointer* mouse = Game ? Game->Mouse.get() : nullptr;
  if (mouse) {
    // The wheel scrolls one line a notch while the pointer is over the box.
    const int32_t notches = mouse->z - LastMouseZ;
    LastMouseZ = mouse->z;
    if (notches != 0 && PointerInBox()) SetTopIndex(TopIndex - notches);

    if (mouse->h1 > 0) {
      const int32_t entry = RowUnderPointer();
      if (entry >= 0) {
        mouse->h1 = 0;
        mouse->CalcButtonTotals();
        const bool doubleClick = DoubleClickCounter > 0 && entry == Index;
        if (doubleClick)
          DoubleClicked = entry;
        else
          PlayClick();
        Clicked = entry;
        SetIndex(entry);
        DoubleClickCounter = doubleClick ? 0 : DoubleClickTime;
      } else {
        ForgetDoubleClick(); // a press beside the lines comes between
      }
    }
  }

  if (ArrowKeysMoveHighlight && UpKeyRepeat && DownKeyRepeat) {
    // A tap shorter than a tick is seen through its hit.
    const bool up = UpKeyRepeat->GetKey(platform::keys::Up) | KeyHit(platform::keys::Up);
    const bool down = DownKeyRepeat->GetKey(platform::keys::Down) | KeyHit(platform::keys::Down);
    if (up && Index > 0) {
      SetIndex(Index - 1);
      PlayClick();
    }
    if (down && Index < int32_t(Strings.size()) - 1) {
      SetIndex(Index + 1);
      PlayClick();
    }
  }
  if (DoubleClickCounter > 0) DoubleClickCounter = std::max(DoubleClickCounter - Delta, 0.0f);
  return Clicked >= 0 ? 1 : 0;
}

void TListBox::PlayClick() { PlayUiSound(ClickSound, ClickChannel); }

// ---- Drawing ----------------------------------------------------------------

void TListBox::DrawHighlight() {
  if (Index < TopIndex || Index >= GetTempLimit() || !HighlightCol) return;
  HighlightCol->Apply();
  platform::DrawRect(BoxX, BoxY + float(Index - TopIndex) * float(LineHeight) * Scale, BoxW * Scale,
                     float(LineHeight) * Scale);
  TColor::Restore();
}

void TListBox::Draw() {
  platform::SetBlend(platform::Blend::Alpha);
  if (Background && Background->image)
    platform::DrawPicture(*Background->image, BoxX + float(BackgroundOffsetX) + Background->image->HandleX(),
                          BoxY + float(BackgroundOffsetY) + Background->image->HandleY());
  if (DrawBox && BoxColor && BoxW > 0 && BoxH > 0) {
    BoxColor->Apply();
    platform::DrawRect(BoxX, BoxY, BoxW * Scale, BoxH * Scale);
    TColor::Restore();
  }
  if (HighlightUnder) DrawHighlight();
  if (Font && Font->ImageFont) {
    if (Scale != 1.0f) platform::SetScale(Scale, Scale);
    for (int32_t entry = TopIndex; entry < GetTempLimit(); ++entry) {
      const std::string text = FitText(Strings[size_t(entry)], BoxW - 2.0f * float(TextBorder));
      const bool locked = entry < int32_t(LockedArray.size()) && LockedArray[size_t(entry)] != 0;
      const bool selected = entry == Index && NoShadowOnHighlighted;
      if (selected && Font->InverseColor)
        Font->ApplyInverse();
      else
        Font->ApplyCustomColor(locked && LockedColor ? LockedColor : Font->Color);
      const float ty = BoxY + float(Gap + LineYOffset) * Scale + float(entry - TopIndex) * float(LineHeight) * Scale;
      const int shadow = Font->Shadow && !selected ? 1 : 0;
      if (Centred)
        DrawTextAligned(text, BoxX + BoxW * Scale / 2, ty, shadow, 1);
      else
        DrawTextAligned(text, BoxX + float(TextBorder) * Scale, ty, shadow, 0);
    }
    platform::SetScale(1, 1);
    TColor::Restore();
    TextAlpha = 1.0f;
  }
  if (!HighlightUnder) DrawHighlight();
  if (ScrollBar) ScrollBar->Draw();
}

void TListBox::Kill() {
  if (ScrollBar) ScrollBar->Kill();
  ScrollBar.reset();
  Strings.clear();
  LockedArray.clear();
  Font.reset();
  Background.reset();
  ClickSound.reset();
  ClickChannel.reset();
}
