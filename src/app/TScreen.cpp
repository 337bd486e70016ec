#include "app/TScreen.h"

#include "app/InputTables.h"
#include "app/TGame.h"
#include "platform/Graphics.h"

int TScreen::ImageLoad(const std::string& imageName, int flags) {
  Image = TGameImage::Create(Game->ImagePath + imageName, flags, 0);
  return Image ? 1 : 0;
}

int TScreen::HeaderLoad(const std::string& headerName, int x, int y) {
  // Headers are placed by their centre, like every picture loaded after start-up.
  Header = TGameImage::Create(Game->ImagePath + headerName + Ext, -1, 1);
  HeaderX = x;
  HeaderY = y;
  return Header ? 1 : 0;
}

int TScreen::PreStart() {
  if (StopInit == 1) return CoreStart();
  Load();
  return Start();
}

int TScreen::ResetStops() {
  StopKill = 0;
  StopInit = 0;
  return 1;
}

int TScreen::Load() { return 1; }

int TScreen::Start() {
  if (Game->Mouse) Game->Mouse->On();
  Game->IgnoreEscapeKey = 0;
  return CoreStart();
}

int TScreen::CoreStart() {
  Game->CurrentTScreen = shared_from_this();
  if (Menu) Menu->ManageNoSound();
  FlushKeys();
  FlushMouse();
  if (Game->Mouse) Game->Mouse->ClearButtons();
  Game->FixedRateLogic.Init();
  return 1;
}

int TScreen::PostFadeIn() { return 1; }

int TScreen::Kill() {
  Image.reset();
  Header.reset();
  if (Menu) {
    Menu->Kill();
    Menu.reset();
  }
  return 1;
}

int TScreen::Logic() {
  if (Menu) Menu->Manage();
  return 1;
}

int TScreen::Draw() {
  if (Image && Image->image) {
    platform::SetBlend(platform::Blend::Solid);
    platform::SetAlpha(1.0f);
    platform::SetColor(255, 255, 255);
    platform::DrawPicture(*Image->image, Image->image->HandleX(), Image->image->HandleY());
  } else {
    platform::Cls();
  }
  if (Header && Header->image) {
    platform::SetBlend(platform::Blend::Alpha);
    platform::DrawPicture(*Header->image, float(HeaderX), float(HeaderY));
  }
  if (Menu) Menu->Draw(0, 0);
  platform::SetBlend(platform::Blend::Alpha);
  return 1;
}

int TScreen::SetEscDestination() {
  Game->DestinationTScreen = Game->ExitScreen;
  return 0;
}

int TScreen::SpecificKeys() { return 0; }
