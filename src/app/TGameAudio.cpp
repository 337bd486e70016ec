#include "app/TGameAudio.h"
#include "app/TGame.h"

#include <algorithm>
#include <cctype>

#include "app/Delta.h"
#include "app/TSoundBank.h"
#include "platform/Audio.h"
#include "platform/Files.h"

namespace audio = platform::audio;

int CurrentMusicTrack = 1;
int MusicRotationOn = 0;

namespace {
int Limit(int volume) { return std::clamp(volume, 0, 100); }

// (L - counter) / L, where a length under one tick counts as done.
float Progress(float length, float counter) { return length > 0 ? (length - counter) / length : 1.0f; }

void CountDown(float& counter) { counter = std::max(0.0f, counter - Delta); }

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::toupper(c)); });
  return text;
}

// How many fire-and-forget effect channels may sound at once.
constexpr size_t MaxLooseChannels = 32;
} // namespace

TGameAudio::TGameAudio() = default;
TGameAudio::~TGameAudio() = default;

// ---- Music ----------------------------------------------------------------

int TGameAudio::MusicLoad(const std::string& name, int flags) {
  if (Music) {
    MusicStop();
    // Music is streamed from its OGG file; a WAV track is decoded whole.
    auto track = TGameSound::Create(MusicPath + name, (flags & SOUND_LOOP) | SOUND_STREAM);
    MusicSample = track->sound;
  }
  MusicLooped = flags & SOUND_LOOP;
  MusicRestart = 1;
  MusicFileName = name;
  return 1;
}

int TGameAudio::MusicSet(const SoundRef& sound, const std::string& name, int looped) {
  if (Music) {
    MusicStop();
    MusicSample = sound;
  }
  MusicLooped = looped;
  MusicRestart = 1;
  MusicFileName = name;
  return 1;
}

int TGameAudio::MusicStop() {
  if (Music && MusicChannel && MusicChannel->Playing()) {
    MusicChannel->Stop();
    MusicChannel = audio::Channel::Allocate();
  }
  MusicRestart = 1;
  return 1;
}

int TGameAudio::MusicPlay(int fadeIn) {
  if (Music && MusicChannel && MusicSample) {
    MusicFadeInCounter = fadeIn == 1 ? CalcAnimLength(float(int(MusicFadeIn - 1.0f))) : 0.0f;
    MusicChannel->Cue(MusicSample);
    MusicFadeInApply();
    MusicChannel->Resume();
    MusicRestart = 0;
    MusicStopped = 0;
  } else if (!Music) {
    MusicRestart = 1;
  }
  MusicName = MusicFileName;
  return 1;
}

int TGameAudio::MusicNone() {
  MusicFileName = MusicName = "none";
  MusicRestart = 1;
  return 1;
}

float TGameAudio::MusicFadeInCalc() { return Progress(TicksOf(MusicFadeIn), MusicFadeInCounter); }

float TGameAudio::MusicFadeOutCalc() { return Progress(TicksOf(MusicFadeOut), MusicFadeOutCounter); }

int TGameAudio::MusicFadeInApply() {
  float ratio = MusicFadeIn == 0 ? 1.0f : MusicFadeInCalc();
  SetMusicChannelVolume(ratio * float(MusicVolume) / 100.0f);
  return 1;
}

int TGameAudio::MusicFadeOutApply() {
  float ratio = MusicFadeOut == 0 ? 1.0f : MusicFadeOutCalc();
  SetMusicChannelVolume(float(MusicVolume) / 100.0f * (1.0f - ratio));
  return 1;
}

int TGameAudio::MusicFadeInManage() {
  if (MusicFadeInCounter <= 0) return 0;
  CountDown(MusicFadeInCounter);
  MusicFadeInApply();
  return 1;
}

int TGameAudio::MusicFadeOutManage() {
  if (MusicFadeOutCounter <= 0) return 0;
  CountDown(MusicFadeOutCounter);
  MusicFadeOutApply();
  return 1;
}

int TGameAudio::MusicFadeOutSet(float ms) {
  MusicFadeOut = ms;
  MusicFadeOutCounter = CalcAnimLength(ms);
  return 1;
}

int TGameAudio::MusicSetVolume(int volume, int save) {
  MusicVolume = Limit(volume);
  SetMusicChannelVolume(float(MusicVolume) / 100.0f);
  SavedVolumeChange(save);
  return 1;
}

int TGameAudio::MusicChangeVolume(int delta) { return MusicSetVolume(MusicVolume + delta, 1); }

int TGameAudio::ToggleMusic() {
  if (IsPaused()) return 0;
  if (Music)
    MusicOff();
  else
    MusicOn();
  IniUpdate(1);
  ResetLogicTimer();
  return 1;
}

int TGameAudio::MusicOff() {
  // A track loaded but not yet started keeps the switch on: it is started as
  // soon as the game plays it.
  if (MusicRestart == 1) return 0;
  Music = 0;
  if (MusicChannel) MusicChannel->Pause();
  if (SpecialChannel) SpecialChannel->Pause();
  MusicRestart = 0;
  return 1;
}

int TGameAudio::MusicOn() {
  if (Music == 1) return 0;
  Music = 1;
  if (MusicRestart == 1 || !MusicChannel) {
    if (!MusicChannel) MusicChannel = audio::Channel::Allocate();
    if (MusicFileName != "none") MusicLoad(MusicFileName, MusicLooped);
    if (MusicName != "none") MusicPlay(1);
  } else {
    if (MusicLooped || MusicStopped == 0) MusicChannel->Resume();
    if (SpecialChannel) SpecialChannel->Resume();
  }
  return 1;
}

float TGameAudio::PauseFadeCalc() { return Progress(TicksOf(PauseFadeLength), PauseFadeCounter); }

int TGameAudio::PauseFadeApply() {
  float ratio = 1.0f;
  if (PauseFadeLength != 0) {
    ratio = PauseFadeCalc();
    if (PauseFadeDirection == 0) ratio = 1.0f - ratio;
  }
  SetMusicChannelVolume(ratio * float(MusicVolume) / 100.0f);
  return 1;
}

int TGameAudio::PauseFadeManage() {
  if (PauseFadeCounter <= 0) return 0;
  CountDown(PauseFadeCounter);
  PauseFadeApply();
  return 1;
}

int TGameAudio::MusicStreamLoad(const std::string& name, int flags) {
  if (Music) {
    MusicStop();
    auto track = TGameSound::Create(MusicPath + name, (flags & SOUND_LOOP) | SOUND_STREAM);
    MusicSample = track->sound;
    if (!MusicChannel) MusicChannel = audio::Channel::Allocate();
    MusicChannel->Cue(MusicSample);
  }
  MusicLooped = flags & SOUND_LOOP;
  MusicRestart = 1;
  MusicFileName = name;
  return 1;
}

int TGameAudio::MusicStreamPlay() {
  if (Music && MusicChannel && MusicSample && MusicChannel->CurrentSound() == MusicSample) {
    MusicChannel->SetVolume(float(MusicVolume) / 100.0f);
    MusicChannel->Resume();
    MusicRestart = 0;
    MusicStopped = 0;
  } else if (!Music) {
    MusicRestart = 1;
  }
  MusicName = MusicFileName;
  return 1;
}

int TGameAudio::NextMusicTrack(int force) {
  audio::Update();
  if (MusicRotationOn != 1 || Music != 1 || (force != 1 && MusicStopped != 1)) return 0;
  MusicStop();
  std::string track = "music" + std::to_string(CurrentMusicTrack);
  auto gameSound = MusicBank ? MusicBank->Find(track) : nullptr;
  MusicSample = gameSound ? gameSound->sound : nullptr;
  MusicLooped = 0;
  MusicRestart = 1;
  MusicFileName = track + ".ogg";
  MusicPlay(1);
  CurrentMusicTrack = CurrentMusicTrack >= 2 ? 1 : CurrentMusicTrack + 1;
  return 1;
}

int NextMusicTrack(int force) {
  TGameAudio* game = Game.get();
  if (!game) {
    audio::Update();
    return 0;
  }
  return game->NextMusicTrack(force);
}

// ---- Pool and driver --------------------------------------------------------

int TGameAudio::ChannelsCreate(int count) {
  Channels = TChannelArray::Create(count);
  return 1;
}

int TGameAudio::ChannelsKill() {
  if (Channels) Channels->Kill();
  Channels.reset();
  return 1;
}

int TGameAudio::ChangeSoundDriver(const std::string& name, int save) {
  // The OpenAL device list needs no preparation here: the audio layer opens
  // the device when the driver is selected.
  bool accepted = audio::SelectDriver(name) && Upper(name) != "NONE";
  SoundDriver = accepted ? name : "None";
  IniUpdate(save);
  ResetLogicTimer();
  return SoundDriver == "None" ? 0 : 1;
}

int TGameAudio::ChooseSoundDriver(int soundDriverChoice, const std::string& osVersion) {
  std::string name;
  switch (soundDriverChoice) {
  case 1: name = "FreeAudio"; break;
  case 2: name = "DirectSound"; break;
  case 3: name = "OpenAL Generic Software"; break;
  default: name = Upper(SoundDriver) == "NONE" ? "FreeAudio" : SoundDriver; break;
  }
  if (osVersion != "Windows XP") {
    SoundDriver = name = "OpenAL Generic Software";
  }
  return ChangeSoundDriver(name, 0);
}

int TGameAudio::ReservedChannelsCreate() {
  MusicChannel = audio::Channel::Allocate();
  SpeechChannel = audio::Channel::Allocate();
  EscapeChannel = audio::Channel::Allocate();
  return 1;
}

int TGameAudio::AudioKill() {
  for (ChannelRef* channel : {&MusicChannel, &SpeechChannel, &EscapeChannel}) {
    if (*channel) (*channel)->Stop();
    channel->reset();
  }
  for (auto& channel : LooseChannels) channel->Stop();
  LooseChannels.clear();
  ChannelsKill();
  return 1;
}

int TGameAudio::AudioLogic() {
  audio::Update();
  if (Music == 1 && MusicLooped == 0 && MusicChannel && !MusicChannel->Playing())
    MusicStopped = 1;
  if (Speech == 1 && SpeechChannel && !SpeechChannel->Playing()) SpeechStopped = 1;
  MusicFadeInManage();
  MusicFadeOutManage();
  return 1;
}

// ---- Effects ------------------------------------------------------------------

void TGameAudio::KeepLoose(const ChannelRef& channel) {
  std::erase_if(LooseChannels, [](const ChannelRef& c) { return !c->Playing(); });
  if (LooseChannels.size() >= MaxLooseChannels) {
    LooseChannels.front()->Stop();
    LooseChannels.erase(LooseChannels.begin());
  }
  LooseChannels.push_back(channel);
}

int TGameAudio::SoundPlay(const SoundRef& sound) {
  if (!Sound || !sound) return 0;
  ChannelRef channel = audio::Channel::Allocate();
  channel->Cue(sound);
  channel->SetVolume(float(SoundVolume) / 100.0f);
  channel->Resume();
  KeepLoose(channel);
  return 1;
}

int TGameAudio::SoundPlaySameChannel(ChannelRef& channel, const SoundRef& sound) {
  if (!Sound || !sound) return 0;
  if (!channel) channel = audio::Channel::Allocate();
  if (channel->Playing()) channel->SetVolume(0.1f);
  channel->Cue(sound);
  channel->SetVolume(float(SoundVolume) / 100.0f);
  channel->Resume();
  return 1;
}

int TGameAudio::SoundPlayReturnChannel(ChannelRef& channel, const SoundRef& sound, float rate) {
  if (!Sound || !sound) return 0;
  if (channel && channel->Playing()) channel->SetVolume(0.1f);
  channel = audio::Channel::Allocate();
  channel->Cue(sound);
  channel->SetVolume(float(SoundVolume) / 100.0f);
  channel->SetRate(rate);
  channel->Resume();
  return 1;
}

int TGameAudio::GameSoundPlay(ChannelRef& channel, const std::shared_ptr<TGameSound>& gameSound, float pan) {
  if (!gameSound) return 0;
  return GameSoundPlayAt(channel, *gameSound, gameSound->volume, pan);
}

int TGameAudio::GameSoundPlayAt(ChannelRef& channel, const TGameSound& gameSound, float volume, float pan) {
  if (!Sound || !gameSound.sound) return 0;
  if (channel && channel->Playing()) channel->SetVolume(0.1f);
  if (!channel) channel = audio::Channel::Allocate();
  if (!channel) return 0;
  channel->Cue(gameSound.sound);
  // Effects started during a screen fade follow the picture's brightness.
  channel->SetVolume(float(SoundVolume) / 100.0f * volume * EffectFadeRatio());
  channel->SetPan(pan);
  channel->SetRate(gameSound.pitch);
  channel->Resume();
  return 1;
}

int TGameAudio::SoundSetVolume(int volume, int save) {
  SoundVolume = Limit(volume);
  SavedVolumeChange(save);
  return 1;
}

int TGameAudio::SoundChangeVolume(int delta) { return SoundSetVolume(SoundVolume + delta, 1); }

int TGameAudio::ToggleSound() {
  Sound = Sound ? 0 : 1;
  IniUpdate(1);
  ResetLogicTimer();
  return 1;
}

int TGameAudio::SoundOff() {
  Sound = 0;
  return 1;
}

int TGameAudio::SoundOn() {
  Sound = 1;
  return 1;
}

// ---- Speech -------------------------------------------------------------------

int TGameAudio::SpeechStop() {
  if (Speech && SpeechChannel && SpeechChannel->Playing()) {
    SpeechChannel->Stop();
    SpeechChannel = audio::Channel::Allocate();
  }
  return 1;
}

int TGameAudio::SpeechPlay(const std::shared_ptr<TGameSound>& gameSound, int interrupt) {
  if (!Speech || !SpeechChannel || !gameSound || !gameSound->sound) return 0;
  if (SpeechChannel->Playing() && interrupt == 0) return 0;
  SpeechChannel->Cue(gameSound->sound);
  SpeechChannel->SetVolume(float(SpeechVolume) / 100.0f);
  SpeechChannel->Resume();
  SpeechStopped = 0;
  return 1;
}

int TGameAudio::SpeechSetVolume(int volume, int save) {
  SpeechVolume = Limit(volume);
  if (SpeechChannel) SpeechChannel->SetVolume(float(SpeechVolume) / 100.0f);
  SavedVolumeChange(save);
  return 1;
}

int TGameAudio::SpeechChangeVolume(int delta) { return SpeechSetVolume(SpeechVolume + delta, 1); }

int TGameAudio::SpeechOff() {
  Speech = 0;
  if (SpeechChannel) SpeechChannel->Pause();
  return 1;
}

int TGameAudio::SpeechOn() {
  if (Speech == 1) return 0;
  Speech = 1;
  if (SpeechChannel && !SpeechStopped) SpeechChannel->Resume();
  return 1;
}

// ---- Reserved channels ----------------------------------------------------------

int TGameAudio::StopChannels() {
  if (MusicChannel) MusicChannel->Stop();
  if (SpeechChannel) SpeechChannel->Stop();
  MusicChannel = audio::Channel::Allocate();
  SpeechChannel = audio::Channel::Allocate();
  return 1;
}

int TGameAudio::SetEscapeSound(const std::string& name) {
  EscapeSound = TGameSound::Create(SoundPath + name + ".wav", 0);
  return 1;
}

int TGameAudio::EscapeSoundPlay() {
  if (!EscapeSound) return 0;
  return GameSoundPlay(EscapeChannel, EscapeSound, 0.0f);
}

// ---- Helpers ----------------------------------------------------------------------

void TGameAudio::SetMusicChannelVolume(float volume) {
  if (MusicChannel) MusicChannel->SetVolume(volume);
}

void TGameAudio::SavedVolumeChange(int save) {
  if (save != 1) return;
  IniUpdate(1);
  ResetLogicTimer();
}
