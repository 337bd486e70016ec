#pragma once
#include <cstdint>
#include <functional>
#include <memory>

// The particle trail of a flying bonus, as the bonus sees it: moved along
// with it, looping while it flies, rendered once per frame, and asked whether
// its first emitter has died out (or was never on). The particle-effect files
// live in the effects layer; BonusEffectFactory builds one from
// "bonusfly.par" and is empty when no effect is available.
class TBonusEffect {
public:
  virtual ~TBonusEffect() = default;
  virtual void MoveTo(float x, float y) = 0;
  virtual void SetLoop(int32_t loop) = 0;
  // One frame of particles: spawn, move and draw by the tick delta.
  virtual void Render(float delta) = 0;
  virtual int32_t FirstEmitterFinished() const = 0;
  virtual int32_t FirstEmitterOff() const = 0;
};

extern std::function<std::shared_ptr<TBonusEffect>()> BonusEffectFactory;
