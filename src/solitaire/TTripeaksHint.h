#pragma once
#include "solitaire/TCardPairHint.h"

// One Tri Peaks hint: the card to play on (the open stock card or a
// face-down stock card) and the layout card to play.
class TTripeaksHint : public TCardPairHint {};
