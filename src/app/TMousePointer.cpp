#include "app/TMousePointer.h"

#include "app/TGame.h"
#include "platform/ErrorReport.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/System.h"

void TMousePointer::On() { Active = 1; }

void TMousePointer::Off() {
  Active = 0;
  if (ParticleList) ParticleList->Clear();
}

void TMousePointer::Load(const std::string& name) {
  const std::string folder = Game ? Game->ImagePath : std::string();
  LoadFromPath(folder + name + Ext);
}

void TMousePointer::LoadFromPath(const std::string& path) {
  auto picture = platform::Picture::Load(path);
  if (!picture) {
    ShowError("Error loading bitmap " + path, 1);
    return;
  }
  picture->SetHandle(float(offsetx), float(offsety));
  Image = picture;
  CalcSize();
}

void TMousePointer::CalcSize() {
  w = Image ? Image->Width() : 0;
  h = Image ? Image->Height() : 0;
}

void TMousePointer::ButtonDown(int button) {
  if (button < 1 || button > 3) return;
  ClearMouseHit();
  if (button == 1) { b1 = 1; ++h1; }
  if (button == 2) { b2 = 1; ++h2; }
  if (button == 3) { b3 = 1; ++h3; }
  CalcButtonTotals();
}

void TMousePointer::ButtonUp(int button) {
  if (button == 1) b1 = 0;
  if (button == 2) b2 = 0;
  if (button == 3) b3 = 0;
  CalcButtonTotals();
}

void TMousePointer::MoveTo(int newX, int newY) {
  x = newX;
  y = newY;
}

void TMousePointer::Wheel(int amount) { z += amount; }

void TMousePointer::Update() {
  // The platform reports the position only; the button state is kept by the
  // event pump, which is the one reader of the event queue.
  int px = x, py = y;
  platform::GetMousePosition(px, py);
  x = px;
  y = py;
  CalcButtonTotals();
}

void TMousePointer::UpdateCoords() {
  int px = x, py = y;
  platform::GetMousePosition(px, py);
  x = px;
  y = py;
}

void TMousePointer::CalcButtonTotals() {
  mb = b1 + b2 + b3;
  mh = h1 + h2 + h3;
}

void TMousePointer::ClearButtons() {
  b1 = b2 = b3 = 0;
  mb = 0;
  ClearMouseHit();
}

void TMousePointer::ClearMouseHit() {
  h1 = h2 = h3 = 0;
  mh = 0;
}

int32_t TMousePointer::GetMh(int32_t clear) {
  const int32_t hits = mh;
  if (clear) ClearMouseHit();
  return hits;
}

int32_t TMousePointer::Manage() {
  if (!Active) return 0;
  if (ParticleFunc) ParticleFunc(*this);
  if (ParticleList) ParticleList->Manage();
  return 1;
}

void TMousePointer::Draw() {
  if (platform::GraphicsOpen() && !platform::IsFullScreen() && !platform::IsHeadless()) UpdateCoords();
  if (!Active) return;
  if (ParticleList) ParticleList->Draw();
  platform::SetBlend(platform::Blend::Alpha);
  platform::SetRotation(float(Rotation));
  if (Image2) {
    platform::SetScale(Image2Scale, Image2Scale);
    platform::DrawPicture(*Image2, float(x + Image2xoff), float(y + Image2yoff), Image2Frame);
    platform::SetScale(1, 1);
  }
  if (Image)
    platform::DrawPicture(*Image, float(x), float(y), ImageFrame);
  else
    platform::Plot(float(x), float(y));
  platform::SetRotation(0);
  if (UserDraw) UserDraw(x, y);
}
