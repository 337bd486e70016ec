#include "support/GameWorld.h"
#include "CountingScreen.h"
#include "app/InputTables.h"
#include "app/TGame.h"

#include "app/TLoadingScreen.h"
#include "platform/Pixmap.h"
#include "support/TempFolder.h"

namespace {

std::shared_ptr<TGameImage> Bar(int width, int height) {
  platform::Pixmap pixels;
  pixels.width = width;
  pixels.height = height;
  pixels.rgba.assign(size_t(width) * height * 4, 255);
  return TGameImage::CreateFromImage(platform::Picture::FromPixmap(pixels), "bar", 1);
}

class LoadingScreenTest : public test_support::GameWorld {};

TEST_F(LoadingScreenTest, BarAdvancesOneStepPerLoadedItem) {
  TLoadingBar bar;
  bar.Init(Bar(480, 20), nullptr, nullptr);
  bar.Centre(425);
  bar.SetSteps(24);
  EXPECT_EQ(bar.x, 160);
  EXPECT_EQ(bar.y, 425);
  EXPECT_EQ(bar.Image->midhandled, 0) << "bar pictures are drawn from their corner";
  for (int step = 1; step < 24; ++step) {
    bar.Progress();
    ASSERT_FLOAT_EQ(bar.Position, step * 20.0f);
    ASSERT_EQ(bar.Finished, 0);
  }
  bar.Progress();
  EXPECT_EQ(bar.Finished, 1);
  EXPECT_FLOAT_EQ(bar.Position, 480.0f);
  bar.Progress();
  EXPECT_FLOAT_EQ(bar.Position, 480.0f) << "extra steps never draw past the bar";
}

TEST_F(LoadingScreenTest, FinishedLoadingFadesOutToItsDestination) {
  auto loading = std::make_shared<VQLoadingScreen>();
  auto title = std::make_shared<CountingScreen>("title");
  loading->Destination = title;
  loading->LoadingBar.Init(Bar(480, 20), nullptr, nullptr);
  loading->SetSteps(2);
  Game->CurrentTScreen = loading;
  loading->MoveBar();
  loading->MoveBar();
  EXPECT_EQ(loading->Finished, 1);

  loading->Logic();
  EXPECT_EQ(Game->GameFade.Active, 1);
  EXPECT_EQ(Game->GameFade.AllowAnim, 1);
  EXPECT_EQ(Game->DestinationTScreen, title);
  Game->GameFade.Finish();
  Game->ScreenChange();
  EXPECT_EQ(Game->CurrentTScreen, title);
  EXPECT_EQ(title->Starts, 1);
}

TEST_F(LoadingScreenTest, BarCompanionsAreFoundBesideTheBar) {
  test_support::TempFolder folder;
  platform::Pixmap pixels;
  pixels.width = 48;
  pixels.height = 8;
  pixels.rgba.assign(48 * 8 * 4, 200);
  ASSERT_TRUE(platform::SavePng(pixels, folder.File("loadingbar.png")));
  ASSERT_TRUE(platform::SavePng(pixels, folder.File("loadingbarempty.png")));
  ASSERT_TRUE(platform::SavePng(pixels, folder.File("back.png")));
  Game->ImagePath = folder.Path();
  VQLoadingScreen loading;
  loading.SpecialLoad("back.png", "loadingbar.png", "");
  EXPECT_TRUE(loading.Image);
  EXPECT_TRUE(loading.LoadingBar.Image);
  EXPECT_TRUE(loading.LoadingBar.EmptyImage);
  EXPECT_FALSE(loading.LoadingBar.FinalImage) << "no final picture beside it";
  EXPECT_EQ(loading.LoadingBar.w, 48);
}

TEST(LoadingStepWaitTest, WholeMillisecondsCappedAndAnythingElseMeansNoWait) {
  EXPECT_EQ(LoadingStepWait(nullptr), 0) << "unset";
  EXPECT_EQ(LoadingStepWait(""), 0);
  EXPECT_EQ(LoadingStepWait("0"), 0);
  EXPECT_EQ(LoadingStepWait("250"), 250);
  EXPECT_EQ(LoadingStepWait("0300"), 300);
  EXPECT_EQ(LoadingStepWait("2000"), MaxLoadingStepWaitMs);
  EXPECT_EQ(LoadingStepWait("2001"), MaxLoadingStepWaitMs) << "capped";
  EXPECT_EQ(LoadingStepWait("99999999999999999999999"), MaxLoadingStepWaitMs) << "no overflow past the cap";
  for (const char* malformed : {"-5", "+5", " 5", "5 ", "5ms", "1e3", "abc", "2.5"})
    EXPECT_EQ(LoadingStepWait(malformed), 0) << malformed;
}

} // namespace
