#include "solitaire/TFlyingBonus.h"

#include "app/Delta.h"
#include "app/TGame.h"
#include "solitaire/TBezier.h"
#include "solitaire/TBonusEffect.h"

std::function<std::shared_ptr<TBonusEffect>()> BonusEffectFactory;

void TFlyingBonus::Start(int32_t x, int32_t y, int32_t controlX, int32_t controlY, int32_t endX, int32_t endY,
                         float speed, int32_t points) {
  done = 0;
  Points = points;
  X = x, Y = y;
  TicksSinceArrival = 0;
  Bezier = TBezier::Create();
  Bezier->Init(X, Y, controlX, controlY, controlX, controlY, endX, endY, speed, 0, 0, 0);
  Particle = BonusEffectFactory ? BonusEffectFactory() : nullptr;
  if (Particle) {
    Particle->MoveTo(float(X), float(Y));
    Particle->SetLoop(1);
  }
}

int32_t TFlyingBonus::Manage() {
  if (!Bezier) return 0;
  float px = 0, py = 0;
  Bezier->MovePoint(px, py);
  if (Bezier->t >= 1) px = Bezier->dx, py = Bezier->dy;
  X = int32_t(px), Y = int32_t(py);
  if (Particle) Particle->MoveTo(float(X), float(Y));
  if (Bezier->t < 1) return 0;
  if (done) {
    TicksSinceArrival += Delta;
    return 0;
  }
  done = 1;
  if (Particle) Particle->SetLoop(0); // the trail dies out
  return 1;
}

int32_t TFlyingBonus::MayLeave() const {
  if (!done) return 0;
  if (!Particle || Particle->FirstEmitterOff() || Particle->FirstEmitterFinished()) return 1;
  const float linger = Game ? Game->CalcAnimLength(MaxLingerMs) : MaxLingerMs / 5;
  return TicksSinceArrival >= linger ? 1 : 0;
}

void TFlyingBonus::Draw(float delta) {
  if (Particle) Particle->Render(delta);
}
