#include "solitaire/TSmashBonusEffect.h"

#include "effects/TSmashParticleFX.h"

void TSmashBonusEffect::Install(const std::string& path) {
  auto model = TSmashParticleFX::Load(path, 1);
  BonusEffectFactory = [model] {
    return std::make_shared<TSmashBonusEffect>(TSmashParticleFX::DuplicateFrom(*model));
  };
}

void TSmashBonusEffect::MoveTo(float x, float y) { Effect->MoveTo(x, y); }
void TSmashBonusEffect::SetLoop(int32_t loop) { Effect->SetLoop(loop ? 1 : 0); }
void TSmashBonusEffect::Render(float delta) { Effect->Render(delta, 1); }
int32_t TSmashBonusEffect::FirstEmitterFinished() const { return Effect->Emitter[0].Finished() ? 1 : 0; }
int32_t TSmashBonusEffect::FirstEmitterOff() const { return Effect->Emitter[0].RenderType == RENDER_OFF ? 1 : 0; }
