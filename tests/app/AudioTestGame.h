#pragma once
#include <gtest/gtest.h>

#include "../platform/AudioTestSounds.h"
#include "app/Delta.h"
#include "app/TGame.h"
#include "app/TSoundBank.h"
#include "platform/Audio.h"
#include "support/GameWorld.h"
#include "support/TempFolder.h"

// The application object on the no-device backend, whose channels keep their
// volume, pan, rate and pause state and play for as long as their sound lasts,
// so the audio strands can be observed without hearing them. It records what
// the audio half asks of the rest of the game instead of doing it.
class RecordingAudioGame : public TGame {
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

// The game world with `game` as Game (not owned by Game: the fixture keeps it).
class AudioGameTest : public test_support::GameWorld {
protected:
  void SetUp() override {
    GameWorld::SetUp();
    Game = std::shared_ptr<TGame>(std::shared_ptr<TGame>(), &game);
    game.SoundPath = game.MusicPath = folder.Path();
    game.ReservedChannelsCreate();
    MusicBank->SetPath(folder.Path());
  }
  void TearDown() override {
    game.AudioKill();
    GameWorld::TearDown();
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

  RecordingAudioGame game;
};
