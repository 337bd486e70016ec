#include "effects/ParticleEffects.h"

#include "app/Delta.h"
#include "app/TGame.h"
#include "app/TMousePointer.h"
#include "effects/ParticleRandom.h"
#include "effects/TParticleList.h"

namespace {

// The particle setting in percent (0 makes no particles).
int32_t ParticleSetting() { return Game ? Game->Particles : 100; }

// +1 or -1.
int32_t RandomDirection() { return ParticleRandomInt(0, 1) == 1 ? 1 : -1; }

void RandomTint(TParticle& particle) {
  const int32_t r = ParticleRandomInt(100, 255);
  const int32_t g = ParticleRandomInt(100, 255);
  const int32_t b = ParticleRandomInt(100, 255);
  particle.SetColor(r, g, b);
}

} // namespace

void SpawnVictoryBurst(TParticleList& particles, float x, float y, const std::shared_ptr<TGameImage>& picture,
                       int32_t count) {
  const int32_t total = count * ParticleSetting() / 100;
  for (int32_t i = 0; i < total; ++i) {
    const float dx = ParticleRandomFloat(-1.5f, 1.5f);
    const float dy = ParticleRandomFloat(-2.0f, 0.0f);
    const int32_t direction = RandomDirection();
    const float spin = ParticleRandomFloat(0.5f, 3.0f);
    const float scale = ParticleRandomFloat(0.3f, 1.0f);
    auto particle = particles.AddNew(x, y, picture, dx, dy, 0.01f, 1000, 1, direction, spin, scale, 0, 0, 0);
    RandomTint(*particle);
  }
}

void PointerSparkle(TMousePointer& mouse, const std::shared_ptr<TGameImage>& picture) {
  mouse.SparkleCounter -= Delta;
  if (mouse.SparkleCounter > 0) return;
  mouse.SparkleCounter += float(mouse.SparkleLength);
  auto* list = dynamic_cast<TParticleList*>(mouse.ParticleList.get());
  if (!list || ParticleSetting() <= 0) return;
  const float x = float(mouse.x + ParticleRandomInt(1, mouse.w - 20) - 5);
  const float y = float(mouse.y + ParticleRandomInt(1, mouse.h - 25) - 5);
  const float dx = ParticleRandomFloat(-0.05f, 0.05f);
  const int32_t direction = RandomDirection();
  const float spin = ParticleRandomFloat(0.2f, 0.5f);
  const float scale = ParticleRandomFloat(0.2f, 0.5f);
  auto particle = list->AddNew(x, y, picture, dx, 0, 0.0016f, 1000, 1, direction, spin, scale, 0, 0, 0);
  RandomTint(*particle);
  particle->SetFade(200, 300, 1000);
}

void PointerSparkleOn(TMousePointer& mouse, const std::shared_ptr<TGameImage>& picture) {
  if (!dynamic_cast<TParticleList*>(mouse.ParticleList.get())) mouse.ParticleList = std::make_shared<TParticleList>();
  mouse.ParticleFunc = [picture](TMousePointer& pointer) { PointerSparkle(pointer, picture); };
}

void PointerSparkleOff(TMousePointer& mouse) { mouse.ParticleFunc = nullptr; }
