#pragma once
#include "ui/TSprite.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TParticleList;
class TParticleGenerator;
class TParticlePhase;

// A short-lived sprite: a lifetime, a fade-in / sustain / fade-out envelope,
// optional spin and growth, an optional start delay, optional timed phases
// that change its motion, and callbacks. Times are given in milliseconds and
// kept in logic ticks. Particles normally live in a TParticleList, which moves
// and draws them and reuses the storage of killed ones.
class TParticle : public TSprite {
public:
  using Callback = std::function<void(TParticle&)>;

  // A new particle set up as Setup describes.
  static std::shared_ptr<TParticle> CreateSpecial(const std::shared_ptr<TGameImage>& image, float x, float y, float dx,
                                                  float dy, float ygravity, float fadeMs, int32_t lightBlend,
                                                  int32_t rotate, float rotationSpeed, float scale, float scaleSpeed,
                                                  float lifeMs);
  // Picture, position, velocity, gravity, an immediate fade-out of fadeMs
  // (none for 0), additive blending, spin direction and speed, scale and
  // growth per tick (none for 0), lifetime (none for 0); the particle is active.
  void Setup(const std::shared_ptr<TGameImage>& image, float x, float y, float dx, float dy, float ygravity,
             float fadeMs, int32_t lightBlend, int32_t rotate, float rotationSpeed, float scale, float scaleSpeed,
             float lifeMs);
  // Back to a newly constructed particle, keeping storage for reuse.
  void Reset();

  // Envelope and delay, in milliseconds.
  void SetDelay(float ms);
  void SetFade(float inMs, float sustainMs, float outMs);
  // Tint; the colour object is kept across reuse.
  void SetColor(int32_t r, int32_t g, int32_t b);

  // Phases: AddPhase appends one for the caller to fill; StartPhases applies
  // the first; ManagePhases answers 0 (running), 1 (next phase) or -1 (done).
  std::shared_ptr<TParticlePhase> AddPhase(float lengthMs);
  void StartPhases();
  void ApplyPhase(const std::shared_ptr<TParticlePhase>& phase);
  int32_t ManagePhases();
  void KillPhases();

  // One tick: delay, phases, movement, destination, bounds, fade, spin,
  // growth, life, carried generator. 0 when the particle died this tick.
  int32_t MoveParticle();
  void Move() override;
  void Draw() override;
  // Ends the particle: UserKill, leaves its list, drops what it holds.
  void Kill() override;
  // True once killed (until reused).
  bool Killed() const { return killed_; }

  TParticleList* Particles = nullptr; // the list holding it (not owned; null when free)
  int32_t Hidden = 0;
  float LifeCounter = 0;
  float FadeIn = 0;
  float FadeSustainCounter = 0;
  float FadeCounter = 0;
  float FadeInLength = 0, FadeLength = 0;
  int32_t DoLightBlend = 0;
  int32_t DoRotate = 0;
  int32_t DoScale = 0;
  int32_t Data1 = 0, Data2 = 0, Data3 = 0;
  std::shared_ptr<void> DataObject;
  float FloatData1 = 0;
  std::vector<std::shared_ptr<TParticlePhase>> PhaseList; // empty: no phases
  std::shared_ptr<TParticlePhase> CurrentPhase;
  float PhaseCounter = 0;
  int32_t NoOutOfBounds = 0;
  int32_t KillOnFade = 1;
  int32_t KillAfterAnim = 0;
  float DelayCounter = 0;
  Callback DelayFinished;
  int32_t UpdateOriginalCoords = 0;
  Callback UserMove;
  Callback DestinationReached;
  int32_t DestX = 0, DestY = 0;
  Callback UserKill;
  std::shared_ptr<TParticleGenerator> ParticleGenerator;
  std::shared_ptr<TParticle> AttachedParticle;
  int32_t KillAttachedParticle = 1;

private:
  size_t phaseIndex_ = 0;
  bool killed_ = false;
  std::shared_ptr<TColor> spareColor_; // colour object of an earlier life
};
