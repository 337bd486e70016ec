#include "solitaire/TKlondikeSaveFile.h"

#include "platform/Files.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeKlondike.h"
#include "support/GameModeWorld.h"

#include <gtest/gtest.h>

namespace {

// Replays the saved-game reader's fuzzing seeds: the valid ones load, go onto
// a table and read back the same; the bad ones are refused.
class KlondikeSaveFileTest : public test_support::GameModeWorld {};

TEST_F(KlondikeSaveFileTest, FuzzSeedsAreReadAsTheirNamesSay) {
  const std::string seeds = test_support::SourcePath("fuzz/corpus/ksave_reader/");
  const auto names = platform::ListFolder(seeds, "ksave");
  ASSERT_GE(names.size(), 6u);
  for (const auto& name : names) {
    SCOPED_TRACE(name);
    std::string bytes;
    ASSERT_TRUE(platform::ReadWholeFile(seeds + name, bytes));
    TKlondikeSaveFile saved;
    const bool valid = name.rfind("valid-", 0) == 0;
    ASSERT_EQ(saved.Parse(bytes), valid ? 1 : 0);
    if (!valid) continue;
    auto mode = Create<TGameModeKlondike>();
    mode->Clear();
    TKlondikeSaveFile::Apply(saved.Current, *mode);
    TKlondikeSaveFile again;
    ASSERT_EQ(again.Parse(TKlondikeSaveFile::Format(*mode, saved.ElapsedMs, saved.Score)), 1);
    EXPECT_EQ(again.Current.P, saved.Current.P);
    ASSERT_EQ(again.Current.Tableau.size(), saved.Current.Tableau.size());
    for (size_t i = 0; i < saved.Current.Tableau.size(); ++i)
      EXPECT_EQ(again.Current.Tableau[i].angle, saved.Current.Tableau[i].angle);
  }
}

} // namespace
