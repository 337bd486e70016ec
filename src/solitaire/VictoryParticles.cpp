#include "solitaire/VictoryParticles.h"

#include "effects/TParticleList.h"

std::shared_ptr<TParticleList> VictoryParticles;
