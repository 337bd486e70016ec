#include <chrono>
#include <thread>

#include "AudioTestGame.h"
#include "support/ThrowingErrorHandler.h"

namespace {
void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
} // namespace

using GameVolumes = AudioGameTest;
using GameMusic = AudioGameTest;
using GameEffects = AudioGameTest;
using GameSpeech = AudioGameTest;
using GameDriver = AudioGameTest;

TEST_F(GameVolumes, AreLimitedOnEverySetAndChange) {
  game.MusicSetVolume(150, 0);
  EXPECT_EQ(game.MusicVolume, 100);
  game.MusicSetVolume(-20, 0);
  EXPECT_EQ(game.MusicVolume, 0);
  game.MusicChangeVolume(-10);
  EXPECT_EQ(game.MusicVolume, 0);
  game.SoundSetVolume(90, 0);
  game.SoundChangeVolume(30);
  EXPECT_EQ(game.SoundVolume, 100);
  game.SoundSetVolume(-1, 0);
  EXPECT_EQ(game.SoundVolume, 0);
  game.SpeechSetVolume(5, 0);
  game.SpeechChangeVolume(-10);
  EXPECT_EQ(game.SpeechVolume, 0);
  game.SpeechChangeVolume(250);
  EXPECT_EQ(game.SpeechVolume, 100);
}

TEST_F(GameVolumes, ApplyToReservedChannelsAndSaveOnlyWhenAsked) {
  game.MusicSetVolume(40, 0);
  game.SpeechSetVolume(70, 0);
  EXPECT_FLOAT_EQ(game.MusicChannel->Volume(), 0.4f);
  EXPECT_FLOAT_EQ(game.SpeechChannel->Volume(), 0.7f);
  EXPECT_EQ(game.IniUpdates, 0);
  EXPECT_EQ(game.TimerResets, 0);
  game.MusicChangeVolume(10); // changes always save
  game.SoundSetVolume(20, 1);
  EXPECT_EQ(game.IniUpdates, 2);
  EXPECT_EQ(game.TimerResets, 2);
  EXPECT_FLOAT_EQ(game.MusicChannel->Volume(), 0.5f);
}

TEST_F(GameMusic, PlaysWithFadeInAndFadesOut) {
  Tone("track.wav", 5.0);
  game.MusicSetVolume(80, 0);
  game.MusicLoad("track.wav", 0);
  EXPECT_EQ(game.MusicRestart, 1);
  EXPECT_EQ(game.MusicFileName, "track.wav");
  game.MusicPlay(1);
  EXPECT_TRUE(game.MusicChannel->Playing());
  EXPECT_EQ(game.MusicRestart, 0);
  EXPECT_EQ(game.MusicName, "track.wav");
  // 50 ms is 10 ticks; the counter starts at 49 ms worth, so the volume
  // starts just above 0 and reaches full volume after the fade.
  EXPECT_FLOAT_EQ(game.MusicFadeInCounter, 9.8f);
  EXPECT_NEAR(game.MusicChannel->Volume(), 0.02f * 0.8f, 1e-5);
  Ticks(5);
  EXPECT_NEAR(game.MusicChannel->Volume(), 0.52f * 0.8f, 1e-5);
  Ticks(10);
  EXPECT_FLOAT_EQ(game.MusicFadeInCounter, 0.0f);
  EXPECT_FLOAT_EQ(game.MusicChannel->Volume(), 0.8f);

  game.MusicFadeOutSet(1000); // 200 ticks
  Ticks(100);
  EXPECT_NEAR(game.MusicChannel->Volume(), 0.4f, 1e-4);
  Ticks(150);
  EXPECT_FLOAT_EQ(game.MusicChannel->Volume(), 0.0f);
  EXPECT_TRUE(game.MusicChannel->Playing()); // silent, still running
}

TEST_F(GameMusic, OffThenOnResumesAPausedTrack) {
  Tone("track.wav", 5.0);
  game.MusicLoad("track.wav", 0);
  game.MusicPlay(1);
  Ticks(20);
  auto channel = game.MusicChannel;
  EXPECT_EQ(game.MusicOff(), 1);
  EXPECT_EQ(game.Music, 0);
  EXPECT_TRUE(channel->Paused());
  EXPECT_FALSE(channel->Playing());
  EXPECT_EQ(game.MusicOn(), 1);
  EXPECT_EQ(game.MusicOn(), 0); // already on
  EXPECT_EQ(game.MusicChannel, channel);
  EXPECT_TRUE(channel->Playing());
  EXPECT_FLOAT_EQ(game.MusicFadeInCounter, 0.0f); // resumed, not restarted
}

TEST_F(GameMusic, OnAfterAStopRestartsWithItsFadeIn) {
  Tone("track.wav", 5.0);
  game.MusicLoad("track.wav", 1);
  game.MusicPlay(1);
  Ticks(20);
  game.MusicOff();
  game.MusicStop(); // with music off nothing is stopped, but the track must restart
  EXPECT_EQ(game.MusicRestart, 1);
  game.MusicOn();
  EXPECT_TRUE(game.MusicChannel->Playing());
  EXPECT_GT(game.MusicFadeInCounter, 0.0f);
  EXPECT_LT(game.MusicChannel->Volume(), 0.1f);
  EXPECT_EQ(game.MusicLooped, 1);
  EXPECT_TRUE(game.MusicSample->Looping());
}

TEST_F(GameMusic, OffIsRefusedWhileATrackWaitsToStart) {
  Tone("track.wav", 5.0);
  game.MusicLoad("track.wav", 0);
  EXPECT_EQ(game.MusicOff(), 0);
  EXPECT_EQ(game.Music, 1);
  // Loading with music off only remembers the track; switching on plays it
  // when a track had been asked for.
  game.MusicPlay(1);
  game.MusicOff();
  game.MusicNone();
  game.MusicOn();
  EXPECT_EQ(game.MusicName, "none");
  EXPECT_EQ(game.Music, 1);
}

TEST_F(GameMusic, ToggleDoesNothingWhilePausedAndSavesOtherwise) {
  Tone("track.wav", 5.0);
  game.MusicLoad("track.wav", 0);
  game.MusicPlay(1);
  game.Paused = 1;
  EXPECT_EQ(game.ToggleMusic(), 0);
  EXPECT_EQ(game.Music, 1);
  game.Paused = 0;
  game.ToggleMusic();
  EXPECT_EQ(game.Music, 0);
  EXPECT_EQ(game.IniUpdates, 1);
  game.ToggleMusic();
  EXPECT_EQ(game.Music, 1);
  EXPECT_TRUE(game.MusicChannel->Playing());
}

TEST_F(GameMusic, RotationAlternatesTracksAndWaitsWhileMusicIsOff) {
  Tone("music1.wav", 0.05);
  Tone("music2.wav", 0.05);
  MusicBank->Load("music1", 0.0f, 1.0f);
  MusicBank->Load("music2", 0.0f, 1.0f);
  EXPECT_EQ(NextMusicTrack(1), 0); // rotation not on yet
  MusicRotationOn = 1;
  ASSERT_EQ(NextMusicTrack(1), 1);
  EXPECT_EQ(game.MusicFileName, "music1.ogg");
  EXPECT_EQ(game.MusicSample, MusicBank->Find("MUSIC1")->sound);
  EXPECT_EQ(game.MusicLooped, 0);
  EXPECT_EQ(CurrentMusicTrack, 2);
  EXPECT_EQ(NextMusicTrack(0), 0); // still playing

  game.MusicOff();
  game.MusicStopped = 1;
  EXPECT_EQ(NextMusicTrack(0), 0);
  EXPECT_EQ(NextMusicTrack(1), 0);
  EXPECT_EQ(CurrentMusicTrack, 2);
  game.MusicStopped = 0;
  game.MusicOn(); // the paused first track resumes and runs out
  Sleep(120);
  Ticks(1);
  EXPECT_EQ(game.MusicStopped, 1);
  ASSERT_EQ(NextMusicTrack(0), 1);
  EXPECT_EQ(game.MusicFileName, "music2.ogg");
  EXPECT_EQ(game.MusicStopped, 0);
  EXPECT_TRUE(game.MusicChannel->Playing());
  Sleep(120);
  Ticks(1);
  NextMusicTrack(0);
  EXPECT_EQ(game.MusicFileName, "music1.ogg");
}

TEST_F(GameMusic, StreamLoadCuesTheTrackAndStreamPlayStartsIt) {
  Tone("track.wav", 5.0);
  game.MusicSetVolume(30, 0);
  game.MusicStreamLoad("track.wav", 0);
  EXPECT_EQ(game.MusicRestart, 1);
  EXPECT_EQ(game.MusicChannel->CurrentSound(), game.MusicSample);
  EXPECT_FALSE(game.MusicChannel->Playing());
  game.MusicStreamPlay();
  EXPECT_TRUE(game.MusicChannel->Playing());
  EXPECT_FLOAT_EQ(game.MusicChannel->Volume(), 0.3f); // no fade in
  EXPECT_EQ(game.MusicRestart, 0);
  EXPECT_EQ(game.MusicName, "track.wav");

  game.MusicOff();
  game.MusicStreamPlay();
  EXPECT_EQ(game.MusicRestart, 1);
  EXPECT_FALSE(game.MusicChannel->Playing());
}

TEST_F(GameMusic, PauseFadeFollowsItsDirection) {
  Tone("track.wav", 5.0);
  game.MusicLoad("track.wav", 1);
  game.MusicPlay(0);
  game.PauseFadeCounter = game.CalcAnimLength(game.PauseFadeLength); // 20 ticks
  game.PauseFadeDirection = 0;
  for (int i = 0; i < 5; ++i) game.PauseFadeManage();
  EXPECT_NEAR(game.MusicChannel->Volume(), 0.75f, 1e-5);
  game.PauseFadeCounter = 20;
  game.PauseFadeDirection = 1;
  for (int i = 0; i < 5; ++i) game.PauseFadeManage();
  EXPECT_NEAR(game.MusicChannel->Volume(), 0.25f, 1e-5);
}

TEST_F(GameMusic, MissingTrackIsFatal) {
  test_support::ThrowingErrorHandler throwing;
  try {
    game.MusicLoad("nothing.ogg", 0);
    FAIL() << "no error reported";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), "Error loading sample " + folder.File("nothing.ogg"));
  }
}

TEST_F(GameEffects, SameChannelReferenceCutsThePreviousEffect) {
  auto first = GameSound("first.wav", 5.0), second = GameSound("second.wav", 5.0);
  ChannelRef channel;
  game.GameSoundPlay(channel, first, 0.0f);
  ASSERT_TRUE(channel);
  auto used = channel;
  game.GameSoundPlay(channel, second, 0.5f);
  EXPECT_EQ(channel, used);
  EXPECT_EQ(channel->CurrentSound(), second->sound);
  EXPECT_TRUE(channel->Playing());
  EXPECT_FLOAT_EQ(channel->Pan(), 0.5f);

  ChannelRef same;
  game.SoundPlaySameChannel(same, first->sound);
  auto sameUsed = same;
  game.SoundPlaySameChannel(same, second->sound);
  EXPECT_EQ(same, sameUsed);
  EXPECT_EQ(same->CurrentSound(), second->sound);

  // The returned-channel form starts a fresh channel each time.
  ChannelRef returned;
  game.SoundPlayReturnChannel(returned, first->sound, 1.25f);
  auto firstReturned = returned;
  game.SoundPlayReturnChannel(returned, second->sound, 1.0f);
  EXPECT_NE(returned, firstReturned);
  EXPECT_FLOAT_EQ(firstReturned->Rate(), 1.25f);
  EXPECT_FLOAT_EQ(firstReturned->Volume(), 0.1f); // dipped, left to finish
}

TEST_F(GameEffects, VolumeFollowsStrandSoundAndScreenFade) {
  auto click = GameSound("click.wav", 1.0);
  click->volume = 0.5f;
  click->pitch = 1.5f;
  game.SoundSetVolume(80, 0);
  ChannelRef channel;
  game.GameSoundPlay(channel, click, -1.0f);
  EXPECT_FLOAT_EQ(channel->Volume(), 0.4f);
  EXPECT_FLOAT_EQ(channel->Rate(), 1.5f);
  EXPECT_FLOAT_EQ(channel->Pan(), -1.0f);
  game.FadeRatio = 0.25f; // a screen fade three quarters of the way out
  game.GameSoundPlay(channel, click, 0.0f);
  EXPECT_FLOAT_EQ(channel->Volume(), 0.1f);
}

TEST_F(GameEffects, SoundSwitchSilencesEveryForm) {
  auto click = GameSound("click.wav", 1.0);
  game.ToggleSound();
  EXPECT_EQ(game.Sound, 0);
  EXPECT_EQ(game.IniUpdates, 1);
  ChannelRef channel;
  EXPECT_EQ(game.GameSoundPlay(channel, click, 0.0f), 0);
  EXPECT_EQ(game.SoundPlay(click->sound), 0);
  EXPECT_FALSE(channel);
  game.SoundOn();
  EXPECT_EQ(game.SoundPlay(click->sound), 1);
  ASSERT_EQ(game.LooseChannels.size(), 1u);
  EXPECT_TRUE(game.LooseChannels[0]->Playing());
}

TEST_F(GameEffects, EscapeClickPlaysCentredOnItsChannel) {
  Tone("buttonclick.wav", 1.0);
  game.SetEscapeSound("buttonclick");
  ASSERT_TRUE(game.EscapeSound);
  EXPECT_EQ(game.EscapeSound->name, "BUTTONCLICK");
  auto escape = game.EscapeChannel;
  game.EscapeChannel->SetPan(1.0f);
  EXPECT_EQ(game.EscapeSoundPlay(), 1);
  EXPECT_EQ(game.EscapeChannel, escape);
  EXPECT_TRUE(escape->Playing());
  EXPECT_FLOAT_EQ(escape->Pan(), 0.0f);
}

TEST_F(GameSpeech, IsNotCutWithoutInterrupt) {
  auto first = GameSound("line1.wav", 5.0), second = GameSound("line2.wav", 5.0);
  game.SpeechSetVolume(60, 0);
  EXPECT_EQ(game.SpeechPlay(first, 0), 1);
  EXPECT_EQ(game.SpeechPlay(second, 0), 0);
  EXPECT_EQ(game.SpeechChannel->CurrentSound(), first->sound);
  EXPECT_EQ(game.SpeechPlay(second, 1), 1);
  EXPECT_EQ(game.SpeechChannel->CurrentSound(), second->sound);
  EXPECT_FLOAT_EQ(game.SpeechChannel->Volume(), 0.6f);
}

TEST_F(GameSpeech, OffPausesOnResumesAndStopsAreNoticed) {
  auto line = GameSound("line.wav", 0.05);
  game.SpeechPlay(line, 0);
  game.SpeechOff();
  EXPECT_TRUE(game.SpeechChannel->Paused());
  EXPECT_EQ(game.SpeechPlay(line, 1), 0); // speech off
  game.SpeechOn();
  EXPECT_TRUE(game.SpeechChannel->Playing());
  Sleep(120);
  Ticks(1);
  EXPECT_EQ(game.SpeechStopped, 1);
  game.SpeechOff();
  game.SpeechOn(); // finished speech is not resumed
  EXPECT_FALSE(game.SpeechChannel->Playing());

  game.SpeechPlay(GameSound("long.wav", 5.0), 0);
  auto old = game.SpeechChannel;
  game.SpeechStop();
  EXPECT_NE(game.SpeechChannel, old);
  EXPECT_FALSE(old->Playing());
}

TEST_F(GameDriver, ChoosesOpenALAwayFromWindowsXPAndFallsBackToNone) {
  game.SoundDriver = "None";
  bool device = platform::audio::SelectDriver("OpenAL Generic Software");
  game.ChooseSoundDriver(0, "");
  EXPECT_EQ(game.SoundDriver, device ? "OpenAL Generic Software" : "None");
  game.ChooseSoundDriver(2, "Windows XP");
  EXPECT_EQ(game.SoundDriver, device ? "DirectSound" : "None");
  EXPECT_EQ(game.ChangeSoundDriver("Gravis", 1), 0);
  EXPECT_EQ(game.SoundDriver, "None");
  EXPECT_EQ(game.IniUpdates, 1);
  EXPECT_EQ(game.ChangeSoundDriver("none", 0), 0);
  EXPECT_EQ(game.SoundDriver, "None");
  platform::audio::SelectDriver("None");
}
