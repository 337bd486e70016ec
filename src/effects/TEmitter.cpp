#include "effects/TEmitter.h"

#include "app/Clock.h"
#include "effects/ParticleRandom.h"
#include "effects/SavedDrawState.h"
#include "platform/Graphics.h"
#include "resources/TGameImage.h"

#include <algorithm>
#include <cmath>

namespace {

// A colour channel for drawing: the integer part, within 0..255.
int Channel(float value) { return int(std::clamp(value, 0.0f, 255.0f)); }

// A particle whose picture cannot reach the 800 x 600 surface (or whose
// values ran off to infinity) is not drawn; neither is a transparent one,
// unless it multiplies (shading ignores alpha).
bool Visible(const TSmashParticle& p, int32_t renderType) {
  if (p.alpha <= 0 && renderType != RENDER_MUL) return false;
  const float reach = std::fabs(p.zoom) * float(TSmashParticle::FrameSize) * 0.75f;
  return p.x > -reach && p.x < 800.0f + reach && p.y > -reach && p.y < 600.0f + reach;
}

} // namespace

void TEmitter::Render(float delta, uint8_t emit) {
  if (RenderType == RENDER_OFF) return;
  const SavedDrawState saved;

  if (Frame == 0) StartTime = AppMillisecs();
  CurrTime = AppMillisecs() - StartTime;
  ++Frame;

  const float frame = float(Frame);
  if (emit && std::fmod(frame, EmissionEachFrame) == 0 && EmitterDelay <= frame &&
      frame <= EmitterDuration + EmitterDelay)
    Spawn();

  if (RenderType == RENDER_ADD)
    platform::SetBlend(platform::Blend::Light);
  else if (RenderType == RENDER_MUL)
    platform::SetBlend(platform::Blend::Shade);
  else
    platform::SetBlend(platform::Blend::Alpha);

  const auto& sheet = TSmashParticle::Sheet();
  platform::Picture* picture = sheet && sheet->image ? sheet->image.get() : nullptr;
  // Walk and compact in one pass: expired particles are dropped in place, in order.
  size_t kept = 0;
  for (size_t i = 0; i < Particles.size(); ++i) {
    TSmashParticle p = Particles[i];
    p.zoom = std::min(std::max(p.zoom, MinSize), MaxSize);
    p.x += p.dx * delta;
    p.y += p.dy * delta;
    p.dx += GravityX * delta;
    p.dy += GravityY * delta;
    if (picture && Visible(p, RenderType)) {
      platform::SetAlpha(std::min(p.alpha, 1.0f));
      platform::SetScale(p.zoom, p.zoom);
      platform::SetColor(Channel(p.r), Channel(p.g), Channel(p.b));
      platform::SetRotation(p.rotation);
      platform::DrawPicture(*picture, p.x, p.y, Image);
    }
    p.r += ColorChangeR * delta;
    p.g += ColorChangeG * delta;
    p.b += ColorChangeB * delta;
    p.alpha += AlphaChange * delta;
    p.rotation += p.rotation_speed * delta;
    p.zoom += Grow * delta;
    ++p.frame;
    if (float(p.frame) > LifeTime) continue;
    Particles[kept++] = p;
  }
  Particles.resize(kept);

  saved.Restore();
}

void TEmitter::Spawn() {
  // EmissionRate + 1 particles: one for each whole number from 0 to its integer part.
  const float whole = std::trunc(std::min(EmissionRate, MaxEmissionRate));
  if (!(whole >= 0)) return;
  const size_t count = std::min(size_t(whole) + 1, MaxLiveParticles - std::min(MaxLiveParticles, Particles.size()));
  for (size_t i = 0; i < count; ++i) {
    const float rotationSpeed = RotationSpeed + ParticleRandomFloat(-RotationVar, RotationVar);
    const float alpha = Alpha + ParticleRandomFloat(-AlphaVar, AlphaVar);
    const float dy = SpeedY + ParticleRandomFloat(-SpeedVarY, SpeedVarY);
    const float dx = SpeedX + ParticleRandomFloat(-SpeedVarX, SpeedVarX);
    const float zoom = LaunchSize + ParticleRandomFloat(-SizeVar, SizeVar);
    const float y = Y + StartOffsetY + ParticleRandomFloat(-StartOffsetVarY, StartOffsetVarY);
    const float x = X + StartOffsetX + ParticleRandomFloat(-StartOffsetVarX, StartOffsetVarX);
    Particles.push_back(TSmashParticle::Create(x, y, zoom, dx, dy, alpha, ColorR, ColorG, ColorB, rotationSpeed,
                                               GravityX, GravityY, RotationStart));
  }
}

void TEmitter::Loop() {
  if (float(Frame) > EmitterDuration + EmitterDelay) Frame = 0;
}

uint8_t TEmitter::Finished() const { return float(Frame) > EmitterDuration + EmitterDelay + LifeTime ? 1 : 0; }

void TEmitter::Reset() { Particles.clear(); }

void TEmitter::Sanitize() {
  const float values[] = {EmitterDelay,    EmitterDuration, EmissionRate,    EmissionEachFrame, SpeedX,
                          SpeedY,          SpeedVarX,       SpeedVarY,       SizeVar,           LaunchSize,
                          Grow,            MinSize,         MaxSize,         Alpha,             AlphaVar,
                          AlphaChange,     RotationSpeed,   RotationVar,     RotationStart,     StartOffsetX,
                          StartOffsetY,    StartOffsetVarX, StartOffsetVarY, ColorChangeR,      ColorChangeG,
                          ColorChangeB,    LifeTime,        ColorR,          ColorG,            ColorB,
                          GravityX,        GravityY};
  bool finite = true;
  for (float value : values) finite = finite && std::isfinite(value);
  if (!finite || Image < 0 || Image >= TSmashParticle::SheetFrames || RenderType < RENDER_ALPHA ||
      RenderType > RENDER_OFF)
    RenderType = RENDER_OFF;
  EmissionRate = std::min(EmissionRate, MaxEmissionRate);
}
