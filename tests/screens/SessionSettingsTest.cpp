#include "support/GameWorld.h"

#include "platform/Files.h"
#include "screens/SessionSettings.h"
#include "solitaire/TGamePlay.h"

namespace {

class SessionSettingsTest : public test_support::GameWorld {};

TEST_F(SessionSettingsTest, ConfigIsReadAtStartAndWrittenOnlyOnceRead) {
  // Before start-up read it (an early exit), nothing is written.
  GamePlay->ShowTimer = 1;
  EXPECT_EQ(WriteSessionSettings(), 0);
  EXPECT_FALSE(platform::FileExists(folder.File("config.ini")));

  // The player's choice from the last run comes back; unknown keys go.
  folder.Write("config.ini", "SHOWTIMER=1\r\nFIRSTRUN=0\r\nOTHER=7\r\n");
  GamePlay->ShowTimer = 0;
  GamePlay->FirstRun = 1;
  LoadSessionSettings(folder.Path());
  EXPECT_EQ(GamePlay->ShowTimer, 1);
  EXPECT_EQ(GamePlay->FirstRun, 0);

  GamePlay->ShowTimer = 0;
  EXPECT_EQ(WriteSessionSettings(), 1);
  std::string text;
  platform::ReadWholeFile(folder.File("config.ini"), text);
  EXPECT_EQ(text, "SHOWTIMER=0\r\nFIRSTRUN=0\r\n");
}

} // namespace
