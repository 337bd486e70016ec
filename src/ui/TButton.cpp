#include "ui/TButton.h"

#include "app/Delta.h"
#include "app/InputTables.h"
#include "app/TGame.h"
#include "platform/Graphics.h"
#include "platform/Keys.h"
#include "resources/TGameImage.h"
#include "ui/TColor.h"
#include "ui/TLabel.h"
#include "ui/TMouseRepeat.h"

#include <algorithm>

namespace {

constexpr int ScreenW = 800;

float Ticks(float ms) { return Game ? Game->CalcAnimLength(ms) : ms / 5.0f; }

bool HasChannelPool() { return Game && Game->Channels; }

// Button pictures are named without extension; ".png" is the default.
std::string PictureFile(const std::string& folder, const std::string& name) {
  const auto slash = name.find_last_of("/\\");
  const auto dot = name.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return folder + name + (hasExtension ? "" : ".png");
}

// A picture with its handle at the top-left corner; frames > 1 cuts it into
// that many equal side-by-side frames.
std::shared_ptr<TGameImage> LoadButtonPicture(const std::string& path, int32_t frames, int32_t flags) {
  // Buttons are drawn grown under the pointer: always smooth them.
  if (flags != -1) flags |= platform::picture_flags::Filter;
  auto picture = TGameImage::Create(path, flags, 0);
  if (!picture || !picture->image || frames < 2) return picture;
  const auto& source = *picture->image;
  const int cellWidth = source.Width() / frames;
  auto cells = platform::Picture::FromPixmapCells(source.FramePixels(0), cellWidth, source.Height(), 0, frames,
                                                  flags);
  if (!cells) return picture; // too narrow to cut: keep the single frame
  auto animated = TGameImage::CreateFromImage(cells, picture->name, 0);
  return animated;
}

} // namespace

// ---- Set-up and loading -----------------------------------------------------

std::shared_ptr<TButton> TButton::CreateSpecial(const std::string& imageName, const std::string& imageMouseOver,
                                                const std::string& soundMouseOver, const std::string& soundClick) {
  auto button = std::make_shared<TButton>();
  button->Load(imageName, imageMouseOver, soundMouseOver, soundClick, 0, 0, -1);
  return button;
}

std::string TButton::GetPath() {
  if (!Game) return std::string();
  return UseMenuPath ? Game->MenuPath : Game->ImagePath;
}

void TButton::Load(const std::string& imageName, const std::string& imageMouseOver,
                   const std::string& soundMouseOver, const std::string& soundClick, int32_t frames,
                   int32_t lengthMs, int32_t flags) {
  SetName(imageName);
  if (!HasChannelPool()) {
    ChannelMouseOver = platform::audio::Channel::Allocate();
    ChannelClick = platform::audio::Channel::Allocate();
  }
  LoadImages(imageName, imageMouseOver, frames, lengthMs, flags);
  const std::string soundFolder = Game ? Game->SoundPath : std::string();
  if (!soundMouseOver.empty()) SoundMouseOver = TGameSound::Create(soundFolder + soundMouseOver + ".wav", 0);
  if (!soundClick.empty()) SoundClick = TGameSound::Create(soundFolder + soundClick + ".wav", 0);
  Init();
}

void TButton::LoadImages(const std::string& imageName, const std::string& imageMouseOver, int32_t frames,
                         int32_t lengthMs, int32_t flags) {
  const std::string folder = GetPath();
  SetImage(LoadButtonPicture(PictureFile(folder, imageName), frames, flags));
  if (!imageMouseOver.empty()) ImageMouseOver = LoadButtonPicture(PictureFile(folder, imageMouseOver), frames, flags);
  if (frames > 1) SetupAnim(frames, lengthMs, 1, 0, 0, 0, 1);
}

void TButton::LoadDisabled(const std::string& imageName) {
  ImageDisabled = TGameImage::Create(GetPath() + imageName + ".png", -1, 0);
}

void TButton::LoadMouseClick(const std::string& imageName, int32_t durationMs) {
  ImageMouseClick = TGameImage::Create(GetPath() + imageName + ".png", -1, 0);
  MouseClickDuration = Ticks(float(durationMs));
}

void TButton::Init() {
  GetSize();
  ClearClick();
}

void TButton::Kill() {
  if (!HasChannelPool()) {
    if (ChannelMouseOver) ChannelMouseOver->Stop();
    if (ChannelClick) ChannelClick->Stop();
  }
  ChannelMouseOver.reset();
  ChannelClick.reset();
  Caption.reset();
  MouseRepeat.reset();
  TSprite::Kill();
}

void TButton::CentreX(float newY) {
  x = float((ScreenW - w) / 2);
  y = newY;
}

void TButton::Precache() {
  for (const auto* picture : {&image, &ImageMouseOver, &ImageMouseClick, &ImageDisabled})
    if (*picture) (*picture)->Precache();
}

void TButton::SetFixedGlowOnMO(float max, float glowSpeed, int32_t useMouseOverImage) {
  FixedGlowOnMO = 1;
  FixedGlowOnMOUseMO = useMouseOverImage;
  GlowMax = max;
  GlowSpeed = glowSpeed;
}

void TButton::SetAutoGlow(float min, float max, float glowSpeed, int32_t onMouseOverOnly) {
  SetGlow(3, max, glowSpeed, min, max);
  AutoGlowOnMO = onMouseOverOnly;
}

void TButton::SetupCaption(const std::string& text, const std::shared_ptr<platform::ImageFont>& font,
                           const std::shared_ptr<TColor>& color, const std::shared_ptr<TShadow>& shadow,
                           const std::shared_ptr<TColor>& mouseOverColor) {
  Caption = TLabel::CreateSpecial(text, x + w2, y + h2, 1, 0);
  Caption->SetImageFont(font);
  if (color) Caption->Color = color;
  Caption->Shadow = shadow;
  Caption->InverseColor = mouseOverColor;
  Caption->CentreVertically = 1;
}

void TButton::SetupCaptionDown(const std::shared_ptr<TColor>& color, float scale, float offsetX, float offsetY) {
  CaptionDownColor = color;
  CaptionDownScale = scale;
  CaptionDownOffsetX = offsetX;
  CaptionDownOffsetY = offsetY;
}

void TButton::SetupMouseRepeat(int32_t delayMs, int32_t intervalMs) {
  MouseRepeat = TMouseRepeat::Create(delayMs, intervalMs);
}

void TButton::SetupScaleOnMO(float max, float upSpeed, float downSpeed) {
  ScaleOnMOMax = max;
  ScaleOnMOUpSpeed = upSpeed;
  ScaleOnMODownSpeed = downSpeed;
}

void TButton::MoveBy(float byX, float byY) {
  x += byX;
  y += byY;
  if (Caption) {
    Caption->X += byX;
    Caption->Y += byY;
  }
}

void TButton::MoveTo(float toX, float toY) { MoveBy(toX - x, toY - y); }

// ---- Clicks and per-tick handling ------------------------------------------

void TButton::ClearClick() {
  Clicked = 0;
  MouseClickCounter = 0;
  MouseOver = 0;
  Glow = 0;
}

int32_t TButton::Click(int32_t second) {
  if (MouseClickCounter > 0 && !ClickWhenDown) return 0;
  if (!Clicked && !NoSound) {
    if (second && SoundClick2)
      PlayClick2();
    else
      PlayClick();
  }
  Clicked = 1;
  if (ImageMouseClick) MouseClickCounter = MouseClickDuration;
  return 1;
}

int32_t TButton::SimulateClick() {
  FixedGlowOnMOActivate();
  const int32_t result = Click(0);
  if (result) MouseOver = 1;
  return result;
}

void TButton::FixedGlowOnMOActivate() {
  if (FixedGlowOnMO && MouseClickCounter <= 0) SetGlow(2, GlowMax, GlowSpeed, 0, GlowMax);
}

int32_t TButton::Manage() {
  const bool live = Active == 1 && (!Disabled || ClickDisabled == 1);
  bool hovering = false;
  if (live) {
    ManageAnim();
    if (GlowMode > 0) ManageGlow();
    TMousePointer* mouse = Game ? Game->Mouse.get() : nullptr;
    const bool over = mouse && float(mouse->x) >= x && float(mouse->x) < x + float(w) && float(mouse->y) >= y &&
                      float(mouse->y) < y + float(h);
    if (over && (!MouseOverUserFunction || MouseOverUserFunction() == 0)) {
      hovering = true;
      if (MouseClickCounter <= 0) {
        if (!MouseOver && !NoSound) PlayMouseOver();
        MouseOver = 1;
      }
      FixedGlowOnMOActivate();
      int32_t click = 0;
      if (MouseRepeat) click = MouseRepeat->GetButton();
      // A press released within the same frame is only seen as a hit.
      if (mouse->GetMh(1) && !click) click = 1;
      // A refused click (pressed picture still showing) must not leave the
      // previous tick's click standing.
      if (!click || !Click(click == 2 ? 1 : 0)) Clicked = 0;
      if (ScaleOnMOMax > 1.0f) ScaleOnMO = std::min(ScaleOnMO + ScaleOnMOUpSpeed * Delta, ScaleOnMOMax);
    } else {
      MouseOver = 0;
      Clicked = 0;
    }
    if (OKButton && (KeyHit(platform::keys::Enter) || (OKButtonUseSpace && KeyHit(platform::keys::Space))))
      SimulateClick();
  } else {
    MouseOver = 0;
    Clicked = 0;
    if (FixedGlowOnMO) ManageGlow();
  }
  if (!hovering) ManageScaleOnMO();
  MouseClickCounter = std::max(MouseClickCounter - Delta, 0.0f);
  return Clicked;
}

int32_t TButton::ManageNoSound() {
  const int32_t oldNoSound = NoSound;
  NoSound = 1;
  const int32_t result = Manage();
  NoSound = oldNoSound;
  return result;
}

void TButton::ManageScaleOnMO() { ScaleOnMO = std::max(ScaleOnMO - ScaleOnMODownSpeed * Delta, 1.0f); }

// ---- Sounds -----------------------------------------------------------------

void TButton::PlayOn(const std::shared_ptr<TGameSound>& sound, ChannelRef& channel) {
  if (!sound || !Game) return;
  if (Game->Channels)
    Game->Channels->PlayGameSound(sound, nullptr, 1.0f, 0.0f);
  else
    Game->GameSoundPlay(channel, sound, 0.0f);
}

void TButton::PlayClick() { PlayOn(SoundClick, ChannelClick); }
void TButton::PlayClick2() { PlayOn(SoundClick2, ChannelClick); }
void TButton::PlayMouseOver() { PlayOn(SoundMouseOver, ChannelMouseOver); }

// ---- Drawing ----------------------------------------------------------------

void TButton::DrawState(const std::shared_ptr<TGameImage>& picture, int32_t pictureFrame, float px, float py,
                        float sx, float sy, bool glow) {
  if (!picture || !picture->image) return;
  if (Shadow) {
    platform::SetColor(0, 0, 0);
    platform::SetAlpha(ShadowAlpha * (UseAlpha ? Alpha : 1.0f));
    platform::DrawPicture(*picture->image, px + ShadowX * sx, py + ShadowY * sy, pictureFrame);
    platform::SetAlpha(UseAlpha ? Alpha : 1.0f);
  }
  if (Color)
    platform::SetColor(Color->R, Color->G, Color->B);
  else
    platform::SetColor(255, 255, 255);
  platform::DrawPicture(*picture->image, px, py, pictureFrame);
  if (glow) {
    const int level = int(std::clamp(Glow * 255.0f, 0.0f, 255.0f));
    platform::SetBlend(platform::Blend::Light);
    platform::SetColor(level, level, level);
    platform::DrawPicture(*picture->image, px, py, pictureFrame);
    platform::SetBlend(platform::Blend::Alpha);
    platform::SetColor(255, 255, 255);
  }
}

void TButton::DrawCaption(float px, float py, float growth, const std::shared_ptr<TColor>& color) {
  if (!Caption) return;
  // The label scales itself; the button's growth is passed through its Scale.
  platform::SetScale(1, 1);
  const auto oldColor = Caption->Color;
  const float oldScale = Caption->Scale;
  OldRoundedCoords = Caption->RoundCoords;
  if (color) Caption->Color = color;
  Caption->Scale = oldScale * growth;
  if (growth != 1.0f) Caption->RoundCoords = 0;
  // The caption sits on the button's centre, so it grows about the same point.
  Caption->Draw(px - x, py - y, 1);
  Caption->RoundCoords = OldRoundedCoords;
  Caption->Scale = oldScale;
  Caption->Color = oldColor;
}

void TButton::Draw() {
  if (!Active && !AlwaysDraw) return;
  platform::SetBlend(platform::Blend::Alpha);
  float px = x + offx, py = y + offy;
  platform::SetAlpha(UseAlpha ? Alpha : 1.0f);
  float sx = ScaleX, sy = ScaleY;
  const float growth = ScaleOnMO > 1.0f ? ScaleOnMO : 1.0f;
  if (growth > 1.0f) {
    // Grow about the centre: the handle is the top-left corner.
    sx *= growth;
    sy *= growth;
    px += float(w) * ScaleX * (1.0f - growth) / 2.0f;
    py += float(h) * ScaleY * (1.0f - growth) / 2.0f;
  }
  platform::SetScale(sx, sy);
  const float captionX = x + offx, captionY = y + offy;

  const bool fixedGlowShowing = FixedGlowOnMO && FixedGlowOnMOUseMO && Glow > 0;
  if (MouseClickCounter > 0 && ImageMouseClick) {
    DrawState(ImageMouseClick, 0, px, py, sx, sy, Glow > 0);
    if (Caption) {
      const float oldScale = Caption->Scale;
      Caption->Scale = oldScale * CaptionDownScale;
      DrawCaption(captionX + CaptionDownOffsetX * growth, captionY + CaptionDownOffsetY * growth, growth,
                  CaptionDownColor);
      Caption->Scale = oldScale;
    }
  } else if ((MouseOver && ImageMouseOver) || (fixedGlowShowing && ImageMouseOver)) {
    DrawState(ImageMouseOver, DrawFrame(), px, py, sx, sy, Glow > 0 && (FixedGlowOnMO || AutoGlowOnMO));
    DrawCaption(captionX, captionY, growth, Caption ? Caption->InverseColor : nullptr);
  } else if (Disabled) {
    DrawState(ImageDisabled ? ImageDisabled : image, 0, px, py, sx, sy, false);
    DrawCaption(captionX, captionY, growth, CaptionDisabledColor);
  } else {
    DrawState(image, DrawFrame(), px, py, sx, sy, Glow > 0 && GlowMode > 0 && !AutoGlowOnMO);
    DrawCaption(captionX, captionY, growth, nullptr);
  }
  platform::SetScale(1, 1);
  platform::SetAlpha(1);
  platform::SetColor(255, 255, 255);
}
