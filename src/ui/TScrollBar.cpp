#include "ui/TScrollBar.h"

#include "app/Delta.h"
#include "app/TGame.h"
#include "platform/Graphics.h"
#include "resources/TGameImage.h"
#include "ui/TMenu.h"

#include <algorithm>
#include <cmath>

std::shared_ptr<TScrollBar> TScrollBar::Create(const std::shared_ptr<TGameImage>& slider, int32_t size,
                                               double valueMax, float x, float y, int32_t vertical) {
  auto bar = std::make_shared<TScrollBar>();
  bar->Slider = slider;
  bar->Size = std::max(size, 0);
  bar->ValueMax = std::max(valueMax, 0.0);
  bar->X = x;
  bar->Y = y;
  bar->Vertical = vertical;
  return bar;
}

int32_t TScrollBar::SliderLength() const {
  if (!Slider) return 0;
  return int32_t(float(Vertical ? Slider->h : Slider->w) * Scale);
}

void TScrollBar::SetArrows(const std::string& upName, const std::string& downName, int32_t repeatMs) {
  UpName = upName;
  DownName = downName;
  Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
  auto up = Menu->DoAddNew(upName, upName + "MO", "", 0, 0, 1);
  auto down = Menu->DoAddNew(downName, downName + "MO", "", 0, 0, 1);
  const float across = float(Vertical ? (Slider ? Slider->w : 0) : (Slider ? Slider->h : 0)) * Scale;
  if (Vertical) {
    up->MoveTo(X + (across - float(up->w)) / 2, Y - float(up->h));
    down->MoveTo(X + (across - float(down->w)) / 2, Y + float(Size));
  } else {
    up->MoveTo(X - float(up->w), Y + (across - float(up->h)) / 2);
    down->MoveTo(X + float(Size), Y + (across - float(down->h)) / 2);
  }
  for (const auto& button : {up, down}) button->SetupMouseRepeat(400, std::max(repeatMs, 1));
  DisableButtons();
}

void TScrollBar::SliderSetPosition(double value) {
  const int32_t room = std::max(Size - SliderLength(), 0);
  SliderPosition = ValueMax > 0 ? int32_t(std::lround(value * double(room) / ValueMax)) : 0;
  SliderPosition = std::clamp(SliderPosition, int32_t(0), room);
}

void TScrollBar::SetValue(double value) {
  ValuePrecise = std::clamp(value, 0.0, ValueMax);
  Value = int32_t(std::lround(ValuePrecise));
  SliderSetPosition(ValuePrecise);
  DisableButtons();
}

void TScrollBar::SetValueMax(double valueMax) {
  ValueMax = std::max(valueMax, 0.0);
  SetValue(ValuePrecise);
}

void TScrollBar::DisableButtons() {
  if (!Menu || Menu->Items.size() < 2) return;
  // ClickDisabled 1 lets a button be clicked; 0 refuses clicks.
  Menu->Items[0]->ClickDisabled = ValuePrecise <= 0 ? 0 : 1;
  Menu->Items[0]->Disabled = ValuePrecise <= 0 ? 1 : 0;
  Menu->Items[1]->ClickDisabled = ValuePrecise >= ValueMax ? 0 : 1;
  Menu->Items[1]->Disabled = ValuePrecise >= ValueMax ? 1 : 0;
}

void TScrollBar::ValueFromPosition() {
  const int32_t room = std::max(Size - SliderLength(), 0);
  ValuePrecise = room > 0 ? double(SliderPosition) * ValueMax / double(room) : 0.0;
  Value = int32_t(std::lround(ValuePrecise));
  DisableButtons();
}

bool TScrollBar::MouseOverSlider() const {
  if (!Game || !Game->Mouse || !Slider) return false;
  const float sx = Vertical ? X : X + float(SliderPosition);
  const float sy = Vertical ? Y + float(SliderPosition) : Y;
  const float sw = float(Slider->w) * Scale, sh = float(Slider->h) * Scale;
  const float mx = float(Game->Mouse->x), my = float(Game->Mouse->y);
  return mx >= sx && mx < sx + sw && my >= sy && my < sy + sh;
}

int32_t TScrollBar::Manage() {
  int32_t changed = 0;
  if (Menu) {
    Menu->Manage();
    if (Menu->Items.size() >= 2) {
      if (Menu->Items[0]->Clicked && ValuePrecise > 0) {
        SetValue(ValuePrecise - ValueStep);
        changed = 1;
      }
      if (Menu->Items[1]->Clicked && ValuePrecise < ValueMax) {
        SetValue(ValuePrecise + ValueStep);
        changed = 1;
      }
    }
  }

  SliderGlow = std::max(SliderGlow - GlowSpeed * Delta, 0.0f);
  if ((FixedGlowOnMO && MouseOverSlider()) || SliderSelected) SliderGlow = GlowMax;

  TMousePointer* mouse = Game ? Game->Mouse.get() : nullptr;
  if (!mouse) return changed;
  const int32_t along = Vertical ? mouse->y - int32_t(Y) : mouse->x - int32_t(X);
  if (mouse->b1 && SliderSelected) {
    const int32_t room = std::max(Size - SliderLength(), 0);
    SliderPosition = std::clamp(along - SliderOffset, int32_t(0), room);
    const double before = ValuePrecise;
    ValueFromPosition();
    if (ValuePrecise != before) changed = 1;
  } else if (!mouse->b1) {
    SliderSelected = 0;
  } else if (mouse->h1 && MouseOverSlider()) {
    SliderSelected = 1;
    SliderOffset = along - SliderPosition;
  }
  return changed;
}

void TScrollBar::Draw() {
  if (Menu) Menu->Draw(0, 0);
  if (!Slider || !Slider->image) return;
  platform::Picture& picture = *Slider->image;
  const float sx = (Vertical ? X : X + float(SliderPosition)) + picture.HandleX() * Scale;
  const float sy = (Vertical ? Y + float(SliderPosition) : Y) + picture.HandleY() * Scale;
  platform::SetBlend(platform::Blend::Alpha);
  platform::SetScale(Scale, Scale);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  platform::DrawPicture(picture, sx, sy);
  if (SliderGlow > 0) {
    platform::SetBlend(platform::Blend::Light);
    platform::SetAlpha(std::min(SliderGlow, 1.0f));
    platform::DrawPicture(picture, sx, sy);
    platform::SetBlend(platform::Blend::Alpha);
    platform::SetAlpha(1.0f);
  }
  platform::SetScale(1, 1);
}

void TScrollBar::Kill() {
  if (Menu) Menu->Kill();
  Menu.reset();
  Slider.reset();
}
