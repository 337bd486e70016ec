#include "platform/Audio.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstring>
#include <set>
#include <sys/stat.h>

#include "platform/Files.h"
#include "platform/WavReader.h"

namespace platform::audio {

struct Sound::Token {};
struct Channel::Token {};
struct MusicStream::Token {};

// Private access to the classes' fields from this file's helpers.
struct SoundAccess {
  static unsigned Buffer(Sound& sound);
  static void Release(Sound& sound);
  static const std::string& Path(const Sound& sound) { return sound.streamPath_; }
};
struct ChannelAccess {
  static void Release(Channel& channel);
  static void Feed(Channel& channel);
};

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr int StreamBuffers = 4;
constexpr double FeedInterval = 0.05; // seconds between looks at a stream's queue
constexpr int64_t MaxFileBytes = 256ll << 20;

double Now() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

struct DeviceCloser {
  void operator()(ALCdevice* device) const { alcCloseDevice(device); }
};
struct ContextCloser {
  void operator()(ALCcontext* context) const {
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
  }
};

struct DeviceState;
void CloseDevice(DeviceState& state);

// Set once the device state below has been torn down at exit; sounds and
// channels held by other globals may outlive it and must not touch it then.
bool stateGone = false;

// The open device, if any. `generation` changes whenever a device opens, so
// buffers and sources made for an earlier device are known to be gone.
struct DeviceState {
  std::unique_ptr<ALCdevice, DeviceCloser> device;
  std::unique_ptr<ALCcontext, ContextCloser> context;
  std::string driver = "None";
  unsigned generation = 0;
  bool stereoAngles = false;
  std::set<Sound*> sounds;
  std::set<Channel*> channels;

  ~DeviceState() {
    CloseDevice(*this);
    stateGone = true;
  }
};

DeviceState& State() {
  static DeviceState state;
  return state;
}

bool DeviceOpen() { return !stateGone && State().context != nullptr; }

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return text;
}

bool IsOgg(const uint8_t* data, size_t size) { return size >= 4 && std::memcmp(data, "OggS", 4) == 0; }

// An open Ogg Vorbis file read from disk.
struct OggHandle {
  OggVorbis_File file{};
  bool open = false;
  ~OggHandle() {
    if (open) ov_clear(&file);
  }
};
using OggFile = std::unique_ptr<OggHandle>;

OggFile OpenOggFile(const std::string& path) {
  // A named pipe or a device under a music file's name would block the open.
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return nullptr;
  auto handle = std::make_unique<OggHandle>();
  if (ov_fopen(path.c_str(), &handle->file) != 0) return nullptr;
  handle->open = true;
  return handle;
}

void CloseDevice(DeviceState& state) {
  if (!state.context) return;
  for (Channel* channel : state.channels) ChannelAccess::Release(*channel);
  for (Sound* sound : state.sounds) SoundAccess::Release(*sound);
  state.context.reset();
  state.device.reset();
  state.driver = "None";
}

} // namespace

// ---- Drivers -----------------------------------------------------------------

std::vector<std::string> DriverNames() { return {"OpenAL Generic Software", "FreeAudio", "DirectSound", "None"}; }

bool SelectDriver(const std::string& name) {
  DeviceState& state = State();
  std::string wanted = Lower(name);
  if (wanted == "none") {
    CloseDevice(state);
    return true;
  }
  if (wanted != "openal generic software" && wanted != "freeaudio" && wanted != "directsound") {
    CloseDevice(state);
    return false;
  }
  if (state.context) { // every accepted name is the same default device
    state.driver = name;
    return true;
  }
  std::unique_ptr<ALCdevice, DeviceCloser> device(alcOpenDevice(nullptr));
  if (!device) return false;
  std::unique_ptr<ALCcontext, ContextCloser> context(alcCreateContext(device.get(), nullptr));
  if (!context || !alcMakeContextCurrent(context.get())) return false;
  state.device = std::move(device);
  state.context = std::move(context);
  state.driver = name;
  state.generation++;
  state.stereoAngles = alIsExtensionPresent("AL_EXT_STEREO_ANGLES") == AL_TRUE;
  alDistanceModel(AL_NONE);
  return true;
}

std::string CurrentDriver() { return stateGone ? "None" : State().driver; }

void Shutdown() {
  if (!stateGone) CloseDevice(State());
}

void Update() {
  if (!DeviceOpen()) return;  // also false once torn down
  for (Channel* channel : State().channels) ChannelAccess::Feed(*channel);
}

// ---- Sounds -------------------------------------------------------------------

Sound::Sound(Token) { State().sounds.insert(this); }

Sound::~Sound() {
  if (stateGone) return;
  SoundAccess::Release(*this);
  State().sounds.erase(this);
}

unsigned SoundAccess::Buffer(Sound& sound) {
  DeviceState& state = State();
  if (!state.context || sound.pcm_.empty()) return 0;
  if (sound.buffer_ && sound.generation_ == state.generation) return sound.buffer_;
  ALuint buffer = 0;
  alGetError();
  alGenBuffers(1, &buffer);
  if (alGetError() != AL_NO_ERROR) return 0;
  alBufferData(buffer, sound.channels_ == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, sound.pcm_.data(),
               ALsizei(sound.pcm_.size() * sizeof(int16_t)), sound.rate_);
  if (alGetError() != AL_NO_ERROR) {
    alDeleteBuffers(1, &buffer);
    return 0;
  }
  sound.buffer_ = buffer;
  sound.generation_ = state.generation;
  return buffer;
}

void SoundAccess::Release(Sound& sound) {
  if (sound.buffer_ && DeviceOpen() && sound.generation_ == State().generation) {
    ALuint buffer = sound.buffer_;
    alDeleteBuffers(1, &buffer);
  }
  sound.buffer_ = 0;
}

std::shared_ptr<Sound> Sound::LoadFromMemory(const uint8_t* data, size_t size, bool loop, std::string* error) {
  PcmData pcm;
  bool ok = IsOgg(data, size) ? ReadOgg(data, size, pcm, error, MaxDecodedSeconds)
                              : ReadWav(data, size, pcm, error, MaxDecodedSeconds);
  if (!ok) return nullptr;
  auto sound = std::make_shared<Sound>(Token{});
  sound->loop_ = loop;
  sound->rate_ = pcm.rate;
  sound->channels_ = pcm.channels;
  sound->frames_ = pcm.Frames();
  sound->pcm_ = std::move(pcm.samples);
  return sound;
}

std::shared_ptr<Sound> Sound::Load(const std::string& path, bool loop, std::string* error) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(ResolvePath(path), bytes, MaxFileBytes)) {
    if (error) *error = "cannot read " + path;
    return nullptr;
  }
  return LoadFromMemory(bytes.data(), bytes.size(), loop, error);
}

std::shared_ptr<Sound> Sound::LoadStreamed(const std::string& path, bool loop, std::string* error) {
  std::string resolved = ResolvePath(path);
  std::vector<uint8_t> head;
  if (!ReadWholeFile(resolved, head, MaxFileBytes)) {
    if (error) *error = "cannot read " + path;
    return nullptr;
  }
  if (!IsOgg(head.data(), head.size())) return LoadFromMemory(head.data(), head.size(), loop, error);
  OggFile file = OpenOggFile(resolved);
  vorbis_info* info = file ? ov_info(&file->file, -1) : nullptr;
  if (!info || info->channels < 1 || info->channels > 2 || info->rate < 1000 || info->rate > 192000) {
    if (error) *error = "not a usable Ogg Vorbis file: " + path;
    return nullptr;
  }
  ogg_int64_t total = ov_pcm_total(&file->file, -1);
  auto sound = std::make_shared<Sound>(Token{});
  sound->loop_ = loop;
  sound->rate_ = int(info->rate);
  sound->channels_ = info->channels;
  sound->frames_ = total > 0 ? total : 0;
  sound->streamPath_ = resolved;
  return sound;
}

// ---- Channels -----------------------------------------------------------------

// The decoder and the queued buffers of a streamed sound playing on a channel.
struct Channel::Stream {
  OggFile file;
  std::array<ALuint, StreamBuffers> buffers{};
  bool haveBuffers = false;
  bool ended = false; // every sample decoded and queued
  double fedAt = -1;   // when the queue was last looked at
  bool loop = false;
  int channels = 2;
  long rate = 44100;
  std::vector<char> scratch;

  ~Stream() {
    if (haveBuffers && DeviceOpen()) alDeleteBuffers(StreamBuffers, buffers.data());
  }

  // Decodes up to half a second into `buffer`; false when nothing is left.
  bool Fill(ALuint buffer) {
    scratch.resize(size_t(rate / 2) * size_t(channels) * 2);
    size_t used = 0;
    int failures = 0;
    while (used < scratch.size()) {
      int section = 0;
      long got = ov_read(&file->file, scratch.data() + used, int(scratch.size() - used), 0, 2, 1, &section);
      if (got == 0) {
        if (loop && ov_pcm_seek(&file->file, 0) == 0 && failures++ < 2) continue;
        break;
      }
      if (got < 0) {
        if (got == OV_HOLE && failures++ < 16) continue;
        break; // corrupt data ends the stream
      }
      vorbis_info* info = ov_info(&file->file, section);
      if (!info || info->channels != channels) break;
      used += size_t(got);
      failures = 0;
    }
    used -= used % size_t(channels * 2);
    if (used == 0) return false;
    alBufferData(buffer, channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, scratch.data(), ALsizei(used),
                 ALsizei(rate));
    return true;
  }
};

Channel::Channel(Token) { State().channels.insert(this); }

Channel::~Channel() {
  if (stateGone) return;
  ChannelAccess::Release(*this);
  State().channels.erase(this);
}

std::shared_ptr<Channel> Channel::Allocate() { return std::make_shared<Channel>(Token{}); }

// Stops the source and takes every buffer off it.
void Channel::Detach() {
  if (source_ && DeviceOpen() && generation_ == State().generation) {
    alSourceRewind(source_); // back to the initial state: nothing has played yet
    alSourcei(source_, AL_BUFFER, 0);
  }
  stream_.reset();
}

void ChannelAccess::Release(Channel& channel) {
  channel.Detach();
  if (channel.source_ && DeviceOpen() && channel.generation_ == State().generation) {
    ALuint source = channel.source_;
    alDeleteSources(1, &source);
  }
  channel.source_ = 0;
  if (DeviceOpen()) channel.started_ = false; // the device goes: what played on it has ended
}

bool Channel::Audible() const { return source_ && DeviceOpen() && generation_ == State().generation; }

void Channel::Cue(const std::shared_ptr<Sound>& sound) {
  Detach();
  sound_ = sound;
  started_ = sound != nullptr;
  paused_ = true;
  playedSeconds_ = 0;
  if (!sound || !DeviceOpen()) return;
  DeviceState& state = State();
  if (!source_ || generation_ != state.generation) {
    ALuint source = 0;
    alGetError();
    alGenSources(1, &source);
    source_ = alGetError() == AL_NO_ERROR ? source : 0;
    generation_ = state.generation;
    if (!source_) return; // no voice left: the channel keeps time silently
    alSourcei(source_, AL_SOURCE_RELATIVE, AL_TRUE);
    alSourcef(source_, AL_ROLLOFF_FACTOR, 0.0f);
  }
  if (sound->Streamed()) {
    auto stream = std::make_unique<Stream>();
    stream->file = OpenOggFile(SoundAccess::Path(*sound));
    if (!stream->file) return;
    stream->loop = sound->Looping();
    stream->channels = sound->ChannelCount();
    stream->rate = sound->SampleRate();
    alGetError();
    alGenBuffers(StreamBuffers, stream->buffers.data());
    if (alGetError() != AL_NO_ERROR) return;
    stream->haveBuffers = true;
    alSourcei(source_, AL_LOOPING, AL_FALSE);
    for (ALuint buffer : stream->buffers) {
      if (!stream->Fill(buffer)) {
        stream->ended = true;
        break;
      }
      alSourceQueueBuffers(source_, 1, &buffer);
    }
    stream_ = std::move(stream);
  } else {
    unsigned buffer = SoundAccess::Buffer(*sound);
    if (!buffer) return;
    alSourcei(source_, AL_BUFFER, ALint(buffer));
    alSourcei(source_, AL_LOOPING, sound->Looping() ? AL_TRUE : AL_FALSE);
  }
  Apply();
}

void ChannelAccess::Feed(Channel& channel) {
  Channel::Stream* stream = channel.stream_.get();
  if (!stream || !channel.Audible()) return;
  // The queue holds two seconds: looking at it every few frames is plenty, and
  // every look costs a lock shared with the mixer.
  const double now = Now();
  if (now - stream->fedAt < FeedInterval) return;
  stream->fedAt = now;
  ALint processed = 0;
  alGetSourcei(channel.source_, AL_BUFFERS_PROCESSED, &processed);
  while (processed-- > 0) {
    ALuint buffer = 0;
    alSourceUnqueueBuffers(channel.source_, 1, &buffer);
    if (!stream->ended && stream->Fill(buffer))
      alSourceQueueBuffers(channel.source_, 1, &buffer);
    else
      stream->ended = true;
  }
  // A long frame can drain the queue; start again where the data resumes.
  ALint state = 0, queued = 0;
  alGetSourcei(channel.source_, AL_SOURCE_STATE, &state);
  alGetSourcei(channel.source_, AL_BUFFERS_QUEUED, &queued);
  if (channel.started_ && !channel.paused_ && state == AL_STOPPED && queued > 0 && !stream->ended)
    alSourcePlay(channel.source_);
}

void Channel::Pause() {
  if (started_ && !paused_) playedSeconds_ += (Now() - resumedAt_) * std::max(rate_, 0.01f);
  paused_ = true;
  if (Audible()) {
    ALint state = 0;
    alGetSourcei(source_, AL_SOURCE_STATE, &state);
    if (state == AL_PLAYING) alSourcePause(source_);
  }
}

void Channel::Resume() {
  if (!paused_) return;
  paused_ = false;
  resumedAt_ = Now();
  if (!started_ || !Audible()) return;
  // A sound that ran out before it was paused stays finished.
  ALint state = 0;
  alGetSourcei(source_, AL_SOURCE_STATE, &state);
  if (state != AL_STOPPED || (stream_ && !stream_->ended)) alSourcePlay(source_);
}

void Channel::Stop() {
  Detach();
  sound_.reset();
  started_ = false;
  paused_ = false;
  playedSeconds_ = 0;
}

void Channel::SetVolume(float volume) {
  volume_ = std::max(0.0f, volume);
  Apply();
}

void Channel::SetPan(float pan) {
  pan_ = std::clamp(pan, -1.0f, 1.0f);
  Apply();
}

void Channel::SetRate(float rate) {
  // Time already played is counted at the old rate.
  if (started_ && !paused_) {
    double now = Now();
    playedSeconds_ += (now - resumedAt_) * std::max(rate_, 0.01f);
    resumedAt_ = now;
  }
  rate_ = rate;
  Apply();
}

void Channel::Apply() {
  if (!Audible()) return;
  alSourcef(source_, AL_GAIN, volume_);
  alSourcef(source_, AL_PITCH, std::clamp(rate_, 0.01f, 8.0f));
  if (sound_ && sound_->ChannelCount() == 2) {
    // Stereo voices keep their width at the centre and narrow to one side as
    // they are panned.
    if (State().stereoAngles) {
      float side = float(Pi / 2), half = float(Pi / 6);
      float left = pan_ >= 0 ? half + pan_ * (-side - half) : half + -pan_ * (side - half);
      float right = pan_ >= 0 ? -half + pan_ * (-side + half) : -half + -pan_ * (side + half);
      ALfloat angles[2] = {left, right};
      alSourcefv(source_, AL_STEREO_ANGLES, angles);
    }
  } else {
    alSource3f(source_, AL_POSITION, pan_, 0.0f, -std::sqrt(std::max(0.0f, 1.0f - pan_ * pan_)));
  }
}

bool Channel::Playing() const {
  if (!started_ || paused_ || !sound_) return false;
  if (Audible() && (stream_ || !sound_->Streamed())) {
    if (stream_) ChannelAccess::Feed(const_cast<Channel&>(*this));
    ALint state = 0;
    alGetSourcei(source_, AL_SOURCE_STATE, &state);
    if (state == AL_PLAYING) return true;
    return stream_ && !stream_->ended; // a drained queue restarts at the next feed
  }
  // No device or no voice: the sound lasts as long as it would have played.
  if (sound_->Looping()) return true;
  double played = playedSeconds_ + (Now() - resumedAt_) * std::max(rate_, 0.01f);
  return played < sound_->Seconds();
}

// ---- Music stream ---------------------------------------------------------------

MusicStream::MusicStream(Token) {}

MusicStream::~MusicStream() {
  if (channel_) channel_->Stop();
}

std::shared_ptr<MusicStream> MusicStream::Open(const std::string& path, std::string* error) {
  auto sound = Sound::LoadStreamed(path, false, error);
  if (!sound) return nullptr;
  auto stream = std::make_shared<MusicStream>(Token{});
  stream->sound_ = sound;
  stream->channel_ = Channel::Allocate();
  stream->seconds_ = sound->Seconds();
  return stream;
}

void MusicStream::Play() {
  channel_->Cue(sound_);
  channel_->SetVolume(volume_);
  channel_->Resume();
  played_ = true;
  paused_ = false;
}

void MusicStream::Pause() {
  channel_->Pause();
  paused_ = true;
}

void MusicStream::Resume() {
  if (!played_) return Play();
  channel_->Resume();
  paused_ = false;
}

void MusicStream::Stop() {
  channel_->Stop();
  paused_ = false;
}

void MusicStream::SetVolume(float volume) {
  volume_ = volume;
  channel_->SetVolume(volume);
}

bool MusicStream::Playing() const { return channel_->Playing(); }

bool MusicStream::Finished() const { return played_ && !paused_ && !channel_->Playing(); }

} // namespace platform::audio
