#pragma once
#include "app/TMousePointer.h"
#include "effects/TParticle.h"

#include <cstdint>
#include <memory>
#include <vector>

class TGameImage;

// An ordered list of particles, moved and drawn once per tick by its owner
// (also the pointer's sparkle list). The list owns its particles.
//
// Walking is safe against change: a particle killed during a walk stays in
// place, skipped, until the walk ends; particles added during a walk join at
// its end and take part from the next walk. The storage of killed particles
// that nobody else holds is reused by AddNew, so a warm list allocates
// nothing per particle.
class TParticleList : public TMouseParticles {
public:
  TParticleList() = default;
  // Particles still held elsewhere forget the list that goes.
  ~TParticleList() override;
  TParticleList(const TParticleList&) = delete;
  TParticleList& operator=(const TParticleList&) = delete;

  // A particle set up as TParticle::Setup describes, at the front or the back.
  std::shared_ptr<TParticle> AddNew(float x, float y, const std::shared_ptr<TGameImage>& image, float dx, float dy,
                                    float ygravity, float fadeMs, int32_t lightBlend, int32_t rotate,
                                    float rotationSpeed, float scale, float scaleSpeed, float lifeMs,
                                    int32_t atFront);
  // Adds a particle made elsewhere (it leaves any list it was in).
  void Add(const std::shared_ptr<TParticle>& particle, int32_t atFront = 0);

  // Per tick: move each particle, then animate it once its delay is over
  // (killing it at the end of its animation with KillAfterAnim).
  void Manage() override;
  void Move();
  void Animate();
  void Draw() override;
  // Drops every particle at once, without callbacks.
  void Clear() override;

  // Settings applied to every particle.
  void FadeAll(float ms);
  void SetUseAlpha(int32_t flag);
  void SetBaseScale(float sx, float sy);
  void EnableUpdateOriginalCoords();
  void ScaleCoords();
  void AddOffsets(float ox, float oy);
  void ProcessScale(float sx, float sy, float ox, float oy);
  // Writes every particle's frame 0 at its rounded position into collision
  // layer 1, the particle as the hit object (pointer hit tests).
  void Collide();

  // Live particles, those added during a running walk included.
  int32_t Count() const { return int32_t(items_.size() - dead_ + pending_.size()); }
  // Calls fn(TParticle&) for every live particle in order, safely.
  template <class Fn> void ForEach(Fn&& fn) {
    BeginWalk();
    const size_t n = items_.size();
    for (size_t i = 0; i < n; ++i) {
      TParticle& particle = *items_[i];
      if (particle.Particles == this) fn(particle);
    }
    EndWalk();
  }

  // Called by TParticle::Kill when a particle leaves this list.
  void Removed(TParticle& particle);

private:
  void BeginWalk() { ++walking_; }
  void EndWalk();
  // Takes out the killed particles and appends those added meanwhile.
  void Sweep();
  std::shared_ptr<TParticle> Fresh();

  std::vector<std::shared_ptr<TParticle>> items_;   // in drawing order; killed ones until swept
  std::vector<std::shared_ptr<TParticle>> pending_; // added during a walk
  std::vector<uint8_t> pendingFront_;               // 1: pending_[i] goes to the front
  std::vector<std::shared_ptr<TParticle>> free_;    // killed, held by nobody else: reused
  size_t dead_ = 0;
  int walking_ = 0;
};
