// The application object: its construction and its end.
#include "app/TGame.h"
#include "app/TLoadingScreen.h"
#include "platform/System.h"

std::shared_ptr<TGame> Game;

std::string AddSlash(const std::string& path) {
  if (!path.empty() && (path.back() == '/' || path.back() == '\\')) return path;
  return path + "/";
}

namespace {

// The program file's name without folder and extension.
std::string ProgramBaseName() {
  std::string path = platform::ExecutablePath();
  size_t slash = path.find_last_of("/\\");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name = name.substr(0, dot);
  return name.empty() ? "marrowdeck" : name;
}

} // namespace

TGame::TGame() {
  ProgramName = ProgramBaseName();
  FixedRateLogic.Owner = this;
  LoadingScreen = std::make_shared<VQLoadingScreen>();
  ExitScreen = std::make_shared<TExitScreen>();
  Mouse = std::make_shared<TMousePointer>();
  PausedMusicState = Music;
  PausedSpeechState = Speech;
}

TGame::~TGame() = default;

int TGame::Kill() {
  AudioKill();
  return 1;
}
