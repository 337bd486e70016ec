#pragma once
#include "effects/TParticleGenerator.h"

#include <memory>
#include <vector>

// The running particle generators of an owner. A generator leaves the list
// once it has made its last call. Generators added by a making function
// during Manage run from the next tick.
class TParticleGeneratorList {
public:
  // A generator making its first call at once; it joins the list only when
  // more calls remain (qty of 2 or more).
  std::shared_ptr<TParticleGenerator> Add(float x, float y, int32_t qty, float intervalMs,
                                          TParticleGenerator::MakeFunction makeFunction);
  void Manage();
  int32_t Count() const;
  void Clear();

  std::vector<std::shared_ptr<TParticleGenerator>> Items;
};
