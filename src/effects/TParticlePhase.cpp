#include "effects/TParticlePhase.h"

void TParticlePhase::SetFade(float inMs, float sustainMs, float outMs) {
  FadeInMS = inMs;
  FadeSustainMS = sustainMs;
  FadeMS = outMs;
}
