#include "solitaire/TGameModeTripeaks.h"

#include "TripeaksPlay.h"
#include "platform/Files.h"
#include "solitaire/LevelTimer.h"
#include "solitaire/TBonusEffect.h"
#include "solitaire/TFlyingBonus.h"
#include "solitaire/TTripeaksHint.h"
#include "solitaire/TLayoutSaveFile.h"
#include "solitaire/TSmashBonusEffect.h"
#include "solitaire/TTripeaksBonus.h"
#include "solitaire/TTripeaksUndo.h"
#include "effects/TSmashParticle.h"
#include "solitaire/VictoryParticles.h"

namespace {

class TripeaksModeTest : public TripeaksPlay {
protected:
  // Six separate cards ranked 2..7 and an Ace open: five plays in a row
  // are possible (2, 3, 4, 5, 6), the stock holds only Kings.
  void StreakTable() {
    Start(SeparateCards(6), 11);
    for (int i = 0; i < 6; ++i) SetRank(LayoutCard(i), i + 2);
    SetAllStockRanks(13);
    SetRank(mode->Stock->StockCard1, 1); // the open card is the turned top of the pile
    mode->CreateHints();
  }
  void PlayAndLand(int index) {
    Click(LayoutCard(index));
    Settle();
  }
  void RunUntilFinished(int maxTicks = 20000) {
    for (int i = 0; i < maxTicks; ++i) {
      if (mode->IsGameFinished()) return;
      mode->Logic();
    }
    FAIL() << "never finished";
  }
};

TEST_F(TripeaksModeTest, ADealOnTheClassicLayoutIsDealtAndTurnsItsFirstStockCard) {
  Start(StandardLayout(1), 1);
  EXPECT_EQ(mode->Cards->Count(), 28);
  EXPECT_EQ(mode->GetNumberOfStocks(), 1);
  EXPECT_EQ(mode->GetNumberOfStockCards(), 24);
  EXPECT_EQ(mode->Stock->Cards->Count(), 24);
  EXPECT_EQ(mode->Dealer.Solved, 1);
  // The top card turned over by itself once the deal was shown.
  ASSERT_TRUE(mode->Stock->StockCard1);
  EXPECT_EQ(mode->Stock->Cards->CurrentPosition, 22);
  EXPECT_EQ(mode->MarkedCard1, mode->Stock->StockCard1);
  EXPECT_FLOAT_EQ(mode->Stock->StockCard1->x, 330);
  EXPECT_EQ(GameState->disableButtons, 0);
  int open = 0;
  for (const auto& card : *mode->Cards) open += card->Opened;
  EXPECT_EQ(open, 10); // the base row
  EXPECT_EQ(GamePlay->CurrentLevel, StandardLayout(1));
}

TEST_F(TripeaksModeTest, MatchingRanksKingAndAceAreNeighbours) {
  auto a = TCard::Create(Back(), 0, 0), b = TCard::Create(Back(), 0, 0);
  auto check = [&](int ra, int rb) {
    a->CardNumber = ra, b->CardNumber = rb;
    return mode->CheckIfMatchingCards(a, b);
  };
  EXPECT_EQ(check(13, 12), 1);
  EXPECT_EQ(check(13, 1), 1);
  EXPECT_EQ(check(1, 13), 1);
  EXPECT_EQ(check(1, 2), 1);
  EXPECT_EQ(check(6, 7), 1);
  EXPECT_EQ(check(7, 7), 0);
  EXPECT_EQ(check(13, 11), 0);
  EXPECT_EQ(mode->CheckIfMatchingCards(a, a), 0);
}

TEST_F(TripeaksModeTest, ClickingPlaysOnlyUncoveredMatchingCards) {
  Start(StandardLayout(1), 2);
  const auto open = mode->Stock->StockCard1;
  const int rank = open->CardNumber == 13 ? 1 : open->CardNumber + 1;
  // A covered card never plays, even with a fitting rank.
  auto covered = LayoutCard(0);
  SetRank(covered, rank);
  Click(covered);
  Settle();
  EXPECT_EQ(mode->Cards->Count(), 28);
  // An uncovered card of the same rank is refused.
  auto base = mode->Cards->Last();
  SetRank(base, open->CardNumber);
  Click(base);
  Settle();
  EXPECT_EQ(mode->Cards->Count(), 28);
  EXPECT_EQ(mode->ShowHelpMessage, 1);
  // A fitting one flies onto the open card and pays 50.
  SetRank(base, rank);
  Click(base);
  EXPECT_EQ(base->IsMoving, 1);
  EXPECT_FALSE(mode->MarkedCard1); // no second play during the flight
  EXPECT_EQ(mode->ShowHelpMessage, 0);
  Settle();
  EXPECT_EQ(mode->Cards->Count(), 27);
  EXPECT_EQ(mode->Stock->StockCard1->CardNumber, rank);
  EXPECT_FLOAT_EQ(mode->Stock->StockCard1->RotationAngle, 0);
  EXPECT_EQ(GamePlay->Score, 50);
  ASSERT_TRUE(mode->UndoList);
  EXPECT_EQ(mode->UndoList->size(), 1u);
}

TEST_F(TripeaksModeTest, FiveInARowLaunchBonusesAndTheBannerFollowsTheStockTurn) {
  StreakTable();
  for (int i = 0; i < 4; ++i) PlayAndLand(0);
  EXPECT_TRUE(mode->BonusList.empty());
  EXPECT_EQ(mode->IsNextMatchBonus(), 1);
  Click(LayoutCard(0)); // the 6: fifth of the streak
  EXPECT_EQ(mode->BonusList.size(), 1u);
  Settle();
  // The bonus pays on arrival.
  for (int i = 0; i < 400 && !mode->BonusList.empty(); ++i) Tick();
  EXPECT_TRUE(mode->BonusList.empty());
  Settle();
  EXPECT_EQ(GamePlay->Score, 5 * 50 + 50);
  PressD();
  ASSERT_TRUE(mode->BonusEndAnimation);
  EXPECT_EQ(mode->BonusTotalPoints, 50);
  EXPECT_EQ(mode->BonusCounter, 0);
  EXPECT_EQ(GamePlay->ShowVictoryParticles, 0); // fireworks only from ten in a row
}

TEST_F(TripeaksModeTest, TenInARowEndWithApplauseAndFireworksDuringTheBanner) {
  Start(SeparateCards(10), 12);
  SetAllStockRanks(13);
  for (int i = 0; i < 10; ++i) SetRank(LayoutCard(i), i + 2);
  SetRank(mode->Stock->StockCard1, 1);
  mode->MarkedCard1 = mode->Stock->StockCard1;
  VictoryParticles.reset();
  for (int i = 0; i < 9; ++i) PlayAndLand(0);
  EXPECT_EQ(mode->BonusCounter, 9);
  SetRank(LayoutCard(0), 1); // a King would come next; an Ace keeps the layout for the stock turn
  PressD();
  EXPECT_EQ(mode->BonusTotalPoints, 50 * 9 - 200);
  EXPECT_FALSE(VictoryParticles); // nine in a row: no fireworks
  // Ten in a row: from the start again.
  mode->Shuffle();
  Settle();
  SetAllStockRanks(13);
  for (int i = 0; i < 10; ++i) SetRank(LayoutCard(i), i + 2);
  SetRank(mode->Stock->StockCard1, 1);
  for (int i = 0; i < 9; ++i) PlayAndLand(0);
  SetRank(LayoutCard(0), 11);
  PlayAndLand(0);
  EXPECT_TRUE(mode->Cards->IsEmpty());
  EXPECT_EQ(mode->IsGameFinished(), 0); // closes the streak: banner and fireworks
  EXPECT_EQ(mode->BonusTotalPoints, 300);
  EXPECT_TRUE(VictoryParticles); // a new, empty fireworks list
  EXPECT_EQ(GamePlay->ShowVictoryParticles, 1);
  Tick(401); // past the banner's first 2000 ms
  EXPECT_EQ(GamePlay->ShowVictoryParticles, 0);
}

TEST_F(TripeaksModeTest, AHintRequestLightsAPlayAfterItsDelayForFiveSeconds) {
  StreakTable();
  mode->ResetHintTimer(100);
  Tick(19);
  EXPECT_FALSE(mode->CurrentHint);
  Tick(2);
  ASSERT_TRUE(mode->CurrentHint);
  EXPECT_EQ(mode->CurrentHint->FirstCard, mode->Stock->StockCard1);
  EXPECT_EQ(mode->CurrentHint->SecondCard->CardNumber, 2);
  EXPECT_EQ(mode->CurrentHint->SecondCard->DoDrawHint, 1);
  EXPECT_EQ(mode->CurrentHint->SecondCard->HintNumber, 2);
  EXPECT_EQ(mode->Stock->StockCard1->HintNumber, 1);
  Tick(1000);
  EXPECT_EQ(mode->CurrentHint->SecondCard->DoDrawHint, 0);
  EXPECT_FALSE(mode->HintAnimation);
}

TEST_F(TripeaksModeTest, UndoTakesBackSixtyAndTheFifthPlayOfAStreakOneHundredAndTen) {
  StreakTable();
  PlayAndLand(0);
  EXPECT_EQ(GamePlay->Score, 50);
  EXPECT_EQ(mode->Undo(), 1);
  Settle();
  EXPECT_EQ(GamePlay->Score, 0); // 50 - 60, held at 0
  EXPECT_EQ(mode->Cards->Count(), 6);
  EXPECT_EQ(mode->Stock->StockCard1->CardNumber, 1);
  for (int i = 0; i < 5; ++i) PlayAndLand(0);
  for (int i = 0; i < 400 && !mode->BonusList.empty(); ++i) Tick();
  Settle();
  EXPECT_EQ(GamePlay->Score, 300);
  EXPECT_EQ(mode->Undo(), 1);
  Settle();
  EXPECT_EQ(GamePlay->Score, 190);
  EXPECT_EQ(mode->Cards->Count(), 2);
  EXPECT_EQ(mode->Undo(), 1);
  Settle();
  EXPECT_EQ(GamePlay->Score, 130);
}

TEST_F(TripeaksModeTest, UndoWaitsWhileACardFlies) {
  StreakTable();
  Click(LayoutCard(0));
  EXPECT_EQ(mode->Undo(), 0); // the play has not paid yet
  Settle();
  EXPECT_EQ(GamePlay->Score, 50);
  EXPECT_EQ(mode->Undo(), 1);
  Settle();
  EXPECT_EQ(GamePlay->Score, 0);
  mode->Reset(); // dealing again
  EXPECT_EQ(mode->Undo(), 0);
}

TEST_F(TripeaksModeTest, AClearedLayoutWinsOnlyAfterTheBonusesAndTheBanner) {
  StreakTable();
  SetRank(LayoutCard(5), 7);
  for (int i = 0; i < 6; ++i) {
    Click(LayoutCard(0));
    Tick(150);
  }
  EXPECT_TRUE(mode->Cards->IsEmpty());
  EXPECT_FALSE(mode->Stock->StockCard1);
  EXPECT_EQ(mode->IsNoMovesLeft(), 0);
  // Bonuses may still fly; then the banner runs its 3500 ms (700 ticks).
  int ticks = 0;
  while (!mode->IsGameFinished() && ticks < 5000) Tick(), ++ticks;
  EXPECT_GE(ticks, 700);
  EXPECT_EQ(mode->BonusTotalPoints, 100);
  Settle();
  EXPECT_EQ(GamePlay->Score, 6 * 50 + 2 * 50);
}

TEST_F(TripeaksModeTest, AStockCardTurnedWhileTheLastCardFliesLandsBeforeTheWin) {
  Start(SeparateCards(2), 11);
  SetRank(LayoutCard(0), 2);
  SetRank(LayoutCard(1), 3);
  SetRank(mode->Stock->StockCard1, 1);
  mode->CreateHints();
  PlayAndLand(0);
  Click(LayoutCard(0)); // the last card, too short a run for a bonus
  Tick(50);
  PressD(); // the next stock card turns while the last card is still on its way
  int ticks = 0;
  while (!mode->IsGameFinished() && ticks < 5000) Tick(), ++ticks;
  ASSERT_LT(ticks, 5000);
  EXPECT_TRUE(mode->Cards->IsEmpty());
  EXPECT_EQ(mode->IsAnyCardMoving(), 0) << "the end-of-level message would hold the card in mid-air";
  ASSERT_TRUE(mode->Stock->StockCard1);
  EXPECT_FLOAT_EQ(mode->Stock->StockCard1->x, float(TLayoutGameMode::OpenCardX));
}

TEST_F(TripeaksModeTest, NoMovesLeftWhenNeitherTheOpenCardNorTheStockFits) {
  StreakTable();
  for (int i = 0; i < 6; ++i) SetRank(LayoutCard(i), 5);
  mode->CreateHints();
  EXPECT_EQ(mode->IsNoMovesLeft(), 1);
  // One fitting card deep in the stock is a move: the hint points there.
  SetRank(mode->Stock->Cards->First(), 4);
  mode->CreateHints();
  EXPECT_EQ(mode->IsNoMovesLeft(), 0);
  ASSERT_EQ(mode->HintList->size(), 1u);
  EXPECT_EQ(mode->HintList->front()->FirstCard, mode->Stock->Cards->First());
  // A fitting open card is hinted first.
  SetRank(mode->Stock->StockCard1, 6);
  mode->CreateHints();
  EXPECT_EQ(mode->HintList->size(), 6u);
  EXPECT_EQ(mode->HintList->front()->FirstCard, mode->Stock->StockCard1);
}

TEST_F(TripeaksModeTest, TheLastStockCardTurnsThenThePileIsUsedUp) {
  Start(SeparateCards(50), 4); // two stock cards
  EXPECT_EQ(mode->Stock->Cards->CurrentPosition, 0);
  PressD();
  PressD(); // already flying: nothing more
  Settle();
  EXPECT_EQ(mode->Stock->Cards->CurrentPosition, -1);
  PressD();
  Settle();
  EXPECT_EQ(mode->Stock->Cards->CurrentPosition, -1);
}

TEST_F(TripeaksModeTest, LayoutsWithoutAStockToTurnDealAtOnceAndSayNoMovesLeft) {
  for (int count : {52, 104}) {
    Start(SeparateCards(count), 6);
    EXPECT_EQ(mode->Dealer.Solved, 0) << count;
    EXPECT_EQ(mode->Dealer.Attempts, TTripeaksDealer::MaxDealAttempts) << count;
    EXPECT_EQ(mode->Cards->Count(), count);
    EXPECT_EQ(mode->Stock->Cards->Count(), 0);
    EXPECT_EQ(mode->IsNoMovesLeft(), 1) << count;
  }
}

// A trail whose first emitter never finishes, optionally switched off.
class StuckTrail : public TBonusEffect {
public:
  explicit StuckTrail(int32_t off) : off_(off) {}
  void MoveTo(float, float) override {}
  void SetLoop(int32_t) override {}
  void Render(float) override {}
  int32_t FirstEmitterFinished() const override { return 0; }
  int32_t FirstEmitterOff() const override { return off_; }

private:
  int32_t off_;
};

TEST_F(TripeaksModeTest, ABonusLeavesEvenWhenItsTrailNeverFinishes) {
  for (int32_t off : {1, 0}) {
    BonusEffectFactory = [off] { return std::make_shared<StuckTrail>(off); };
    auto bonus = std::make_shared<TFlyingBonus>();
    bonus->Start(100, 100, 500, 150, 615, 50, 0.0075f, 50);
    int ticks = 0;
    while (!bonus->done) bonus->Manage(), ++ticks;
    EXPECT_EQ(ticks, 134);
    EXPECT_EQ(bonus->MayLeave(), off); // off: at once
    for (int i = 0; i < 1000; ++i) bonus->Manage();
    EXPECT_EQ(bonus->MayLeave(), 1); // 5 s after arrival in any case
  }
  BonusEffectFactory = nullptr;
}

TEST_F(TripeaksModeTest, TheShippedTrailDiesOutSoonAfterTheBonusLands) {
  TSmashParticle::SetImage(test_support::DataPath("data/graphics/particles.png"));
  TSmashBonusEffect::Install(test_support::DataPath("data/resources/bonusfly.par"));
  auto bonus = std::make_shared<TTripeaksBonus>();
  bonus->Create(100, 400);
  ASSERT_TRUE(bonus->Particle);
  int ticks = 0;
  while (!bonus->MayLeave() && ticks < 2000) {
    bonus->Manage();
    bonus->Draw(1); // the trail runs with the frames
    ++ticks;
  }
  EXPECT_EQ(bonus->done, 1);
  EXPECT_EQ(bonus->X, 615);
  EXPECT_EQ(bonus->Y, 50);
  EXPECT_GT(ticks, 134);
  EXPECT_LT(ticks, 134 + 1000); // by its own trail, before the five-second limit
  BonusEffectFactory = nullptr;
}

TEST_F(TripeaksModeTest, NewDealsRestartsAndClearsDropQueuedPointsAndBonuses) {
  StreakTable();
  for (int i = 0; i < 5; ++i) PlayAndLand(0);
  Click(LayoutCard(0));
  Tick(101); // landed and counting, its bonus still in the air
  ASSERT_FALSE(mode->BonusList.empty());
  EXPECT_GT(GamePlay->ScoreAdder, 0);
  mode->Shuffle();
  EXPECT_TRUE(mode->BonusList.empty());
  EXPECT_EQ(GamePlay->ScoreAdder, 0);
  EXPECT_EQ(GamePlay->Score, 0);
  Settle();
  for (int i = 0; i < 2000; ++i) Tick();
  EXPECT_EQ(GamePlay->Score, 0);
}

// ---- Saved games ----------------------------------------------------------------

TEST_F(TripeaksModeTest, TheSaveFileHasTheseBytes) {
  TTripeaksSaveFile file;
  file.ElapsedMs = 61500;
  file.Score = 150;
  file.Original.StockPosition = 1;
  file.Original.Stock = {{230, 70, 1, 13, 0, 0}, {230, 70, 3, 2, 1, 0}};
  file.Original.HasOpenCard = true;
  file.Original.OpenCard = {230, 70, 3, 2, 1, 0};
  file.Original.Layout = {{85, 225, 4, 1, 1, -12.5f}};
  file.Current.StockPosition = -1;
  file.Current.Stock = file.Original.Stock;
  file.Current.HasOpenCard = false; // the layout was cleared
  EXPECT_EQ(file.Format(), "Marrowdeck Tri Peaks Savegame\r\n61500\r\n150\r\n1\r\n-\r\n"
                           "230,70,1,13,0,0.00000000\r\n230,70,3,2,1,0.00000000\r\n-\r\n"
                           "230,70,3,2,1,0.00000000\r\n-\r\n85,225,4,1,1,-12.5000000\r\n-\r\n"
                           "-1\r\n-\r\n230,70,1,13,0,0.00000000\r\n230,70,3,2,1,0.00000000\r\n-\r\n"
                           "\r\n-\r\n");
  TTripeaksSaveFile back;
  ASSERT_EQ(back.Parse(file.Format()), 1);
  EXPECT_FALSE(back.Current.HasOpenCard);
  EXPECT_EQ(back.Current.Layout.size(), 0u);
  EXPECT_EQ(back.Original.Layout.size(), 1u); // the empty line is no card, nothing is skipped
  EXPECT_FLOAT_EQ(back.Original.Layout[0].angle, -12.5f);
}

TEST_F(TripeaksModeTest, SavedGamesLoadWhereTheyWereAndRestartFromTheDeal) {
  Start(StandardLayout(4), 21);
  std::vector<std::string> dealt;
  for (const auto& card : *mode->Cards) dealt.push_back(card->ToString());
  // A few plays and turns from several positions.
  for (int round = 0; round < 3; ++round) {
    const auto& hints = mode->HintList;
    if (hints && !hints->empty() && hints->front()->FirstCard == mode->Stock->StockCard1)
      Click(hints->front()->SecondCard);
    else
      PressD();
    Settle();
    ASSERT_EQ(mode->SaveGame(folder.File("game")), 1);
    const int score = GamePlay->Score, position = mode->Stock->Cards->CurrentPosition;
    const std::string open = mode->Stock->StockCard1->ToString();
    const int count = mode->Cards->Count();
    std::string saved;
    ASSERT_TRUE(platform::ReadWholeFile(folder.File("game.tsave"), saved));

    auto other = std::make_shared<TGameModeTripeaks>();
    GamePlay->GameMode = other;
    GamePlay->Score = 0;
    ASSERT_EQ(other->LoadGame(folder.File("game.tsave")), 1);
    EXPECT_EQ(GamePlay->Score, score);
    EXPECT_EQ(other->Stock->Cards->CurrentPosition, position);
    EXPECT_EQ(other->Stock->StockCard1->ToString(), open);
    EXPECT_EQ(other->Cards->Count(), count);
    EXPECT_EQ(other->MarkedCard1, other->Stock->StockCard1);
    // Saved again it holds the same game: every card, face, place in the
    // layout and pile position (the face-down pile is laid out afresh).
    ASSERT_EQ(other->SaveGame(folder.File("again")), 1);
    std::string again;
    ASSERT_TRUE(platform::ReadWholeFile(folder.File("again.tsave"), again));
    TTripeaksSaveFile before, after;
    ASSERT_EQ(before.Parse(saved), 1);
    ASSERT_EQ(after.Parse(again), 1);
    EXPECT_EQ(after.Score, before.Score);
    for (auto [a, b] : {std::pair{&before.Original, &after.Original}, std::pair{&before.Current, &after.Current}}) {
      EXPECT_EQ(a->StockPosition, b->StockPosition);
      EXPECT_EQ(a->HasOpenCard, b->HasOpenCard);
      ASSERT_EQ(a->Stock.size(), b->Stock.size());
      for (size_t i = 0; i < a->Stock.size(); ++i)
        EXPECT_TRUE(a->Stock[i].suit == b->Stock[i].suit && a->Stock[i].number == b->Stock[i].number);
      ASSERT_EQ(a->Layout.size(), b->Layout.size());
      for (size_t i = 0; i < a->Layout.size(); ++i)
        EXPECT_TRUE(a->Layout[i].x == b->Layout[i].x && a->Layout[i].y == b->Layout[i].y &&
                    a->Layout[i].number == b->Layout[i].number && a->Layout[i].opened == b->Layout[i].opened &&
                    a->Layout[i].angle == b->Layout[i].angle);
    }
    other->Reset();
    std::vector<std::string> restarted;
    for (const auto& card : *other->Cards) restarted.push_back(card->ToString());
    EXPECT_EQ(restarted, dealt);
    GamePlay->GameMode = mode;
  }
}

TEST_F(TripeaksModeTest, SavingWaitsForFlightsAndAnOpenCard) {
  StreakTable();
  Click(LayoutCard(0));
  EXPECT_EQ(mode->CanSaveGame(), 0);
  EXPECT_EQ(mode->SaveGame(folder.File("flying")), 0);
  std::string none;
  EXPECT_FALSE(platform::ReadWholeFile(folder.File("flying.tsave"), none));
  Settle();
  mode->Stock->StockCard1.reset();
  EXPECT_EQ(mode->SaveGame(folder.File("noopen")), 0);
  Click(LayoutCard(0));
  Settle();
  EXPECT_EQ(mode->SaveGame(folder.File("missing/folder/game")), 0);
  EXPECT_EQ(mode->FileMessage, "Could Not Create File '" + folder.File("missing/folder/game") + ".tsave'");
}

TEST_F(TripeaksModeTest, TheSavedTimeLeavesPausesOutAndTheScoreIncludesTheQueue) {
  now = 1000;
  Start(SeparateCards(6), 11); // a true deal: forced ranks would repeat cards
  StartLevelTimer();
  now = 5000;
  PauseLevelTimer();
  now = 9000;
  GamePlay->Score = 40;
  GamePlay->ScoreAdder = -60;
  ASSERT_EQ(mode->SaveGame(folder.File("timed")), 1);
  TTripeaksSaveFile file;
  std::string text;
  ASSERT_TRUE(platform::ReadWholeFile(folder.File("timed.tsave"), text));
  ASSERT_EQ(file.Parse(text), 1);
  EXPECT_EQ(file.ElapsedMs, 4000);
  EXPECT_EQ(file.Score, 0); // never below zero
}

TEST_F(TripeaksModeTest, DamagedSaveFilesAreRefusedAndLeaveTheGameAlone) {
  Start(SeparateCards(6), 11);
  ASSERT_EQ(mode->SaveGame(folder.File("good")), 1);
  std::string good;
  ASSERT_TRUE(platform::ReadWholeFile(folder.File("good.tsave"), good));
  const std::string card = "85,225,";
  auto replaceFirst = [&](const std::string& text, const std::string& from, const std::string& to) {
    std::string result = text;
    const size_t at = result.find(from);
    if (at != std::string::npos) result.replace(at, from.size(), to);
    return result;
  };
  // The first stock card's line, to damage it field by field.
  const size_t stockLine = good.find("-\r\n") + 3;
  const std::string line = good.substr(stockLine, good.find("\r\n", stockLine) - stockLine);
  const std::string fields = line.substr(0, line.find(',', line.find(',') + 1) + 1); // "x,y,"
  const std::vector<std::pair<std::string, std::string>> damaged = {
      {"suit 5", replaceFirst(good, line, fields + "5,3,0,0.00000000")},
      {"rank 14", replaceFirst(good, line, fields + "2,14,0,0.00000000")},
      {"suit without rank", replaceFirst(good, line, fields + "0,3,0,0.00000000")},
      {"opened 2", replaceFirst(good, line, fields + "2,3,2,0.00000000")},
      {"angle not a number", replaceFirst(good, line, fields + "2,3,0,nan")},
      {"x not a number", replaceFirst(good, line, "x" + line)},
      {"stock position past the pile", replaceFirst(good, "\r\n-\r\n", "9\r\n-\r\n").insert(0, "")},
      {"truncated", good.substr(0, good.size() / 2)},
      {"empty", ""},
      {"a card too many times", replaceFirst(good, line, line + "\r\n" + line)},
  };
  const int count = mode->Cards->Count(), score = GamePlay->Score;
  const auto open = mode->Stock->StockCard1;
  for (const auto& [what, bytes] : damaged) {
    folder.Write("bad.tsave", bytes);
    EXPECT_EQ(mode->LoadGame(folder.File("bad.tsave")), 0) << what;
    EXPECT_EQ(mode->FileMessage, "Could Not Read File '" + folder.File("bad.tsave") + "'") << what; // no game text loaded: the key
    EXPECT_EQ(mode->Cards->Count(), count) << what;
    EXPECT_EQ(GamePlay->Score, score) << what;
    EXPECT_EQ(mode->Stock->StockCard1, open) << what;
  }
  EXPECT_EQ(mode->LoadGame(folder.File("nothing-here.tsave")), 0);
  EXPECT_EQ(mode->LoadGame(folder.File("good.tsave")), 1);
}

TEST_F(TripeaksModeTest, FuzzSeedsAreReadOrRefusedAsTheirNamesSay) {
  const std::string seeds = test_support::SourcePath("fuzz/corpus/tsave_reader/");
  const auto names = platform::ListFolder(seeds, "tsave");
  ASSERT_GE(names.size(), 4u);
  for (const auto& name : names) {
    std::string bytes;
    ASSERT_TRUE(platform::ReadWholeFile(seeds + name, bytes)) << name;
    TTripeaksSaveFile file;
    const bool valid = name.rfind("valid-", 0) == 0;
    ASSERT_EQ(file.Parse(bytes), valid ? 1 : 0) << name;
    if (valid) {
      EXPECT_EQ(file.Format(), bytes) << name;
    }
  }
}

} // namespace
