#pragma once
#include "solitaire/TCardPairHint.h"

// One Matching hint: two cards of the same number, the first an open stock
// card, a layout card or any stock card, the second a layout card or the
// second open stock card.
class TMatchingHint : public TCardPairHint {};
