#include "solitaire/CardFlight.h"

#include "solitaire/TBezier.h"
#include "solitaire/TCard.h"

void StartCardFlight(TCard& card, int32_t fromX, int32_t fromY, int32_t toX, int32_t toY, float speed,
                     int32_t animationType) {
  card.IsMoving = 1;
  card.AnimationType = animationType;
  card.Bezier = TBezier::Create();
  card.Bezier->Init(fromX, fromY, fromX, fromY, fromX, fromY, toX, toY, speed, 0, 0, 0);
}

int32_t StepCardFlight(TCard& card, float& t) {
  t = 1;
  if (card.Bezier) {
    float px = 0, py = 0;
    card.Bezier->MovePoint(px, py);
    card.x = px, card.y = py;
    t = card.Bezier->t;
    if (t < 1) return 0;
    card.x = card.Bezier->dx, card.y = card.Bezier->dy;
  }
  card.IsMoving = 0;
  card.Bezier.reset();
  return 1;
}
