#include "solitaire/TCardList.h"

#include "CardTestWorld.h"
#include "app/TAnimation.h"
#include "solitaire/TCard.h"


namespace {

class CardListTest : public CardTestWorld {};

TEST_F(CardListTest, AddNewBuildsCardsOfThisList) {
  TCardList list;
  auto first = list.AddNew(10, 20, Back(), 3, 12, 1, 15);
  auto second = list.AddNew(30, 40, Back(), 0, 0, 0, 0);
  EXPECT_EQ(first->Cards, &list);
  EXPECT_EQ(first->Position, 0);
  EXPECT_EQ(second->Position, 1);
  EXPECT_EQ(first->ToString(), "S12");
  EXPECT_EQ(first->CardImage->name, "SPADES12");
  EXPECT_EQ(first->Opened, 1);
  EXPECT_FLOAT_EQ(first->RotationAngle, 15);
  EXPECT_EQ(second->CardImage->name, "HEARTS1"); // an empty place keeps the picture Create gave it
  EXPECT_EQ(list.PrintContent(), "3-12 0-0 ");
}

TEST_F(CardListTest, OpenedStatesAndEmptyLayout) {
  TCardList list;
  EXPECT_EQ(list.AreAllCardsOpened(), 1); // an empty list
  list.AddNew(0, 0, Back(), 1, 5, 1, 0);
  EXPECT_EQ(list.AreAllCardsOpened(), 1);
  list.AddNew(0, 0, Back(), 2, 6, 0, 0);
  EXPECT_EQ(list.AreAllCardsOpened(), 0);
  list.SetAsEmptyCards();
  for (const auto& card : list) EXPECT_EQ(card->ToString(), "0");
}

TEST_F(CardListTest, CloneIsADeepCopyBelongingToTheNewList) {
  TCardList list;
  list.AddNew(10, 10, Back(), 1, 2, 1, 5);
  list.AddNew(50, 10, Back(), 4, 13, 0, -5);
  auto copy = list.Clone();
  ASSERT_EQ(copy->Count(), 2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_NE(copy->ValueAtIndex(i), list.ValueAtIndex(i));
    EXPECT_EQ(copy->ValueAtIndex(i)->Cards, copy.get());
    EXPECT_EQ(copy->ValueAtIndex(i)->ToString(), list.ValueAtIndex(i)->ToString());
  }
  copy->ValueAtIndex(0)->x = 999;
  copy->RemoveLast();
  EXPECT_FLOAT_EQ(list.ValueAtIndex(0)->x, 10);
  EXPECT_EQ(list.Count(), 2);
}

TEST_F(CardListTest, CardsOutlivingTheirListForgetIt) {
  std::shared_ptr<TCard> survivor;
  {
    TCardList list;
    survivor = Put(list, 0, 0);
  }
  EXPECT_EQ(survivor->Cards, nullptr);
  survivor->Kill(); // must not touch the freed list
  EXPECT_FALSE(survivor->IsAnyCardsOnTop());
}

TEST_F(CardListTest, CardsBelongToTheListThatHoldsThem) {
  TCardList layout, stock;
  auto a = Put(layout, 100, 100), b = Put(layout, 110, 110);
  layout.Remove(a.get()); // moved to the end of its own list: still its own
  layout.AddLast(a);
  EXPECT_EQ(a->Cards, &layout);
  EXPECT_EQ(layout.IndexOf(a.get()), 1);
  // Collected by another list (as GetAllCardsOnTop does): the home stays.
  auto onTop = b->GetAllCardsOnTop();
  ASSERT_EQ(onTop->Count(), 1);
  EXPECT_EQ(a->Cards, &layout);
  onTop.reset();
  EXPECT_EQ(a->Cards, &layout);
  // Flown to the stock: taken out of the layout, the stock is its list now.
  layout.RemoveAt(1);
  stock.AddLast(a);
  EXPECT_EQ(a->Cards, &stock);
  EXPECT_FALSE(b->IsAnyCardsOnTop());
  stock.Clear();
  EXPECT_EQ(a->Cards, nullptr);
}

TEST_F(CardListTest, CoveredCardsAndTheTurnOverFlash) {
  TCardList list;
  auto bottom = Put(list, 300, 300);
  auto middle = Put(list, 320, 320);
  auto top = Put(list, 340, 340);
  auto alone = Put(list, 600, 100);
  alone->Opened = 1; // already face up: no new flash
  list.UpdateCardsOnTop();
  EXPECT_EQ(std::tuple(bottom->HasCardsOnTop, middle->HasCardsOnTop, top->HasCardsOnTop, alone->HasCardsOnTop),
            std::tuple(1, 1, 0, 0));
  list.UpdateSetOpenedIfNoCardsOnTop();
  EXPECT_EQ(top->Opened, 1);
  EXPECT_TRUE(top->FlipAnimation);
  EXPECT_TRUE(top->FlipAnimation->Active);
  EXPECT_FALSE(alone->FlipAnimation);
  EXPECT_EQ(bottom->Opened, 0);
  EXPECT_FALSE(middle->FlipAnimation);
  // The top card leaves: the middle one opens, the top one's flash is not restarted.
  auto flash = top->FlipAnimation;
  top->Kill();
  list.UpdateCardsOnTop();
  list.UpdateSetOpenedIfNoCardsOnTop();
  EXPECT_EQ(middle->Opened, 1);
  EXPECT_TRUE(middle->FlipAnimation);
  EXPECT_EQ(bottom->Opened, 0);
  EXPECT_EQ(top->FlipAnimation, flash);
  list.UpdateOpenedBasedOnCardsOnTop();
  EXPECT_EQ(std::tuple(bottom->Opened, middle->Opened, alone->Opened), std::tuple(0, 1, 1));
}

TEST_F(CardListTest, StockFanEndsAtItsPlace) {
  TCardList list;
  for (int i = 0; i < 5; ++i) Put(list, 0, 0);
  list.CurrentPosition = 2;
  list.UpdateLocation(230, 70, 5);
  EXPECT_FLOAT_EQ(list.ValueAtIndex(0)->x, 220);
  EXPECT_FLOAT_EQ(list.ValueAtIndex(1)->x, 225);
  EXPECT_FLOAT_EQ(list.ValueAtIndex(2)->x, 230);
  EXPECT_FLOAT_EQ(list.ValueAtIndex(2)->y, 70);
  EXPECT_FLOAT_EQ(list.ValueAtIndex(3)->x, 0); // beyond the cursor: untouched
  list.CurrentPosition = 10;                    // a cursor past the end stops at the last card
  list.UpdateLocation(230, 70, 5);
  EXPECT_FLOAT_EQ(list.ValueAtIndex(4)->x, 200);
}

} // namespace
