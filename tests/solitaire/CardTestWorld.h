#pragma once
#include "app/VQMouse.h"
#include "resources/TImageBank.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "support/GameWorld.h"
#include "support/TestPaths.h"

#include <memory>

// The game world with the generated card pictures loaded, and a shorthand
// for face-down cards.
class CardTestWorld : public test_support::GameWorld {
protected:
  void SetUp() override {
    GameWorld::SetUp();
    LoadCardPictures();
  }
  std::shared_ptr<TGameImage> Back() const { return Images->Find("cardback1"); }
  // A face-down card of `list` at (x, y) turned by `angle`.
  std::shared_ptr<TCard> Put(TCardList& list, float x, float y, float angle = 0) {
    return list.AddNew(x, y, Back(), 1, 1, 0, angle);
  }
  // Moves the pointer and lets the card games' mouse see it, as a logic tick does.
  void PointAt(int x, int y) {
    GameWorld::PointAt(x, y);
    GameMouse->UpdateMouseClicks();
  }
};
