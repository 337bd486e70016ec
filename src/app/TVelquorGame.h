#pragma once
#include "app/TGame.h"

// The product's application object. Its logic tick differs from the base in
// two points: during the first five seconds after start-up the logic (and so
// the loading) runs even while paused or in the background, and the product's
// click and drag detection (GameMouse) is updated between the screen change
// and the screen's logic.
class TVelquorGame : public TGame {
public:
  int LogicWrapper() override;
};
