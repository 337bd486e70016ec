// Feeds arbitrary bytes to the game's own settings as the main settings file
// ("marrowdeck.ini"): whatever the file holds, the settings taken from it are
// in range (switches 0 or 1, volumes and particles 0..100, priorities
// -2..2), and saving them writes a file that reads back to the same
// settings.
#include "app/TGame.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

bool Switch(int value) { return value == 0 || value == 1; }
bool Percent(int value) { return value >= 0 && value <= 100; }
bool Priority(int value) { return value >= -2 && value <= 2; }

std::vector<int> Numbers(const TGame& game) {
  return {game.FullScreen,   game.Sound,         game.Music,           game.Speech,          game.SoundVolume,
          game.MusicVolume,  game.SpeechVolume,  game.Fade,            game.Particles,       game.PortalSplash,
          game.PortalSplash2, game.IntroShow,    game.VSync,           game.Driver,          game.FullScreenProcess,
          game.FullScreenThread, game.WindowedProcess, game.WindowedThread, game.Region,     game.SubRegion};
}

void Read(TGame& game, const std::string& bytes) {
  game.IniFill();
  game.Ini.LoadFromBytes(bytes);
  game.IniExtract();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TGame game;
  Read(game, std::string(reinterpret_cast<const char*>(data), size));
  for (int value : {game.FullScreen, game.Sound, game.Music, game.Speech, game.Fade, game.PortalSplash,
                    game.PortalSplash2, game.IntroShow, game.VSync, game.Driver})
    Check(Switch(value));
  for (int value : {game.SoundVolume, game.MusicVolume, game.SpeechVolume, game.Particles}) Check(Percent(value));
  for (int value : {game.FullScreenProcess, game.FullScreenThread, game.WindowedProcess, game.WindowedThread})
    Check(Priority(value));

  game.IniFill();
  TGame again;
  Read(again, game.Ini.ToBytes());
  Check(Numbers(again) == Numbers(game));
  Check(again.ProfileName == game.ProfileName && again.SoundDriver == game.SoundDriver);
  return 0;
}
