#include "effects/TParticle.h"

#include "app/Delta.h"
#include "effects/ParticleTicks.h"
#include "effects/TParticleGenerator.h"
#include "effects/TParticleList.h"
#include "effects/TParticlePhase.h"
#include "platform/Graphics.h"
#include "ui/TColor.h"

namespace {

// A particle as constructed, copied over a reused one (copying allocates
// nothing: its containers and callbacks are empty).
const TParticle& Pristine() {
  static const TParticle pristine;
  return pristine;
}

} // namespace

std::shared_ptr<TParticle> TParticle::CreateSpecial(const std::shared_ptr<TGameImage>& image, float x, float y,
                                                    float dx, float dy, float ygravity, float fadeMs,
                                                    int32_t lightBlend, int32_t rotate, float rotationSpeed,
                                                    float scale, float scaleSpeed, float lifeMs) {
  auto particle = std::make_shared<TParticle>();
  particle->Setup(image, x, y, dx, dy, ygravity, fadeMs, lightBlend, rotate, rotationSpeed, scale, scaleSpeed,
                  lifeMs);
  return particle;
}

void TParticle::Setup(const std::shared_ptr<TGameImage>& newImage, float newX, float newY, float newDx, float newDy,
                      float gravity, float fadeMs, int32_t lightBlend, int32_t rotate, float rotationSpeed,
                      float scale, float scaleSpeed, float lifeMs) {
  SetImage(newImage);
  x = newX;
  y = newY;
  dx = newDx;
  dy = newDy;
  if (lifeMs > 0) LifeCounter = ParticleTicks(lifeMs);
  FadeLength = FadeCounter = ParticleTicks(float(int32_t(fadeMs)));
  if (FadeLength > 0) UseAlpha = 1;
  DoLightBlend = lightBlend;
  ygravity = gravity;
  DoRotate = rotate;
  RotationSpeed = rotationSpeed;
  ScaleX = ScaleY = scale;
  if (scaleSpeed != 0) {
    ScaleXSpeed = ScaleYSpeed = scaleSpeed;
    DoScale = 1;
  }
  active = 1;
}

void TParticle::Reset() {
  auto glow = std::move(GlowCounter);
  auto colour = Color ? std::move(Color) : std::move(spareColor_);
  *this = Pristine();
  if (glow && Pristine().GlowCounter) *glow = *Pristine().GlowCounter;
  GlowCounter = std::move(glow);
  spareColor_ = std::move(colour);
}

void TParticle::SetDelay(float ms) { DelayCounter = ParticleTicks(ms); }

void TParticle::SetFade(float inMs, float sustainMs, float outMs) {
  FadeInLength = ParticleTicks(inMs);
  FadeSustainCounter = ParticleTicks(sustainMs);
  FadeLength = ParticleTicks(outMs);
  UseAlpha = 1;
  if (inMs > 0) {
    FadeIn = 1;
    Alpha = 0;
    FadeCounter = 0;
  } else {
    // The fade-out starts from full opacity and lasts the length just given.
    FadeIn = 0;
    FadeCounter = FadeLength;
  }
}

void TParticle::SetColor(int32_t r, int32_t g, int32_t b) {
  if (!Color) Color = spareColor_ ? std::move(spareColor_) : std::make_shared<TColor>();
  Color->Set(r, g, b);
}

// ---- Phases ----------------------------------------------------------------

std::shared_ptr<TParticlePhase> TParticle::AddPhase(float lengthMs) {
  auto phase = std::make_shared<TParticlePhase>();
  phase->Length = ParticleTicks(lengthMs);
  PhaseList.push_back(phase);
  return phase;
}

void TParticle::StartPhases() {
  if (PhaseList.empty()) return;
  phaseIndex_ = 0;
  ApplyPhase(PhaseList.front());
}

void TParticle::ApplyPhase(const std::shared_ptr<TParticlePhase>& phase) {
  PhaseCounter = 0;
  CurrentPhase = phase;
  if (!phase) return;
  for (size_t i = 0; i < PhaseList.size(); ++i)
    if (PhaseList[i] == phase) phaseIndex_ = i;
  Hidden = phase->Hidden;
  dx = phase->dx;
  dy = phase->dy;
  if (phase->SetCoords == 1) {
    x = phase->SetX;
    y = phase->SetY;
  }
  ygravity = phase->ygravity;
  SetFade(float(int32_t(phase->FadeInMS)), float(int32_t(phase->FadeSustainMS)), float(int32_t(phase->FadeMS)));
  DoRotate = phase->DoRotate;
  RotationSpeed = phase->RotationSpeed;
  DoScale = phase->DoScale;
  ScaleXSpeed = ScaleYSpeed = phase->ScaleSpeed;
  if (phase->Scale != 0) ScaleX = ScaleY = phase->Scale;
  if (phase->Alpha != -1) Alpha = float(phase->Alpha);
  if (phase->SetAngle) Rotation = phase->Angle;
}

int32_t TParticle::ManagePhases() {
  if (!CurrentPhase) return 0; // phases added but not started yet
  PhaseCounter += Delta;
  if (PhaseCounter < CurrentPhase->Length) return 0;
  // The callback may change the phases; hold the phase it belongs to.
  auto phase = CurrentPhase;
  if (phase->UserFunction) phase->UserFunction(*this);
  if (killed_ || phaseIndex_ + 1 >= PhaseList.size()) return -1;
  ApplyPhase(PhaseList[phaseIndex_ + 1]);
  return 1;
}

void TParticle::KillPhases() {
  PhaseList.clear();
  CurrentPhase.reset();
  phaseIndex_ = 0;
}

// ---- Per tick --------------------------------------------------------------

void TParticle::Move() { MoveParticle(); }

int32_t TParticle::MoveParticle() {
  if (killed_) return 0;
  // Waiting: neither moved, animated nor drawn.
  if (DelayCounter > 0) {
    DelayCounter -= Delta;
    if (DelayCounter > 0) {
      Hidden = 1;
      return 1;
    }
    DelayCounter = 0;
    Hidden = 0;
    if (!PhaseList.empty()) StartPhases();
    if (DelayFinished) DelayFinished(*this);
    if (killed_) return 0;
  }

  if (!PhaseList.empty() && ManagePhases() == -1) {
    Kill();
    return 0;
  }
  if (killed_) return 0;

  if (UserMove)
    UserMove(*this);
  else if (UpdateOriginalCoords)
    MoveOriginalCoords();
  else
    TSprite::Move();
  if (killed_) return 0;

  if (DestinationReached) {
    const bool xReached = (dx <= 0 && x <= float(DestX)) || (dx > 0 && x >= float(DestX));
    const bool yReached = (dy <= 0 && y <= float(DestY)) || (dy > 0 && y >= float(DestY));
    if (xReached && yReached) {
      DestinationReached(*this);
      if (killed_) return 0;
    }
  }

  if (!NoOutOfBounds && OutOfBounds()) {
    Kill();
    return 0;
  }

  if (FadeIn != 0) {
    FadeCounter += Delta;
    if (FadeCounter >= FadeInLength) {
      FadeCounter = FadeLength;
      FadeIn = 0;
      Alpha = 1.0f;
    }
  } else if (FadeSustainCounter > 0) {
    FadeSustainCounter -= Delta;
    if (FadeSustainCounter <= 0) FadeCounter = FadeLength;
  } else if (FadeCounter > 0) {
    FadeCounter -= Delta;
    if (FadeCounter <= 0) {
      Alpha = 0;
      if (KillOnFade) {
        Kill();
        return 0;
      }
    }
  }

  if (DoRotate == 1) {
    Rotation += RotationSpeed * Delta;
    if (Rotation >= 360.0f) Rotation -= 360.0f;
  } else if (DoRotate == -1) {
    Rotation -= RotationSpeed * Delta;
    if (Rotation < 0) Rotation += 360.0f;
  }

  if (DoScale == 1) {
    ScaleX += ScaleXSpeed * Delta;
    ScaleY += ScaleYSpeed * Delta;
    if (ScaleX <= 0 || ScaleY <= 0) {
      Kill();
      return 0;
    }
  }

  if (LifeCounter > 0) {
    LifeCounter -= Delta;
    if (LifeCounter <= 0) {
      Kill();
      return 0;
    }
  }

  if (ParticleGenerator) ParticleGenerator->Manage();
  return killed_ ? 0 : 1;
}

void TParticle::Draw() {
  if (!active || Hidden == 1) return;
  if (FadeCounter > 0) {
    const float length = FadeIn != 0 ? FadeInLength : FadeLength;
    Alpha = length > 0 ? FadeCounter / length : 1.0f;
  }
  if (!DoLightBlend) {
    TSprite::Draw();
    return;
  }
  const platform::Blend previous = platform::GetBlend();
  platform::SetBlend(platform::Blend::Light);
  TSprite::Draw();
  platform::SetBlend(previous);
}

void TParticle::Kill() {
  if (killed_) return; // an attached pair, or a callback killing again
  killed_ = true;
  TSprite::Kill();
  if (UserKill) UserKill(*this);
  active = 0;
  if (Particles) {
    TParticleList* list = Particles;
    Particles = nullptr;
    list->Removed(*this);
  }
  ParticleGenerator.reset();
  if (AttachedParticle) {
    auto attached = std::move(AttachedParticle);
    if (KillAttachedParticle == 1) attached->Kill();
  }
  DataObject.reset();
}
