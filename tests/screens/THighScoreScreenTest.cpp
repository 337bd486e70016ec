// The high-score page: the rows sliding in, the tables switched, the clear
// question, and names beyond ASCII.
#include "MenuScreenWorld.h"

#include "effects/TSlideLineList.h"
#include "platform/Graphics.h"
#include "platform/Pixmap.h"
#include "screens/THighScoreScreen.h"
#include "screens/TTitleScreen.h"
#include "ui/TDialogYesNo.h"

#include <algorithm>

namespace {

class HighScoreScreenTest : public MenuScreenWorld {
protected:
  TSlideLine& Line(size_t k) { return *HighScoreScreen->SlideLines->Items.at(k); }
  std::string LineName(size_t k) {
    return std::static_pointer_cast<TSolitaireHighScore>(Line(k).AttachedObject)->name;
  }
  void Settle() {
    ASSERT_TRUE(TickUntil(
        [] {
          const auto& lines = HighScoreScreen->SlideLines->Items;
          return std::none_of(lines.begin(), lines.end(), [](const auto& line) { return line->Active; });
        },
        400));
  }
  platform::Pixmap Shot() {
    HighScoreScreen->Draw();
    platform::Pixmap shot;
    EXPECT_TRUE(platform::GrabBackBuffer(shot));
    return shot;
  }
  // The colour of the fully inked pixels of row k's name (the greenest).
  std::array<int, 3> RowInk(const platform::Pixmap& shot, int k) {
    std::array<int, 3> best{0, 0, 0};
    for (int y = 200 + 25 * k; y < 225 + 25 * k; ++y)
      for (int x = 150; x < 350; ++x) {
        const uint8_t* p = shot.Pixel(x, y);
        if (p[1] > best[1]) best = {p[0], p[1], p[2]};
      }
    return best;
  }
  std::string Bytes(const std::string& table) { return FileText(table + ".hsdat"); }
};

TEST_F(HighScoreScreenTest, RowsSlideInAlternatelyFromBothSidesAndGlowGreenAsTheySettle) {
  Enter(HighScoreScreen);
  ASSERT_EQ(HighScoreScreen->SlideLines->Items.size(), 10u);
  for (size_t k = 0; k < 10; ++k) {
    EXPECT_FLOAT_EQ(Line(k).GetX(), -570.0f) << "every row starts off the screen";
    EXPECT_FLOAT_EQ(Line(k).GetY(), 200.0f + 25.0f * float(k));
  }
  // Halfway through the first row's 600 ms slide (its first tick ran as the
  // fade in ended); each row starts 30 ms after the one above.
  Tick(60);
  EXPECT_NEAR(Line(0).GetX(), -210.0f, 0.5f);
  const float second = Line(1).GetX();
  EXPECT_GT(second, 150.0f);
  EXPECT_LT(second, 800.0f);
  Tick();
  EXPECT_LT(Line(1).GetX(), second) << "odd rows come from the right";
  EXPECT_GT(Line(0).GetX(), Line(2).GetX()) << "each row follows the one above";

  // Halfway through its 500 ms stay the first row is half way to green.
  Tick(170 - 61);
  const auto glowing = RowInk(Shot(), 0);
  EXPECT_EQ(glowing[1], 255);
  EXPECT_NEAR(glowing[0], 255 - 155 / 2, 3);
  EXPECT_NEAR(glowing[2], 255 - 255 / 2, 3);
  Settle();
  for (size_t k = 0; k < 10; ++k) EXPECT_FLOAT_EQ(Line(k).GetX(), 150.0f);
  const auto settled = RowInk(Shot(), 0);
  EXPECT_EQ(settled, (std::array<int, 3>{255, 255, 255})) << "white once settled";
}

TEST_F(HighScoreScreenTest, EveryVisitOpensOnMatchingAndSwitchingReplaysTheSlideIn) {
  GamePlay->HighscoreListSolitaire->Insert("Ann", 5000);
  Enter(HighScoreScreen);
  EXPECT_EQ(HighScoreScreen->CurrentHighScoreList, GamePlay->HighscoreListMatching);
  Settle();
  ClickButton(*HighScoreScreen->GameMenu, "klondike");
  EXPECT_EQ(HighScoreScreen->CurrentHighScoreList, GamePlay->HighscoreListSolitaire);
  EXPECT_EQ(LineName(0), "Ann");
  EXPECT_LT(Line(0).GetX(), -500.0f) << "the new table slides in again";
  EXPECT_FLOAT_EQ(Line(9).GetX(), -570.0f);
  Settle();
  ClickButton(*HighScoreScreen->GameMenu, "tripeaks");
  EXPECT_EQ(HighScoreScreen->CurrentHighScoreList, GamePlay->HighscoreListTripeaks);
  EXPECT_LT(Line(0).GetX(), -500.0f);

  ClickButton(*HighScoreScreen->OkMenu, "ok");
  ASSERT_TRUE(Arrived(TitleScreen));
  Enter(HighScoreScreen);
  EXPECT_EQ(HighScoreScreen->CurrentHighScoreList, GamePlay->HighscoreListMatching);
}

TEST_F(HighScoreScreenTest, ClearingAsksFirstAndWritesTheDefaultTableAtOnce) {
  auto& matching = *GamePlay->HighscoreListMatching;
  const std::string defaults = Bytes("matching");
  matching.Insert("Ann", 900);
  ASSERT_EQ(matching.Save(), 1);
  const std::string played = Bytes("matching");
  ASSERT_NE(played, defaults);
  GamePlay->HighscoreListSolitaire->Insert("Bo", 800);
  ASSERT_EQ(GamePlay->HighscoreListSolitaire->Save(), 1);
  const std::string klondike = Bytes("klondike");
  Enter(HighScoreScreen);
  Settle();

  // No keeps the table.
  ClickButton(*HighScoreScreen->OkMenu, "clear");
  ASSERT_TRUE(HighScoreScreen->ClearHighscore);
  Tick(80); // the question slides in
  EXPECT_EQ(HighScoreScreen->ShowingInput, 1);
  ClickButton(*HighScoreScreen->GameMenu, "klondike");
  EXPECT_EQ(HighScoreScreen->CurrentHighScoreList, GamePlay->HighscoreListMatching) << "the page waits for the answer";
  TapKey("N");
  ASSERT_TRUE(TickUntil([] { return !HighScoreScreen->ClearHighscore; }, 400));
  EXPECT_EQ(HighScoreScreen->ShowingInput, 0);
  EXPECT_EQ(Bytes("matching"), played);
  EXPECT_EQ(LineName(0), "Ann");

  // Yes puts the defaults back, on disk at once, and slides them in.
  ClickButton(*HighScoreScreen->OkMenu, "clear");
  ASSERT_TRUE(HighScoreScreen->ClearHighscore);
  Tick(80);
  TapKey("Y");
  ASSERT_TRUE(TickUntil([] { return !HighScoreScreen->ClearHighscore; }, 400));
  EXPECT_EQ(Bytes("matching"), defaults);
  EXPECT_EQ(LineName(0), GameText->FindString("Highscore Name 1"));
  EXPECT_LT(Line(0).GetX(), -500.0f);
  EXPECT_EQ(Bytes("klondike"), klondike) << "only the shown table is cleared";

  // Escape answered nothing more: it leaves the page again.
  TapKey("Escape");
  EXPECT_TRUE(Arrived(TitleScreen));
}

TEST_F(HighScoreScreenTest, NamesBeyondAsciiReadBackAndShowTheirLetters) {
  const std::string zoe = "Zo\xEB";
  GamePlay->HighscoreListMatching->Insert(zoe, 900);
  ASSERT_EQ(GamePlay->HighscoreListMatching->Save(), 1);
  GamePlay->HighscoreListMatching->Load();
  Enter(HighScoreScreen);
  Settle();
  ASSERT_EQ(LineName(0), zoe);
  const auto shown = Shot();

  // Look-alikes: the letter without its dots, a replacement mark, nothing.
  auto row = [&](const std::string& name) {
    std::static_pointer_cast<TSolitaireHighScore>(Line(0).AttachedObject)->name = name;
    return Shot();
  };
  auto same = [](const platform::Pixmap& a, const platform::Pixmap& b) {
    for (int y = 200; y < 225; ++y)
      for (int x = 150; x < 260; ++x)
        if (!std::equal(a.Pixel(x, y), a.Pixel(x, y) + 3, b.Pixel(x, y))) return false;
    return true;
  };
  EXPECT_FALSE(same(shown, row("Zoe"))) << "the diaeresis shows";
  EXPECT_FALSE(same(shown, row("Zo?")));
  EXPECT_FALSE(same(shown, row("Zo")));
}

} // namespace
