#include <chrono>
#include <thread>

#include "../platform/AudioCapture.h"
#include "AudioTestGame.h"
#include "support/TestPaths.h"

// The start of the game's sound on a real device (OpenAL Soft's wave-file
// backend): the splash sound, then the first music track of the rotation,
// streamed from its OGG file, at the start-up volumes.
namespace {

constexpr double SplashSeconds = 1.0, MusicSeconds = 2.5;

void RunFor(RecordingAudioGame& game, double seconds) {
  auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < end) {
    game.AudioLogic();
    NextMusicTrack(0);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

} // namespace

// The game world with `game` as Game, its audio not yet started.
class GameAudioCapture : public test_support::GameWorld {
protected:
  void SetUp() override {
    GameWorld::SetUp();
    Game = std::shared_ptr<TGame>(std::shared_ptr<TGame>(), &game);
  }
  RecordingAudioGame game;
};

TEST_F(GameAudioCapture, SplashThenFirstTrackAreAudibleAndUnclipped) {
  std::string data = test_support::DataPath("data/");
  if (!platform::FileExists(data + "sound/splash.wav") || !platform::FileExists(data + "music/music1.ogg"))
    GTEST_SKIP() << "no generated sounds in " << data;
  if (test_support::CaptureTag()) {
    game.SoundPath = data + "sound/";
    game.MusicPath = data + "music/";
    game.ChooseSoundDriver(0, "");
    ASSERT_EQ(game.SoundDriver, "OpenAL Generic Software");
    game.ReservedChannelsCreate();
    game.MusicSetVolume(50, 0);
    game.SoundSetVolume(50, 0);
    MusicBank->SetPath(game.MusicPath);
    MusicBank->Load("music1.ogg", 0.0f, 1.0f);
    MusicBank->Load("music2.ogg", 0.0f, 1.0f);
    ASSERT_TRUE(MusicBank->Find("music1")->sound->Streamed());

    auto splash = TGameSound::Create(game.SoundPath + "splash.wav", 0);
    ChannelRef splashChannel;
    game.GameSoundPlay(splashChannel, splash, 0.0f);
    RunFor(game, SplashSeconds);
    splashChannel->Stop();
    MusicRotationOn = 1;
    NextMusicTrack(1);
    RunFor(game, MusicSeconds);
    EXPECT_TRUE(game.MusicChannel->Playing());
    EXPECT_EQ(game.MusicStopped, 0);
    game.AudioKill();
    platform::audio::Shutdown();
    return;
  }
  std::string capture = test_support::RunCapture(folder, "startup", "GameAudioCapture.*");
  auto splash = test_support::Measure(capture, 0.1, SplashSeconds - 0.1);
  auto music = test_support::Measure(capture, SplashSeconds + 0.3, SplashSeconds + MusicSeconds - 0.1);
  if (!splash.ok) GTEST_SKIP() << "the wave backend wrote no capture here";
  ASSERT_TRUE(music.ok);
  EXPECT_GT(splash.left + splash.right, 0.01);
  EXPECT_GT(music.left + music.right, 0.01);
  EXPECT_LT(std::max(splash.peak, music.peak), 0.999);
}
