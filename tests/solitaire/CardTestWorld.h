#pragma once
#include "app/Delta.h"
#include "app/TGame.h"
#include "resources/TImageBank.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// The card pictures made by the asset generator, loaded once per test binary
// into the main bank and the four suit banks, and a fresh application object
// (for the pointer and the tick length) for every test.
inline void EnsureCardBanks() {
  if (Images && Images->Map.count("CARDBACK1")) return;
  const std::string folder = test_support::DataPath("data/graphics/");
  Images = std::make_shared<TImageBank>();
  Images->SetPath(folder);
  for (const char* name : {"cardback1", "cardback2", "cardback3", "cardback4", "cardback5", "cardback6", "cardempty",
                           "cardfoundationempty", "cardstockempty", "carddenied", "cardflip", "cardhint1",
                           "cardhint2", "cardmarked", "cardmo"})
    Images->Load(name);
  std::shared_ptr<TImageBank>* banks[] = {&HeartsImages, &DiamondsImages, &SpadesImages, &ClubsImages};
  const char* words[] = {"hearts", "diamonds", "spades", "clubs"};
  for (int suit = 0; suit < 4; ++suit) {
    *banks[suit] = std::make_shared<TImageBank>();
    (*banks[suit])->SetPath(folder);
    for (int rank = 1; rank <= 13; ++rank) (*banks[suit])->Load(words[suit] + std::to_string(rank));
  }
}

class CardTestWorld : public ::testing::Test {
protected:
  void SetUp() override {
    EnsureCardBanks();
    Game = std::make_shared<TGame>();
    Delta = 1.0f;
  }
  void TearDown() override {
    Game.reset();
    Delta = 1.0f;
  }
  std::shared_ptr<TGameImage> Back() const { return Images->Find("cardback1"); }
  // A face-down card of `list` at (x, y) turned by `angle`.
  std::shared_ptr<TCard> Put(TCardList& list, float x, float y, float angle = 0) {
    return list.AddNew(x, y, Back(), 1, 1, 0, angle);
  }
  void PointAt(int x, int y) { Game->Mouse->MoveTo(x, y); }
};
