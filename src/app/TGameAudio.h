#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/TChannelArray.h"
#include "app/TGameChannel.h"
#include "app/TGameSound.h"

// The audio half of the application object: three strands (effects, music,
// speech) with switches and volumes, the reserved music, speech and escape
// channels, the effect pool and the two-track music rotation. TGame derives
// from it; the sounds, the pool and NextMusicTrack play through `Game`.
//
// What the deriving application provides (small virtual hooks below):
// CalcAnimLength (ms -> ticks), IniUpdate (save settings), ResetLogicTimer
// (FixedRateLogic.Init after a save), IsPaused, and EffectFadeRatio (the
// screen fader's Ratio while a fade runs). The main loop's focus check calls
// AudioLogic once per tick while neither paused nor suspended; Init calls
// ChooseSoundDriver and ReservedChannelsCreate; Kill calls AudioKill. The
// folders SoundPath, MusicPath and SpeechPath live here and are set by the
// application's Set...Path operations.
class TGameAudio {
public:
  TGameAudio();
  virtual ~TGameAudio();
  TGameAudio(const TGameAudio&) = delete;
  TGameAudio& operator=(const TGameAudio&) = delete;

  // Folders of effects, music tracks and speech, each ending in "/".
  std::string SoundPath, MusicPath, SpeechPath;

  // Strand switches and volumes (0..100).
  int Sound = 1, Music = 1, Speech = 1;
  int SoundVolume = 100, MusicVolume = 100, SpeechVolume = 100;

  // Music.
  SoundRef MusicSample;
  ChannelRef MusicChannel;
  std::string MusicFileName = "none"; // relative to MusicPath
  std::string MusicName = "none";     // the track last started; "none": no music wanted
  int MusicLooped = 1;
  int MusicRestart = 1;  // the track must be (re)started before it is heard
  int MusicStopped = 0;  // an unlooped track has finished
  float MusicFadeIn = 50.0f; // ms
  float MusicFadeInCounter = 0; // ticks
  float MusicFadeOut = 1000.0f; // ms
  float MusicFadeOutCounter = 0;
  float PauseFadeLength = 100.0f; // ms
  float PauseFadeCounter = 0;
  int PauseFadeDirection = 0; // 0: fading down, otherwise up
  ChannelRef SpecialChannel;  // paused and resumed with the music
  int FadeMusic = 1;          // the Escape fade takes the music along

  // Escape click, effect pool, speech, driver.
  std::shared_ptr<TGameSound> EscapeSound;
  ChannelRef EscapeChannel;
  std::string SoundDriver = "FreeAudio"; // "None" when no driver could be set
  std::shared_ptr<TChannelArray> Channels;
  ChannelRef SpeechChannel;
  int SpeechStopped = 0;

  // Music operations.
  virtual int MusicLoad(const std::string& name, int flags);
  virtual int MusicSet(const SoundRef& sound, const std::string& name, int looped);
  virtual int MusicStop();
  virtual int MusicPlay(int fadeIn);
  virtual int MusicNone();
  virtual float MusicFadeInCalc();
  virtual float MusicFadeOutCalc();
  virtual int MusicFadeInApply();
  virtual int MusicFadeOutApply();
  virtual int MusicFadeInManage();
  virtual int MusicFadeOutManage();
  virtual int MusicFadeOutSet(float ms);
  virtual int MusicSetVolume(int volume, int save);
  virtual int MusicChangeVolume(int delta);
  virtual int ToggleMusic();
  virtual int MusicOff();
  virtual int MusicOn();
  virtual float PauseFadeCalc();
  virtual int PauseFadeApply();
  virtual int PauseFadeManage();
  // The music channel streams MusicPath + name; MusicStreamPlay starts it.
  virtual int MusicStreamLoad(const std::string& name, int flags);
  virtual int MusicStreamPlay();
  // Starts the next of "music1"/"music2" when the rotation is on, music is on
  // and the current track ended (or `force`).
  int NextMusicTrack(int force);

  // Effect pool and driver.
  virtual int ChannelsCreate(int count);
  virtual int ChannelsKill();
  virtual int ChangeSoundDriver(const std::string& name, int save);

  // Effects.
  virtual int SoundPlay(const SoundRef& sound);
  virtual int SoundPlaySameChannel(ChannelRef& channel, const SoundRef& sound);
  virtual int SoundPlayReturnChannel(ChannelRef& channel, const SoundRef& sound, float rate);
  virtual int GameSoundPlay(ChannelRef& channel, const std::shared_ptr<TGameSound>& gameSound, float pan);
  // GameSoundPlay with an explicit relative volume instead of the sound's own.
  int GameSoundPlayAt(ChannelRef& channel, const TGameSound& gameSound, float volume, float pan);
  virtual int SoundSetVolume(int volume, int save);
  virtual int SoundChangeVolume(int delta);
  virtual int ToggleSound();
  virtual int SoundOff();
  virtual int SoundOn();

  // Speech.
  virtual int SpeechStop();
  virtual int SpeechPlay(const std::shared_ptr<TGameSound>& gameSound, int interrupt);
  virtual int SpeechSetVolume(int volume, int save);
  virtual int SpeechChangeVolume(int delta);
  virtual int SpeechOff();
  virtual int SpeechOn();

  // Reserved channels and the escape click.
  virtual int StopChannels();
  virtual int SetEscapeSound(const std::string& name);
  virtual int EscapeSoundPlay();

  // Start-up and shut-down pieces: the driver choice of Init (choice 0 keeps
  // SoundDriver, 1 "FreeAudio", 2 "DirectSound", 3 "OpenAL Generic
  // Software"; any system but "Windows XP" selects the OpenAL driver), the
  // three reserved channels, and the release of every channel at exit.
  int ChooseSoundDriver(int soundDriverChoice, const std::string& osVersion);
  int ReservedChannelsCreate();
  int AudioKill();
  // Once per logic tick while neither paused nor suspended: notes a finished
  // unlooped track and finished speech, then runs the music fades. Also keeps
  // the audio layer's streams fed.
  int AudioLogic();

  // Hooks the application provides.
  virtual float CalcAnimLength(float ms) { return ms / 5.0f; }
  virtual int IniUpdate(int markChanged) { (void)markChanged; return 0; }
  virtual void ResetLogicTimer() {}
  virtual int IsPaused() const { return 0; }
  // The screen fader's Ratio while a fade is active, else 1.
  virtual float EffectFadeRatio() const { return 1.0f; }

  // Fire-and-forget channels of SoundPlay, kept alive while they play.
  std::vector<ChannelRef> LooseChannels;

private:
  void SetMusicChannelVolume(float volume);
  void SavedVolumeChange(int save);
  float TicksOf(float ms) { return CalcAnimLength(float(int(ms))); }
  void KeepLoose(const ChannelRef& channel);
};

// The rotation: track 1 or 2 played next, and whether the rotation runs.
extern int CurrentMusicTrack;
extern int MusicRotationOn;
// Called once per frame by the program entry: NextMusicTrack of the running game.
int NextMusicTrack(int force);
