// The options page played through the pointer: the volume sliders, the two
// toggles, and what "ok" and Escape leave on disk.
#include "MenuScreenWorld.h"

#include "screens/TOptionsScreen.h"
#include "screens/TTitleScreen.h"
#include "ui/TButton.h"
#include "ui/TSlider.h"

namespace {

class OptionsScreenTest : public MenuScreenWorld {
protected:
  void SetUp() override {
    MenuScreenWorld::SetUp();
    Game->MusicSetVolume(50, 0);
    Game->SoundSetVolume(50, 0);
    Game->FullScreen = 0; // the game starts windowed
    Enter(OptionsScreen);
  }
  // Presses on a slider's track at x, drags to `toX` and lets go.
  void Drag(const TSlider& slider, int fromX, int toX) {
    const int y = int(slider.y) + slider.h / 2;
    MoveMouse(fromX, y);
    Tick();
    PressButton();
    Tick();
    MoveMouse(toX, y);
    Tick();
    ReleaseButton();
    Tick();
  }
  std::string Shown(const std::string& toggle) {
    return OptionsScreen->OptionsMenu->FindButton(toggle)->image->name;
  }
  const std::string settings = "marrowdeck.ini";
};

TEST_F(OptionsScreenTest, SlidersSetTheVolumesAtOnceAndOkWritesTheSettingsAndConfig) {
  auto& screen = *OptionsScreen;
  EXPECT_EQ(screen.MusicSlider->Value, 50);
  EXPECT_EQ(screen.SoundSlider->Value, 50);
  Drag(*screen.MusicSlider, 480, 340);
  EXPECT_EQ(Game->MusicVolume, 0);
  EXPECT_FLOAT_EQ(Game->MusicChannel->Volume(), 0.0f) << "the music follows the slider at once";
  Drag(*screen.SoundSlider, 480, 630);
  EXPECT_EQ(Game->SoundVolume, 100);
  EXPECT_EQ(Shown("showtimer"), "SHOWTIMER");
  ClickButton(*screen.OptionsMenu, "showtimer");
  EXPECT_EQ(GamePlay->ShowTimer, 1);
  EXPECT_EQ(Shown("showtimer"), "SHOWTIMERON");
  EXPECT_FALSE(platform::FileExists(folder.File(settings))) << "nothing is written before ok";
  EXPECT_NE(FileText("config.ini").find("SHOWTIMER=0"), std::string::npos);

  ClickButton(*screen.OkMenu, "ok");
  ASSERT_TRUE(Arrived(TitleScreen));
  const std::string written = FileText(settings);
  EXPECT_NE(written.find("MUSIC VOLUME=0\r\n"), std::string::npos) << written;
  EXPECT_NE(written.find("SOUND VOLUME=100\r\n"), std::string::npos) << written;
  EXPECT_TRUE(platform::FileExists(folder.File("inichanged.dat"))) << "the settings change is marked";
  EXPECT_NE(FileText("config.ini").find("SHOWTIMER=1"), std::string::npos);

  // The next visit shows what was saved.
  Enter(OptionsScreen);
  EXPECT_EQ(OptionsScreen->MusicSlider->Value, 0);
  EXPECT_EQ(OptionsScreen->SoundSlider->Value, 100);
  EXPECT_EQ(Shown("showtimer"), "SHOWTIMERON");
}

TEST_F(OptionsScreenTest, EscapeKeepsTheChangesInEffectWithoutWritingEitherFile) {
  auto& screen = *OptionsScreen;
  Drag(*screen.MusicSlider, 480, 368 + 236 * 3 / 10);
  ASSERT_EQ(Game->MusicVolume, 30);
  ClickButton(*screen.OptionsMenu, "showtimer");
  const std::string config = FileText("config.ini");
  TapKey("Escape");
  ASSERT_TRUE(Arrived(TitleScreen));
  EXPECT_EQ(Game->MusicVolume, 30);
  EXPECT_NEAR(Game->MusicChannel->Volume(), 0.3f, 1e-4) << "the music plays on at the new volume";
  EXPECT_EQ(GamePlay->ShowTimer, 1);
  EXPECT_FALSE(platform::FileExists(folder.File(settings)));
  EXPECT_EQ(FileText("config.ini"), config);
}

TEST_F(OptionsScreenTest, DraggingTheSoundSliderClicksAtMostFourTimesASecond) {
  const auto& slider = *OptionsScreen->SoundSlider;
  const int y = int(slider.y) + slider.h / 2;
  MoveMouse(380, y);
  Tick();
  PressButton();
  std::shared_ptr<platform::audio::Channel> last;
  int clicks = 0;
  auto countClick = [&] {
    if (!Game->LooseChannels.empty() && Game->LooseChannels.back() != last) {
      last = Game->LooseChannels.back();
      ++clicks;
      EXPECT_NEAR(last->Volume(), float(Game->SoundVolume) / 100, 1e-4) << "each click plays at the new volume";
    }
  };
  // A second of steady dragging changes the value every few ticks.
  for (int i = 0; i < 200; ++i) {
    MoveMouse(380 + i, y);
    Tick();
    countClick();
  }
  EXPECT_EQ(clicks, 4);
  // A knob held still clicks no more.
  Tick(100);
  countClick();
  EXPECT_EQ(clicks, 4);
  ReleaseButton();
  Tick();
}

TEST_F(OptionsScreenTest, TheFullScreenToggleShowsWhatTheWindowBecame) {
  ASSERT_EQ(Game->FullScreen, 0);
  EXPECT_EQ(Shown("fullscreen"), "FULLSCREEN");
  ClickButton(*OptionsScreen->OptionsMenu, "fullscreen");
  EXPECT_EQ(Shown("fullscreen"), Game->FullScreen ? "FULLSCREENON" : "FULLSCREEN");
  if (Game->FullScreen) ClickButton(*OptionsScreen->OptionsMenu, "fullscreen");
  ASSERT_EQ(Game->FullScreen, 0);
  EXPECT_EQ(Shown("fullscreen"), "FULLSCREEN");
  // After a full screen that could not be opened the game stays windowed,
  // and so does the toggle.
  Game->ForceWindowedMode = 1;
  ClickButton(*OptionsScreen->OptionsMenu, "fullscreen");
  EXPECT_EQ(Game->FullScreen, 0);
  EXPECT_EQ(Shown("fullscreen"), "FULLSCREEN");
}

} // namespace
