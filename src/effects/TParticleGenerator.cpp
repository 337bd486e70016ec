#include "effects/TParticleGenerator.h"

#include "app/Delta.h"
#include "effects/ParticleTicks.h"

std::shared_ptr<TParticleGenerator> TParticleGenerator::Create(float x, float y, int32_t qty, float intervalMs,
                                                               MakeFunction makeFunction, int32_t data1,
                                                               int32_t data2, int32_t callNow) {
  auto generator = std::make_shared<TParticleGenerator>();
  generator->x = x;
  generator->y = y;
  generator->Qty = qty - 1;
  generator->Interval = generator->IntervalCounter = ParticleTicks(intervalMs);
  generator->MakeParticleFunction = std::move(makeFunction);
  generator->Data1 = data1;
  generator->Data2 = data2;
  if (callNow && generator->MakeParticleFunction) generator->MakeParticleFunction(*generator);
  return generator;
}

int32_t TParticleGenerator::Manage() {
  if (!Active) return -1;
  x += dx * Delta;
  y += dy * Delta;
  if (IntervalCounter <= 0) return 0;
  IntervalCounter -= Delta;
  while (IntervalCounter <= 0) {
    IntervalCounter += Interval;
    --Qty;
    if (MakeParticleFunction) MakeParticleFunction(*this);
    if (Qty == 0) {
      Active = 0;
      return 1;
    }
  }
  return 0;
}
