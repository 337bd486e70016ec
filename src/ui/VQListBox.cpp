#include "ui/VQListBox.h"

#include "app/Delta.h"
#include "app/TGame.h"
#include "platform/Graphics.h"
#include "ui/TColor.h"
#include "ui/TFont.h"
#include "ui/TextDraw.h"
#include "ui/UiSound.h"

#include <algorithm>
#include <cmath>

std::shared_ptr<VQListBox> VQListBox::Create(int32_t /*first*/, int32_t gap, int32_t centred, int32_t drawBox,
                                             int32_t doubleClickMs) {
  auto box = std::make_shared<VQListBox>();
  box->Gap = gap;
  box->Centred = centred;
  box->DrawBox = drawBox;
  box->Font = TFont::Create(FontOfSize(20), TColor::Create(255, 255, 255));
  box->BoxColor = TColor::Create(0, 0, 0);
  box->HighlightCol = TColor::Create(0, 0, 150);
  box->DoubleClickTime = Game ? Game->CalcAnimLength(float(doubleClickMs)) : float(doubleClickMs) / 5.0f;
  box->CalcLineHeight();
  return box;
}

void VQListBox::SetCoords(float x, float y, float width, float height) {
  BoxX = x;
  BoxY = y;
  BoxW = std::max(width, 0.0f);
  BoxH = std::max(height, 0.0f);
  CalcLineHeight();
}

void VQListBox::SetupFont(const std::shared_ptr<platform::ImageFont>& imageFont,
                          const std::shared_ptr<TColor>& colour) {
  Font = TFont::Create(imageFont, colour ? colour : TColor::Create(255, 255, 255));
  CalcLineHeight();
}

void VQListBox::CalcLineHeight() {
  LineHeight = (Font && Font->ImageFont ? Font->ImageFont->Height() : 0) + 2 * Gap;
  if (RoundHeight && LineHeight > 0) BoxH = std::floor(BoxH / float(LineHeight)) * float(LineHeight);
}

int32_t VQListBox::VisibleLines() const {
  if (LineHeight <= 0) return 0;
  return std::min(int32_t(BoxH / float(LineHeight)), LastItemInList + 1);
}

void VQListBox::ShowFrom(int32_t start) {
  const int32_t count = int32_t(Strings.size());
  const int32_t lines = std::max(VisibleLines(), 1);
  StartList = std::clamp(start, int32_t(0), std::max(count - lines, 0));
  EndList = std::min(StartList + lines, count) - 1;
}

void VQListBox::ClearIndex() {
  Index = -1;
  DoubleClicked = -1;
  Value.clear();
}

void VQListBox::SetIndex(int32_t i) {
  if (i < 0 || i >= int32_t(Strings.size())) {
    Index = -1;
    Value.clear();
    return;
  }
  Index = i;
  Value = Strings[size_t(i)];
}

int32_t VQListBox::Manage() {
  Clicked = -1;
  TMousePointer* mouse = Game ? Game->Mouse.get() : nullptr;
  if (mouse && mouse->h1 > 0 && LineHeight > 0) {
    const float mx = float(mouse->x), my = float(mouse->y);
    if (mx >= BoxX && mx < BoxX + BoxW) {
      for (int32_t row = 0; row <= EndList - StartList; ++row) {
        const float top = BoxY + float(row * LineHeight);
        if (!(my > top && my < top + float(LineHeight))) continue;
        const int32_t line = StartList + row;
        if (line >= int32_t(Strings.size())) break;
        if (DoubleClickCounter > 0 && line == Index) {
          DoubleClicked = line;
        } else {
          PlayUiSound(ClickSound, ClickChannel);
        }
        Clicked = line;
        SetIndex(line);
        DoubleClickCounter = DoubleClickTime;
        break;
      }
    }
  }
  if (DoubleClickCounter > 0) DoubleClickCounter = std::max(DoubleClickCounter - Delta, 0.0f);
  return Clicked >= 0 ? 1 : 0;
}

void VQListBox::DrawHighlight() {
  if (Index < StartList || Index > EndList || !HighlightCol) return;
  HighlightCol->Apply();
  platform::DrawRect(BoxX, BoxY + float((Index - StartList) * LineHeight), BoxW, float(LineHeight));
  TColor::Restore();
}

void VQListBox::Draw() {
  platform::SetBlend(platform::Blend::Alpha);
  if (DrawBox && BoxColor && BoxW > 0 && BoxH > 0) {
    BoxColor->Apply();
    platform::DrawRect(BoxX, BoxY, BoxW, BoxH);
    TColor::Restore();
  }
  if (HighlightUnder) DrawHighlight();
  if (Font && Font->ImageFont) {
    Font->Apply();
    float lineY = BoxY + float(Gap);
    const float room = BoxW - 2.0f * float(TextBorder);
    for (int32_t line = StartList; line <= EndList; ++line) {
      // Drawing stops at once past the last line.
      if (line < 0 || line >= int32_t(Strings.size())) break;
      const std::string text = FitText(Strings[size_t(line)], room);
      if (Centred)
        DrawTextAligned(text, BoxX + BoxW / 2, lineY, Font->Shadow ? 1 : 0, 1);
      else
        DrawTextAligned(text, BoxX + float(TextBorder), lineY, Font->Shadow ? 1 : 0, 0);
      lineY += float(LineHeight);
    }
    TColor::Restore();
  }
  if (!HighlightUnder) DrawHighlight();
}

void VQListBox::Kill() {
  Strings.clear();
  Font.reset();
  BoxColor.reset();
  HighlightCol.reset();
  ClickChannel.reset();
  ClickSound.reset();
}
