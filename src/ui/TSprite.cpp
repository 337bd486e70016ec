#include "ui/TSprite.h"

#include "app/Delta.h"
#include "app/TGame.h"
#include "platform/Graphics.h"
#include "resources/TGameImage.h"
#include "ui/TColor.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <random>

namespace {

constexpr float ScreenW = 800.0f;
constexpr float ScreenH = 600.0f;

// Milliseconds to logic ticks at the game's current speed.
float AnimTicks(float ms) { return Game ? Game->CalcAnimLength(ms) : ms / 5.0f; }

float ScrollX() { return Game ? Game->ScrollX : 0.0f; }
float ScrollY() { return Game ? Game->ScrollY : 0.0f; }

std::mt19937& SpriteRandom() {
  static std::mt19937 generator{std::random_device{}()};
  return generator;
}

float RandomFloat(float low, float high) {
  if (high <= low) return low;
  return std::uniform_real_distribution<float>(low, high)(SpriteRandom());
}

double Radians(float degrees) { return double(degrees) * std::numbers::pi / 180.0; }

// Sets the current colour from a colour object, or white without one.
void ApplyColor(const std::shared_ptr<TColor>& color) {
  if (color)
    platform::SetColor(color->R, color->G, color->B);
  else
    platform::SetColor(255, 255, 255);
}

} // namespace

TSprite::TSprite() : GlowCounter(std::make_shared<TSineCounter>()) {}

// ---- Animation -------------------------------------------------------------

void TSprite::SetupAnim(int32_t frames, int32_t lengthMs, int32_t counterDir, int32_t reverse,
                        int32_t randomStart, int32_t pingPong, int32_t loop) {
  frame = 0;
  FramesTotal = std::max(frames, 1);
  // A zero length would make every frame computation divide by zero.
  AnimLength = std::max(int32_t(AnimTicks(float(lengthMs))), 1);
  AnimCounterDir = counterDir;
  AnimReverse = reverse;
  PingPong = pingPong;
  Loop = loop;
  FrameLength = float(AnimLength) / float(FramesTotal);
  if (randomStart == 1)
    AnimCounter = RandomFloat(0.01f, float(AnimLength));
  else if (counterDir == 1 && reverse == 0)
    AnimCounter = 0;
  else if (counterDir == 0 && reverse == 1)
    AnimCounter = 0.01f;
  else
    AnimCounter = float(AnimLength);
  prevCounter_ = -1;
}

int32_t TSprite::ManageAnim() {
  if (FramesTotal < 2) return 0;
  prevCounter_ = AnimCounter;
  const bool up = (AnimCounterDir == 1 && AnimReverse == 0) || (AnimCounterDir == 0 && AnimReverse == 1);
  int32_t result;
  if (up) {
    AnimCounter += Delta;
    result = AnimBoundsCheckUpper();
  } else {
    AnimCounter -= Delta;
    result = AnimBoundsCheckLower();
  }
  frame = FrameOfCounter(AnimCounter);
  return result;
}

int32_t TSprite::AnimBoundsCheckLower() {
  if (AnimCounter > 0) return 0;
  if (PingPong) {
    AnimCounter = -AnimCounter + FrameLength;
    if (AnimCounter == 0) AnimCounter = 0.01f;
    // Turn round: from here on the counter grows, whichever way the frames run.
    AnimReverse = AnimCounterDir == 1 ? 0 : 1;
    return 1;
  }
  if (Loop) {
    if (LoopCount > 0) {
      --LoopCount;
      if (LoopCount == 0) {
        Loop = 0;
        AnimCounter = 0.01f;
        return 1;
      }
    }
    AnimCounter += float(AnimLength);
    CallAnimStopped();
    return 1;
  }
  // An animation that has come to rest reports it once, not on every later tick.
  const bool arriving = prevCounter_ < 0 || prevCounter_ > 0.01f;
  AnimCounter = 0.01f;
  if (arriving) CallAnimStopped();
  return 1;
}

int32_t TSprite::AnimBoundsCheckUpper() {
  const float length = float(AnimLength);
  if (AnimCounter < length) return 0;
  if (PingPong) {
    AnimCounter = length - (AnimCounter - length) - FrameLength;
    // Turn round: from here on the counter shrinks.
    AnimReverse = AnimCounterDir == 1 ? 1 : 0;
    return 1;
  }
  if (Loop) {
    if (LoopCount > 0) {
      --LoopCount;
      if (LoopCount == 0) {
        Loop = 0;
        AnimCounter = length;
        return 1;
      }
    }
    AnimCounter -= length;
    CallAnimStopped();
    return 1;
  }
  const bool arriving = prevCounter_ < length;
  AnimCounter = length;
  if (arriving) CallAnimStopped();
  return 1;
}

int32_t TSprite::FrameOfCounter(float c) const {
  const float r = c / float(std::max(AnimLength, 1));
  float f = AnimCounterDir == 1 ? std::floor(r * float(FramesTotal))
                                : std::floor(float(FramesTotal) * (1.0f - r));
  if (!(f >= 0)) f = 0; // also catches NaN
  int32_t result = f >= float(FramesTotal) ? FramesTotal - 1 : int32_t(f);
  return std::max(result, 0);
}

int32_t TSprite::GetAnimFrame() { return FrameOfCounter(AnimCounter); }

void TSprite::RandomiseAnimPos() {
  AnimCounter = RandomFloat(0.01f, float(AnimLength));
  prevCounter_ = -1;
}

void TSprite::StopAnim() {
  AnimCounter = 0;
  FramesTotal = 1;
}

void TSprite::CallAnimStopped() {
  if (AnimStoppedFunction) AnimStoppedFunction(*this);
}

// ---- Movement --------------------------------------------------------------

void TSprite::Move() {
  x += dx * Delta;
  y += dy * Delta;
  if (ygravity > 0) dy += ygravity * Delta;
}

void TSprite::MoveOriginalCoords() {
  ox += dx * Delta;
  oy += dy * Delta;
  if (ygravity > 0) dy += ygravity * Delta;
}

void TSprite::MoveAttachedSprite() {
  if (!AttachedSprite) return;
  AttachedSprite->x += dx * Delta;
  AttachedSprite->y += dy * Delta;
}

void TSprite::MoveLeft() {
  x -= xspeed * Delta;
  BoundsCheck();
}

void TSprite::MoveRight() {
  x += xspeed * Delta;
  BoundsCheck();
}

void TSprite::MoveUp() {
  y -= yspeed * Delta;
  BoundsCheck();
}

void TSprite::MoveDown() {
  y += yspeed * Delta;
  BoundsCheck();
}

void TSprite::MoveForward() {
  dx = float(std::sin(Radians(Rotation))) * speed;
  dy = float(-std::cos(Radians(Rotation))) * speed;
  Move();
}

void TSprite::BoundsCheck() {
  x = std::clamp(x, w2, std::max(w2, ScreenW - w2));
  y = std::clamp(y, h2, std::max(h2, ScreenH - h2));
}

void TSprite::Stop() { dx = dy = 0; }

int32_t TSprite::OutOfBounds() {
  if (image && image->midhandled)
    return (x < -w2 || x > ScreenW + w2 || y < -h2 || y > ScreenH + h2) ? 1 : 0;
  return (x < -float(w) || x > ScreenW || y < -float(h) || y > ScreenH) ? 1 : 0;
}

void TSprite::SetPosition(float newX, float newY) {
  x = newX;
  y = newY;
}

void TSprite::StoreCentreCoords() {
  cx = x;
  cy = y;
}

void TSprite::StoreOriginalCoords() {
  ox = x;
  oy = y;
}

void TSprite::ScaleOriginalCoords() {
  x = ox * BaseScaleX;
  y = oy * BaseScaleY;
}

void TSprite::Centre() {
  if (image) image->MidHandle(1);
  GetSize();
  x = ScreenW / 2;
  y = ScreenH / 2;
}

void TSprite::CentreX(float newY) {
  if (image) image->MidHandle(1);
  GetSize();
  x = ScreenW / 2;
  y = newY;
}

// ---- Scale, rotation, glow -------------------------------------------------

void TSprite::SetupScale(float xSpeed, float ySpeed, int32_t lengthMs) {
  ScaleXSpeed = xSpeed;
  ScaleYSpeed = ySpeed;
  ScaleLength = int32_t(AnimTicks(float(lengthMs)));
  ScaleCounter = float(ScaleLength);
}

void TSprite::ManageScale() {
  if (ScaleCounter <= 0) return;
  ScaleCounter -= 1.0f * Delta;
  ScaleX += ScaleXSpeed * Delta;
  ScaleY += ScaleYSpeed * Delta;
}

void TSprite::SetScaleXY(float sx, float sy) {
  ScaleX = sx;
  ScaleY = sy == 0 ? sx : sy;
}

void TSprite::ClearScale() {
  ScaleX = ScaleY = 1.0f;
  ScaleCounter = 0;
}

void TSprite::SetupRotation(float rotationSpeed, int32_t lengthMs, int32_t loop, int32_t randomStart) {
  RotationSpeed = rotationSpeed;
  if (loop) {
    RotationLoop = 1;
    if (randomStart) Rotation = RandomFloat(0, 360.0f);
  } else {
    RotationLoop = 0;
    RotationLength = int32_t(AnimTicks(float(lengthMs)));
    RotationCounter = float(RotationLength);
  }
}

void TSprite::ManageRotation() {
  if (RotationLoop) {
    Rotation = std::fmod(Rotation + RotationSpeed * Delta, 360.0f);
    if (Rotation < 0) Rotation += 360.0f;
    return;
  }
  if (RotationCounter > 0) {
    RotationCounter -= Delta;
    Rotation += RotationSpeed * Delta;
  }
}

void TSprite::ClearRotation() {
  Rotation = 0;
  RotationCounter = 0;
  RotationLoop = 0;
}

void TSprite::ClearTransformations() {
  ClearScale();
  ClearRotation();
}

void TSprite::SetGlow(int32_t mode, float glow, float glowSpeed, float min, float max) {
  GlowMode = mode;
  Glow = glow;
  GlowSpeed = glowSpeed;
  GlowMin = min;
  GlowMax = max;
  GlowRange = max - min;
  if (mode == 3) {
    if (!GlowCounter) GlowCounter = std::make_shared<TSineCounter>();
    GlowCounter->Init(0, 360.0f, glowSpeed);
  }
}

void TSprite::ManageGlow() {
  if (GlowMode == 2) {
    Glow = std::max(Glow - GlowSpeed * Delta, 0.0f);
  } else if (GlowMode == 3 && GlowCounter) {
    GlowCounter->Manage();
    Glow = GlowMin + GlowRange * std::fabs(GlowCounter->ratio);
  }
}

// ---- Image and size --------------------------------------------------------

void TSprite::SetName(const std::string& newName) {
  name = newName;
  for (char& c : name) c = char(std::toupper(static_cast<unsigned char>(c)));
}

void TSprite::SetImage(const std::shared_ptr<TGameImage>& newImage) {
  image = newImage;
  GetSize();
}

void TSprite::GetSize() {
  if (!image) return;
  w = image->w;
  h = image->h;
  w2 = image->w2;
  h2 = image->h2;
}

void TSprite::SetShadow(int32_t on, float sx, float sy, float alpha) {
  Shadow = on;
  ShadowX = sx;
  ShadowY = sy;
  ShadowAlpha = alpha;
}

float TSprite::Width() { return float(w) * ScaleX; }
float TSprite::Height() { return float(h) * ScaleY; }

void TSprite::Init() { GetSize(); }

void TSprite::Kill() {
  if (AttachedSprite && KillAttachedSprite == 1) AttachedSprite->Kill();
  AttachedSprite.reset();
}

std::shared_ptr<TSprite> TSprite::Create(const std::shared_ptr<TGameImage>& image, float x, float y) {
  auto sprite = std::make_shared<TSprite>();
  sprite->SetImage(image);
  sprite->SetPosition(x, y);
  return sprite;
}

std::shared_ptr<TSprite> TSprite::CreateFromFile(const std::string& name, float x, float y, int32_t centre,
                                                 int32_t flags) {
  auto sprite = std::make_shared<TSprite>();
  sprite->SetImage(TGameImage::Create((Game ? Game->ImagePath : std::string()) + name + ".png", flags, centre ? 1 : 0));
  sprite->SetName(name);
  if (centre)
    sprite->Centre();
  else
    sprite->SetPosition(x, y);
  return sprite;
}

// ---- Drawing ---------------------------------------------------------------

int32_t TSprite::DrawFrame() const { return AnimCounter > 0 ? frame : ImageFrame; }

const std::shared_ptr<TGameImage>& TSprite::ShownImage() const { return AlternativeImage ? AlternativeImage : image; }

void TSprite::DrawPosition(float& px, float& py) const {
  px = x;
  py = y;
  if (UseOffset) {
    px += offx;
    py += offy;
  }
  if (RoundCoords) {
    px = std::floor(px + 0.5f);
    py = std::floor(py + 0.5f);
  }
}

void TSprite::Draw() {
  DoDraw();
  if (GlowMode > 0) DrawLight(Glow, 1, 1, 1, nullptr);
}

void TSprite::DoDraw() {
  if (!visible) return;
  platform::SetScale(BaseScaleX * ScaleX, BaseScaleY * ScaleY);
  platform::SetRotation(Rotation);
  if (UseAlpha) platform::SetAlpha(Alpha);
  if (Color) ApplyColor(Color);
  if (RoundCoords)
    DrawRounded();
  else
    DrawNormal();
  platform::SetScale(1, 1);
  platform::SetRotation(0);
  platform::SetAlpha(1);
  platform::SetColor(255, 255, 255);
}

void TSprite::DrawNormal() {
  const auto& img = ShownImage();
  if (!img || !img->image) return;
  const int32_t drawFrame = DrawFrame();
  DrawShadow(img, drawFrame, 0);
  float px, py;
  DrawPosition(px, py);
  platform::DrawPicture(*img->image, px, py, drawFrame);
}

// DrawPosition rounds whenever RoundCoords is set, so both paths share it.
void TSprite::DrawRounded() { DrawNormal(); }

void TSprite::DrawShadow(const std::shared_ptr<TGameImage>& shadowImage, int32_t shadowFrame, int32_t scrolled) {
  if (!Shadow || !shadowImage || !shadowImage->image) return;
  int r, g, b;
  platform::GetColor(r, g, b);
  const float oldAlpha = platform::GetAlpha();
  platform::SetColor(0, 0, 0);
  platform::SetAlpha(ShadowAlpha * Alpha);
  float px, py;
  DrawPosition(px, py);
  px += ShadowX;
  py += ShadowY;
  if (scrolled == 1) {
    px -= ScrollX();
    py -= ScrollY();
  }
  platform::DrawPicture(*shadowImage->image, px, py, shadowFrame);
  platform::SetColor(r, g, b);
  platform::SetAlpha(oldAlpha);
}

void TSprite::DrawWithOffset() {
  // The sprite is drawn where the scrolled view shows it; the shadow follows.
  const float oldX = x, oldY = y;
  x -= ScrollX();
  y -= ScrollY();
  DoDraw();
  x = oldX;
  y = oldY;
}

void TSprite::DrawLight(float strength, float r, float g, float b, const std::shared_ptr<TGameImage>& lightImage) {
  if (!visible) return;
  const auto& img = lightImage ? lightImage : ShownImage();
  if (!img || !img->image) return;
  auto channel = [strength](float c) { return int(std::clamp(strength * 255.0f * c, 0.0f, 255.0f)); };
  platform::SetBlend(platform::Blend::Light);
  platform::SetScale(BaseScaleX * ScaleX, BaseScaleY * ScaleY);
  platform::SetRotation(Rotation);
  platform::SetAlpha(UseAlpha ? Alpha : 1.0f);
  platform::SetColor(channel(r), channel(g), channel(b));
  float px, py;
  DrawPosition(px, py);
  platform::DrawPicture(*img->image, px, py, DrawFrame());
  platform::SetBlend(platform::Blend::Alpha);
  platform::SetScale(1, 1);
  platform::SetRotation(0);
  platform::SetAlpha(1);
  platform::SetColor(255, 255, 255);
}
