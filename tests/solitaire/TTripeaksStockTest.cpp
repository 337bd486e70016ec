#include "solitaire/TTripeaksStock.h"

#include "TripeaksPlay.h"
#include "solitaire/TTripeaksUndo.h"

namespace {

class TripeaksStockTest : public TripeaksPlay {
protected:
  void SetUp() override {
    TripeaksPlay::SetUp();
    stock = std::make_shared<TTripeaksStock>();
    stock->Clear();
  }
  std::shared_ptr<TCard> Card(int rank) {
    auto card = TCard::Create(Back(), 230, 70);
    card->CardNumber = rank;
    return card;
  }
  std::shared_ptr<TTripeaksStock> stock;
};

TEST_F(TripeaksStockTest, TheStockBelongsToTheSessionsTriPeaksGame) {
  EXPECT_EQ(stock->GameMode, mode.get());
  EXPECT_EQ(stock->StockDeniedCard->CardNumber, 0);
  EXPECT_EQ(stock->StockDeniedCard->Opened, 1);
  EXPECT_FALSE(stock->StockCard1);
}

TEST_F(TripeaksStockTest, ANewCardNeverGoesLastAndTheNextMatchIsTheSoonestTurned) {
  stock->InsertCardAtRandomPosition(Card(5));
  const auto second = Card(6);
  stock->InsertCardAtRandomPosition(second);
  EXPECT_EQ(stock->Cards->First(), second); // before the only card there was
  for (int i = 0; i < 20; ++i) {
    stock->InsertCardAtRandomPosition(Card(9));
    EXPECT_EQ(stock->Cards->Last()->CardNumber, 5);
  }
  stock->Cards->CurrentPosition = stock->Cards->Count() - 1;
  stock->Cards->UpdatePosition();
  // Both the 5 (top) and the 6 fit a 4 or a 7; the top one comes up soonest.
  EXPECT_EQ(stock->DoesAnyCardMatch(Card(4))->CardNumber, 5);
  EXPECT_EQ(stock->DoesAnyCardMatch(Card(7))->CardNumber, 6);
  EXPECT_FALSE(stock->DoesAnyCardMatch(Card(2)));
  // Turned cards are out of reach.
  stock->Cards->CurrentPosition -= 1;
  EXPECT_FALSE(stock->DoesAnyCardMatch(Card(4)));
  EXPECT_EQ(stock->GetPreviousStockCard()->CardNumber, 5);
  stock->Cards->CurrentPosition = -1;
  EXPECT_FALSE(stock->GetNextStockCard());
}

TEST_F(TripeaksStockTest, ASnapshotRestoredTwiceGivesTwoIndependentGames) {
  Start(StandardLayout(1), 3);
  TTripeaksUndo snapshot;
  snapshot.SetFromCurrentValues(*mode, -60, 0);
  snapshot.SetAsCurrentValues(*mode);
  mode->Stock->GameMode = mode.get();
  mode->Cards->RemoveLast();
  mode->Stock->Cards->CurrentPosition = 0;
  snapshot.SetAsCurrentValues(*mode);
  EXPECT_EQ(mode->Cards->Count(), 28);
  EXPECT_EQ(mode->Stock->Cards->CurrentPosition, 22);
  EXPECT_EQ(mode->Stock->GameMode, nullptr); // the caller sets it
  // The open card is the pile's own turned card in the copy too.
  EXPECT_EQ(mode->Stock->StockCard1, mode->Stock->Cards->ValueAtIndex(23));
}

} // namespace
