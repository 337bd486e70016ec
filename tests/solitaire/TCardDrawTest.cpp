#include "solitaire/TCard.h"

#include "CardTestWorld.h"
#include "platform/Graphics.h"
#include "platform/Pixmap.h"
#include "app/TAnimation.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameMode.h"
#include "support/HeadlessGraphics.h"

#include <cstdlib>

namespace {

// A mode whose answers the test sets: which card a free place takes, and
// which place (or any free place, for the card it names) a foundation takes.
class RulesMode : public TGameMode {
public:
  int32_t AcceptsOnEmptyPlace(const TCard& card, const TCard&) override { return card.CardNumber == emptyRank; }
  int32_t AcceptsOnFoundation(const TCard& card, const TCard& place) override {
    return &card == foundationCard && (foundationPlace == nullptr || &place == foundationPlace);
  }
  int32_t emptyRank = 13;
  const TCard* foundationCard = nullptr;
  const TCard* foundationPlace = nullptr;
};

// Cards drawn on the headless surface and read back from the back buffer.
class CardDrawTest : public CardTestWorld {
protected:
  void SetUp() override {
    CardTestWorld::SetUp();
    ASSERT_TRUE(test_support::EnsureHeadlessGraphics());
    platform::ResetViewport();
    platform::ResetDrawState();
    Clear();
  }
  static void Clear() {
    platform::SetClsColor(Felt[0], Felt[1], Felt[2]);
    platform::Cls();
  }
  static platform::Pixmap Grab() {
    platform::FinishDrawing();
    platform::Pixmap frame;
    EXPECT_TRUE(platform::GrabBackBuffer(frame));
    return frame;
  }
  static int Distance(const platform::Pixmap& a, const platform::Pixmap& b, int x, int y) {
    const uint8_t* p = a.Pixel(x, y);
    const uint8_t* q = b.Pixel(x, y);
    return std::abs(p[0] - q[0]) + std::abs(p[1] - q[1]) + std::abs(p[2] - q[2]);
  }
  static bool IsFelt(const platform::Pixmap& frame, int x, int y) {
    const uint8_t* p = frame.Pixel(x, y);
    return p[0] == Felt[0] && p[1] == Felt[1] && p[2] == Felt[2];
  }
  static int Brightness(const platform::Pixmap& frame, int x, int y) {
    const uint8_t* p = frame.Pixel(x, y);
    return p[0] + p[1] + p[2];
  }
  static std::shared_ptr<TAnimation> HintTimer(int phase, int ticksIntoPhase) {
    auto timer = TAnimation::Create(100);
    for (int i = 0; i < 3; ++i) timer->AddPhase(500);
    timer->Start();
    while (timer->CurrentPhase < phase) timer->Manage();
    for (int i = 0; i < ticksIntoPhase; ++i) timer->Manage();
    return timer;
  }
  static constexpr uint8_t Felt[3] = {0, 90, 40};
  TCardList table;
};

TEST_F(CardDrawTest, ClosedCardShowsItsBackOnlyForBacksOneToSix) {
  auto card = Put(table, 200, 200);
  card->DrawClosedCard(0, card->x, card->y, nullptr, nullptr, 2);
  auto two = Grab();
  EXPECT_FALSE(IsFelt(two, 200, 200));
  EXPECT_TRUE(IsFelt(two, 200 + 40, 200)); // beyond the 72-pixel width
  Clear();
  card->DrawClosedCard(0, card->x, card->y, nullptr, nullptr, 5);
  auto five = Grab();
  int differing = 0;
  for (int y = 160; y < 240; y += 4)
    for (int x = 170; x < 230; x += 4) differing += Distance(two, five, x, y) > 30;
  EXPECT_GT(differing, 20); // a different back
  Clear();
  card->DrawClosedCard(0, card->x, card->y, nullptr, nullptr, 7);
  EXPECT_TRUE(IsFelt(Grab(), 200, 200));
  EXPECT_EQ(platform::GetRotation(), 0.0f);
}

TEST_F(CardDrawTest, TurnedCardsAreDrawnTurned) {
  auto card = Put(table, 300, 300, 90);
  card->DrawClosedCard(0, card->x, card->y, nullptr, nullptr, 1);
  auto frame = Grab();
  EXPECT_FALSE(IsFelt(frame, 300 + 44, 300)); // the long side now lies across
  EXPECT_TRUE(IsFelt(frame, 300, 300 + 44));
}

TEST_F(CardDrawTest, MouseOverGlowShowsAroundTheHoveredCardOnly) {
  auto card = Put(table, 300, 300);
  const int outsideX = 300 + 36 + 5; // just beyond the card's right edge
  PointAt(300, 300);
  card->DrawClosedCard(1, card->x, card->y, nullptr, nullptr, 1);
  auto hovered = Grab();
  Clear();
  card->DrawClosedCard(0, card->x, card->y, nullptr, nullptr, 1); // glow not asked for
  auto notAsked = Grab();
  Clear();
  PointAt(600, 300);
  card->DrawClosedCard(1, card->x, card->y, nullptr, nullptr, 1);
  auto away = Grab();
  EXPECT_FALSE(IsFelt(hovered, outsideX, 300));
  EXPECT_TRUE(IsFelt(notAsked, outsideX, 300));
  EXPECT_TRUE(IsFelt(away, outsideX, 300));
}

TEST_F(CardDrawTest, HintGlowFollowsItsTimer) {
  auto card = Put(table, 300, 300);
  card->DoDrawHint = 1;
  card->HintNumber = 2;
  const int outsideX = 300 + 36 + 4;
  auto glowAt = [&](const std::shared_ptr<TAnimation>& timer) {
    Clear();
    card->DrawClosedCard(0, card->x, card->y, nullptr, timer.get(), 1);
    return Brightness(Grab(), outsideX, 300);
  };
  const int felt = Felt[0] + Felt[1] + Felt[2];
  EXPECT_EQ(glowAt(HintTimer(0, 10)), felt); // waiting: nothing yet
  const int fadingIn = glowAt(HintTimer(1, 20));
  const int full = glowAt(HintTimer(2, 20));
  const int fadingOut = glowAt(HintTimer(3, 80));
  EXPECT_GT(fadingIn, felt);
  EXPECT_GT(full, fadingIn);
  EXPECT_GT(full, fadingOut);
  EXPECT_GT(fadingOut, felt);
  card->HintNumber = 1; // the other glow is driven by the other timer
  EXPECT_EQ(glowAt(HintTimer(2, 20)), felt);
}

TEST_F(CardDrawTest, FlipFlashFadesInOverTheNewFace) {
  auto card = table.AddNew(300, 300, Back(), 3, 12, 1, 0);
  card->DrawOpenedCard(0, card->x, card->y, 0, 0, nullptr, nullptr);
  auto plain = Grab();
  EXPECT_FALSE(IsFelt(plain, 300, 300));
  card->StartFlipAnimation();
  Clear();
  card->DrawOpenedCard(0, card->x, card->y, 0, 0, nullptr, nullptr);
  auto starting = Grab(); // alpha 0 at the very start
  for (int i = 0; i < 60; ++i) card->Manage();
  Clear();
  card->DrawOpenedCard(0, card->x, card->y, 0, 0, nullptr, nullptr);
  auto flashing = Grab();
  int changed = 0, changedAtStart = 0;
  for (int y = 260; y < 340; y += 4)
    for (int x = 270; x < 330; x += 4) {
      changed += Distance(plain, flashing, x, y) > 20;
      changedAtStart += Distance(plain, starting, x, y) > 20;
    }
  EXPECT_GT(changed, 30);
  EXPECT_EQ(changedAtStart, 0);
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 1.0f);
}

TEST_F(CardDrawTest, EmptyPlacesAndDealtEmptyCards) {
  auto place = table.AddNew(200, 200, Back(), 0, 0, 1, 0);
  auto images = [&](int foundation, int stock) {
    Clear();
    place->DrawOpenedCard(0, place->x, place->y, foundation, stock, nullptr, nullptr);
    return Grab();
  };
  auto empty = images(0, 0), foundation = images(1, 0), stock = images(0, 1);
  int foundationDiffers = 0, stockDiffers = 0;
  for (int y = 160; y < 240; y += 4)
    for (int x = 170; x < 230; x += 4) {
      foundationDiffers += Distance(empty, foundation, x, y) > 20;
      stockDiffers += Distance(empty, stock, x, y) > 20;
    }
  EXPECT_GT(foundationDiffers, 5);
  EXPECT_GT(stockDiffers, 5);
  // A free place glows under a dragged card the mode lets go there (here a
  // king), not under another, nor once the place is taken.
  RulesMode rules;
  auto king = TCard::Create(Back(), 0, 0);
  king->CardNumber = 13;
  auto queen = TCard::Create(Back(), 0, 0);
  queen->CardNumber = 12;
  PointAt(200, 200);
  auto glows = [&](const std::shared_ptr<TCard>& dragged) {
    Clear();
    place->DrawEmptyCard(place->x, place->y, 0, dragged, &rules, 0, 0, nullptr, nullptr);
    return !IsFelt(Grab(), 200 + 36 + 5, 200);
  };
  EXPECT_TRUE(glows(king));
  EXPECT_FALSE(glows(queen));
  place->HasCardsOnTop = 1;
  EXPECT_FALSE(glows(king));
}

TEST_F(CardDrawTest, FoundationPlaceLightsForTheCardItWouldTake) {
  auto place = table.AddNew(200, 200, Back(), 0, 0, 1, 0);
  auto other = table.AddNew(400, 200, Back(), 0, 0, 1, 0);
  TCardList dragged;
  auto ace = dragged.AddNew(200, 200, Back(), 2, 1, 1, 0);
  RulesMode rules;
  rules.foundationCard = ace.get();
  auto lit = [&](const std::shared_ptr<TCard>& target) {
    Clear();
    target->DrawFoundationCard(&dragged, rules, nullptr, nullptr);
    return !IsFelt(Grab(), int(target->x) + 36 + 5, int(target->y));
  };
  PointAt(200, 200);
  EXPECT_TRUE(lit(place)); // the mode takes the ace here
  rules.foundationPlace = other.get();
  EXPECT_FALSE(lit(place)); // ... only there
  rules.foundationPlace = nullptr;
  PointAt(600, 200);
  EXPECT_FALSE(lit(place)); // only under the pointer
  PointAt(200, 200);
  dragged.AddNew(200, 220, Back(), 2, 2, 1, 0);
  EXPECT_FALSE(lit(place)); // a run of two never goes to a foundation
}

// A whole table: turned, overlapping cards face up and down, the pointer's
// glow, both hint glows, a flip in progress, places and marks. Saved as
// card_table.png beside the test binary for a look.
TEST_F(CardDrawTest, TestTableScreenshot) {
  for (int i = 0; i < 7; ++i) {
    auto card = table.AddNew(110.0f + i * 34, 170.0f + (i % 2) * 14, Back(), 1 + i % 4, 1 + i * 2, i >= 4, -18.0f + i * 6);
    (void)card;
  }
  auto hovered = table.AddNew(520, 170, Back(), 3, 12, 1, 8);
  auto flipping = table.AddNew(640, 170, Back(), 2, 13, 1, -6);
  auto hint1 = table.AddNew(150, 360, Back(), 4, 7, 1, 0);
  auto hint2 = table.AddNew(270, 360, Back(), 1, 8, 0, 12);
  auto foundation = table.AddNew(400, 360, Back(), 0, 0, 1, 0);
  auto stock = table.AddNew(520, 360, Back(), 0, 0, 1, 0);
  auto denied = table.AddNew(640, 360, Back(), 0, 0, 1, 0);
  auto marked = table.AddNew(400, 500, Back(), 3, 1, 1, -25);
  for (int i = 0; i < 5; ++i) table.AddNew(520.0f + i * 18, 500, Back(), 1, 1, 0, 0);
  hint1->DoDrawHint = 1, hint1->HintNumber = 1;
  hint2->DoDrawHint = 1, hint2->HintNumber = 2;
  const auto hintTimer = HintTimer(2, 10);
  flipping->StartFlipAnimation();
  for (int i = 0; i < 70; ++i) flipping->Manage();
  table.UpdateCardsOnTop();
  PointAt(int(hovered->x), int(hovered->y));
  int back = 1;
  for (const auto& card : table) {
    if (card == denied) {
      card->DrawStockDeniedCard();
    } else if (card == stock) {
      card->DrawStockEmptyCard(0, nullptr, nullptr);
    } else if (card == foundation) {
      card->DrawOpenedCard(0, card->x, card->y, 1, 0, nullptr, nullptr);
    } else if (card->Opened) {
      card->DrawOpenedCard(1, card->x, card->y, 0, 0, hintTimer.get(), hintTimer.get());
      if (card == marked) card->DrawMarked(card->x, card->y);
    } else {
      card->DrawClosedCard(1, card->x, card->y, hintTimer.get(), hintTimer.get(), back);
      back = back % 6 + 1;
    }
  }
  auto frame = Grab();
  ASSERT_TRUE(platform::SavePng(frame, "card_table.png"));
  // Covered cards really are covered where the next one lies.
  EXPECT_EQ(table.ValueAtIndex(0)->HasCardsOnTop, 1);
  EXPECT_EQ(hovered->HasCardsOnTop, 0);
  EXPECT_FALSE(IsFelt(frame, int(hovered->x) + 46, int(hovered->y)));   // pointer glow
  EXPECT_FALSE(IsFelt(frame, int(hint1->x) + 42, int(hint1->y)));       // hint glows
  EXPECT_FALSE(IsFelt(frame, int(hint2->x) + 44, int(hint2->y)));
  EXPECT_TRUE(IsFelt(frame, int(foundation->x) + 44, int(foundation->y))); // no glow on places
}

} // namespace
