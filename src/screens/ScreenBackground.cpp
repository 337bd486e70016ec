#include "screens/ScreenBackground.h"

#include "app/TGame.h"
#include "platform/Graphics.h"
#include "resources/TGameImage.h"
#include "ui/TSprite.h"

void DrawScreenBackground(const std::shared_ptr<TGameImage>& image, float dx, float dy) {
  if (image && image->image) {
    platform::SetBlend(platform::Blend::Solid);
    platform::SetAlpha(1.0f);
    platform::SetColor(255, 255, 255);
    platform::DrawPicture(*image->image, image->image->HandleX() + dx, image->image->HandleY() + dy);
  } else {
    platform::Cls();
  }
  platform::SetBlend(platform::Blend::Alpha);
}

std::shared_ptr<TSprite> CreateGlowingHeader(const std::string& file, float x, float y) {
  auto header = TSprite::Create(TGameImage::Create(Game->ImagePath + file, -1, 1), x, y);
  header->SetGlow(3, 0, 0.25f, 0, 0.5f);
  return header;
}
