#include "AudioGen.h"

#include "audio/AudioFiles.h"
#include "audio/Effects.h"
#include "audio/Music.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <system_error>

namespace {

using namespace assetgen::audio;

struct SoundFile {
  const char* name;
  std::function<Clip()> make;
};

// Vorbis quality of the effects and of the music (about 110 and 96 kbit/s).
constexpr float EffectQuality = 0.4f;
constexpr float MusicQuality = 0.3f;
// The music is mostly soft pads and plucks, so half the CD rate keeps it
// clean while halving the memory the game spends on each loaded track.
constexpr int MusicRate = 22050;

bool Write(const std::string& path, const Clip& clip, float quality) {
  std::string error;
  bool ok = path.ends_with(".ogg") ? WriteOgg(path, clip, quality, &error) : WriteWav(path, clip, &error);
  if (!ok) std::fprintf(stderr, "assetgen: %s\n", error.c_str());
  return ok;
}

} // namespace

bool GenerateAudio(const std::string& outRoot) {
  namespace fs = std::filesystem;
  const fs::path soundDir = fs::path(outRoot) / "data" / "sound";
  const fs::path musicDir = fs::path(outRoot) / "data" / "music";
  std::error_code ec;
  fs::create_directories(soundDir, ec);
  fs::create_directories(musicDir, ec);
  if (!fs::is_directory(soundDir) || !fs::is_directory(musicDir)) {
    std::fprintf(stderr, "assetgen: cannot create %s or %s\n", soundDir.c_str(), musicDir.c_str());
    return false;
  }

  const SoundFile effects[] = {
      {"buttonclick.wav", ButtonClick},
      {"buttonmo.wav", ButtonHover},
      {"buttonclick2.wav", CardSelect},
      {"buttonclick3.ogg", Tock},
      {"invalid.wav", Invalid},
      {"swish.wav", Swish},
      {"hint1.wav", [] { return HintChime(1); }},
      {"hint2.wav", [] { return HintChime(2); }},
      {"bonus.ogg", BonusArpeggio},
      {"applause.ogg", [] { return Applause(0xC1A9, 42, 4.2); }},
      {"applause2.ogg", [] { return Applause(0xC1AA, 26, 3.0); }},
      {"splash.wav", Splash},
  };
  bool ok = true;
  for (const SoundFile& effect : effects)
    ok = Write((soundDir / effect.name).string(), effect.make(), EffectQuality) && ok;
  for (int track = 1; track <= 2; ++track) {
    std::string name = "music" + std::to_string(track) + ".ogg";
    ok = Write((musicDir / name).string(), MusicTrack(track, MusicRate), MusicQuality) && ok;
  }
  return ok;
}
