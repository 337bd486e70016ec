#include "support/GameWorld.h"
#include "CountingScreen.h"
#include "app/InputTables.h"
#include "app/TGame.h"

#include "app/Delta.h"
#include "platform/Keys.h"
#include "support/ThrowingErrorHandler.h"

namespace {

class GameFadeTest : public test_support::GameWorld {
protected:
  void SetUp() override {
    test_support::GameWorld::SetUp();
    Game->CurrentTScreen = std::make_shared<CountingScreen>("current");
    Game->DestinationTScreen = std::make_shared<CountingScreen>("next");
  }
  TGameFade& Fade() { return Game->GameFade; }
  // One logic tick of the fader and the screen change, as the loop runs them.
  int Tick() {
    Delta = 1.0f;
    int result = Fade().Manage();
    Game->ScreenChange();
    return result;
  }
};

TEST_F(GameFadeTest, HalfSecondFadeLastsOneHundredTicks) {
  ASSERT_EQ(Fade().Init(500.0f, 1), 1);
  EXPECT_EQ(Fade().Length, 100);
  EXPECT_FLOAT_EQ(Fade().Ratio, 1.0f);
  for (int i = 0; i < 99; ++i) ASSERT_EQ(Tick(), 0) << "tick " << i;
  EXPECT_NEAR(Fade().Ratio, 0.01f, 1e-5);
  EXPECT_EQ(Tick(), 1);
  EXPECT_EQ(Fade().Active, 0);
  EXPECT_FLOAT_EQ(Fade().Ratio, 0.0f);
}

TEST_F(GameFadeTest, RunningFadeIsNeverRestarted) {
  ASSERT_EQ(Fade().Init(500.0f, 1), 1);
  Tick();
  EXPECT_EQ(Fade().Init(1000.0f, 0), 0);
  EXPECT_EQ(Fade().Out, 1);
  EXPECT_EQ(Fade().Length, 100);
}

TEST_F(GameFadeTest, KeyDuringFadeOutChangesScreenOnThatTick) {
  auto from = std::make_shared<CountingScreen>("from");
  auto to = std::make_shared<CountingScreen>("to");
  Game->CurrentTScreen = from;
  Game->DestinationTScreen = to;
  Fade().Init(500.0f, 1);
  Tick();
  KeyHits[platform::keys::Space] = 1;
  EXPECT_EQ(Tick(), -1);
  EXPECT_EQ(Fade().Active, 0);
  EXPECT_EQ(Fade().FadeInAborted, 0) << "only a fade in records a cut";
  EXPECT_EQ(from->Kills, 1);
  EXPECT_EQ(to->Loads, 1);
  EXPECT_EQ(to->Starts, 1);
  EXPECT_EQ(Game->CurrentTScreen, to);
  EXPECT_EQ(Game->LastTScreen, from);
  EXPECT_EQ(KeyHits[platform::keys::Space], 0) << "keys are flushed after the change";
}

TEST_F(GameFadeTest, ClickDuringFadeInShowsTheScreenAndRecordsTheCut) {
  auto screen = std::make_shared<CountingScreen>("screen");
  Game->CurrentTScreen = screen;
  Fade().Init(500.0f, 0);
  for (int i = 0; i < 30; ++i) Tick();
  Game->Mouse->ButtonDown(1);
  EXPECT_EQ(Tick(), -1);
  EXPECT_EQ(Fade().FadeInAborted, 1);
  EXPECT_EQ(Fade().AbortKey, -1);
  EXPECT_FLOAT_EQ(Fade().Ratio, 1.0f);
  EXPECT_FLOAT_EQ(Fade().FadeCounterBeforeAbort, 30.0f);
  EXPECT_EQ(screen->FadeIns, 1);
  EXPECT_EQ(Game->CurrentTScreen, screen) << "a finished fade in changes nothing";
}

TEST_F(GameFadeTest, KeyDuringFadeInRecordsItsCode) {
  Game->CurrentTScreen = std::make_shared<CountingScreen>("screen");
  Fade().Init(500.0f, 0);
  KeyHits[platform::keys::A] = 1;
  EXPECT_EQ(Tick(), -1);
  EXPECT_EQ(Fade().AbortKey, platform::keys::A);
}

TEST_F(GameFadeTest, EscapeDuringFadeAbortsItInsteadOfStartingAnother) {
  auto screen = std::make_shared<CountingScreen>("screen");
  Game->CurrentTScreen = screen;
  auto destination = Game->DestinationTScreen;
  Fade().Init(500.0f, 0);
  KeyHits[platform::keys::Escape] = 1;
  Game->ReadKeys();
  EXPECT_EQ(Fade().Active, 0);
  EXPECT_EQ(Fade().FadeInAborted, 1);
  EXPECT_EQ(Fade().AbortKey, 0);
  EXPECT_EQ(Game->DestinationTScreen, destination) << "no exit fade was started";
}

TEST_F(GameFadeTest, EscapeOnAPlainScreenFadesOutToTheExit) {
  Game->CurrentTScreen = std::make_shared<CountingScreen>("screen");
  KeyHits[platform::keys::Escape] = 1;
  Game->ReadKeys();
  EXPECT_EQ(Fade().Active, 1);
  EXPECT_EQ(Fade().Out, 1);
  EXPECT_EQ(Game->DestinationTScreen, Game->ExitScreen);
  for (int i = 0; i < 100; ++i) Tick();
  EXPECT_EQ(Game->InstantExit, 1);
  EXPECT_EQ(Game->CurrentTScreen, Game->ExitScreen);
}

TEST_F(GameFadeTest, CloseRequestFadesOutToTheExit) {
  Game->CurrentTScreen = std::make_shared<CountingScreen>("screen");
  Game->TerminatedEvent = 1;
  Game->ReadKeys();
  EXPECT_EQ(Game->InstantExit, 0);
  EXPECT_EQ(Fade().Active, 1);
  EXPECT_EQ(Game->DestinationTScreen, Game->ExitScreen);

  // Without the exit fade the loop ends at once.
  Fade().Finish();
  Game->FadeOnExit = 0;
  Game->TerminatedEvent = 1;
  EXPECT_EQ(Game->ReadKeys(), -1);
  EXPECT_EQ(Game->InstantExit, 1);
}

TEST_F(GameFadeTest, FadesSwitchedOffChangeScreensAtOnce) {
  auto from = std::make_shared<CountingScreen>("from");
  auto to = std::make_shared<CountingScreen>("to");
  Game->CurrentTScreen = from;
  Game->DestinationTScreen = to;
  Game->Fade = 0;
  EXPECT_EQ(Fade().Init(500.0f, 1), 1);
  EXPECT_EQ(Fade().Active, 0);
  EXPECT_EQ(Game->ScreenChange(), 1);
  EXPECT_EQ(Game->CurrentTScreen, to);

  // FadeOff skips only the next fade.
  Game->Fade = 1;
  Game->FadeOff();
  Fade().Init(500.0f, 0);
  EXPECT_EQ(Fade().Active, 0);
  EXPECT_EQ(Game->NoFade, 0);
  Fade().Init(500.0f, 0);
  EXPECT_EQ(Fade().Active, 1);
}

TEST_F(GameFadeTest, MusicTakenDownByAFadeOutComesBackWithTheNextScreensFadeIn) {
  Game->ReservedChannelsCreate();
  Game->MusicSetVolume(40, 0);
  const auto music = Game->MusicChannel;
  Fade().Init(500.0f, 1, music);
  for (int i = 0; i < 100; ++i) Tick();
  ASSERT_EQ(Fade().Active, 0);
  EXPECT_FLOAT_EQ(music->Volume(), 0.0f);
  Fade().Init(500.0f, 0);
  for (int i = 0; i < 50; ++i) Tick();
  EXPECT_NEAR(music->Volume(), 0.2f, 1e-4) << "half way up with the picture";
  for (int i = 0; i < 50; ++i) Tick();
  EXPECT_FLOAT_EQ(music->Volume(), 0.4f);

  // A change that left the music alone (Escape on a menu page) leaves it alone on the way in.
  Fade().Init(500.0f, 1);
  for (int i = 0; i < 100; ++i) Tick();
  Fade().Init(500.0f, 0);
  Tick();
  EXPECT_FLOAT_EQ(music->Volume(), 0.4f);
}

TEST_F(GameFadeTest, ScreenWithoutDestinationIsFatal) {
  test_support::ThrowingErrorHandler throwing;
  Game->CurrentTScreen = std::make_shared<CountingScreen>("lonely");
  Game->DestinationTScreen = nullptr;
  Fade().Init(500.0f, 1);
  Fade().Finish();
  try {
    Game->ScreenChange();
    FAIL() << "no error reported";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Screen 'lonely' does not have a destination screen set!");
  }
}

TEST_F(GameFadeTest, KeptScreensSkipKillAndLoad) {
  auto from = std::make_shared<CountingScreen>("from");
  auto to = std::make_shared<CountingScreen>("to");
  from->StopKill = 1;
  to->StopInit = 1;
  Game->CurrentTScreen = from;
  Game->DestinationTScreen = to;
  Fade().Init(500.0f, 1);
  Fade().Finish();
  Game->ScreenChange();
  EXPECT_EQ(from->Kills, 0);
  EXPECT_EQ(to->Loads, 0);
  EXPECT_EQ(to->Starts, 0);
  EXPECT_EQ(Game->CurrentTScreen, to) << "CoreStart still makes it current";
}

TEST_F(GameFadeTest, PauseStopsTheLogicAndAClickResumes) {
  auto screen = std::make_shared<CountingScreen>("screen");
  Game->CurrentTScreen = screen;
  KeyHits[platform::keys::A + ('P' - 'A')] = 1;
  EXPECT_EQ(Game->LogicWrapper(), 0);
  EXPECT_EQ(Game->Paused, 1);
  EXPECT_EQ(screen->LogicTicks, 0);
  EXPECT_EQ(Game->LogicWrapper(), 0);
  Game->Mouse->h1 = 1;
  Game->Mouse->CalcButtonTotals();
  Game->ReadKeys();
  EXPECT_EQ(Game->Paused, 0);
}

} // namespace
