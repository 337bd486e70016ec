#include "effects/TParticleGeneratorList.h"

#include <algorithm>

std::shared_ptr<TParticleGenerator> TParticleGeneratorList::Add(float x, float y, int32_t qty, float intervalMs,
                                                                TParticleGenerator::MakeFunction makeFunction) {
  auto generator = TParticleGenerator::Create(x, y, qty, intervalMs, std::move(makeFunction), 0, 0, 1);
  if (generator->Qty > 0) Items.push_back(generator);
  return generator;
}

void TParticleGeneratorList::Manage() {
  // By index over the generators present at the start: a making function may
  // add generators (appended, so this walk does not reach them) or clear the list.
  const size_t n = Items.size();
  bool finished = false;
  for (size_t i = 0; i < n && i < Items.size(); ++i) {
    auto generator = Items[i];
    if (generator && generator->Manage() == 1) {
      Items[i].reset();
      finished = true;
    }
  }
  if (finished) Items.erase(std::remove(Items.begin(), Items.end(), nullptr), Items.end());
}

int32_t TParticleGeneratorList::Count() const { return int32_t(Items.size()); }

void TParticleGeneratorList::Clear() { Items.clear(); }
