#include "screens/ProgramEntry.h"

#include "app/AppGlobals.h"
#include "app/ErrorReporter.h"
#include "app/TGame.h"
#include "app/TGameAudio.h"
#include "platform/Graphics.h"
#include "platform/System.h"
#include "screens/GameSetup.h"
#include "screens/GameGlobals.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

const char* const Usage =
    "Usage: marrowdeck [OPTION]...\n"
    "Card solitaire: Klondike, Matching and Tri Peaks.\n"
    "\n"
    "  --windowed      play in a window this time\n"
    "  --fullscreen    play full screen this time\n"
    "  --data DIR      read the game's data from DIR\n"
    "  --version       print the version and exit\n"
    "  --help          print this help and exit\n";

// 0 to run, or the status to exit with (after printing what was asked).
int ParseCommandLine(int argc, char** argv, TRunOptions& options, bool& exitNow) {
  exitNow = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--help") {
      std::fputs(Usage, stdout);
      exitNow = true;
      return 0;
    }
    if (arg == "--version") {
      std::printf("%s\n", GameVersion);
      exitNow = true;
      return 0;
    }
    if (arg == "--windowed") {
      options.FullScreen = 0;
    } else if (arg == "--fullscreen") {
      options.FullScreen = 1;
    } else if (arg == "--data" && i + 1 < argc) {
      options.DataFolder = argv[++i];
    } else if (arg.rfind("--data=", 0) == 0 && arg.size() > 7) {
      options.DataFolder = arg.substr(7);
    } else {
      std::fprintf(stderr, "marrowdeck: unknown option '%s'\n%s", arg.c_str(), Usage);
      exitNow = true;
      return 2;
    }
  }
  return 0;
}

} // namespace

int RunFrame() {
  if (Game->MainLogicLoop() == -1) return -1;
  Game->ScreenDraw();
  NextMusicTrack(0);
  return 1;
}

int ProgramEntry(int argc, char** argv) {
  TRunOptions options;
  bool exitNow = false;
  int status = ParseCommandLine(argc, argv, options, exitNow);
  if (exitNow) return status;

  InstallErrorReporter();
  CreateGameGlobals();
  ScreenWidth = 800;
  ScreenHeight = 600;

  // Over ssh or in a console there is nowhere to show the game: say so and end
  // at once, instead of running invisibly for ever.
  if (!platform::HasDisplay()) {
    platform::ShowSystemMessage("Marrowdeck", "No display: Marrowdeck needs a desktop session (DISPLAY or "
                                              "WAYLAND_DISPLAY is not set).");
    return 1;
  }
  // Another copy is running: end at once, silently.
  if (!platform::AcquireSingleInstanceLock("Ostrelle", platform::CommonAppDataFolder() + SharedDataFolder))
    return 0;
  // The renderer is chosen while the rest of the start-up runs.
  platform::BeginRendererProbe();
  std::srand(unsigned(platform::Millisecs()));

  try {
    GameSetup(options);
    Game->FixedRateLogic.Init();
    Game->NoTimingTicks = 3;
    for (;;)
      if (RunFrame() == -1) ExitProgram();
  } catch (const std::exception& error) {
    ReportUncaughtError(error);
  } catch (...) {
    ReportUncaughtError(std::string("Unknown error"));
  }
}
