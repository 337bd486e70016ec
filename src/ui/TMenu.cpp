#include "ui/TMenu.h"

#include "app/TGame.h"
#include "platform/Files.h"
#include "resources/TGameImage.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int ScreenW = 800;
constexpr int ScreenH = 600;

std::string Upper(const std::string& text) { return UpperCaseName(text); }

} // namespace

std::shared_ptr<TMenu> TMenu::Create(const std::string& soundMouseOver, const std::string& soundClick, float x,
                                     float y, int32_t gap) {
  auto menu = std::make_shared<TMenu>();
  menu->Init(soundMouseOver, soundClick, x, y, gap);
  return menu;
}

int32_t TMenu::Init(const std::string& soundMouseOver, const std::string& soundClick, float newX, float newY,
                    int32_t gap) {
  Items.clear();
  x = newX;
  y = newY;
  Gap = gap;
  AddGap = 0;
  h = 0;
  NextY = int32_t(newY);
  MouseOverName.clear();
  ClickedName.clear();
  const std::string folder = Game ? Game->SoundPath : std::string();
  SoundMouseOver = soundMouseOver.empty() ? nullptr : TGameSound::Create(folder + soundMouseOver + ".wav", 0);
  SoundClick = soundClick.empty() ? nullptr : TGameSound::Create(folder + soundClick + ".wav", 0);
  return 1;
}

void TMenu::Kill() {
  for (const auto& button : Items) button->Kill();
  Items.clear();
}

// ---- Shadows and alpha ------------------------------------------------------

int32_t TMenu::SetShadow(int32_t on, float sx, float sy, float alpha) {
  Shadow = on;
  ShadowX = sx;
  ShadowY = sy;
  ShadowAlpha = alpha;
  return 1;
}

int32_t TMenu::ResetShadow(int32_t on, float sx, float sy, float alpha) {
  for (const auto& button : Items) button->SetShadow(on, sx, sy, alpha);
  return 1;
}

int32_t TMenu::ChangeShadow(int32_t on, float sx, float sy, float alpha) {
  SetShadow(on, sx, sy, alpha);
  return ResetShadow(on, sx, sy, alpha);
}

int32_t TMenu::SetAlpha(float alpha) {
  for (const auto& button : Items) button->Alpha = alpha;
  return 1;
}

// ---- Adding buttons ---------------------------------------------------------

std::shared_ptr<TButton> TMenu::DoAddNew(const std::string& imageName, const std::string& imageMouseOver,
                                         const std::string& key, int32_t frames, int32_t lengthMs, int32_t flags) {
  auto button = std::make_shared<TButton>();
  button->UseMenuPath = 1;
  button->Load(imageName, imageMouseOver, "", "", frames, lengthMs, flags);
  button->CentreX(float(NextY));
  button->SoundMouseOver = SoundMouseOver;
  button->SoundClick = SoundClick;
  button->SetShadow(Shadow, ShadowX, ShadowY, ShadowAlpha);
  if (!key.empty()) button->SetName(key);
  Items.push_back(button);
  return button;
}

int32_t TMenu::IncreaseHeight(const std::shared_ptr<TButton>& button) {
  NextY += button->h + Gap;
  h += button->h + (AddGap ? Gap : 0);
  AddGap = 1;
  return 1;
}

std::shared_ptr<TButton> TMenu::AddNew(const std::string& imageName, const std::string& imageMouseOver,
                                       const std::string& key, int32_t frames, int32_t lengthMs, int32_t flags) {
  auto button = DoAddNew(imageName, imageMouseOver, key, frames, lengthMs, flags);
  IncreaseHeight(button);
  return button;
}

std::shared_ptr<TButton> TMenu::AddQuick(const std::string& imageName, const std::string& key) {
  return AddNew(imageName, imageName + "MO", key, 0, 0, 1);
}

std::shared_ptr<TButton> TMenu::AddQuickAuto(const std::string& imageName, const std::string& key) {
  auto button = AddQuick(imageName, key);
  const std::string folder = Game ? Game->MenuPath : std::string();
  if (platform::FileExists(folder + imageName + "_disabled.png")) button->LoadDisabled(imageName + "_disabled");
  if (platform::FileExists(folder + imageName + "_down.png")) button->LoadMouseClick(imageName + "_down", 200);
  return button;
}

int32_t TMenu::AddPair(const std::string& left, const std::string& right, int32_t gap, const std::string& prefix) {
  auto leftButton = DoAddNew(left, left + "MO", prefix.empty() ? "" : prefix + left, 0, 0, 1);
  auto rightButton = DoAddNew(right, right + "MO", prefix.empty() ? "" : prefix + right, 0, 0, 1);
  rightButton->MoveTo(leftButton->x + float(leftButton->w) + float(gap), leftButton->y);
  const int32_t taller = std::max(leftButton->h, rightButton->h);
  NextY += taller + Gap;
  h += taller + (AddGap ? Gap : 0);
  AddGap = 1;
  return 1;
}

std::shared_ptr<TButton> TMenu::FindButton(const std::string& buttonName) const {
  const std::string key = Upper(buttonName);
  for (const auto& button : Items)
    if (button->name == key) return button;
  return nullptr;
}

// ---- Layout -----------------------------------------------------------------

int32_t TMenu::StoreOriginalCoords() {
  for (const auto& button : Items) button->StoreOriginalCoords();
  OX = x;
  OY = y;
  return 1;
}

int32_t TMenu::CalcLeft() {
  float left = 10000;
  for (const auto& button : Items) left = std::min(left, button->x);
  if (!Items.empty()) x = left;
  return 1;
}

int32_t TMenu::CalcTop() {
  float top = 10000;
  for (const auto& button : Items) top = std::min(top, button->y);
  if (!Items.empty()) y = top;
  return 1;
}

int32_t TMenu::CalcWidth() {
  float left = 10000, right = -10000;
  for (const auto& button : Items) {
    left = std::min(left, button->x);
    right = std::max(right, button->x + float(button->w));
  }
  w = Items.empty() ? 0 : int32_t(right - left);
  return w;
}

int32_t TMenu::CalcHeight() {
  float top = 10000, bottom = -10000;
  for (const auto& button : Items) {
    top = std::min(top, button->y);
    bottom = std::max(bottom, button->y + float(button->h));
  }
  h = Items.empty() ? 0 : int32_t(bottom - top);
  return h;
}

int32_t TMenu::CalcCoords() {
  CalcLeft();
  CalcTop();
  CalcWidth();
  CalcHeight();
  return 1;
}

int32_t TMenu::SetX(float newX) {
  CalcLeft();
  const float shift = newX - x;
  for (const auto& button : Items) button->MoveBy(shift, 0);
  x = newX;
  return 1;
}

int32_t TMenu::SetY(float newY) {
  CalcTop();
  const float shift = newY - y;
  for (const auto& button : Items) button->MoveBy(0, shift);
  y = newY;
  return 1;
}

int32_t TMenu::CentreHoriz() {
  CalcWidth();
  return SetX(float((ScreenW - w) / 2));
}

int32_t TMenu::CentreVert() {
  CalcHeight();
  return SetY(float((ScreenH - h) / 2));
}

int32_t TMenu::Centre() {
  CentreHoriz();
  return CentreVert();
}

int32_t TMenu::MakeRow(int32_t gap) {
  float nextX = 0;
  for (const auto& button : Items) {
    button->MoveTo(nextX, 0);
    nextX += float(button->w) + float(gap);
  }
  return Centre();
}

int32_t TMenu::SetPairX(const std::string& left, const std::string& right, float newX) {
  auto leftButton = FindButton(left);
  auto rightButton = FindButton(right);
  if (!leftButton || !rightButton) return 0;
  const float shift = std::trunc(newX - leftButton->x);
  leftButton->MoveTo(newX, leftButton->y);
  rightButton->MoveBy(shift, 0);
  return 1;
}

int32_t TMenu::ScaleMenu(float sx, float sy) {
  for (const auto& button : Items) {
    button->ScaleX = sx;
    button->ScaleY = sy;
    button->MoveTo(OX + sx * (button->ox - OX), OY + sy * (button->oy - OY));
  }
  return 1;
}

// ---- States -----------------------------------------------------------------

int32_t TMenu::ClearGlow() {
  for (const auto& button : Items) button->Glow = 0;
  return 1;
}

int32_t TMenu::ClearMouseClick() {
  for (const auto& button : Items) {
    button->Clicked = 0;
    button->MouseClickCounter = 0;
  }
  return 1;
}

int32_t TMenu::ClearMouseOver() {
  for (const auto& button : Items) button->MouseOver = 0;
  return 1;
}

int32_t TMenu::ClearScale() {
  for (const auto& button : Items) button->ScaleOnMO = 1.0f;
  return 1;
}

int32_t TMenu::ClearStates() {
  ClearGlow();
  ClearMouseClick();
  ClearMouseOver();
  return ClearScale();
}

int32_t TMenu::Clicked(const std::string& buttonName) {
  if (ClickedName.empty() || Upper(buttonName) != ClickedName) return 0;
  if (ClearClickedName) ClickedName.clear();
  return 1;
}

int32_t TMenu::MouseOver(const std::string& buttonName) {
  if (MouseOverName.empty() || Upper(buttonName) != MouseOverName) return 0;
  if (ClearMouseOverName) MouseOverName.clear();
  return 1;
}

// ---- Per tick and drawing ---------------------------------------------------

int TMenu::Manage() {
  if ((Game && Game->GameFade.Active) || !AcceptInput) {
    ManageFixedGlowOnly();
    return 0;
  }
  if (!Game || !Game->Mouse || !Game->Mouse->Active) return 0;
  MouseOverName.clear();
  ClickedName.clear();
  for (const auto& button : Items) {
    if (NoSound)
      button->ManageNoSound();
    else
      button->Manage();
    if (button->MouseOver) MouseOverName = button->name;
    if (button->Clicked) ClickedName = button->name;
  }
  return 1;
}

int TMenu::ManageNoSound() {
  const int32_t oldNoSound = NoSound;
  NoSound = 1;
  const int32_t result = Manage();
  NoSound = oldNoSound;
  return result;
}

int32_t TMenu::ManageFixedGlowOnly() {
  for (const auto& button : Items)
    if (button->FixedGlowOnMO) button->ManageGlow();
  return 1;
}

int32_t TMenu::ManageScaleOnMO() {
  for (const auto& button : Items) button->ManageScaleOnMO();
  return 1;
}

int32_t TMenu::Precache() {
  for (const auto& button : Items) button->Precache();
  return 1;
}

void TMenu::Draw(int dx, int dy) {
  for (const auto& button : Items) {
    button->offx = float(dx);
    button->offy = float(dy);
    button->Draw();
  }
}
