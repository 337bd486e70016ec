#include "ui/TSlider.h"

#include "app/TGame.h"
#include "platform/Graphics.h"
#include "resources/TGameImage.h"

#include <algorithm>
#include <cmath>

std::shared_ptr<TSlider> TSlider::CreateSpecial(const std::string& trackName, const std::string& knobName, float x,
                                                float y, int32_t border, const std::string& ext, int32_t borderY) {
  const std::string folder = Game ? Game->ImagePath : std::string();
  auto slider = CreateFromImages(TGameImage::Create(folder + trackName + ext, -1, 0),
                                 TGameImage::Create(folder + knobName + ext, -1, 0), x, y, border, borderY);
  slider->Ext = ext;
  return slider;
}

std::shared_ptr<TSlider> TSlider::CreateFromImages(const std::shared_ptr<TGameImage>& track,
                                                   const std::shared_ptr<TGameImage>& knob, float x, float y,
                                                   int32_t border, int32_t borderY) {
  auto slider = std::make_shared<TSlider>();
  slider->SetImage(track);
  slider->DotImage = knob;
  slider->SetPosition(x, y);
  slider->Border = border;
  slider->BorderY = borderY;
  slider->DotY = int32_t(y);
  slider->SetValue(50);
  slider->active = 1;
  return slider;
}

void TSlider::SetValue(int32_t v) {
  Value = std::clamp(v, int32_t(0), int32_t(100));
  const float knobHalf = DotImage ? float(DotImage->w) / 2 : 0.0f;
  const int32_t room = w - 2 * Border;
  // A track no wider than its two borders has no travel: the knob rests in its middle.
  if (room <= 0)
    DotX = int32_t(x + float(w) / 2 - knobHalf);
  else
    DotX = int32_t(x + float(Border) + float(Value) / 100.0f * float(room) - knobHalf);
}

int32_t TSlider::Manage() {
  if (!active || !Game || !Game->Mouse) return 0;
  const TMousePointer& mouse = *Game->Mouse;
  const float mx = float(mouse.x), my = float(mouse.y);
  MouseOver = mx >= x - 10 && mx < x + float(w) + 10 && my >= y - float(BorderY) && my < y + float(h + BorderY);
  if (!MouseOver || !mouse.b1) return 0;
  const float room = float(w - 2 * Border);
  int32_t v;
  if (mx <= x + float(Border) || room <= 0)
    v = 0;
  else if (mx >= x + float(w - Border))
    v = 100;
  else
    v = int32_t(std::lround((mx - x - float(Border)) / room * 100.0f));
  SetValue(v);
  return 1;
}

void TSlider::Draw() {
  platform::SetBlend(platform::Blend::Alpha);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(Alpha);
  if (image && image->image)
    platform::DrawPicture(*image->image, x + image->image->HandleX(), y + image->image->HandleY());
  if (DotImage && DotImage->image) {
    // The knob is centred on the track's height.
    const float knobY = float(DotY) + float(h - DotImage->h) / 2;
    platform::DrawPicture(*DotImage->image, float(DotX) + DotImage->image->HandleX(),
                          knobY + DotImage->image->HandleY());
  }
  platform::SetAlpha(1.0f);
}

void TSlider::Kill() {
  DotImage.reset();
  TSprite::Kill();
}
