#include "solitaire/TGameModeMatching.h"

#include "MatchingPlay.h"
#include "platform/Files.h"
#include "solitaire/LevelTimer.h"
#include "solitaire/TLayoutSaveFile.h"
#include "solitaire/TMatchingHint.h"
#include "solitaire/TMatchingUndo.h"
#include "solitaire/VictoryParticles.h"

#include <algorithm>
#include <set>

namespace {

class MatchingModeTest : public MatchingPlay {
protected:
  // `count` separate layout cards numbered by `numbers` (cycled), the whole
  // stock Kings: the layout pairs only as the numbers allow.
  void Table(int count, std::vector<int> numbers, uint32_t seed = 5) {
    Start(SeparateCards(count), seed);
    for (int i = 0; i < count; ++i) SetRank(LayoutCard(i), numbers[size_t(i) % numbers.size()]);
    for (const auto& card : *mode->Stock->Cards) SetRank(card, 13);
    mode->CreateHints();
  }
  void Match(const std::shared_ptr<TCard>& a, const std::shared_ptr<TCard>& b) {
    Click(a);
    Click(b);
    Settle();
  }
  std::shared_ptr<TCard> StockCard(int index) { return mode->Stock->Cards->ValueAtIndex(index); }
  void RunUntilFinished(int maxTicks = 20000) {
    for (int i = 0; i < maxTicks; ++i) {
      if (mode->IsGameFinished()) return;
      mode->Logic();
    }
    FAIL() << "never finished";
  }
};

TEST_F(MatchingModeTest, ADealGivesOutOneDeckWithNoOpenStockCard) {
  Start(MatchingLayout(1), 1);
  const int layout = mode->Cards->Count();
  EXPECT_EQ(mode->GetNumberOfStocks(), 1);
  EXPECT_EQ(mode->Stock->Cards->Count(), 52 - layout);
  EXPECT_EQ(mode->Stock->Cards->CurrentPosition, 52 - layout - 1);
  EXPECT_FALSE(mode->Stock->StockCard1);
  EXPECT_FALSE(mode->Stock->StockCard2);
  std::set<std::string> cards;
  for (const auto& card : *mode->Cards) cards.insert(card->ToString());
  for (const auto& card : *mode->Stock->Cards) cards.insert(card->ToString());
  EXPECT_EQ(cards.size(), 52u);
  for (const auto& card : *mode->Cards) EXPECT_EQ(card->Opened, card->HasCardsOnTop ? 0 : 1);
  EXPECT_EQ(mode->GetHighscoreList(), GamePlay->HighscoreListMatching);
}

TEST_F(MatchingModeTest, CardsMatchByNumberAloneAndNeverThemselves) {
  auto a = TCard::Create(Back(), 0, 0), b = TCard::Create(Back(), 0, 0);
  a->CardNumber = b->CardNumber = 13, a->CardSuit = 1, b->CardSuit = 4;
  EXPECT_EQ(mode->CheckIfMatchingCards(a, b), 1); // two Kings of different suits
  b->CardSuit = 1;
  EXPECT_EQ(mode->CheckIfMatchingCards(a, b), 1); // the same card of two decks
  EXPECT_EQ(mode->CheckIfMatchingCards(a, a), 0);
  b->CardNumber = 12;
  EXPECT_EQ(mode->CheckIfMatchingCards(a, b), 0);
}

TEST_F(MatchingModeTest, SelectingMatchingAndMovingTheSelection) {
  Table(4, {3, 3, 7, 9});
  Click(LayoutCard(2));
  EXPECT_EQ(mode->MarkedCard1, LayoutCard(2));
  Click(LayoutCard(2)); // the selected card again: it stays selected
  EXPECT_EQ(mode->MarkedCard1, LayoutCard(2));
  Click(LayoutCard(0)); // no match: the new card is the selection
  EXPECT_EQ(mode->MarkedCard1, LayoutCard(0));
  EXPECT_EQ(mode->Cards->Count(), 4);
  Click(LayoutCard(1));
  EXPECT_FALSE(mode->MarkedCard1);
  Settle();
  EXPECT_EQ(mode->Cards->Count(), 2);
  EXPECT_EQ(GamePlay->Score, 50); // only the first card of a pair scores
}

TEST_F(MatchingModeTest, TheThirdMatchOfAStreakLaunchesTheFirstBonusAndAPauseEndsIt) {
  Table(8, {1, 1, 2, 2, 3, 3, 4, 4});
  Match(LayoutCard(0), LayoutCard(1));
  Match(LayoutCard(0), LayoutCard(1));
  EXPECT_TRUE(mode->BonusList.empty());
  EXPECT_EQ(mode->IsNextMatchBonus(), 1);
  Click(LayoutCard(0));
  Click(LayoutCard(1));
  EXPECT_EQ(mode->BonusList.size(), 1u);
  EXPECT_EQ(mode->BonusCounter, 3);
  Settle();
  Tick(400);
  EXPECT_EQ(GamePlay->Score, 200);
  Tick(800); // 4000 ms without a match
  EXPECT_EQ(mode->BonusCounter, 0);
  EXPECT_EQ(mode->BonusTotalPoints, 50);
  EXPECT_TRUE(mode->BonusEndAnimation);
  EXPECT_FALSE(mode->BonusAnimation);
}

TEST_F(MatchingModeTest, AStreakOfEightPlaysTheApplauseAndShowsTheFireworks) {
  Table(16, {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8});
  VictoryParticles.reset();
  for (int i = 0; i < 8; ++i) Match(LayoutCard(0), LayoutCard(1));
  EXPECT_TRUE(mode->Cards->IsEmpty());
  EXPECT_FALSE(VictoryParticles);
  RunUntilFinished();
  EXPECT_TRUE(VictoryParticles); // a new, empty fireworks list
  EXPECT_EQ(mode->BonusTotalPoints, 50 * 8 - 100);
  Tick(800);
  EXPECT_EQ(GamePlay->Score, 8 * 50 + 6 * 50);
}

TEST_F(MatchingModeTest, UndoAfterTheThirdMatchTakesBackOneHundredAndTenAndEndsTheStreak) {
  Table(8, {1, 1, 2, 2, 3, 3, 4, 4});
  for (int i = 0; i < 3; ++i) Match(LayoutCard(0), LayoutCard(1));
  Tick(400);
  ASSERT_EQ(GamePlay->Score, 200);
  ASSERT_EQ(mode->Undo(), 1);
  EXPECT_EQ(mode->BonusCounter, 0);
  EXPECT_FALSE(mode->BonusAnimation);
  EXPECT_EQ(mode->Cards->Count(), 4);
  EXPECT_FALSE(mode->MarkedCard1);
  Settle();
  EXPECT_EQ(GamePlay->Score, 90);
  ASSERT_EQ(mode->Undo(), 1);
  Settle();
  EXPECT_EQ(GamePlay->Score, 30);
}

TEST_F(MatchingModeTest, UndoWaitsWhileACardFliesAndWhileDealing) {
  Table(4, {5, 5, 6, 6});
  Click(LayoutCard(0));
  Click(LayoutCard(1));
  EXPECT_EQ(mode->Undo(), 0);
  Settle();
  ASSERT_EQ(mode->UndoList->size(), 1u);
  mode->Reset();
  EXPECT_EQ(mode->Undo(), 0); // a restart forgets the matches
  Settle();
  SetRank(LayoutCard(0), 5);
  SetRank(LayoutCard(1), 5);
  Match(LayoutCard(0), LayoutCard(1));
  ASSERT_EQ(mode->UndoList->size(), 1u);
  mode->StartDealAnimation();
  EXPECT_EQ(mode->Undo(), 0);
  Settle();
  EXPECT_EQ(mode->Undo(), 1);
}

TEST_F(MatchingModeTest, TheStockTurnsTwoCardsAndATurnClearsTheSelection) {
  Table(4, {1, 2, 3, 4});
  const int top = mode->Stock->Cards->CurrentPosition;
  const auto first = StockCard(top), second = StockCard(top - 1);
  Click(LayoutCard(0));
  ASSERT_TRUE(mode->MarkedCard1);
  Turn();
  EXPECT_FALSE(mode->MarkedCard1);
  EXPECT_EQ(mode->Stock->StockCard1, first);
  EXPECT_EQ(mode->Stock->StockCard2, second);
  EXPECT_FLOAT_EQ(first->x, 330);
  EXPECT_FLOAT_EQ(second->x, 420);
  EXPECT_EQ(mode->Stock->Cards->CurrentPosition, top - 2);
  // Both open cards pair: both fly, the first selected scores, older turned cards come back.
  Turn();
  SetRank(mode->Stock->StockCard1, 9);
  SetRank(mode->Stock->StockCard2, 9);
  Match(mode->Stock->StockCard2, mode->Stock->StockCard1);
  EXPECT_EQ(GamePlay->Score, 50);
  EXPECT_EQ(mode->Stock->Cards->Count(), 48 - 2);
  EXPECT_EQ(mode->Stock->StockCard1, first);
  EXPECT_EQ(mode->Stock->StockCard2, second);
}

TEST_F(MatchingModeTest, RecyclingTurnsEveryCardFaceDownAgainAsOftenAsWanted) {
  Table(50, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  ASSERT_EQ(mode->Stock->Cards->Count(), 2);
  for (int round = 0; round < 3; ++round) {
    Turn();
    EXPECT_EQ(mode->Stock->Cards->CurrentPosition, -1);
    ASSERT_TRUE(mode->Stock->StockCard1);
    ASSERT_TRUE(mode->Stock->StockCard2);
    PressD(); // the empty place: both open cards go back
    EXPECT_EQ(mode->Stock->StockCard1->AnimationType, 4);
    EXPECT_EQ(mode->Stock->StockCard2->AnimationType, 5);
    Settle();
    EXPECT_EQ(mode->Stock->Cards->CurrentPosition, 1);
    EXPECT_FALSE(mode->Stock->StockCard1);
    EXPECT_FALSE(mode->Stock->StockCard2);
  }
  // One card left in the whole stock: only the marker from (330, 70) flies.
  SetRank(LayoutCard(0), 13);
  Turn();
  Match(mode->Stock->StockCard1, LayoutCard(0));
  ASSERT_EQ(mode->Stock->Cards->Count(), 1);
  PressD();
  ASSERT_TRUE(mode->Stock->StockCard1);
  EXPECT_EQ(mode->Stock->StockCard1->AnimationType, 4);
  EXPECT_FALSE(mode->Stock->StockCard2);
  Settle();
  EXPECT_EQ(mode->Stock->Cards->CurrentPosition, 0);
}

// A selected open card that goes back into the pile can no longer be matched,
// and the pile stays whole.
TEST_F(MatchingModeTest, RecyclingClearsTheSelection) {
  Table(50, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  Turn();
  SetRank(LayoutCard(0), 13);
  Click(mode->Stock->StockCard1);
  ASSERT_EQ(mode->MarkedCard1->Cards, mode->Stock->Cards.get());
  PressD();
  EXPECT_FALSE(mode->MarkedCard1);
  Settle();
  Click(LayoutCard(0));
  Settle();
  EXPECT_EQ(mode->Stock->Cards->Count(), 2);
  EXPECT_EQ(mode->Stock->Cards->CurrentPosition, 1);
  Turn();
  EXPECT_TRUE(mode->Stock->StockCard1);
  EXPECT_TRUE(mode->Stock->StockCard2);
}

// After an undo the open cards lie the other way round in the list; a
// single-card turn and a match must not show one card in both places.
TEST_F(MatchingModeTest, AfterUndoARefillNeverShowsACardTwice) {
  Table(5, {1, 2, 3, 4, 12}); // an odd layout: an odd stock, so one face-down card can be left
  while (mode->Stock->Cards->CurrentPosition > 0) Turn();
  ASSERT_EQ(mode->Stock->Cards->CurrentPosition, 0);
  SetRank(LayoutCard(0), 8);
  SetRank(mode->Stock->StockCard1, 8);
  Match(LayoutCard(0), mode->Stock->StockCard1);
  ASSERT_EQ(mode->Undo(), 1);
  Settle();
  // The undo shows the cards at CurrentPosition + 1 and + 2.
  ASSERT_EQ(mode->Stock->Cards->CurrentPosition, 0);
  EXPECT_EQ(mode->Stock->StockCard1, StockCard(1));
  EXPECT_EQ(mode->Stock->StockCard2, StockCard(2));
  const auto kept = mode->Stock->StockCard2;
  Turn(); // the last face-down card: only the (330, 70) place changes
  EXPECT_EQ(mode->Stock->StockCard2, kept);
  SetRank(mode->Stock->StockCard1, 6);
  SetRank(LayoutCard(1), 6);
  Match(mode->Stock->StockCard1, LayoutCard(1));
  EXPECT_NE(mode->Stock->StockCard1, mode->Stock->StockCard2);
  EXPECT_EQ(mode->Stock->StockCard2, kept);
}

// An undo and a saved game know the open cards only by their places in the
// stock list: the last pile card turned alone must leave the cards the
// player sees there, whichever place a match refilled before.
TEST_F(MatchingModeTest, UndoAndSavedGamesShowTheOpenCardsThePlayerHad) {
  // `b` made to pair with `a` by trading faces with another card of a's number: the deck stays whole.
  const auto pairWith = [&](const std::shared_ptr<TCard>& a, const std::shared_ptr<TCard>& b) {
    for (const auto* list : {mode->Cards.get(), mode->Stock->Cards.get()})
      for (const auto& card : *list)
        if (a->CardNumber != b->CardNumber && card != a && card->CardNumber == a->CardNumber) {
          std::swap(card->CardNumber, b->CardNumber);
          std::swap(card->CardSuit, b->CardSuit);
          card->UpdateCardImage();
          b->UpdateCardImage();
        }
  };
  const auto openPlaces = [&] {
    std::set<int> places;
    for (const auto& card : {mode->Stock->StockCard1, mode->Stock->StockCard2})
      if (card) places.insert(mode->Stock->Cards->IndexOf(card.get()));
    return places;
  };
  const auto expectKept = [&](const char* what) {
    const auto shown = openPlaces();
    ASSERT_FALSE(shown.empty()) << what;
    pairWith(LayoutCard(0), LayoutCard(1));
    Match(LayoutCard(0), LayoutCard(1));
    ASSERT_EQ(mode->Undo(), 1);
    Settle();
    EXPECT_EQ(openPlaces(), shown) << what << ", undone";
    ASSERT_EQ(mode->SaveGame(folder.File("open")), 1);
    ASSERT_EQ(mode->LoadGame(folder.File("open.msave")), 1);
    Settle();
    EXPECT_EQ(openPlaces(), shown) << what << ", loaded";
  };
  // A match on the second place refills it with the card behind the first one's.
  Start(SeparateCards(5), 5); // an odd stock: its last card turns alone
  while (mode->Stock->Cards->CurrentPosition > 0) Turn();
  pairWith(mode->Stock->StockCard2, LayoutCard(0));
  Match(mode->Stock->StockCard2, LayoutCard(0));
  Turn();
  expectKept("both places shown");
  // A match on the second place with no card left to refill it.
  Start(SeparateCards(49), 5); // three stock cards
  Turn();
  pairWith(mode->Stock->StockCard2, LayoutCard(0));
  Match(mode->Stock->StockCard2, LayoutCard(0));
  ASSERT_FALSE(mode->Stock->StockCard2);
  Turn();
  expectKept("the second place was empty");
}

TEST_F(MatchingModeTest, AClickOnAnOpenCardWhileThePileCardFliesIsIgnored) {
  Table(4, {1, 2, 3, 4});
  Turn();
  SetRank(mode->Stock->StockCard1, 2);
  PressD();
  Click(mode->Stock->StockCard1);
  EXPECT_FALSE(mode->MarkedCard1);
}

TEST_F(MatchingModeTest, UndoLeavingOneTurnedCardShowsItAloneAtTheFirstPlace) {
  Table(49, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}); // three stock cards
  SetRank(LayoutCard(0), 13);
  SetRank(LayoutCard(1), 13);
  Turn();
  Match(mode->Stock->StockCard2, LayoutCard(0));
  // One face-down card and one turned card above it.
  ASSERT_EQ(mode->Stock->Cards->CurrentPosition, 0);
  ASSERT_EQ(mode->Stock->Cards->Count(), 2);
  const std::string turned = mode->Stock->StockCard1->ToString();
  Match(mode->Stock->StockCard1, LayoutCard(0));
  ASSERT_EQ(mode->Undo(), 1);
  ASSERT_TRUE(mode->Stock->StockCard1);
  EXPECT_EQ(mode->Stock->StockCard1, StockCard(1));
  EXPECT_EQ(mode->Stock->StockCard1->ToString(), turned);
  EXPECT_FALSE(mode->Stock->StockCard2);
}

TEST_F(MatchingModeTest, OpenCardsMatchedAsTheLastPairFliesLandBeforeTheWin) {
  Table(2, {1});
  Turn(); // two Kings open: a pair of their own
  Click(LayoutCard(0));
  Click(LayoutCard(1));
  Tick(30);
  Click(mode->Stock->StockCard1);
  Click(mode->Stock->StockCard2); // they fly on after the last layout pair has landed
  int ticks = 0;
  while (!mode->IsGameFinished() && ticks < 5000) Tick(), ++ticks;
  ASSERT_LT(ticks, 5000);
  EXPECT_TRUE(mode->Cards->IsEmpty());
  EXPECT_TRUE(mode->Stock->MovingCards->IsEmpty()) << "the end-of-level message would hold them in mid-air";
  EXPECT_EQ(GamePlay->Score + GamePlay->ScoreAdder, 100) << "both pairs paid";
}

TEST_F(MatchingModeTest, HintsListEveryPairOpenToTheOpenCardsBeforeTheStock) {
  Table(6, {1, 2, 2, 4, 5, 6});
  ASSERT_EQ(mode->HintList->size(), 2u); // 2 with 2, both ways round
  Turn();
  SetRank(mode->Stock->StockCard1, 6);
  SetRank(mode->Stock->StockCard2, 6);
  mode->CreateHints();
  ASSERT_GE(mode->HintList->size(), 3u);
  EXPECT_EQ((*mode->HintList)[0]->FirstCard, mode->Stock->StockCard1);
  EXPECT_EQ((*mode->HintList)[0]->SecondCard, mode->Stock->StockCard2);
  // Only the stock holds partners: one hint per layout card that has one.
  Table(2, {1, 13});
  EXPECT_EQ(mode->HintList->size(), 1u);
  EXPECT_EQ((*mode->HintList)[0]->SecondCard, LayoutCard(1));
  EXPECT_EQ((*mode->HintList)[0]->FirstCard->CardNumber, 13);
  EXPECT_EQ(mode->IsNoMovesLeft(), 0);
  for (const auto& card : *mode->Stock->Cards) SetRank(card, 12);
  mode->CreateHints();
  EXPECT_EQ(mode->IsNoMovesLeft(), 1);
}

TEST_F(MatchingModeTest, AnOddLayoutIsDealtWithOneCardOfAPairInTheStock) {
  Start(SeparateCards(51), 3);
  ASSERT_EQ(mode->Stock->Cards->Count(), 1);
  const int number = StockCard(0)->CardNumber;
  int inLayout = 0;
  for (const auto& card : *mode->Cards) inLayout += card->CardNumber == number ? 1 : 0;
  EXPECT_EQ(inLayout, 3);
}

// A layout whose cards each lie on the one before cannot be dealt in pairs
// with no room in the stock: the deal gives up instead of running forever.
TEST_F(MatchingModeTest, ALayoutNoDealFitsStartsNoGame) {
  TCardList chain;
  FillRows(chain, 52, Back());
  ASSERT_EQ(chain.SaveCards(folder.File("chain.layout"), 0, 0), 1);
  mode->Random.Seed(1);
  EXPECT_EQ(mode->Init(folder.File("chain.layout"), 1), 0);
  TGameMode& session = *GamePlay->GameMode; // what the session asks, through the contract
  EXPECT_EQ(session.IsDealUnsolvable(), 1);
  EXPECT_EQ(mode->Dealer.Restarts, TMatchingDealer::MaxRestarts + 1);
  EXPECT_FALSE(mode->OriginalPuzzle);
  EXPECT_EQ(mode->DoingDealAnimation, 0);
  EXPECT_EQ(session.CanSaveGame(), 0);
  EXPECT_EQ(session.IsGameFinished(), 0);
  EXPECT_EQ(session.Shuffle(), 0); // a new deal of the same layout fails the same way
  EXPECT_EQ(session.IsDealUnsolvable(), 1);
  // A layout that can be dealt clears the failure.
  EXPECT_EQ(session.Init(SeparateCards(8), 0), 1);
  EXPECT_EQ(session.IsDealUnsolvable(), 0);
}

TEST_F(MatchingModeTest, NewDealsAndRestartsDropQueuedPointsAndBonuses) {
  Table(8, {1, 1, 2, 2, 3, 3, 4, 4});
  for (int i = 0; i < 2; ++i) Match(LayoutCard(0), LayoutCard(1));
  Click(LayoutCard(0));
  Click(LayoutCard(1));
  Tick(101);
  ASSERT_FALSE(mode->BonusList.empty());
  EXPECT_GT(GamePlay->ScoreAdder, 0);
  mode->Shuffle();
  EXPECT_TRUE(mode->BonusList.empty());
  EXPECT_FALSE(mode->BonusAnimation);
  EXPECT_EQ(GamePlay->ScoreAdder, 0);
  Settle();
  Tick(2000);
  EXPECT_EQ(GamePlay->Score, 0);
}

// ---- Saved games ----------------------------------------------------------------

TEST_F(MatchingModeTest, TheSaveFileHasTheseBytes) {
  TMatchingSaveFile file;
  file.ElapsedMs = 2500;
  file.Score = 100;
  file.Original.StockPosition = 1;
  file.Original.Stock = {{230, 70, 1, 13, 0, 0}, {225, 70, 3, 2, 1, 0}};
  file.Original.Layout = {{85, 225, 4, 2, 1, 7.25f}};
  file.Current.StockPosition = -1;
  file.Current.Stock = {{330, 70, 1, 13, 0, 0}};
  EXPECT_EQ(file.Format(), "Marrowdeck Matching Savegame\r\n2500\r\n100\r\n1\r\n-\r\n"
                           "230,70,1,13,0,0.00000000\r\n225,70,3,2,1,0.00000000\r\n-\r\n"
                           "85,225,4,2,1,7.25000000\r\n-\r\n"
                           "-1\r\n-\r\n330,70,1,13,0,0.00000000\r\n-\r\n");
  TMatchingSaveFile back;
  ASSERT_EQ(back.Parse(file.Format()), 1);
  EXPECT_EQ(back.Original.Stock.size(), 2u);
  EXPECT_EQ(back.Current.Layout.size(), 0u);
  EXPECT_FALSE(back.Current.HasOpenCard);
}

TEST_F(MatchingModeTest, SavedGamesLoadWhereTheyWereDealtAgainAndRestartFromTheDeal) {
  Start(MatchingLayout(20), 7);
  std::vector<std::string> dealt;
  for (const auto& card : *mode->Cards) dealt.push_back(card->ToString());
  // A real pair of uncovered cards (forced numbers would repeat cards), and three turns.
  std::shared_ptr<TCard> a, b;
  for (const auto& x : *mode->Cards)
    for (const auto& y : *mode->Cards)
      if (!a && x != y && x->Opened && y->Opened && x->CardNumber == y->CardNumber) a = x, b = y;
  ASSERT_TRUE(a);
  Match(a, b);
  for (int i = 0; i < 3; ++i) Turn();
  ASSERT_EQ(mode->SaveGame(folder.File("game")), 1);
  std::vector<std::string> layout, stock;
  for (const auto& card : *mode->Cards) layout.push_back(card->ToString());
  for (const auto& card : *mode->Stock->Cards) stock.push_back(card->ToString());
  const int position = mode->Stock->Cards->CurrentPosition, score = GamePlay->Score;
  mode->Shuffle();
  Settle();
  ASSERT_EQ(mode->LoadGame(folder.File("game.msave")), 1);
  EXPECT_EQ(mode->DoingDealAnimation, 1); // dealt again before play resumes
  EXPECT_EQ(mode->DealAnimationFinished, 0);
  Settle();
  std::vector<std::string> loadedLayout, loadedStock;
  for (const auto& card : *mode->Cards) loadedLayout.push_back(card->ToString());
  for (const auto& card : *mode->Stock->Cards) loadedStock.push_back(card->ToString());
  EXPECT_EQ(loadedLayout, layout);
  EXPECT_EQ(loadedStock, stock);
  EXPECT_EQ(mode->Stock->Cards->CurrentPosition, position);
  EXPECT_EQ(GamePlay->Score, score);
  EXPECT_EQ(mode->Stock->StockCard1, StockCard(position + 1));
  EXPECT_EQ(mode->Stock->StockCard2, StockCard(position + 2));
  mode->Reset();
  Settle();
  std::vector<std::string> restarted;
  for (const auto& card : *mode->Cards) restarted.push_back(card->ToString());
  EXPECT_EQ(restarted, dealt);
}

TEST_F(MatchingModeTest, SavingWaitsForFlightsAndTheSavedScoreIsNeverBelowZero) {
  now = 1000;
  Start(SeparateCards(6), 11);
  EXPECT_EQ(mode->SaveGame(folder.File("early")), 1);
  Click(LayoutCard(0));
  PressD();
  EXPECT_EQ(mode->SaveGame(folder.File("flying")), 0);
  EXPECT_FALSE(platform::FileExists(folder.File("flying.msave")));
  Settle();
  mode->StartDealAnimation();
  EXPECT_EQ(mode->SaveGame(folder.File("dealing")), 0);
  Settle();
  StartLevelTimer();
  now = 5000;
  PauseLevelTimer();
  now = 9000;
  GamePlay->Score = 40;
  GamePlay->ScoreAdder = -60;
  ASSERT_EQ(mode->SaveGame(folder.File("timed")), 1);
  TMatchingSaveFile file;
  std::string text;
  ASSERT_TRUE(platform::ReadWholeFile(folder.File("timed.msave"), text));
  ASSERT_EQ(file.Parse(text), 1);
  EXPECT_EQ(file.ElapsedMs, 4000);
  EXPECT_EQ(file.Score, 0);
}

TEST_F(MatchingModeTest, DamagedSaveFilesAreRefusedAndLeaveTheGameAlone) {
  Start(SeparateCards(6), 11);
  ASSERT_EQ(mode->SaveGame(folder.File("good")), 1);
  std::string good;
  ASSERT_TRUE(platform::ReadWholeFile(folder.File("good.msave"), good));
  auto replaceFirst = [&](const std::string& text, const std::string& from, const std::string& to) {
    std::string result = text;
    const size_t at = result.find(from);
    if (at != std::string::npos) result.replace(at, from.size(), to);
    return result;
  };
  const size_t stockLine = good.find("-\r\n") + 3;
  const std::string line = good.substr(stockLine, good.find("\r\n", stockLine) - stockLine);
  const std::string fields = line.substr(0, line.find(',', line.find(',') + 1) + 1);
  const std::vector<std::pair<std::string, std::string>> damaged = {
      {"suit 5", replaceFirst(good, line, fields + "5,3,0,0.00000000")},
      {"number 14", replaceFirst(good, line, fields + "2,14,0,0.00000000")},
      {"angle not a number", replaceFirst(good, line, fields + "2,3,0,inf")},
      {"stock position past the pile", replaceFirst(good, "\r\n45\r\n", "\r\n46\r\n")},
      {"truncated", good.substr(0, good.size() / 3)},
      {"a card too many times", replaceFirst(good, line, line + "\r\n" + line)},
      {"empty", ""},
  };
  const int count = mode->Cards->Count(), score = GamePlay->Score;
  const auto stock = mode->Stock;
  for (const auto& [what, bytes] : damaged) {
    ASSERT_NE(bytes, good) << what;
    folder.Write("bad.msave", bytes);
    EXPECT_EQ(mode->LoadGame(folder.File("bad.msave")), 0) << what;
    EXPECT_EQ(mode->FileMessage, "Could not read file '" + folder.File("bad.msave") + "'") << what;
    EXPECT_EQ(mode->Cards->Count(), count) << what;
    EXPECT_EQ(mode->Stock, stock) << what;
    EXPECT_EQ(GamePlay->Score, score) << what;
  }
  EXPECT_EQ(mode->LoadGame(folder.File("nothing-here.msave")), 0);
  EXPECT_EQ(mode->LoadGame(folder.File("good.msave")), 1);
}

TEST_F(MatchingModeTest, FuzzSeedsAreReadOrRefusedAsTheirNamesSay) {
  const std::string seeds = test_support::SourcePath("fuzz/corpus/msave_reader/");
  const auto names = platform::ListFolder(seeds, "msave");
  ASSERT_GE(names.size(), 3u);
  for (const auto& name : names) {
    std::string bytes;
    ASSERT_TRUE(platform::ReadWholeFile(seeds + name, bytes)) << name;
    TMatchingSaveFile file;
    const bool valid = name.rfind("valid-", 0) == 0;
    ASSERT_EQ(file.Parse(bytes), valid ? 1 : 0) << name;
    if (valid) {
      EXPECT_EQ(file.Format(), bytes) << name;
    }
  }
}

} // namespace
