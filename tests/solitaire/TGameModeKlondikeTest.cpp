#include "solitaire/TGameModeKlondike.h"

#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Pixmap.h"
#include "solitaire/LevelTimer.h"
#include "app/TAnimation.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TSolitaireHint.h"
#include "solitaire/TState.h"
#include "solitaire/TStock.h"
#include "support/GameModeWorld.h"
#include "support/TempFolder.h"
#include "support/ThrowingErrorHandler.h"
#include "ui/TButton.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace {

using Card = std::shared_ptr<TCard>;

// A dealt Klondike table played through the harness. Tests give the cards
// they need new identities; columns are read by position, bottom first.
class KlondikeTest : public test_support::GameModeWorld {
protected:
  std::shared_ptr<TGameModeKlondike> mode;
  const std::string layout = test_support::DataPath("layouts/klondike/klondike.layout");

  void SetUp() override {
    GameModeWorld::SetUp();
    mode = Create<TGameModeKlondike>();
    Deal(1);
  }

  void Deal(uint32_t seed) {
    mode->Seed(seed);
    ASSERT_EQ(mode->Init(layout, 0), 1);
    Settle();
  }
  void Settle() {
    ASSERT_TRUE(TickUntil([&] { return !mode->IsBusy(); }, 5000));
    Tick(110); // the next press is no double click
  }
  std::vector<Card> Column(int c) const {
    std::vector<Card> column;
    for (const auto& card : *mode->Cards)
      if (card->x == TGameModeKlondike::EmptyColumnX[c] && !card->IsMoving) column.push_back(card);
    std::sort(column.begin(), column.end(), [](const Card& a, const Card& b) { return a->y < b->y; });
    return column;
  }
  Card Top(int c) const { return Column(c).back(); }
  static void Make(const Card& card, int suit, int rank) {
    card->CardSuit = suit, card->CardNumber = rank;
    card->UpdateCardImage();
  }
  // Gives `card` the identity (suit, rank) and the card that had it this one's, so the deck stays whole.
  void Swap(const Card& card, int suit, int rank) {
    for (const auto* list : {mode->Cards.get(), mode->Stock->Cards.get()})
      for (const auto& other : *list)
        if (other->CardSuit == suit && other->CardNumber == rank) Make(other, card->CardSuit, card->CardNumber);
    Make(card, suit, rank);
  }
  // A drag as a player makes it: press on the card's visible strip, move past 2 pixels, carry, release.
  void DragCard(const Card& card, int toX, int toY) { DragFrom(int(card->x), int(card->y) - 38, toX, toY); }
  using GameModeWorld::PickUp;
  void PickUp(const Card& card) { PickUp(int(card->x), int(card->y) - 38); }
  void DragFrom(int fromX, int fromY, int toX, int toY) { Drag(fromX, fromY, toX, toY); }
  std::string Saved(const std::string& name) {
    EXPECT_EQ(mode->SaveGame(folder.File(name)), 1) << mode->FileMessage;
    std::string text;
    EXPECT_TRUE(platform::ReadWholeFile(folder.File(name + ".ksave"), text));
    return text;
  }
  // The file's lines without their CR LF.
  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find("\r\n", start);
      lines.push_back(text.substr(start, end - start));
      start = end + 2;
    }
    return lines;
  }
  int32_t Score() const { return GamePlay->Score; }
};

TEST_F(KlondikeTest, SeededDealIsCompleteAndReproducible) {
  std::vector<std::string> first;
  for (const auto& card : *mode->Cards) first.push_back(card->ToString());
  for (const auto& card : *mode->Stock->Cards) first.push_back(card->ToString());
  ASSERT_EQ(first.size(), 52u);
  std::vector<std::string> sorted = first;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(std::unique(sorted.begin(), sorted.end()), sorted.end()); // every card once
  // Pinned: the first cards of seed 1's deal in layout order.
  EXPECT_EQ(std::vector<std::string>(first.begin(), first.begin() + 5),
            (std::vector<std::string>{"S10", "D4", "C2", "D7", "H2"}));
  int faceUp = 0;
  for (const auto& card : *mode->Cards) faceUp += card->Opened;
  EXPECT_EQ(faceUp, 7);
  for (int c = 0; c < 7; ++c) EXPECT_EQ(Column(c).size(), size_t(c + 1));
  // The stock fans five pixels a card left of its top card at (230, 70).
  EXPECT_EQ(mode->Stock->Cards->CurrentPosition, 23);
  EXPECT_FLOAT_EQ(mode->Stock->Cards->ValueAtIndex(0)->x, 230 - 5 * 23);
  EXPECT_FLOAT_EQ(mode->Stock->Cards->ValueAtIndex(23)->x, 230);
  Deal(1);
  std::vector<std::string> again;
  for (const auto& card : *mode->Cards) again.push_back(card->ToString());
  for (const auto& card : *mode->Stock->Cards) again.push_back(card->ToString());
  EXPECT_EQ(again, first);
}

TEST_F(KlondikeTest, DealFliesOneCardAtATimeWithButtonsOff) {
  mode->Shuffle();
  EXPECT_TRUE(mode->IsBusy());
  EXPECT_EQ(GameState->disableButtons, 1);
  Tick(26 * 3);
  EXPECT_EQ(mode->DealNumber, 2); // 25 ticks a flight and one to start each
  EXPECT_EQ(mode->Undo(), 0);
  EXPECT_EQ(mode->CanSaveGame(), 0);
  Settle();
  EXPECT_EQ(GameState->disableButtons, 0);
  EXPECT_EQ(mode->CanSaveGame(), 1);
}

TEST_F(KlondikeTest, LayoutsOfOtherThan28CardsAreRefusedBeforeTheDeal) {
  for (int count : {27, 29}) {
    std::string text = "Ostrelle Card Layout\r\n";
    for (int i = 0; i < count; ++i) text += std::to_string(i * 3) + ",0,0\r\n";
    folder.Write("odd.layout", text);
    test_support::ThrowingErrorHandler throwing;
    EXPECT_THROW(mode->Init(folder.File("odd.layout"), 0), std::runtime_error) << count;
  }
}

TEST_F(KlondikeTest, MoveRules) {
  auto card = [](int suit, int rank) {
    auto c = TCard::Create(nullptr, 0, 0);
    c->CardSuit = suit, c->CardNumber = rank;
    return c;
  };
  EXPECT_EQ(mode->CanMoveOnCard(*card(1, 6), *card(3, 7)), 1); // red 6 on black 7
  EXPECT_EQ(mode->CanMoveOnCard(*card(2, 6), *card(1, 7)), 0); // red on red
  EXPECT_EQ(mode->CanMoveOnCard(*card(1, 6), *card(4, 8)), 0); // not one higher
  EXPECT_EQ(mode->CanMoveOnEmptyColumn(*card(3, 13), 0), nullptr); // every column is occupied
  mode->EmptyColumnCard[4]->HasCardsOnTop = 0;
  EXPECT_EQ(mode->CanMoveOnEmptyColumn(*card(3, 13), 0), mode->EmptyColumnCard[4]);
  EXPECT_EQ(mode->CanMoveOnEmptyColumn(*card(3, 12), 0), nullptr);
  EXPECT_EQ(mode->PlaceOnFoundation(*card(1, 1)), mode->Foundation[0]);
  EXPECT_EQ(mode->PlaceOnFoundation(*card(1, 2)), nullptr);
  Make(mode->Foundation[2], 1, 1);
  mode->Foundation[2]->CardType = 3;
  EXPECT_EQ(mode->PlaceOnFoundation(*card(1, 2)), mode->Foundation[2]);
  EXPECT_EQ(mode->PlaceOnFoundation(*card(2, 2)), nullptr);
}

TEST_F(KlondikeTest, DraggedRunLandsOnTheCardAboveAndAColumnFreesUp) {
  Make(Top(0), 1, 6);  // alone on column 1
  Make(Top(1), 3, 7);
  DragCard(Top(0), int(Top(1)->x), int(Top(1)->y));
  Settle();
  ASSERT_EQ(Column(0).size(), 0u);
  EXPECT_EQ(Top(1)->ToString(), "H6");
  EXPECT_FLOAT_EQ(Top(1)->y, Column(1)[1]->y + 20);
  EXPECT_EQ(mode->EmptyColumnCard[0]->HasCardsOnTop, 0);
  EXPECT_EQ(mode->LastSoundPlayed, "swish");
  ASSERT_TRUE(mode->UndoList);
  EXPECT_EQ(mode->UndoList->size(), 1u);
  // The middle of a face-up run takes everything lying on it.
  Make(Top(2), 2, 8);
  DragCard(Column(1)[1], int(Top(2)->x), int(Top(2)->y));
  Settle();
  EXPECT_EQ(Column(1).size(), 1u);
  ASSERT_EQ(Column(2).size(), 5u);
  EXPECT_EQ(Column(2)[3]->ToString(), "S7");
  EXPECT_EQ(Column(2)[4]->ToString(), "H6");
  EXPECT_EQ(Column(1)[0]->Opened, 1); // the card the run left turned up
  // Only a king takes the free column.
  const auto queen = Top(3);
  Make(queen, 4, 12);
  DragCard(queen, 120, 205);
  Settle();
  EXPECT_EQ(mode->LastSoundPlayed, "invalid");
  EXPECT_EQ(Top(3), queen);
  Make(queen, 4, 13);
  DragCard(queen, 120, 205);
  Settle();
  EXPECT_EQ(Top(0), queen);
  EXPECT_EQ(mode->EmptyColumnCard[0]->HasCardsOnTop, 1);
}

TEST_F(KlondikeTest, RefusedDropFliesHomeAndPlaysInvalid) {
  Make(Top(3), 1, 9);
  Make(Top(4), 2, 10); // red on red
  const auto card = Top(3);
  const float homeX = card->x, homeY = card->y;
  DragCard(card, int(Top(4)->x), int(Top(4)->y));
  EXPECT_EQ(mode->LastSoundPlayed, "invalid");
  EXPECT_EQ(card->IsMoving, 1);
  EXPECT_EQ(mode->IsDraggingCardsMoving, 1);
  Tick(50);
  EXPECT_EQ(card->IsMoving, 0);
  EXPECT_EQ(mode->IsDraggingCardsMoving, 0); // cards can be picked up again
  EXPECT_FLOAT_EQ(card->x, homeX);
  EXPECT_FLOAT_EQ(card->y, homeY);
  EXPECT_FALSE(mode->UndoList && !mode->UndoList->empty());
}

TEST_F(KlondikeTest, DoubleClickedAceFliesToTheFirstFreeFoundationAndScores) {
  const auto ace = Top(2);
  Make(ace, 4, 1);
  Make(Column(2)[1], 2, 9); // what it uncovers
  const auto covered = Column(5)[2];
  Make(covered, 3, 1);
  DoubleClick(int(covered->x), int(covered->y)); // covered: nothing happens
  EXPECT_EQ(covered->IsMoving, 0);
  Tick(110);
  DoubleClick(int(ace->x), int(ace->y));
  EXPECT_EQ(ace->IsMoving, 1);
  Tick(100);
  EXPECT_EQ(mode->Foundation[0]->ToString(), "C1");
  EXPECT_EQ(mode->Foundation[0]->CardType, 3);
  EXPECT_EQ(mode->Cards->IndexOf(ace.get()), -1);
  EXPECT_EQ(Top(2)->Opened, 1);
  EXPECT_EQ(mode->LastSoundPlayed, "buttonclick3");
  EXPECT_EQ(GamePlay->Score + GamePlay->ScoreAdder, 50);
  Tick(60); // the shown score counts one point a tick
  EXPECT_EQ(Score(), 50);
  // Undo costs 60: the score falls to 0, never below.
  EXPECT_EQ(mode->Undo(), 1);
  Tick(80);
  EXPECT_EQ(Score(), 0);
  EXPECT_EQ(GamePlay->ScoreAdder, 0);
  EXPECT_EQ(mode->Foundation[0]->CardNumber, 0);
  EXPECT_EQ(Top(2)->ToString(), "C1");
}

TEST_F(KlondikeTest, StockTurnsOneCardAndRecyclesInTheOrderTurned) {
  auto& stock = *mode->Stock;
  const std::string firstTurned = stock.Cards->ValueAtIndex(23)->ToString();
  Click(230, 70);
  Tick(70);
  ASSERT_TRUE(stock.StockCardTop);
  EXPECT_EQ(stock.StockCardTop->ToString(), firstTurned);
  EXPECT_EQ(stock.Cards->CurrentPosition, 22);
  MoveMouse(700, 500); // D turns wherever the pointer is
  for (int i = 0; i < 23; ++i) {
    TapKey("D");
    Tick(70);
  }
  EXPECT_EQ(stock.Cards->CurrentPosition, -1);
  EXPECT_EQ(stock.StockCardTop->ToString(), stock.Cards->ValueAtIndex(0)->ToString());
  EXPECT_FALSE(mode->UndoList && !mode->UndoList->empty()); // turning records nothing
  Tick(110);
  Click(230, 70); // the empty stock place sends the waste back
  Settle();
  EXPECT_EQ(stock.Cards->CurrentPosition, 23);
  EXPECT_FALSE(stock.StockCardTop);
  TapKey("D");
  Tick(70);
  EXPECT_EQ(stock.StockCardTop->ToString(), firstTurned);
}

TEST_F(KlondikeTest, DPressedWhileTheStockCannotTurnIsNotKeptForLater) {
  auto& stock = *mode->Stock;
  MoveMouse(700, 500);
  // A second press while the first card still flies turns nothing, then or later.
  TapKey("D");
  Tick(10);
  TapKey("D");
  Settle();
  EXPECT_EQ(stock.Cards->CurrentPosition, 22);
  while (stock.Cards->CurrentPosition >= 0) {
    TapKey("D");
    Tick(70);
  }
  Settle();
  // A press while the waste goes back leaves the stock face down once it is back.
  TapKey("D");
  Tick(10);
  ASSERT_TRUE(stock.StockCardTop && stock.StockCardTop->IsMoving);
  TapKey("D");
  Settle();
  EXPECT_EQ(stock.Cards->CurrentPosition, 23);
  EXPECT_FALSE(stock.StockCardTop);
  // A press during the deal turns nothing once it is dealt.
  mode->Seed(2);
  ASSERT_EQ(mode->Init(layout, 0), 1);
  Tick(10);
  TapKey("D");
  Settle();
  EXPECT_EQ(mode->Stock->Cards->CurrentPosition, 23);
  EXPECT_FALSE(mode->Stock->StockCardTop);
}

TEST_F(KlondikeTest, WasteTopPlaysOntoTheTableauAndTheNextCardShows) {
  auto& stock = *mode->Stock;
  TapKey("D");
  Tick(70);
  TapKey("D");
  Tick(70);
  const std::string below = stock.Cards->ValueAtIndex(stock.Cards->CurrentPosition + 2)->ToString();
  Make(stock.StockCardTop, 1, 5);
  Make(stock.Cards->ValueAtIndex(stock.Cards->CurrentPosition + 1), 1, 5);
  Make(Top(6), 4, 6);
  Settle();
  DragFrom(330, 70, int(Top(6)->x), int(Top(6)->y));
  Settle();
  EXPECT_EQ(Top(6)->ToString(), "H5");
  EXPECT_EQ(stock.Cards->Count(), 23);
  EXPECT_EQ(stock.StockCardTop->ToString(), below);
}

TEST_F(KlondikeTest, PlayingTheOnlyWasteCardTurnsTheNextAndARefusedDoubleClickChangesNothing) {
  auto& stock = *mode->Stock;
  TapKey("D");
  Tick(70);
  const std::string next = stock.Cards->ValueAtIndex(22)->ToString();
  Swap(stock.Cards->ValueAtIndex(23), 2, 1);
  Make(stock.StockCardTop, 2, 1);
  Settle();
  DoubleClick(330, 70);
  Settle();
  EXPECT_EQ(mode->Foundation[0]->ToString(), "D1");
  ASSERT_TRUE(stock.StockCardTop);
  EXPECT_EQ(stock.StockCardTop->ToString(), next); // turned by itself
  EXPECT_EQ(stock.Cards->CurrentPosition, 21);
  // A waste top no foundation takes: "invalid", and the stock stays as it is.
  Swap(stock.Cards->ValueAtIndex(22), 3, 9);
  Make(stock.StockCardTop, 3, 9);
  DoubleClick(330, 70);
  Settle();
  EXPECT_EQ(mode->LastSoundPlayed, "invalid");
  EXPECT_EQ(stock.StockCardTop->ToString(), "S9");
  EXPECT_EQ(stock.Cards->Count(), 23);
}

TEST_F(KlondikeTest, UndoWaitsForFlightsAndDragsAndRestoresTheTableExactly) {
  const std::string dealt = Saved("dealt");
  EXPECT_EQ(mode->Undo(), 0); // nothing to undo after the deal
  Make(Top(2), 4, 1);
  const std::string before = Saved("before");
  DoubleClick(int(Top(2)->x), int(Top(2)->y));
  Tick(10);
  EXPECT_EQ(mode->Undo(), 0); // in flight: an undo now would leave the card flying for ever
  EXPECT_EQ(mode->CanSaveGame(), 0);
  EXPECT_EQ(mode->SaveGame(folder.File("mid")), 0);
  Tick(100);
  EXPECT_EQ(mode->Undo(), 1);
  Settle();
  // Cards can still be picked up, and the table is as it was (the score aside).
  EXPECT_EQ(mode->IsDraggingCardsMoving, 0);
  auto body = [](const std::string& text) { return text.substr(text.find("\r\n", text.find("\r\n") + 2)); };
  EXPECT_EQ(body(Saved("after")).substr(3), body(before).substr(3));
  // While a run is held, undo waits too.
  Make(Top(0), 1, 6);
  Make(Top(1), 3, 7);
  DragCard(Top(0), int(Top(1)->x), int(Top(1)->y));
  Settle();
  PickUp(Top(1));
  ASSERT_TRUE(mode->DraggingCards);
  EXPECT_EQ(mode->Undo(), 0);
  ReleaseButton();
  Settle();
  EXPECT_EQ(mode->Undo(), 1);
  Settle();
  (void)dealt;
}

TEST_F(KlondikeTest, RestartShuffleAndLoadDropEveryHalfDoneMove) {
  Make(Top(2), 4, 1);
  DoubleClick(int(Top(2)->x), int(Top(2)->y));
  Tick(10);
  ASSERT_EQ(mode->IsDraggingCardsMoving, 1);
  mode->Reset();
  EXPECT_EQ(mode->IsDraggingCardsMoving, 0);
  Settle();
  // A card can be picked up again.
  PickUp(Top(6));
  ASSERT_TRUE(mode->DraggingCards);
  mode->Shuffle(); // with a run in the hand
  EXPECT_FALSE(mode->DraggingCards);
  EXPECT_EQ(mode->HoldingMouseDown, 0);
  ReleaseButton();
  Settle();
  for (const auto& c : *mode->Cards) EXPECT_EQ(c->Dragging, 0);
}

TEST_F(KlondikeTest, AutoCompleteShowsOnceAllIsFaceUpScores50ACardAndWins) {
  EXPECT_FALSE(mode->AutoCompleteButton);
  for (const auto& card : *mode->Cards) card->Opened = 1;
  mode->CheckAutoComplete();
  ASSERT_TRUE(mode->AutoCompleteButton);
  const auto& button = *mode->AutoCompleteButton;
  EXPECT_FLOAT_EQ(button.x, 336);
  EXPECT_FLOAT_EQ(button.y, 538);
  Click(int(button.x) + 20, int(button.y) + 10);
  EXPECT_EQ(mode->DoingAutoCompleteAnimation, 1);
  EXPECT_EQ(mode->Stock->Cards->Count(), 0);
  ASSERT_TRUE(TickUntil([&] { return mode->AutoCompleteAnimationFinished == 1; }, 28 * 30));
  EXPECT_EQ(mode->IsGameFinished(), 1);
  EXPECT_EQ(GamePlay->Score + GamePlay->ScoreAdder, 52 * 50);
  EXPECT_FALSE(mode->AutoCompleteButton);
}

TEST_F(KlondikeTest, UndoOrRestartDuringAutoCompleteDeclaresNoWin) {
  Make(Top(0), 1, 6);
  Make(Top(1), 3, 7);
  DragCard(Top(0), int(Top(1)->x), int(Top(1)->y));
  Settle();
  for (const auto& card : *mode->Cards) card->Opened = 1;
  mode->CheckAutoComplete();
  mode->StartAutoCompleteAnimation();
  Tick(40);
  EXPECT_EQ(mode->Undo(), 0);
  mode->Reset();
  Settle();
  Tick(2000);
  EXPECT_EQ(mode->IsGameFinished(), 0);
  EXPECT_EQ(mode->Cards->Count(), 28);
  EXPECT_EQ(mode->Stock->Cards->Count(), 24);
  EXPECT_EQ(mode->DoingAutoCompleteAnimation, 0);
}

TEST_F(KlondikeTest, NewDealDropsPointsStillCountingUpButASaveKeepsThem) {
  Make(Top(2), 4, 1);
  DoubleClick(int(Top(2)->x), int(Top(2)->y));
  Tick(110);
  ASSERT_GT(GamePlay->ScoreAdder, 0);
  const int32_t total = Score() + GamePlay->ScoreAdder;
  EXPECT_EQ(Lines(Saved("counting"))[2], std::to_string(total));
  mode->Shuffle();
  EXPECT_EQ(Score(), 0);
  EXPECT_EQ(GamePlay->ScoreAdder, 0);
  Settle();
  EXPECT_EQ(Score(), 0);
}

TEST_F(KlondikeTest, HintShowsAFoundationMoveFirstAndNoMovesLeftOnlyWithout) {
  for (int c = 0; c < 7; ++c) Make(Top(c), 1 + c % 2 * 2, 9 + c % 2); // red 9s and black 10s: tableau moves only
  Make(Top(4), 2, 1);
  mode->ResetHintTimer(100);
  Tick(21);
  ASSERT_TRUE(mode->CurrentHint);
  EXPECT_EQ(mode->CurrentHint->FirstCard, Top(4));
  EXPECT_EQ(mode->CurrentHint->SecondCard, mode->Foundation[0]);
  EXPECT_EQ(Top(4)->DoDrawHint, 1);
  EXPECT_EQ(mode->LastSoundPlayed, "hint1");
  Tick(1100);
  EXPECT_EQ(Top(4)->DoDrawHint, 0); // the glow is over
  // A table where nothing goes anywhere: every card a king.
  for (const auto& card : *mode->Cards) Make(card, 3, 13);
  for (const auto& card : *mode->Stock->Cards) Make(card, 3, 13);
  for (const auto& place : mode->EmptyColumnCard) place->HasCardsOnTop = 1;
  mode->CreateHints();
  EXPECT_TRUE(mode->ShowsNoMovesLeft());
  mode->ResetHintTimer(100);
  Tick(30);
  EXPECT_FALSE(mode->CurrentHint);
}

// ---- Saved games -------------------------------------------------------------

TEST_F(KlondikeTest, SavedGameRightAfterTheDealHoldsTwoEqualSections) {
  const auto lines = Lines(Saved("fresh"));
  ASSERT_EQ(lines.size(), 3u + 2 * (3 + 4 + 1 + 24 + 1 + 28) + 1);
  EXPECT_EQ(lines[0], "Marrowdeck Klondike Savegame");
  EXPECT_EQ(lines[2], "0");
  EXPECT_EQ(lines[3], "23");
  EXPECT_EQ(lines[4], "1,1,1,1,1,1,1");
  EXPECT_EQ(lines[5], "-");
  EXPECT_EQ(lines[6], "460,70,0,0,1,0.00000000");
  EXPECT_EQ(lines[11], "115,70,4,12,0,0.00000000"); // seed 1's first stock card
  const size_t half = (lines.size() - 3 + 1) / 2;
  EXPECT_EQ(lines[3 + half - 1], "-");
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 3, lines.begin() + 3 + half - 1),
            std::vector<std::string>(lines.begin() + 3 + half, lines.end()));
}

TEST_F(KlondikeTest, SaveAndLoadRoundTripFromSeveralPositions) {
  // After stock turns, a foundation move and with a tilted card.
  TapKey("D");
  Tick(70);
  TapKey("D");
  Tick(70);
  Swap(Top(2), 4, 1);
  DoubleClick(int(Top(2)->x), int(Top(2)->y));
  Settle();
  Top(5)->RotationAngle = -12.5f;
  const std::string text = Saved("played");
  auto loaded = std::make_shared<TGameModeKlondike>();
  ASSERT_EQ(loaded->LoadGame(folder.File("played.ksave")), 1) << loaded->FileMessage;
  GamePlay->GameMode = loaded;
  ASSERT_TRUE(TickUntil([&] { return !loaded->IsBusy(); }, 5000));
  EXPECT_EQ(loaded->Stock->Cards->CurrentPosition, 21);
  EXPECT_EQ(loaded->Stock->StockCardTop->ToString(), mode->Stock->StockCardTop->ToString());
  EXPECT_EQ(loaded->Foundation[0]->CardType, 3);
  bool tilted = false;
  for (const auto& card : *loaded->Cards) tilted |= card->RotationAngle == -12.5f;
  EXPECT_TRUE(tilted); // read as the float it was, not cut to -12
  std::string again;
  ASSERT_EQ(loaded->SaveGame(folder.File("again")), 1);
  ASSERT_TRUE(platform::ReadWholeFile(folder.File("again.ksave"), again));
  auto body = [](const std::string& t) { return t.substr(t.find("\r\n", t.find("\r\n") + 2)); };
  EXPECT_EQ(body(again), body(text));
  // A restart goes back to the saved deal; there is nothing to undo.
  EXPECT_EQ(loaded->Undo(), 0);
  loaded->Reset();
  ASSERT_TRUE(TickUntil([&] { return !loaded->IsBusy(); }, 5000));
  EXPECT_EQ(loaded->Stock->Cards->CurrentPosition, 23);
  EXPECT_EQ(loaded->Foundation[0]->CardNumber, 0);
}

// A quick hand is well past the card by the tick that sees the drag begin:
// the card is taken from where the button went down, also on a table loaded
// while a refused drop was still flying home.
TEST_F(KlondikeTest, AQuickFlickTakesTheCardPressedOnAlsoRightAfterALoad) {
  Saved("position");
  Make(Top(3), 1, 9);
  Make(Top(4), 2, 10);
  DragCard(Top(3), int(Top(4)->x), int(Top(4)->y));
  ASSERT_EQ(mode->IsDraggingCardsMoving, 1);
  ASSERT_EQ(mode->LoadGame(folder.File("position.ksave")), 1) << mode->FileMessage;
  Settle();
  auto flick = [&](int x, int y, int toX, int toY) {
    MoveMouse(x, y);
    Tick();
    PressButton();
    Tick(2);
    MoveMouse(toX, toY);
    Tick();
  };
  const auto king = Top(0);
  flick(int(king->x), int(king->y) - 38, int(king->x) - 60, int(king->y) - 28); // off the card, left of the table
  ASSERT_TRUE(mode->DraggingCards);
  EXPECT_EQ(mode->DraggingCards->First(), king);
  ReleaseButton();
  Settle();
  // The turned-up stock card likewise.
  TapKey("D");
  Tick(70);
  ASSERT_TRUE(mode->Stock->StockCardTop);
  flick(int(TStock::WasteX), int(TStock::WasteY), int(TStock::WasteX), int(TStock::WasteY) + 70);
  ASSERT_TRUE(mode->DraggingCards);
  EXPECT_EQ(mode->DraggingCards->First(), mode->Stock->StockCardTop);
  ReleaseButton();
  Settle();
  // A press on the bare table that sweeps onto a card takes nothing.
  flick(int(king->x) - 60, int(king->y), int(king->x), int(king->y));
  EXPECT_FALSE(mode->DraggingCards);
  Tick(5);
  EXPECT_FALSE(mode->DraggingCards);
  ReleaseButton();
}

TEST_F(KlondikeTest, SavedTimeLeavesOutThePause) {
  StartLevelTimer();
  Wait(10000);
  PauseLevelTimer();
  Wait(60000);
  EXPECT_EQ(Lines(Saved("paused"))[1], "10000");
  ResumeLevelTimer();
  Wait(500);
  auto loaded = std::make_shared<TGameModeKlondike>();
  ASSERT_EQ(loaded->LoadGame(folder.File("paused.ksave")), 1);
  EXPECT_EQ(LevelElapsedMs(), 10000); // the timer goes on where it stopped
}

TEST_F(KlondikeTest, DamagedSavedGamesAreRefusedAndLeaveTheGameAlone) {
  const std::string good = Saved("good");
  auto lines = Lines(good);
  auto join = [](const std::vector<std::string>& ls) {
    std::string t;
    for (const auto& l : ls) t += l + "\r\n";
    return t;
  };
  auto with = [&](size_t index, const std::string& line) {
    auto copy = lines;
    copy[index] = line;
    return join(copy);
  };
  const size_t firstStock = 11, currentP = 3 + 3 + 4 + 1 + 24 + 1 + 28 + 1;
  std::string manyLines = good;
  for (int i = 0; i < 10000; ++i) manyLines += "120,205,1,1,1,0\r\n";
  auto duplicated = lines;
  duplicated[firstStock + 1] = duplicated[firstStock];
  const std::vector<std::pair<const char*, std::string>> damaged = {
      {"P 99", with(currentP, "99")},
      {"P -7", with(currentP, "-7")},
      {"rank 14", with(firstStock, "115,70,3,14,0,0")},
      {"suit 7", with(firstStock, "115,70,7,10,0,0")},
      {"suit without rank", with(firstStock, "115,70,3,0,0,0")},
      {"opened 2", with(firstStock, "115,70,3,10,2,0")},
      {"a card twice", join(duplicated)},
      {"truncated", good.substr(0, good.size() / 2)},
      {"cut mid-line", good.substr(0, good.size() - 9)},
      {"10,000 card lines", manyLines},
      {"empty", ""},
  };
  Swap(Top(3), 1, 1);
  const std::string before = Saved("before");
  for (const auto& [what, bytes] : damaged) {
    folder.Write("bad.ksave", bytes);
    EXPECT_EQ(mode->LoadGame(folder.File("bad.ksave")), 0) << what;
    EXPECT_NE(mode->FileMessage.find(folder.File("bad.ksave") + "'"), std::string::npos) << what;
    EXPECT_EQ(Saved("unchanged"), before) << what;
  }
  EXPECT_EQ(mode->LoadGame(folder.File("missing.ksave")), 0);
  EXPECT_EQ(mode->LoadGame(folder.File("good.ksave")), 1);
  EXPECT_EQ(mode->FileMessage, "");
}

TEST_F(KlondikeTest, ShortLinesReadAsFlagsOccupiedAndCardsStraight) {
  auto lines = Lines(Saved("short"));
  const size_t current = 3 + 3 + 4 + 1 + 24 + 1 + 28 + 1;
  lines[current + 1] = "0,1,1,1,1,1"; // six flags: the seventh column is occupied
  std::string& last = lines.back();
  last = last.substr(0, last.rfind(',')); // five fields: no angle
  std::string text;
  for (const auto& l : lines) text += l + "\r\n";
  folder.Write("short2.ksave", text);
  ASSERT_EQ(mode->LoadGame(folder.File("short2.ksave")), 1) << mode->FileMessage;
  EXPECT_EQ(mode->EmptyColumnCard[0]->HasCardsOnTop, 0);
  EXPECT_EQ(mode->EmptyColumnCard[6]->HasCardsOnTop, 1);
  EXPECT_EQ(mode->Cards->Last()->RotationAngle, 0.0f);
}

TEST_F(KlondikeTest, SaveIsWrittenWholeOrFailsWithItsMessage) {
  Saved("whole");
  EXPECT_EQ(platform::ListFolder(folder.Path()), std::vector<std::string>{"whole.ksave"}); // no temporary left
  const std::string unwritable = folder.File("no/such/folder/game");
  EXPECT_EQ(mode->SaveGame(unwritable), 0);
  EXPECT_NE(mode->FileMessage.find(unwritable + ".ksave'"), std::string::npos) << mode->FileMessage;
}

} // namespace

namespace {

// The table drawn on the headless surface through the deal, play, a drag and
// a score pop-up; saved as klondike_table.png beside the test binary.
class KlondikeDrawTest : public KlondikeTest {
protected:
  platform::Pixmap Frame() {
    platform::SetClsColor(0, 90, 40);
    platform::Cls();
    mode->Draw();
    platform::FinishDrawing();
    platform::Pixmap frame;
    EXPECT_TRUE(platform::GrabBackBuffer(frame));
    return frame;
  }
  static bool IsFelt(const platform::Pixmap& frame, int x, int y) {
    const uint8_t* p = frame.Pixel(x, y);
    return p[0] == 0 && p[1] == 90 && p[2] == 40;
  }
};

TEST_F(KlondikeDrawTest, TableDealDragAndPopupAreDrawn) {
  mode->Shuffle();
  Tick(26 * 3 + 5);
  auto dealing = Frame();
  EXPECT_FALSE(IsFelt(dealing, 230, 70));  // the pile the deal flies from
  EXPECT_FALSE(IsFelt(dealing, 120, 205)); // the first card dealt
  EXPECT_TRUE(IsFelt(dealing, 660, 325));  // not yet the last
  Settle();
  Swap(Top(2), 4, 1);
  DoubleClick(int(Top(2)->x), int(Top(2)->y));
  Settle();
  // Hold the last column's top card over the felt below the table.
  PickUp(Top(6));
  MoveMouse(400, 480);
  Tick();
  ASSERT_TRUE(mode->DraggingCards);
  mode->ScorePlus(460, 70);
  Tick(20);
  auto frame = Frame();
  ASSERT_TRUE(platform::SavePng(frame, "klondike_table.png"));
  EXPECT_FALSE(IsFelt(frame, 400, 480 + 38)); // the held card under the pointer
  EXPECT_FALSE(IsFelt(frame, 460, 70));       // the foundation with its ace
  EXPECT_FALSE(IsFelt(frame, 230, 70));       // the stock
  ReleaseButton();
  Settle();
}

} // namespace
