#include "ui/TextDraw.h"

#include "platform/Files.h"
#include "platform/Graphics.h"
#include "app/Delta.h"
#include "support/GameWorld.h"
#include "support/ThrowingErrorHandler.h"
#include "TextTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

using text_test::FindInk;
using text_test::Grab;

namespace {

class TextDrawTest : public test_support::GameWorld {
protected:
  std::shared_ptr<platform::ImageFont> font;
  void SetUp() override {
    GameWorld::SetUp();
    font = text_test::Carlito(20);
    ASSERT_TRUE(font) << "needs " << text_test::CarlitoPath;
    SetImageFont(font);
    TextShadowX = TextShadowY = 1.0f;
    TextShadowAlpha = 0.5f;
    TextAlpha = 1.0f;
  }

  // Ink box of `text` drawn by `draw` on a cleared surface.
  template <typename Draw>
  text_test::InkBox InkOf(Draw draw) {
    platform::Cls();
    draw();
    return FindInk(Grab());
  }
};

bool Bright(const uint8_t* p) { return p[0] > 200 && p[1] > 200 && p[2] > 200; }

} // namespace

TEST_F(TextDrawTest, LoadFontsBuildsAllSevenOrFails) {
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(platform::ReadWholeFile(text_test::CarlitoPath, bytes));
  ASSERT_EQ(LoadFonts(bytes), 1);
  for (size_t i = 0; i < FontSizes.size(); ++i) {
    ASSERT_TRUE(Fonts[i]);
    EXPECT_EQ(Fonts[i]->PixelSize(), FontSizes[i]);
    EXPECT_EQ(FontOfSize(FontSizes[i]), Fonts[i]);
  }
  EXPECT_EQ(FontOfSize(13), nullptr);
  KillFonts();
  EXPECT_EQ(Fonts[0], nullptr);

  test_support::ThrowingErrorHandler throwing;
  const std::vector<uint8_t> junk(500, 7);
  try {
    LoadFonts(junk, "calibri.ttf");
    ADD_FAILURE() << "an unusable face must be fatal";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), "Error loading font calibri.ttf");
  }
}

TEST_F(TextDrawTest, WidthIsSumOfAdvancesAndKerning) {
  const std::string text = "AVAToWay, caf\xe9 \xc5ngstr\xf6m";
  float expected = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    expected += font->Advance(uint8_t(text[i]));
    if (i > 0) expected += font->Kerning(uint8_t(text[i - 1]), uint8_t(text[i]));
  }
  EXPECT_EQ(TextWidth(text), expected);
  // Widths add up across a split, with the kerning of the pair at the split.
  EXPECT_EQ(TextWidth("AV"), TextWidth("A") + TextWidth("V") + font->Kerning('A', 'V'));

  // The drawn glyphs sit on those pen positions: the second of two glyphs ends
  // exactly one advance (plus kerning) right of where the first one ends.
  const auto one = InkOf([] { DrawText("W", 100, 100); });
  const auto two = InkOf([] { DrawText("WW", 100, 100); });
  EXPECT_EQ(two.right - one.right, int(font->Advance('W') + font->Kerning('W', 'W')));
  EXPECT_EQ(two.left, one.left);
}

TEST_F(TextDrawTest, TextTooWideForItsRoomIsCutToTheLongestStartThatFitsWithDots) {
  EXPECT_EQ(FitText("Anna", 200), "Anna");
  const std::string name(251, 'L');
  const std::string cut = FitText(name, 200);
  ASSERT_GT(cut.size(), 3u);
  EXPECT_EQ(cut.substr(cut.size() - 3), "...");
  EXPECT_LE(TextWidth(cut), 200.0f);
  EXPECT_GT(TextWidth(name.substr(0, cut.size() - 2) + "..."), 200.0f) << "one letter more would not fit";
  EXPECT_EQ(FitText(name, 1), "") << "no room even for the dots";
}

TEST_F(TextDrawTest, AlignedTextLandsWhereExpected) {
  const std::string text = "Centre me";
  const float width = TextWidth(text);
  const auto left = InkOf([&] { DrawTextAligned(text, 100, 50, 0, 0, 1); });
  ASSERT_FALSE(left.Empty());
  const int inkX = left.left - 100, inkY = left.top - 50; // ink offset from the text origin

  const auto leftRounded = InkOf([&] { DrawTextAligned(text, 100.4f, 49.6f, 0, 0, 1); });
  EXPECT_EQ(leftRounded.left, left.left);
  EXPECT_EQ(leftRounded.top, left.top);

  const auto right = InkOf([&] { DrawTextAligned(text, 700, 50, 0, 2, 1); });
  EXPECT_EQ(right.left, 700 - int(width) + inkX);
  EXPECT_EQ(right.top, left.top);

  const auto centred = InkOf([&] { DrawTextAligned(text, 400, 50, 0, 1, 1); });
  EXPECT_EQ(centred.left, int(std::floor(400 - width / 2 + 0.5f)) + inkX);

  // At scale 2 the centred text moves by the scaled half width and stays
  // centred vertically on its unscaled line.
  const float height = TextHeight(text);
  platform::SetScale(2, 2);
  const auto centred2 = InkOf([&] { DrawTextAligned(text, 400, 200, 0, 1, 1); });
  const auto right2 = InkOf([&] { DrawTextAligned(text, 700, 200, 0, 2, 1); });
  platform::SetScale(1, 1);
  const int startX = int(std::floor(400 - width + 0.5f));
  const int startY = int(std::floor(200 - height / 2 + 0.5f));
  EXPECT_NEAR(centred2.left, startX + 2 * inkX, 1);
  EXPECT_NEAR(centred2.top, startY + 2 * inkY, 1);
  EXPECT_NEAR(centred2.Width(), 2 * left.Width(), 2);
  // Right alignment moves by the unscaled width whatever the scale.
  EXPECT_NEAR(right2.left, 700 - int(width) + 2 * inkX, 1);
}

TEST_F(TextDrawTest, CentredOnScreen) {
  const auto onX = InkOf([] { DrawTextCentreX("Middle", 300); });
  const auto expectedLeft = InkOf([] { DrawText("Middle", (800 - TextWidth("Middle")) / 2, 300); });
  EXPECT_EQ(onX.left, expectedLeft.left);
  const auto both = InkOf([] { DrawTextCentreScreen("Middle"); });
  const float x = float((800 - int(TextWidth("Middle"))) / 2), y = float((600 - int(TextHeight("Middle"))) / 2);
  const auto plain = InkOf([&] { DrawText("Middle", x, y); });
  EXPECT_EQ(both.left, plain.left);
  EXPECT_EQ(both.top, plain.top);
}

TEST_F(TextDrawTest, ShadowIsDrawnUnderTheText) {
  platform::SetClsColor(100, 100, 100);
  TextShadowX = TextShadowY = 3.0f;
  platform::SetColor(255, 255, 255);
  platform::SetBlend(platform::Blend::Light);
  platform::Cls();
  DrawTextShadow(200, 100, "Shadowed", 0);
  EXPECT_EQ(platform::GetBlend(), platform::Blend::Light) << "blend mode restored";
  platform::SetBlend(platform::Blend::Alpha);
  const auto pixels = Grab();
  const auto text = FindInk(pixels, Bright);
  const auto shadow = FindInk(pixels, [](const uint8_t* p) { return p[0] < 70; });
  ASSERT_FALSE(text.Empty());
  ASSERT_FALSE(shadow.Empty());
  // The shadow sticks out 3 pixels right of and below the text.
  EXPECT_NEAR(shadow.right, text.right + 3, 1);
  EXPECT_NEAR(shadow.bottom, text.bottom + 3, 1);
  // Half-opaque black on grey 100: its core is about 50, never black.
  int darkest = 255;
  for (int y = shadow.top; y <= shadow.bottom; ++y)
    for (int x = shadow.left; x <= shadow.right; ++x) darkest = std::min<int>(darkest, pixels.Pixel(x, y)[0]);
  EXPECT_NEAR(darkest, 50, 8);

  // Centred: x is the middle of the text.
  platform::Cls();
  DrawTextShadow(400, 300, "Shadowed", 1);
  const auto centred = FindInk(Grab(), Bright);
  EXPECT_NEAR((centred.left + centred.right) / 2.0, 400, 3);
}

TEST_F(TextDrawTest, TextLinesStepAndAlignment) {
  // Three lines bottom-aligned at y 300 start two steps higher.
  const auto lines = InkOf([&] { DrawTextLines("Top\r\nMiddle\nBottom", 100, 300, font, 1, 1, 1, 0); });
  const auto first = InkOf([] { DrawTextShadow(100, 250, "Top", 0); });
  const auto last = InkOf([] { DrawTextShadow(100, 300, "Bottom", 0); });
  EXPECT_EQ(lines.top, first.top);
  EXPECT_EQ(lines.bottom, last.bottom);
  // x of -1 centres each line on the screen.
  const auto centred = InkOf([&] { DrawTextLines("Wide line here\nX", -1, 100, font, 1, 0, 1, 0); });
  EXPECT_NEAR((centred.left + centred.right) / 2.0, 400, 3);
  EXPECT_EQ(GetImageFont(), font);
  // Empty text draws nothing.
  EXPECT_TRUE(InkOf([&] { DrawTextLines("", 100, 100, font, 1, 0, 1, 0); }).Empty());
}

// A picture of every game font size with accented letters, for looking at:
// written to font_test_screen.png in the test's working folder.
TEST_F(TextDrawTest, TestScreenShowsEverySize) {
  platform::SetClsColor(24, 40, 64);
  platform::Cls();
  float y = 10;
  std::vector<text_test::InkBox> rows;
  for (int size : FontSizes) {
    auto sized = text_test::Carlito(size);
    ASSERT_TRUE(sized);
    SetImageFont(sized);
    const std::string line = std::to_string(size) + " px: \xc0\xc9\xce\xd5\xdc \xe0\xe9\xee\xf5\xfc \xe7\xf1\xdf "
                             "\xc5ngstr\xf6m na\xefve AVAWTo 0123";
    platform::SetColor(255, 255, 255);
    DrawTextShadow(10, y, line, 0);
    rows.push_back(FindInk(Grab(), Bright, 0, int(y), 800, int(y) + sized->Height()));
    y += float(sized->Height()) + 12;
  }
  platform::SetColor(255, 220, 120);
  SetImageFont(text_test::Carlito(25));
  DrawTextAligned("Right aligned", 790, 540, 1, 2, 1);
  DrawTextAligned("Centred", 400, 570, 1, 1, 1);
  platform::SetColor(255, 255, 255);
  const auto pixels = Grab();
  EXPECT_TRUE(platform::SavePng(pixels, "font_test_screen.png"));
  for (size_t i = 1; i < rows.size(); ++i) {
    ASSERT_FALSE(rows[i].Empty());
    EXPECT_GT(rows[i].Height(), rows[i - 1].Height()) << "size " << FontSizes[i];
  }
}

// Faces with a kerning table: a hand-made raster font whose "A" and "V" pull
// together by 1 pixel, checked in the width and in where the glyphs land.
TEST_F(TextDrawTest, KerningMovesTheFollowingGlyph) {
  platform::RasterFont raster;
  raster.pixelSize = 10;
  raster.ascender = 8;
  raster.descender = -2;
  raster.lineHeight = 12;
  for (uint8_t code : {uint8_t('A'), uint8_t('V')}) {
    platform::GlyphBitmap& glyph = raster.glyphs[code];
    glyph.width = 4;
    glyph.height = 6;
    glyph.bearingX = 1;
    glyph.bearingY = 6;
    glyph.advance = 6;
    glyph.coverage.assign(24, 255);
  }
  raster.kerning.assign(256 * 256, 0.0f);
  raster.kerning['A' * 256 + 'V'] = -1;
  auto kerned = platform::ImageFont::FromRaster(raster, false);
  ASSERT_TRUE(kerned);
  EXPECT_EQ(kerned->Height(), 10);
  EXPECT_EQ(kerned->TextWidth("AV"), 11.0f);
  EXPECT_EQ(kerned->TextWidth("VA"), 12.0f);
  SetImageFont(kerned);
  const auto av = InkOf([] { DrawText("AV", 100, 100); });
  const auto va = InkOf([] { DrawText("VA", 100, 100); });
  EXPECT_EQ(av.left, 101);
  EXPECT_EQ(av.top, 102); // ascender 8 - bearing 6
  EXPECT_EQ(av.Height(), 6);
  EXPECT_EQ(av.right, 109); // V at 100 + 6 - 1 + 1
  EXPECT_EQ(va.right, 110);
}
