#include "platform/System.h"

#include <SDL.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {
const auto processStart = std::chrono::steady_clock::now();
int lockDescriptor = -1; // kept open (and locked) until the process ends
std::string lockName;
pid_t lockOwner = 0;      // a forked child does not inherit the right to the lock

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::string(value) : fallback;
}
} // namespace

int64_t Millisecs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - processStart)
      .count();
}

void Delay(int milliseconds) {
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool AcquireSingleInstanceLock(const std::string& name) {
  if (lockDescriptor >= 0 && lockOwner == getpid() && lockName == name) return true; // already ours
  std::string folder = EnvOr("XDG_RUNTIME_DIR", "");
  std::string path;
  struct stat info {};
  if (!folder.empty() && stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
    path = folder + "/" + name + ".lock";
  else
    path = "/tmp/" + name + "-" + std::to_string(getuid()) + ".lock";
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return true; // cannot lock at all: do not stop the game from starting
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    bool held = errno == EWOULDBLOCK;
    close(fd);
    return !held;
  }
  lockDescriptor = fd;
  lockName = name;
  lockOwner = getpid();
  return true;
}

std::string GetOSVersionName() { return ""; }

std::string CommonAppDataFolder() {
  std::string folder = EnvOr("XDG_DATA_HOME", "");
  if (folder.empty() || folder[0] != '/') folder = EnvOr("HOME", "/tmp") + "/.local/share";
  if (folder.back() != '/') folder += '/';
  return folder;
}

std::string ExecutablePath() {
  char buffer[4096];
  ssize_t length = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
  if (length <= 0) return "";
  return std::string(buffer, size_t(length));
}

std::string ExecutableFolder() {
  std::string path = ExecutablePath();
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

bool SetFolderFullAccess(const std::string& path) {
  // Granting everyone write access would let any local user plant files in
  // the game's data; the owner gets full access and others at most read.
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return false;
  mode_t mode = (info.st_mode & 07777) | S_IRWXU;
  mode &= ~mode_t(S_IWOTH);
  if (mode != (info.st_mode & 07777) && chmod(path.c_str(), mode) != 0) return false;
  return true;
}

void SetProcessPriority(int processClass, int threadPriority) {
  // Positive values ask for more time, negative for less. Raising needs
  // privileges, so a refusal is simply ignored.
  int level = processClass + threadPriority;
  if (level == 0) return;
  int nice = level > 0 ? -5 : 5;
  setpriority(PRIO_PROCESS, 0, nice);
}

void SetApplicationId(const std::string& id) {
  setenv("SDL_VIDEO_X11_WMCLASS", id.c_str(), 0);
  setenv("SDL_VIDEO_WAYLAND_WMCLASS", id.c_str(), 0);
}

bool IsHeadless() {
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  if (driver && (std::string(driver) == "dummy" || std::string(driver) == "offscreen")) return true;
  return EnvOr("DISPLAY", "").empty() && EnvOr("WAYLAND_DISPLAY", "").empty();
}

void ShowSystemMessage(const std::string& title, const std::string& message) {
  // MARROWDECK_NO_MESSAGE_BOX (set by the end-to-end tests under Xvfb, where a
  // box would block with nobody to close it) sends messages to stderr too.
  const char* noBox = std::getenv("MARROWDECK_NO_MESSAGE_BOX");
  bool boxAllowed = !(noBox && *noBox && std::string(noBox) != "0");
  if (boxAllowed && !IsHeadless() && SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title.c_str(), message.c_str(),
                                                nullptr) == 0)
    return;
  std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
}

} // namespace platform
