#include "solitaire/TCard.h"

#include "CardTestWorld.h"
#include "platform/Collision.h"
#include "app/TAnimation.h"
#include "solitaire/TBezier.h"
#include "solitaire/TCardList.h"

#include <cmath>
#include <random>

namespace {

class CardTest : public CardTestWorld {};

TEST_F(CardTest, DeckIdsNameRankAndSuit) {
  using Pair = std::pair<int32_t, int32_t>;
  EXPECT_EQ(TCard::GetCardNumberAndSuitFromID(0), Pair(1, 1));   // ace of hearts
  EXPECT_EQ(TCard::GetCardNumberAndSuitFromID(12), Pair(13, 1)); // king of hearts
  EXPECT_EQ(TCard::GetCardNumberAndSuitFromID(13), Pair(1, 2));  // ace of diamonds
  EXPECT_EQ(TCard::GetCardNumberAndSuitFromID(38), Pair(13, 3)); // king of spades
  EXPECT_EQ(TCard::GetCardNumberAndSuitFromID(51), Pair(13, 4)); // king of clubs
  EXPECT_EQ(TCard::GetCardNumberAndSuitFromID(52), Pair(0, -1));
  EXPECT_EQ(TCard::GetCardNumberAndSuitFromID(-1), Pair(0, -1));
}

TEST_F(CardTest, TextFormIsSuitLetterAndRank) {
  auto card = TCard::Create(Back(), 0, 0);
  EXPECT_EQ(card->ToString(), "H1");
  card->CardSuit = 3, card->CardNumber = 12;
  EXPECT_EQ(card->ToString(), "S12");
  card->CardSuit = 4, card->CardNumber = 13;
  EXPECT_EQ(card->ToString(), "C13");
  card->CardSuit = 2, card->CardNumber = 7;
  EXPECT_EQ(card->ToString(), "D7");
  card->CardSuit = 0, card->CardNumber = 0;
  EXPECT_EQ(card->ToString(), "0"); // an empty place has no suit letter
}

TEST_F(CardTest, CreateMakesAFaceDownAceOfHeartsInNoList) {
  auto card = TCard::Create(Back(), 123.5f, 45.25f);
  EXPECT_FLOAT_EQ(card->x, 123.5f);
  EXPECT_FLOAT_EQ(card->y, 45.25f);
  EXPECT_EQ(card->image, Back());
  EXPECT_EQ(card->w, 72);
  EXPECT_EQ(card->CardNumber, 1);
  EXPECT_EQ(card->CardSuit, 1);
  EXPECT_EQ(card->Position, -1);
  EXPECT_EQ(card->Opened, 0);
  EXPECT_EQ(card->Cards, nullptr);
  ASSERT_TRUE(card->CardImage);
  EXPECT_EQ(card->CardImage->name, "HEARTS1");
}

TEST_F(CardTest, FaceFollowsSuitAndRankButInvalidOnesKeepThePicture) {
  auto card = TCard::Create(Back(), 0, 0);
  card->CardSuit = 3, card->CardNumber = 12;
  card->UpdateCardImage();
  EXPECT_EQ(card->CardImage->name, "SPADES12");
  card->CardSuit = 2, card->CardNumber = 10;
  card->UpdateCardImage();
  EXPECT_EQ(card->CardImage->name, "DIAMONDS10");
  card->CardSuit = 5;
  card->UpdateCardImage();
  EXPECT_EQ(card->CardImage->name, "DIAMONDS10");
  card->CardSuit = 0, card->CardNumber = 0;
  card->UpdateCardImage();
  EXPECT_EQ(card->CardImage->name, "DIAMONDS10");
  card->CardSuit = 4, card->CardNumber = 14; // no such face
  card->UpdateCardImage();
  EXPECT_EQ(card->CardImage->name, "DIAMONDS10");
}

TEST_F(CardTest, CloneCopiesPlayFieldsButNotFlashOrScratchValue) {
  TCardList list;
  auto card = list.AddNew(10, 20, Back(), 4, 9, 1, 12.5f);
  auto target = TCard::Create(Back(), 0, 0);
  card->CardRef = target;
  card->Bezier = TBezier::Create();
  card->CardType = 3, card->HasCardsOnTop = 1, card->Dragging = 1, card->HintNumber = 2, card->DoDrawHint = 1;
  card->AnimationType = 6, card->IsMoving = 1, card->TempValue = 33;
  card->StartFlipAnimation();
  auto clone = card->Clone();
  EXPECT_NE(clone, card);
  EXPECT_EQ(clone->Cards, &list);
  EXPECT_EQ(clone->Bezier, card->Bezier);
  EXPECT_EQ(clone->CardRef, target);
  EXPECT_EQ(clone->CardImage, card->CardImage);
  EXPECT_EQ(clone->ToString(), "C9");
  EXPECT_FLOAT_EQ(clone->RotationAngle, 12.5f);
  EXPECT_EQ(std::tuple(clone->Opened, clone->CardType, clone->HasCardsOnTop, clone->Position, clone->Dragging,
                       clone->HintNumber, clone->DoDrawHint, clone->AnimationType, clone->IsMoving),
            std::tuple(1, 3, 1, 0, 1, 2, 1, 6, 1));
  EXPECT_FLOAT_EQ(clone->TempValue, 0);
  EXPECT_FALSE(clone->FlipAnimation);
  EXPECT_FLOAT_EQ(clone->x, 10);
  EXPECT_FLOAT_EQ(clone->y, 20);
}

TEST_F(CardTest, KillLeavesTheListAndRenumbersIt) {
  TCardList list;
  auto a = Put(list, 0, 0), b = Put(list, 100, 0), c = Put(list, 200, 0);
  b->Kill();
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.ValueAtIndex(1), c);
  EXPECT_EQ(c->Position, 1);
  EXPECT_EQ(b->Cards, nullptr);
  b->Kill(); // no longer in a list: nothing happens
  EXPECT_EQ(list.Count(), 2);
}

TEST_F(CardTest, PointHitsFollowTheTruncatedOutline) {
  TCardList list;
  auto card = Put(list, 400.9f, 300.9f); // drawn and tested at (400, 300)
  EXPECT_TRUE(card->IsPointOver(400, 300));
  EXPECT_TRUE(card->IsPointOver(400 - 30, 300 - 40));
  EXPECT_TRUE(card->IsPointOver(400 + 35, 300));  // last column (72 wide, handle at 36)
  EXPECT_FALSE(card->IsPointOver(400 + 36, 300)); // one past it
  EXPECT_TRUE(card->IsPointOver(400 - 36, 300));
  EXPECT_FALSE(card->IsPointOver(400 - 37, 300));
  EXPECT_FALSE(card->IsPointOver(400, 300 + 48));
  EXPECT_FALSE(card->IsPointOver(600, 300));
  auto negative = Put(list, -0.7f, 50); // truncated towards zero: column 0
  EXPECT_TRUE(negative->IsPointOver(35, 50));
  EXPECT_FALSE(negative->IsPointOver(36, 50));
}

TEST_F(CardTest, RotatedCardIsNotHitAtTheCornersOfItsStraightRectangle) {
  TCardList list;
  auto card = Put(list, 400, 300, 45);
  // Just inside each corner of the unturned 72 x 96 rectangle.
  for (auto [dx, dy] : {std::pair{-32, -44}, std::pair{32, -44}, std::pair{-32, 44}, std::pair{32, 44}}) {
    EXPECT_FALSE(card->IsPointOver(400 + dx, 300 + dy)) << dx << "," << dy;
    card->RotationAngle = 0;
    EXPECT_TRUE(card->IsPointOver(400 + dx, 300 + dy)) << dx << "," << dy;
    card->RotationAngle = 45;
  }
  // Turned clockwise, the card's top reaches up and to the right.
  const double r = 40, a = 45 * M_PI / 180;
  EXPECT_TRUE(card->IsPointOver(400 + int(r * std::sin(a)), 300 - int(r * std::cos(a))));
  EXPECT_TRUE(card->IsPointOver(400, 300));
}

TEST_F(CardTest, PointHitsAgreeWithTheTurnedRectangleAwayFromItsEdges) {
  std::mt19937 random(7);
  TCardList list;
  auto card = Put(list, 300, 250);
  for (int round = 0; round < 40; ++round) {
    card->RotationAngle = float(std::uniform_int_distribution<int>(-180, 180)(random));
    const double a = card->RotationAngle * M_PI / 180, c = std::cos(a), s = std::sin(a);
    for (int i = 0; i < 50; ++i) {
      int px = 300 + std::uniform_int_distribution<int>(-70, 70)(random);
      int py = 250 + std::uniform_int_distribution<int>(-70, 70)(random);
      // The pixel centre in the card's own frame (turned back).
      double lx = c * (px + 0.5 - 300) + s * (py + 0.5 - 250), ly = -s * (px + 0.5 - 300) + c * (py + 0.5 - 250);
      bool inside = std::fabs(lx) < 36 - 6 && std::fabs(ly) < 48 - 2;
      bool outside = std::fabs(lx) > 36 + 2 || std::fabs(ly) > 48 + 2;
      if (inside) {
        EXPECT_TRUE(card->IsPointOver(px, py)) << card->RotationAngle << " " << px << "," << py;
      }
      if (outside) {
        EXPECT_FALSE(card->IsPointOver(px, py)) << card->RotationAngle << " " << px << "," << py;
      }
    }
  }
}

TEST_F(CardTest, MouseOverUsesThePointerPosition) {
  TCardList list;
  auto card = Put(list, 200, 200, 30);
  PointAt(200, 200);
  EXPECT_TRUE(card->IsMouseOver());
  PointAt(300, 200);
  EXPECT_FALSE(card->IsMouseOver());
}

TEST_F(CardTest, CardsOnTopAreLaterOverlappingCardsThatAreNotFlying) {
  TCardList list;
  auto base = Put(list, 300, 300);
  auto far = Put(list, 600, 300);
  auto over1 = Put(list, 330, 340, 20);
  auto flying = Put(list, 310, 310);
  auto over2 = Put(list, 250, 260, -15);
  flying->IsMoving = 1;
  auto onTop = base->GetAllCardsOnTop();
  ASSERT_EQ(onTop->Count(), 2);
  EXPECT_EQ(onTop->ValueAtIndex(0), over1);
  EXPECT_EQ(onTop->ValueAtIndex(1), over2);
  EXPECT_EQ(over1->Cards, &list); // still cards of their own list
  EXPECT_EQ(over2->GetAllCardsOnTop()->Count(), 0); // the last card
  EXPECT_EQ(far->GetAllCardsOnTop()->Count(), 0);
  // Flying cards do count for "anything on top".
  EXPECT_TRUE(over1->IsAnyCardsOnTop());
  over2->RotationAngle = 0;
  over2->x = 500;
  EXPECT_FALSE(flying->GetAllCardsOnTop()->Count());
  flying->IsMoving = 0;
  EXPECT_EQ(base->GetAllCardsOnTop()->Count(), 2); // over1, flying
}

TEST_F(CardTest, OpenedCardBehindLooksOnlyAtEarlierOverlappingCards) {
  TCardList list;
  auto under = Put(list, 300, 300);
  auto aside = Put(list, 600, 300);
  auto top = Put(list, 320, 330);
  auto later = Put(list, 330, 330);
  later->Opened = 1;
  aside->Opened = 1;
  EXPECT_FALSE(top->HasOpenedCardBehind(1)); // the opened ones are beside it or above it
  EXPECT_TRUE(top->HasOpenedCardBehind(0));  // `under` is face down
  under->Opened = 1;
  EXPECT_TRUE(top->HasOpenedCardBehind(1));
  EXPECT_FALSE(under->HasOpenedCardBehind(1)); // nothing before the first card
}

TEST_F(CardTest, FlipFlashRunsThreePhasesAndIsDropped) {
  auto card = TCard::Create(Back(), 0, 0);
  card->StartFlipAnimation();
  ASSERT_TRUE(card->FlipAnimation);
  EXPECT_EQ(card->FlipAnimation->TotalPhases, 3);
  EXPECT_FLOAT_EQ(card->FlipAnimation->Length[0], 100); // 500 ms
  for (int tick = 0; tick < 299; ++tick) card->Manage();
  ASSERT_TRUE(card->FlipAnimation);
  EXPECT_EQ(card->FlipAnimation->CurrentPhase, 2);
  card->Manage();
  EXPECT_FALSE(card->FlipAnimation);
}

// The box rejection in front of the collision layer must never change an
// answer: compare against the plain layer test on random crowded tables.
TEST_F(CardTest, OverlapAnswersMatchThePlainLayerTest) {
  std::mt19937 random(2024);
  for (int round = 0; round < 20; ++round) {
    TCardList list;
    for (int i = 0; i < 30; ++i) {
      float angle = (i % 3 == 0) ? float(std::uniform_int_distribution<int>(-90, 90)(random)) : 0.0f;
      Put(list, float(std::uniform_int_distribution<int>(100, 500)(random)) + 0.5f,
          float(std::uniform_int_distribution<int>(100, 400)(random)), angle);
    }
    list.UpdateCardsOnTop();
    int covered = 0;
    for (int i = 0; i < list.Count(); ++i) {
      auto card = list.ValueAtIndex(i);
      bool expected = false;
      for (int j = i + 1; j < list.Count() && !expected; ++j) {
        platform::ResetCollisions(1);
        card->Collide();
        expected = card->IsCardOver(*list.ValueAtIndex(j));
      }
      EXPECT_EQ(card->HasCardsOnTop, expected ? 1 : 0) << "round " << round << " card " << i;
      covered += expected;
    }
    EXPECT_GT(covered, 5); // the tables really are crowded
    EXPECT_LT(covered, 29);
  }
}

} // namespace
