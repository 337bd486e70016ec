#pragma once
#include <cstdint>
#include <functional>

class TParticle;

// One timed step of a particle's life: while it lasts the particle takes this
// phase's motion, fade, spin, growth and visibility. Built by
// TParticle::AddPhase and filled in by the caller.
class TParticlePhase {
public:
  // Stores the fade-in, full-opacity and fade-out times (milliseconds) applied
  // when the phase starts.
  void SetFade(float inMs, float sustainMs, float outMs);

  float Length = 0; // ticks
  int32_t Hidden = 0;
  float dx = 0, dy = 0;
  int32_t SetCoords = 0;
  float SetX = 0, SetY = 0;
  float ygravity = 0;
  float FadeInMS = 0, FadeSustainMS = 0, FadeMS = 0;
  int32_t DoRotate = 0;
  float RotationSpeed = 0;
  int32_t SetAngle = 0;
  float Angle = 0;
  int32_t DoScale = 0;
  float ScaleSpeed = 0;
  float Scale = 0;    // 0 keeps the particle's scale
  int32_t Alpha = -1; // -1 keeps the particle's alpha
  // Called when the phase's time is up, before the next phase starts.
  std::function<void(TParticle&)> UserFunction;
};
