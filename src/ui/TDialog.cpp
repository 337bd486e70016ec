#include "ui/TDialog.h"

#include "app/AppGlobals.h"
#include "app/InputTables.h"
#include "app/TGame.h"
#include "platform/Graphics.h"
#include "resources/TGameImage.h"
#include "ui/TColor.h"
#include "ui/TLabel.h"
#include "ui/TMenu.h"
#include "ui/TShadow.h"
#include "ui/TSprite.h"
#include "ui/UiSound.h"
#include "ui/TextDraw.h"

#include <algorithm>
#include <cstdlib>

TDialog::TDialog() = default;

void TDialog::Init(const std::string& caption, const std::shared_ptr<TGameImage>& background, int32_t newW,
                   int32_t newH, int32_t newX, int32_t newY) {
  Caption = TLabel::CreateSpecial(caption, 0, 0, 1);
  Caption->SetImageFont(FontOfSize(20));
  Background = background;
  DialogColor = TColor::Create(150, 150, 150);
  w = newW;
  FixedWidth = newW != 0 ? 1 : 0;
  h = newH;
  x = newX;
  y = newY;
}

void TDialog::SetupCaption(const std::shared_ptr<platform::ImageFont>& font, const std::shared_ptr<TColor>& colour,
                           const std::shared_ptr<TShadow>& shadow) {
  if (!Caption) Caption = TLabel::CreateSpecial("", 0, 0, 1);
  if (font) Caption->SetImageFont(font);
  Caption->Color = colour ? colour : TColor::Create(255, 255, 255);
  Caption->Shadow = shadow;
}

void TDialog::SetTransitions(float inMs, float outMs, float dim, int32_t fade) {
  if (inMs > 0) {
    TransitionIn = TAnimation::Create(inMs);
    TransitionIn->Start();
    Transitioning = 1;
    PlaySound(SlideInSound);
  }
  TransitionOut = outMs > 0 ? TAnimation::Create(outMs) : nullptr;
  DimBackground = dim;
  FadeDialog = fade;
}

void TDialog::HeaderLoad(const std::string& name, float headerX, float headerY) {
  Header = TSprite::CreateFromFile(name, headerX, headerY, 0, -1);
}

void TDialog::Start() {
  CalcAll();
  MenuPosition();
  OldIgnoreEscapeKey = Game ? Game->IgnoreEscapeKey : 0;
  if (Game) Game->IgnoreEscapeKey = 1;
  Active = 1;
  CloseResult = 0;
  CloseResultTemp = 0;
  if (Slide == 5) Slide = 1 + std::rand() % 4;
  CalcOffset();
}

// ---- Layout -----------------------------------------------------------------

void TDialog::CalcAll() {
  CalcSize();
  SetLabelsXY();
}

void TDialog::CalcSize() {
  if (Background) {
    w = Background->w;
    h = Background->h;
  } else if (!FixedWidth && Caption) {
    w = int32_t(Caption->CalcWidth()) + 2 * Border;
  }
  // A caption wider than the panel is wrapped to it.
  if (Caption) {
    Caption->WordWrap = 0;
    const float inner = float(std::max(w - 2 * Border, 1));
    if (Caption->CalcWidth() > inner) {
      Caption->WordWrap = int32_t(inner);
      Caption->PreCalcWordWrap();
    }
  }
  if (!Background && h == 0) {
    const int32_t captionHeight = Caption ? int32_t(Caption->CalcHeight()) : 0;
    const int32_t menuHeight = MenuHeight();
    h = 2 * Border + captionHeight + (menuHeight > 0 ? MenuGap() + menuHeight : 0);
  }
  CalcXY();
}

void TDialog::CalcXY() {
  if (!Centre) return;
  x = (ScreenWidth - w) / 2;
  y = (ScreenHeight - h) / 2;
}

void TDialog::CalcOffset() {
  OffsetX = OffsetY = 0;
  float f = 0;
  if (Transitioning == 1 && TransitionIn)
    f = TransitionIn->GetRatio();
  else if (Transitioning == 2 && TransitionOut)
    f = 1.0f - TransitionOut->GetRatio();
  if (f <= 0) return;
  const float sw = float(ScreenWidth), sh = float(ScreenHeight);
  switch (Slide) {
  case 1: OffsetY = f * float(-y - h - SlideExtra); break;
  case 2: OffsetX = f * (sw + float(SlideExtra) - float(x)); break;
  case 3: OffsetY = f * (sh + float(SlideExtra) - float(y)); break;
  case 4: OffsetX = f * float(-x - w - SlideExtra); break;
  default: break;
  }
}

float TDialog::CaptionGetCentredX() const {
  const float width = Caption ? (Caption->WordWrap > 0 ? float(Caption->WordWrap) : Caption->CalcWidth()) : 0.0f;
  return (float(w) - width) / 2;
}

void TDialog::SetLabelsXY() {
  if (!Caption) return;
  // The caption is centred on its X (alignment 1), so X is the panel's middle.
  Caption->Alignment = 1;
  Caption->X = CaptionOX ? float(CaptionOX) : float(w) / 2;
  if (CaptionOY)
    Caption->Y = float(CaptionOY);
  else if (CaptionCentreVert)
    Caption->Y = (float(h) - Caption->CalcHeight()) / 2;
  else
    Caption->Y = float(Border);
  Caption->X += float(CaptionOffsetX);
  Caption->Y += float(CaptionOffsetY);
}

int32_t TDialog::MenuHeight() const {
  if (!Menu || Menu->Items.empty()) return 0;
  return Menu->CalcHeight();
}

float TDialog::MenuGetCentredX() const {
  if (!Menu) return float(x);
  return float(x) + float(w - Menu->CalcWidth()) / 2;
}

void TDialog::RefreshMenu() {
  if (Menu) Menu->ManageNoSound();
}

void TDialog::MenuPosition() {
  if (!Menu || Menu->Items.empty()) return;
  Menu->CalcCoords();
  Menu->SetX(MenuOX || MenuOY ? float(x + MenuOX) : MenuGetCentredX());
  Menu->SetY(MenuOX || MenuOY ? float(y + MenuOY) : float(y + h - Border - Menu->h));
  Menu->ManageNoSound();
}

// ---- Per tick ---------------------------------------------------------------

int32_t TDialog::Manage() { return ManageCore(); }

int32_t TDialog::ManageCore() {
  if (!Active) return 0;
  if (Transitioning == 1 && TransitionIn) {
    TransitionIn->Manage();
    if (!TransitionIn->Active) {
      Transitioning = 0;
      if (FadeDialog) SetAlphas(1.0f);
      // The opening sound keeps its own channel so the closing can fade it.
      if (ActivateSound && Game) Game->GameSoundPlay(FadeChannel, ActivateSound, 0.0f);
      FlushKeys();
      FlushMouse();
    }
  } else if (Transitioning == 2 && TransitionOut) {
    TransitionOut->Manage();
    if (!TransitionOut->Active) {
      if (FadeDialog) SetAlphas(0.0f);
      Transitioning = 0;
      FlushKeys();
      FlushMouse();
      Finalise();
      if (FadeChannel) FadeChannel->Stop();
      return 1;
    }
    if (FadeChannel) FadeChannel->SetVolume(std::clamp(TransitionOut->GetRatio(), 0.0f, 1.0f));
  }
  CalcOffset();
  if (Menu) {
    if (Disabled || Transitioning == 2)
      Menu->ManageFixedGlowOnly();
    else if (Transitioning == 0)
      Menu->Manage();
  }
  return 1;
}

int32_t TDialog::Close(int32_t result) {
  CloseResultTemp = result;
  if (!TransitionOut) {
    Finalise();
    return result;
  }
  TransitionOut->Start();
  Transitioning = 2;
  PlaySound(SlideOutSound);
  return 0;
}

void TDialog::Finalise() {
  Active = 0;
  if (ReenableEscapeKey && Game) Game->IgnoreEscapeKey = OldIgnoreEscapeKey;
  CloseResult = CloseResultTemp;
}

float TDialog::TransitionValue() const {
  if (Transitioning == 1 && TransitionIn) return std::clamp(1.0f - TransitionIn->GetRatio(), 0.0f, 1.0f);
  if (Transitioning == 2 && TransitionOut) return std::clamp(TransitionOut->GetRatio(), 0.0f, 1.0f);
  return 1.0f;
}

// ---- Drawing ----------------------------------------------------------------

void TDialog::DimScreen(float alpha) {
  platform::SetBlend(platform::Blend::Alpha);
  platform::SetColor(0, 0, 0);
  platform::SetAlpha(std::clamp(alpha, 0.0f, 1.0f));
  platform::DrawRect(0, 0, float(ScreenWidth), float(ScreenHeight));
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
}

void TDialog::SetAlphas(float alpha) {
  Alpha = alpha;
  if (Caption && Caption->Color) Caption->Color->Alpha = alpha;
  if (Menu) Menu->SetAlpha(alpha);
  if (Header) Header->Alpha = alpha;
}

void TDialog::DoDrawHighlight(float alpha) {
  if (!DrawHighlight || Background) return;
  const float px = float(x) + OffsetX, py = float(y) + OffsetY;
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(alpha);
  platform::DrawRect(px, py, float(w), 1);
  platform::DrawRect(px, py, 1, float(h));
}

void TDialog::DrawPicture(const std::shared_ptr<TGameImage>& picture, const std::shared_ptr<TShadow>& shadow,
                          float px, float py, float scale, float angle) const {
  if (!picture || !picture->image) return;
  platform::Picture& image = *picture->image;
  platform::SetScale(scale, scale);
  platform::SetRotation(angle);
  if (shadow) {
    platform::SetColor(0, 0, 0);
    platform::SetAlpha(shadow->Alpha * Alpha);
    platform::DrawPicture(image, px + shadow->X, py + shadow->Y);
  }
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(Alpha);
  platform::DrawPicture(image, px, py);
  platform::SetScale(1, 1);
  platform::SetRotation(0);
}

void TDialog::Draw() {
  if (!Active) return;
  const float value = TransitionValue();
  if (FadeDialog) SetAlphas(value);
  platform::SetBlend(platform::Blend::Alpha);
  if (DimBackground * value > 0) DimScreen(DimBackground * value);

  const float px = float(x) + OffsetX, py = float(y) + OffsetY;
  if (Background && Background->image) {
    // The picture's handle may sit anywhere; the panel's corner is (px, py).
    DrawPicture(Background, Shadow, px + Background->image->HandleX(), py + Background->image->HandleY(), 1, 0);
  } else {
    if (Shadow) {
      platform::SetColor(0, 0, 0);
      platform::SetAlpha(Shadow->Alpha * Alpha);
      platform::DrawRect(px + Shadow->X, py + Shadow->Y, float(w), float(h));
    }
    const TColor& colour = DialogColor ? *DialogColor : TColor();
    platform::SetColor(colour.R, colour.G, colour.B);
    platform::SetAlpha(colour.Alpha * Alpha);
    platform::DrawRect(px, py, float(w), float(h));
  }
  DoDrawHighlight(Alpha);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(Alpha);
  if (Header) {
    Header->offx = OffsetX;
    Header->offy = OffsetY;
    Header->UseOffset = 1;
    Header->Draw();
  }
  if (Caption) Caption->Draw(px, py);
  if (Menu && MenuShow) Menu->Draw(int(OffsetX), int(OffsetY));
  DrawPicture(Picture, PictureShadow, px + float(PictureX), py + float(PictureY), PictureScale, PictureAngle);
  DrawPicture(Picture2, Picture2Shadow, px + float(Picture2X), py + float(Picture2Y), Picture2Scale,
              Picture2Angle);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  TextAlpha = 1.0f;
}

// ---- Sounds and menus -------------------------------------------------------

void TDialog::PlaySound(const std::shared_ptr<TGameSound>& sound) { PlayUiSound(sound, SoundChannel); }

std::shared_ptr<TMenu> TDialog::CreateDialogMenu() {
  auto menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
  menu->SetShadow(1, 3, 3, 0.4f);
  return menu;
}

void TDialog::Kill() {
  Active = 0;
  if (Menu) Menu->Kill();
  if (Header) Header->Kill();
  Menu.reset();
  Header.reset();
  Caption.reset();
  Background.reset();
  Shadow.reset();
  DialogColor.reset();
  Picture.reset();
  Picture2.reset();
  PictureShadow.reset();
  Picture2Shadow.reset();
  ActivateSound.reset();
  SlideInSound.reset();
  SlideOutSound.reset();
  FadeChannel.reset();
  SoundChannel.reset();
}
