#pragma once
#include <gtest/gtest.h>

#include "../platform/AudioTestSounds.h"
#include "app/Delta.h"
#include "app/TGameAudio.h"
#include "app/TSoundBank.h"
#include "platform/Audio.h"
#include "support/TempFolder.h"

// The audio half of the game on the no-device backend, whose channels keep
// their volume, pan, rate and pause state and play for as long as their sound
// lasts, so the strands can be observed without hearing them.
class RecordingAudioGame : public TGameAudio {
public:
  int IniUpdates = 0, TimerResets = 0, Paused = 0;
  float FadeRatio = 1.0f;
  int IniUpdate(int markChanged) override {
    IniUpdates += markChanged;
    return 1;
  }
  void ResetLogicTimer() override { ++TimerResets; }
  int IsPaused() const override { return Paused; }
  float EffectFadeRatio() const override { return FadeRatio; }
};

class AudioGameTest : public testing::Test {
protected:
  void SetUp() override {
    platform::audio::SelectDriver("None");
    Delta = 1.0f;
    game.SoundPath = game.MusicPath = folder.Path();
    game.ReservedChannelsCreate();
    Sounds.Clear();
    MusicBank.Clear();
    MusicBank.SetPath(folder.Path());
    CurrentMusicTrack = 1;
    MusicRotationOn = 0;
  }
  void TearDown() override {
    game.AudioKill();
    Sounds.Clear();
    MusicBank.Clear();
  }
  // Writes a tone of `seconds` named `name` into the test folder.
  std::string Tone(const std::string& name, double seconds) {
    folder.Write(name, test_support::MakeToneWav(seconds, 8000));
    return folder.File(name);
  }
  std::shared_ptr<TGameSound> GameSound(const std::string& name, double seconds) {
    return TGameSound::Create(Tone(name, seconds), 0);
  }
  // Runs `ticks` logic ticks of the audio strand.
  void Ticks(int ticks) {
    for (int i = 0; i < ticks; ++i) game.AudioLogic();
  }

  test_support::TempFolder folder;
  RecordingAudioGame game;
};
