#include "solitaire/TGameMode.h"

#include "solitaire/TGamePlay.h"
#include "support/GameWorld.h"

#include <gtest/gtest.h>

namespace {

using GameModeTest = test_support::GameWorld;

// A mode that plays nothing of its own, like the layout editor's answers.
class BareMode : public TGameMode {
public:
  int32_t Clear() override {
    ++clears;
    return 1;
  }
  int clears = 0;
};

// A variant storing its level the way every variant's Init begins.
class LevelMode : public TGameMode {
public:
  int32_t Init(const std::string& layoutPath, int32_t isCustomLevel) override {
    RememberLevel(layoutPath, isCustomLevel);
    return TGameMode::Init(layoutPath, isCustomLevel);
  }
};

TEST_F(GameModeTest, BaseAnswersNothingAndInitClears) {
  BareMode mode;
  EXPECT_EQ(mode.GameType, 0);
  EXPECT_EQ(mode.CardBackground, 0);
  EXPECT_EQ(mode.IsGameFinished(), 0);
  EXPECT_EQ(mode.GetHighscoreList(), nullptr);
  EXPECT_EQ(mode.Undo(), 0);
  EXPECT_EQ(mode.SaveGame("x"), 0);
  EXPECT_EQ(mode.LoadGame("x"), 0);
  EXPECT_EQ(mode.Reset(), 0);
  EXPECT_EQ(mode.Shuffle(), 0);
  EXPECT_EQ(mode.ResetHintTimer(100), 0);
  EXPECT_EQ(mode.Draw(), 0);
  EXPECT_EQ(mode.Logic(), 0);
  EXPECT_EQ(mode.clears, 0);
  mode.Init("layouts/matching/1.layout", 0);
  EXPECT_EQ(mode.clears, 1);
}

TEST_F(GameModeTest, InitStoresTheLevelSoItCanBeReplayed) {
  LevelMode mode;
  mode.Init("custom/mine.layout", 1);
  EXPECT_EQ(GamePlay->CurrentLevel, "custom/mine.layout");
  EXPECT_EQ(GamePlay->IsCustomLevel, 1);
  mode.Init(GamePlay->CurrentLevel, 0);
  EXPECT_EQ(GamePlay->CurrentLevel, "custom/mine.layout");
  EXPECT_EQ(GamePlay->IsCustomLevel, 0);
  GamePlay.reset();
  mode.Init("x", 0); // no session: nothing to store, no crash
}

} // namespace
