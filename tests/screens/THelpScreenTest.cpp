// The help page: one page per variant, chosen with the variant row.
#include "MenuScreenWorld.h"

#include "platform/Graphics.h"
#include "platform/Pixmap.h"
#include "screens/THelpScreen.h"
#include "screens/TTitleScreen.h"

namespace {

class HelpScreenTest : public MenuScreenWorld {
protected:
  // The page's picture and text area as drawn.
  std::vector<uint8_t> Page() {
    HelpScreen->Draw();
    platform::Pixmap shot;
    EXPECT_TRUE(platform::GrabBackBuffer(shot));
    std::vector<uint8_t> area;
    for (int y = 170; y < 470; ++y)
      for (int x = 60; x < 740; ++x) area.insert(area.end(), shot.Pixel(x, y), shot.Pixel(x, y) + 3);
    return area;
  }
  // How many pixels of the area changed between two pages.
  static int Differ(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    int count = 0;
    for (size_t i = 0; i < a.size(); i += 3)
      if (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) ++count;
    return count;
  }
};

TEST_F(HelpScreenTest, EachVariantHasItsOwnPageAndThePageIsKeptForTheNextVisit) {
  Enter(HelpScreen);
  EXPECT_EQ(HelpScreen->CurrentGameMode, 3) << "Matching first";
  const auto matching = Page();
  ClickButton(*HelpScreen->GameMenu, "klondike");
  EXPECT_EQ(HelpScreen->CurrentGameMode, 2);
  const auto klondike = Page();
  ClickButton(*HelpScreen->GameMenu, "tripeaks");
  EXPECT_EQ(HelpScreen->CurrentGameMode, 4);
  const auto tripeaks = Page();
  // Both the pictures and the texts differ: thousands of pixels each time.
  EXPECT_GT(Differ(matching, klondike), 5000);
  EXPECT_GT(Differ(klondike, tripeaks), 5000);
  EXPECT_GT(Differ(matching, tripeaks), 5000);

  ClickButton(*HelpScreen->OkMenu, "ok");
  ASSERT_TRUE(Arrived(TitleScreen));
  Enter(HelpScreen);
  EXPECT_EQ(HelpScreen->CurrentGameMode, 4);
  EXPECT_EQ(Differ(Page(), tripeaks), 0);
}

} // namespace
