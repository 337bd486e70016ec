#pragma once
#include "solitaire/TBonusEffect.h"

#include <memory>
#include <string>

class TSmashParticleFX;

// A flying bonus's trail as a ten-emitter particle effect ("bonusfly.par").
class TSmashBonusEffect : public TBonusEffect {
public:
  explicit TSmashBonusEffect(std::shared_ptr<TSmashParticleFX> effect) : Effect(std::move(effect)) {}

  // Makes BonusEffectFactory give every bonus a copy of the effect in `path`
  // (read once, from the packs or the disk; a missing file is fatal).
  static void Install(const std::string& path);

  void MoveTo(float x, float y) override;
  void SetLoop(int32_t loop) override;
  void Render(float delta) override;
  int32_t FirstEmitterFinished() const override;
  int32_t FirstEmitterOff() const override;

  std::shared_ptr<TSmashParticleFX> Effect;
};
