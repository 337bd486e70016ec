#pragma once
#include "TripeaksTestWorld.h"
#include "app/InputTables.h"
#include "app/VQMouse.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"

#include <memory>
#include <string>

// A layout game (Tri Peaks, Matching) in the session, driven headless tick
// by tick: clicks at a point, the D key, and waiting until nothing flies.
template <class Mode>
class LayoutPlay : public TripeaksTestWorld {
protected:
  std::shared_ptr<Mode> mode;

  void SetUp() override {
    TripeaksTestWorld::SetUp();
    mode = std::make_shared<Mode>();
    GamePlay->GameMode = mode;
  }
  void TearDown() override {
    mode.reset();
    TripeaksTestWorld::TearDown();
  }
  // Starts a seeded game on a layout file and waits until it can be played.
  void Start(const std::string& layout, uint32_t seed) {
    mode->Random.Seed(seed);
    mode->Init(layout, 0);
    Settle();
  }
  // `count` cards in rows of eight, 80 pixels apart and 110 down: none lies on another.
  std::string SeparateCards(int count) {
    std::string text = "Ostrelle Card Layout\r\n";
    for (int i = 0; i < count; ++i)
      text += std::to_string(60 + 80 * (i % 8)) + "," + std::to_string(60 + 110 * (i / 8)) + ",0.00000000\r\n";
    folder.Write("row.layout", text);
    return folder.File("row.layout");
  }
  void Tick(int ticks = 1) {
    for (int i = 0; i < ticks; ++i) mode->Logic();
  }
  // Runs until the deal is shown, nothing flies and the score has counted out.
  void Settle(int maxTicks = 20000) {
    for (int i = 0; i < maxTicks; ++i) {
      if (mode->DealAnimationFinished && !mode->IsAnyCardMoving() && GamePlay->ScoreAdder == 0) return;
      mode->Logic();
    }
    FAIL() << "the game never came to rest";
  }
  void ClickAt(float x, float y) {
    PointAt(int(x), int(y));
    GameMouse->MBL = 1; // the step of the press
    mode->Logic();
    GameMouse->MBL = 0;
  }
  void Click(const std::shared_ptr<TCard>& card) { ClickAt(card->x, card->y); }
  void PressD() {
    PointAt(0, 0);
    KeyHits[68] = 1;
    mode->Logic();
    KeyHits[68] = 0;
  }
  std::shared_ptr<TCard> LayoutCard(int index) { return mode->Cards->ValueAtIndex(index); }
  void SetRank(const std::shared_ptr<TCard>& card, int rank) {
    card->CardNumber = rank;
    card->UpdateCardImage();
  }
};
