#include "solitaire/TSolitaireHint.h"

#include "solitaire/TCard.h"

void TSolitaireHint::SetHint(const std::shared_ptr<TCard>& first, const std::shared_ptr<TCard>& second) {
  FirstCard = first;
  SecondCard = second;
}
