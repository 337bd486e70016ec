#include "effects/TParticleList.h"

#include "effects/ParticleTicks.h"
#include "platform/Collision.h"
#include "resources/TGameImage.h"

#include <algorithm>
#include <cmath>

TParticleList::~TParticleList() {
  for (auto* list : {&items_, &pending_})
    for (auto& particle : *list)
      if (particle->Particles == this) particle->Particles = nullptr;
}

std::shared_ptr<TParticle> TParticleList::Fresh() {
  if (free_.empty()) return std::make_shared<TParticle>();
  auto particle = std::move(free_.back());
  free_.pop_back();
  particle->Reset();
  return particle;
}

std::shared_ptr<TParticle> TParticleList::AddNew(float x, float y, const std::shared_ptr<TGameImage>& image, float dx,
                                                 float dy, float ygravity, float fadeMs, int32_t lightBlend,
                                                 int32_t rotate, float rotationSpeed, float scale, float scaleSpeed,
                                                 float lifeMs, int32_t atFront) {
  auto particle = Fresh();
  particle->Setup(image, x, y, dx, dy, ygravity, fadeMs, lightBlend, rotate, rotationSpeed, scale, scaleSpeed,
                  lifeMs);
  Add(particle, atFront);
  return particle;
}

void TParticleList::Add(const std::shared_ptr<TParticle>& particle, int32_t atFront) {
  if (!particle || particle->Particles == this) return;
  if (particle->Particles) {
    TParticleList* old = particle->Particles;
    particle->Particles = nullptr;
    old->Removed(*particle);
  }
  // Killed during this walk and added back: its old place is still there.
  if (walking_ > 0 && dead_ > 0) {
    for (auto& entry : items_) {
      if (entry != particle) continue;
      particle->Particles = this;
      --dead_;
      return;
    }
  }
  particle->Particles = this;
  if (walking_ > 0) {
    pending_.push_back(particle);
    pendingFront_.push_back(atFront == 1 ? 1 : 0);
  } else if (atFront == 1) {
    items_.insert(items_.begin(), particle);
  } else {
    items_.push_back(particle);
  }
}

void TParticleList::Removed(TParticle& particle) {
  // A particle added during this walk is still pending: take it out there.
  for (size_t i = 0; i < pending_.size(); ++i) {
    if (pending_[i].get() != &particle) continue;
    pending_.erase(pending_.begin() + std::ptrdiff_t(i));
    pendingFront_.erase(pendingFront_.begin() + std::ptrdiff_t(i));
    return;
  }
  ++dead_;
  if (walking_ == 0) Sweep();
}

void TParticleList::EndWalk() {
  if (--walking_ == 0 && (dead_ > 0 || !pending_.empty())) Sweep();
}

void TParticleList::Sweep() {
  if (dead_ > 0) {
    size_t kept = 0;
    for (size_t i = 0; i < items_.size(); ++i) {
      auto& particle = items_[i];
      if (particle->Particles == this) {
        if (kept != i) items_[kept] = std::move(particle);
        ++kept;
      } else if (particle.use_count() == 1) {
        free_.push_back(std::move(particle));
      }
    }
    items_.resize(kept);
    dead_ = 0;
  }
  for (size_t i = 0; i < pending_.size(); ++i) {
    if (pendingFront_[i])
      items_.insert(items_.begin(), std::move(pending_[i]));
    else
      items_.push_back(std::move(pending_[i]));
  }
  pending_.clear();
  pendingFront_.clear();
}

void TParticleList::Manage() {
  ForEach([](TParticle& particle) {
    particle.MoveParticle();
    if (particle.Killed() || particle.DelayCounter != 0) return;
    if (particle.ManageAnim() && particle.KillAfterAnim) particle.Kill();
  });
}

void TParticleList::Move() {
  ForEach([](TParticle& particle) { particle.MoveParticle(); });
}

void TParticleList::Animate() {
  ForEach([](TParticle& particle) {
    if (particle.DelayCounter == 0) particle.ManageAnim();
  });
}

void TParticleList::Draw() {
  ForEach([](TParticle& particle) { particle.Draw(); });
}

void TParticleList::Clear() {
  // Dropped, not killed: no callbacks; what they hold is let go at once.
  auto drop = [](TParticle& particle) {
    particle.Particles = nullptr;
    particle.active = 0;
    particle.ParticleGenerator.reset();
    particle.AttachedParticle.reset();
    particle.DataObject.reset();
  };
  for (auto& particle : items_) {
    if (particle->Particles != this) continue;
    drop(*particle);
    ++dead_;
  }
  for (auto& particle : pending_) drop(*particle);
  pending_.clear();
  pendingFront_.clear();
  if (walking_ == 0) Sweep();
}

void TParticleList::FadeAll(float ms) {
  ForEach([ms](TParticle& particle) {
    particle.FadeLength = particle.FadeCounter = ParticleTicks(ms);
    particle.UseAlpha = 1;
  });
}

void TParticleList::SetUseAlpha(int32_t flag) {
  ForEach([flag](TParticle& particle) { particle.UseAlpha = flag; });
}

void TParticleList::SetBaseScale(float sx, float sy) {
  ForEach([sx, sy](TParticle& particle) {
    particle.BaseScaleX = sx;
    particle.BaseScaleY = sy;
  });
}

void TParticleList::EnableUpdateOriginalCoords() {
  ForEach([](TParticle& particle) {
    if (particle.UpdateOriginalCoords) return;
    particle.StoreOriginalCoords();
    particle.UpdateOriginalCoords = 1;
  });
}

void TParticleList::ScaleCoords() {
  ForEach([](TParticle& particle) { particle.ScaleOriginalCoords(); });
}

void TParticleList::AddOffsets(float ox, float oy) {
  ForEach([ox, oy](TParticle& particle) {
    particle.x += ox;
    particle.y += oy;
  });
}

void TParticleList::ProcessScale(float sx, float sy, float ox, float oy) {
  ForEach([sx, sy, ox, oy](TParticle& particle) {
    particle.BaseScaleX = sx;
    particle.BaseScaleY = sy;
    particle.x = particle.ox * sx + ox;
    particle.y = particle.oy * sy + oy;
  });
}

void TParticleList::Collide() {
  ForEach([](TParticle& particle) {
    if (!particle.image || !particle.image->image) return;
    platform::CollisionTransform at;
    at.x = std::round(particle.x);
    at.y = std::round(particle.y);
    platform::CollidePicture(*particle.image->image, 0, at, 0, 1, &particle);
  });
}
