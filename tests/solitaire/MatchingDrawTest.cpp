// The Matching table as it is drawn: the fanned pile and both open places in
// the stock row, the layout below, the help line, a matched card shrinking on
// its way to the score. Set MARROWDECK_SHOT=file.png to keep a frame for a look.
#include "MatchingPlay.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Pixmap.h"
#include "resources/TGameText.h"
#include "solitaire/TBezier.h"
#include "support/HeadlessGraphics.h"
#include "ui/TextDraw.h"

#include <cstdlib>

namespace {

class MatchingDrawTest : public MatchingPlay {
protected:
  void SetUp() override {
    MatchingPlay::SetUp();
    ASSERT_TRUE(test_support::EnsureHeadlessGraphics());
    platform::ResetViewport();
    platform::ResetDrawState();
    for (const char* name : {"helptextback", "helptextback2", "scoreplus", "scoreminus1"}) Images->Load(name);
    TGameText::SetFolder(test_support::DataPath("data/text/"));
    GameText = TGameText::Create("gametext.txt");
    std::vector<uint8_t> font;
    if (platform::ReadWholeFile("/usr/share/fonts/truetype/crosextra/Carlito-Regular.ttf", font)) LoadFonts(font);
  }
  void TearDown() override {
    GameText.reset();
    MatchingPlay::TearDown();
  }
  platform::Pixmap Frame() {
    platform::SetClsColor(0, 90, 40);
    platform::Cls();
    mode->Draw();
    platform::FinishDrawing();
    platform::Pixmap frame;
    EXPECT_TRUE(platform::GrabBackBuffer(frame));
    if (const char* shot = std::getenv("MARROWDECK_SHOT")) platform::SavePng(frame, shot, 6);
    return frame;
  }
  static bool Felt(const platform::Pixmap& frame, int x, int y) {
    const uint8_t* p = frame.Pixel(x, y);
    return p[0] == 0 && p[1] == 90 && p[2] == 40;
  }
};

TEST_F(MatchingDrawTest, TheTableShowsPileBothOpenPlacesLayoutAndHelpLine) {
  mode->CardBackground = 3;
  Start(MatchingLayout(29), 8);
  Turn();
  auto frame = Frame();
  EXPECT_FALSE(Felt(frame, 230, 70));
  EXPECT_FALSE(Felt(frame, 330, 70));
  EXPECT_FALSE(Felt(frame, 420, 70));
  EXPECT_TRUE(Felt(frame, 375, 70)); // between the open places
  const auto top = mode->Cards->Last();
  EXPECT_FALSE(Felt(frame, int(top->x), int(top->y)));
  EXPECT_FALSE(Felt(frame, 400, 556)); // the help line's board
  // Half-way to the score display a matched card is drawn at half its size.
  SetRank(mode->Stock->StockCard1, 5);
  SetRank(mode->Stock->StockCard2, 5);
  Click(mode->Stock->StockCard1);
  Click(mode->Stock->StockCard2);
  while (!mode->Stock->MovingCards->IsEmpty() && mode->Stock->MovingCards->First()->Bezier->t < 0.5f) Tick();
  const auto flying = mode->Stock->MovingCards->First();
  frame = Frame();
  EXPECT_FALSE(Felt(frame, int(flying->x), int(flying->y)));
  EXPECT_TRUE(Felt(frame, int(flying->x) + 30, int(flying->y) + 40)); // inside a whole card, outside a half one
}

} // namespace
