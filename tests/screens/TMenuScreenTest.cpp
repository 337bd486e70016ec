// The title screen's buttons lead to the options, help and high-score pages
// and each page back, with the pointer sparkling and the header glowing.
#include "MenuScreenWorld.h"

#include "app/TMousePointer.h"
#include "effects/TParticleList.h"
#include "screens/THelpScreen.h"
#include "screens/THighScoreScreen.h"
#include "screens/TOptionsScreen.h"
#include "screens/TTitleScreen.h"
#include "ui/TSprite.h"

namespace {

class MenuScreenTest : public MenuScreenWorld {};

TEST_F(MenuScreenTest, EveryTitleButtonLeadsToItsPageAndOkOrEscapeBack) {
  Enter(TitleScreen);
  const std::pair<const char*, std::shared_ptr<TMenuScreen>> pages[] = {
      {"options", OptionsScreen}, {"help", HelpScreen}, {"highscore", HighScoreScreen}};
  for (const auto& [button, page] : pages) {
    for (const bool byEscape : {false, true}) {
      ClickButton(*TitleScreen->TitleMenu, button);
      ASSERT_TRUE(Arrived(page)) << button;
      EXPECT_EQ(Game->IgnoreEscapeKey, 0) << button;
      // The pointer sparkles and the header glows.
      Game->Mouse->ParticleList->Clear();
      const float glow = page->HeaderSprite->Glow;
      MoveMouse(120, 420);
      Tick(60);
      const auto* sparkles = dynamic_cast<TParticleList*>(Game->Mouse->ParticleList.get());
      ASSERT_TRUE(sparkles) << button;
      EXPECT_GT(sparkles->Count(), 0) << button;
      EXPECT_NE(page->HeaderSprite->Glow, glow) << button;
      if (byEscape) {
        TapKey("Escape");
      } else {
        auto ok = std::static_pointer_cast<TMenu>(page->Menu)->FindButton("ok");
        ASSERT_TRUE(ok) << button;
        Click(int(ok->x) + ok->w / 2, int(ok->y) + ok->h / 2);
      }
      ASSERT_TRUE(Arrived(TitleScreen)) << button << (byEscape ? " by Escape" : " by ok");
    }
  }
}

} // namespace
