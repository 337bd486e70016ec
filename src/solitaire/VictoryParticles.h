#pragma once
#include <memory>

class TParticleList;

// The session's fireworks: a new list is made when a level is won or a long
// bonus streak is celebrated (SpawnVictoryBurst fills it); null when none.
extern std::shared_ptr<TParticleList> VictoryParticles;
