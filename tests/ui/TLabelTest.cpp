#include "ui/TLabel.h"

#include "platform/Graphics.h"
#include "app/Delta.h"
#include "support/GameWorld.h"
#include "ui/TextDraw.h"
#include "TextTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>

using text_test::FindInk;
using text_test::Grab;

namespace {

using Lines = std::vector<std::string>;

class LabelTest : public test_support::GameWorld {
protected:
  std::shared_ptr<platform::ImageFont> font;
  void SetUp() override {
    GameWorld::SetUp();
    font = text_test::Carlito(20);
    ASSERT_TRUE(font) << "needs " << text_test::CarlitoPath;
  }
  std::shared_ptr<TLabel> Label(const std::string& text, int wrap) {
    auto label = TLabel::CreateSpecial(text, 0, 0, 0, wrap);
    label->SetImageFont(font);
    return label;
  }
  Lines Wrap(const std::string& text, float width, float scale = 1.0f) {
    auto label = Label(text, int(width));
    label->Scale = scale;
    label->PreCalcWordWrap();
    EXPECT_EQ(label->TotalLines, int(label->TextArray.size()));
    return label->TextArray;
  }
};

} // namespace

TEST_F(LabelTest, WrapsBeforeTheWordThatOverflows) {
  const float two = font->TextWidth("alpha beta"), three = font->TextWidth("alpha beta gamma");
  const float width = (two + three) / 2;
  EXPECT_EQ(Wrap("alpha beta gamma", width), (Lines{"alpha beta", "gamma"}));
  // Runs of spaces separate words like one space; nothing is lost.
  EXPECT_EQ(Wrap("alpha  beta   gamma", width), (Lines{"alpha beta", "gamma"}));
  EXPECT_EQ(Wrap("  alpha beta gamma  ", width), (Lines{"alpha beta", "gamma"}));
  // Exactly the width still fits.
  EXPECT_EQ(Wrap("alpha beta gamma", three), (Lines{"alpha beta gamma"}));
  EXPECT_EQ(Wrap("alpha beta gamma", three - 1), (Lines{"alpha beta", "gamma"}));
}

TEST_F(LabelTest, LongWordsAndLineBreaks) {
  // A word wider than the width stands alone, never broken.
  EXPECT_EQ(Wrap("a extraordinarily b", 20), (Lines{"a", "extraordinarily", "b"}));
  // "\n" always breaks; an empty line between two stays empty; "\r\n" too.
  EXPECT_EQ(Wrap("one\n\ntwo", 500), (Lines{"one", "", "two"}));
  EXPECT_EQ(Wrap("one\r\n\r\ntwo\r\n", 500), (Lines{"one", "", "two", ""}));
  EXPECT_EQ(Wrap("", 500), (Lines{""}));
}

TEST_F(LabelTest, ScaleNarrowsTheWrapWidth) {
  const float width = font->TextWidth("alpha beta") * 1.5f;
  EXPECT_EQ(Wrap("alpha beta", width, 1.0f), (Lines{"alpha beta"}));
  EXPECT_EQ(Wrap("alpha beta", width, 2.0f), (Lines{"alpha", "beta"}));
}

TEST_F(LabelTest, Sizes) {
  auto label = Label("alpha beta gamma", 60);
  label->PreCalcWordWrap();
  ASSERT_EQ(label->TotalLines, 3);
  EXPECT_EQ(label->LineGap, font->Height());
  EXPECT_FLOAT_EQ(label->H, 3.0f * font->Height());
  label->SetLineGap(30);
  EXPECT_FLOAT_EQ(label->H, 90.0f);
  label->Scale = 2;
  EXPECT_FLOAT_EQ(label->CalcHeight(), 180.0f);
  EXPECT_FLOAT_EQ(label->CalcWidth(), 2 * font->TextWidth("alpha beta gamma"));
  EXPECT_FLOAT_EQ(label->W, font->TextWidth("alpha beta gamma"));

  auto plain = Label("single", 0);
  plain->Scale = 0.5f;
  EXPECT_FLOAT_EQ(plain->CalcHeight(), font->Height() * 0.5f);
  EXPECT_FLOAT_EQ(plain->H, float(font->Height())); // the style's line height
}

TEST_F(LabelTest, AutoScaleShrinksOnlyWideText) {
  auto label = Label("A fairly long caption", 0);
  const float width = label->CalcWidth();
  label->AutoScale(width * 0.75f);
  EXPECT_FLOAT_EQ(label->Scale, 0.75f);
  auto narrow = Label("A fairly long caption", 0);
  narrow->AutoScale(width + 100);
  EXPECT_FLOAT_EQ(narrow->Scale, 1.0f);
}

TEST_F(LabelTest, DrawPositionsColourAndRestoresState) {
  auto label = Label("Hello", 0);
  label->X = 10;
  label->Y = 20;
  label->Color = TColor::Create(255, 0, 0, 1.0f);
  platform::Cls();
  EXPECT_EQ(label->Draw(100, 100, 1), 1);
  auto pixels = Grab();
  const auto ink = FindInk(pixels);
  platform::Cls();
  SetImageFont(font);
  DrawText("Hello", 110, 120);
  const auto expected = FindInk(Grab());
  EXPECT_EQ(ink.left, expected.left);
  EXPECT_EQ(ink.top, expected.top);
  // Drawn in its own colour; afterwards the colour is white and alpha 1 again.
  const auto red = FindInk(pixels, [](const uint8_t* p) { return p[0] > 200 && p[1] < 40; });
  EXPECT_FALSE(red.Empty());
  EXPECT_TRUE(FindInk(pixels, [](const uint8_t* p) { return p[1] > 40 || p[2] > 40; }).Empty());
  int r = 0, g = 0, b = 0;
  platform::GetColor(r, g, b);
  EXPECT_EQ(r + g + b, 3 * 255);
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 1.0f);

  label->Visible = 0;
  platform::Cls();
  EXPECT_EQ(label->Draw(100, 100, 1), 0);
  EXPECT_TRUE(FindInk(Grab()).Empty());
}

TEST_F(LabelTest, ScaledDrawGrowsAndRestoresScale) {
  auto label = Label("Scale", 0);
  platform::Cls();
  label->Draw(100, 100, 1);
  const auto normal = FindInk(Grab());
  label->Scale = 2;
  platform::Cls();
  label->Draw(100, 100, 1);
  const auto doubled = FindInk(Grab());
  EXPECT_NEAR(doubled.Width(), 2 * normal.Width(), 2);
  EXPECT_NEAR(doubled.Height(), 2 * normal.Height(), 2);
  float sx = 0, sy = 0;
  platform::GetScale(sx, sy);
  EXPECT_FLOAT_EQ(sx, 1.0f);
  EXPECT_FLOAT_EQ(sy, 1.0f);
}

TEST_F(LabelTest, WrappedLinesStepByLineGapTimesScale) {
  for (float scale : {1.0f, 2.0f}) {
    auto label = Label("H\nH", 500);
    label->Scale = scale;
    label->PreCalcWordWrap();
    label->SetLineGap(40);
    platform::Cls();
    label->Draw(100, 100, 1);
    const auto pixels = Grab();
    const int gap = int(40 * scale);
    const auto first = FindInk(pixels, [](const uint8_t* p) { return p[0] > 40; }, 0, 0, 800, 100 + gap);
    const auto second = FindInk(pixels, [](const uint8_t* p) { return p[0] > 40; }, 0, 100 + gap, 800, 600);
    ASSERT_FALSE(first.Empty());
    ASSERT_FALSE(second.Empty());
    EXPECT_EQ(second.top - first.top, gap) << "scale " << scale;
    EXPECT_EQ(second.left, first.left);
  }
}

TEST_F(LabelTest, AlignmentAndVerticalCentring) {
  auto right = Label("Right", 0);
  right->Alignment = 2;
  platform::Cls();
  right->Draw(700, 100, 1);
  const auto rightInk = FindInk(Grab());
  auto left = Label("Right", 0);
  platform::Cls();
  left->Draw(700 - font->TextWidth("Right"), 100, 1);
  EXPECT_EQ(rightInk.left, FindInk(Grab()).left);

  auto centred = Label("Mid", 0);
  centred->CentreVertically = 1;
  platform::Cls();
  centred->Draw(100, 300, 1);
  const auto centredInk = FindInk(Grab());
  auto top = Label("Mid", 0);
  platform::Cls();
  top->Draw(100, 300, 1);
  const auto topInk = FindInk(Grab());
  EXPECT_EQ(topInk.top - centredInk.top, int(std::floor(font->Height() / 2.0f + 0.5f)));
}

TEST_F(LabelTest, ShadowedLabelUsesItsAlphaForTheText) {
  auto label = Label("Shade", 0);
  label->Shadow = TShadow::Create(2, 2, 1.0f);
  label->Color = TColor::Create(255, 255, 255, 0.5f);
  platform::SetClsColor(100, 100, 100);
  platform::Cls();
  label->Draw(100, 100, 1);
  EXPECT_FLOAT_EQ(TextAlpha, 0.5f);
  EXPECT_FLOAT_EQ(TextShadowX, 2.0f);
  const auto pixels = Grab();
  // Half-transparent white over grey never reaches full white; the shadow darkens.
  EXPECT_TRUE(FindInk(pixels, [](const uint8_t* p) { return p[0] > 200; }).Empty());
  EXPECT_FALSE(FindInk(pixels, [](const uint8_t* p) { return p[0] > 150; }).Empty());
  EXPECT_FALSE(FindInk(pixels, [](const uint8_t* p) { return p[0] < 70; }).Empty());
  TextAlpha = 1.0f;
  TextShadowX = TextShadowY = 1.0f;
  TextShadowAlpha = 0.5f;
}
