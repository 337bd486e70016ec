// The Tri Peaks table as it is drawn: the fanned pile and the open card in
// the stock row, the layout below, the help line and "No Moves Left" on their
// boards. Set MARROWDECK_SHOT=file.png to keep the frame for a look.
#include "TripeaksPlay.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Pixmap.h"
#include "resources/TGameText.h"
#include "support/HeadlessGraphics.h"
#include "ui/TextDraw.h"

#include <cstdlib>

namespace {

class TripeaksDrawTest : public TripeaksPlay {
protected:
  void SetUp() override {
    TripeaksPlay::SetUp();
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
    TripeaksPlay::TearDown();
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

TEST_F(TripeaksDrawTest, TheTableShowsPileOpenCardLayoutAndTheirMessages) {
  mode->CardBackground = 2;
  Start(StandardLayout(1), 8);
  auto frame = Frame();
  // The pile fans out left of (230, 70); the open card lies at (330, 70), the gap between is felt.
  EXPECT_FALSE(Felt(frame, 230, 70));
  EXPECT_FALSE(Felt(frame, 330, 70));
  EXPECT_TRUE(Felt(frame, 280, 70));
  // A base-row card and the help board at the bottom.
  const auto base = mode->Cards->Last();
  EXPECT_FALSE(Felt(frame, int(base->x), int(base->y)));
  EXPECT_FALSE(Felt(frame, 400, 556));
  // Nothing fits any more: the "No Moves Left" board shows over the table.
  for (const auto& card : *mode->Stock->Cards) card->CardNumber = 7;
  for (const auto& card : *mode->Cards) card->CardNumber = 7;
  mode->CreateHints();
  ASSERT_EQ(mode->IsNoMovesLeft(), 1);
  frame = Frame();
  EXPECT_FALSE(Felt(frame, 400, 422));
}

} // namespace
