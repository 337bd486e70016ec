#include "player/TSolitaireHighScore.h"
