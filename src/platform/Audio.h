#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The audio layer: sounds decoded whole, channels (one playing sound each with
// volume, pan and rate) and one streamed music file at a time. When no device
// opens the driver is "None" and every call succeeds silently; channels then
// still keep the state they were given, so game logic behaves the same.
namespace platform::audio {

// Driver names the game knows: "OpenAL Generic Software" is the default
// device; "FreeAudio" and "DirectSound" are accepted as aliases of it.
std::vector<std::string> DriverNames();
// Opens (or re-opens) the named driver. False, with the driver "None", when no
// device could be opened. "None" itself closes the device.
bool SelectDriver(const std::string& name);
std::string CurrentDriver();
void Shutdown();

// A sound: PCM WAV (8 or 16 bit) or Ogg Vorbis, mono or stereo, decoded
// whole; or an Ogg Vorbis file streamed from disk while it plays (music).
class Sound {
public:
  // Decoded whole; refuses more than MaxDecodedSeconds of audio.
  static std::shared_ptr<Sound> Load(const std::string& path, bool loop, std::string* error = nullptr);
  static std::shared_ptr<Sound> LoadFromMemory(const uint8_t* data, size_t size, bool loop,
                                               std::string* error = nullptr);
  // An Ogg Vorbis file is checked and streamed from disk each time it is
  // played; any other file is decoded whole as by Load.
  static std::shared_ptr<Sound> LoadStreamed(const std::string& path, bool loop,
                                             std::string* error = nullptr);
  static constexpr double MaxDecodedSeconds = 600.0;
  struct Token; // only the audio layer makes sounds
  explicit Sound(Token);
  ~Sound();
  Sound(const Sound&) = delete;
  Sound& operator=(const Sound&) = delete;
  bool Looping() const { return loop_; }
  bool Streamed() const { return !streamPath_.empty(); }
  int SampleRate() const { return rate_; }
  int ChannelCount() const { return channels_; }
  int64_t FrameCount() const { return frames_; }
  double Seconds() const { return rate_ ? double(frames_) / rate_ : 0.0; }
private:
  bool loop_ = false;
  int rate_ = 0, channels_ = 0;
  int64_t frames_ = 0;
  unsigned buffer_ = 0;
  unsigned generation_ = 0;
  std::vector<int16_t> pcm_;  // kept so a re-opened device can rebuild its buffer
  std::string streamPath_;    // streamed sounds: the file, decoded while playing
  friend struct SoundAccess;
};

// One voice. Cue puts a sound on it paused; Resume starts it. Without a
// device (or when the device has no voice left) a channel still keeps its
// state and reports itself playing for as long as its sound would last.
class Channel {
public:
  static std::shared_ptr<Channel> Allocate();
  struct Token; // only the audio layer makes channels
  explicit Channel(Token);
  ~Channel();
  Channel(const Channel&) = delete;
  Channel& operator=(const Channel&) = delete;
  void Cue(const std::shared_ptr<Sound>& sound);
  void Play(const std::shared_ptr<Sound>& sound) { Cue(sound); Resume(); }
  void Pause();
  void Resume();
  void Stop();
  void SetVolume(float volume); // 0..1
  void SetPan(float pan);       // -1 left .. +1 right
  void SetRate(float rate);     // 1 = recorded speed
  float Volume() const { return volume_; }
  float Pan() const { return pan_; }
  float Rate() const { return rate_; }
  bool Playing() const;         // started, not paused, not finished
  bool Paused() const { return paused_; }
  const std::shared_ptr<Sound>& CurrentSound() const { return sound_; }
private:
  void Apply();
  void Detach();
  bool Audible() const;
  unsigned source_ = 0;
  unsigned generation_ = 0;
  std::shared_ptr<Sound> sound_;
  float volume_ = 1, pan_ = 0, rate_ = 1;
  bool paused_ = false, started_ = false;
  double playedSeconds_ = 0; // sound time played before the last resume (silent timing)
  double resumedAt_ = 0;     // clock seconds of the last resume
  struct Stream;             // decoder of a streamed sound
  std::unique_ptr<Stream> stream_;
  friend struct ChannelAccess;
};

// Streams one Ogg Vorbis file from disk (music). Not looped: Finished() turns
// true when the end has been played.
class MusicStream {
public:
  static std::shared_ptr<MusicStream> Open(const std::string& path, std::string* error = nullptr);
  struct Token;
  explicit MusicStream(Token);
  ~MusicStream();
  void Play();   // from the start
  void Pause();
  void Resume();
  void Stop();
  void SetVolume(float volume);
  float Volume() const { return volume_; }
  bool Playing() const;
  bool Paused() const { return paused_; }
  bool Finished() const;
  double Seconds() const { return seconds_; }
private:
  std::shared_ptr<Sound> sound_;
  std::shared_ptr<Channel> channel_;
  float volume_ = 1;
  bool paused_ = false, played_ = false;
  double seconds_ = 0;
};

// Keeps streams fed; the game calls it once per frame (it is cheap when idle).
void Update();

} // namespace platform::audio
