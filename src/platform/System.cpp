#include "platform/System.h"

#include <SDL.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

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

namespace {

enum class LockResult { Taken, Held, Unusable };

// Takes the lock file at `path`. A link, anything but a regular file, or a
// file of another user (planted in a shared /tmp) is unusable, never followed.
LockResult TakeLock(const std::string& path) {
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
  if (fd < 0) return LockResult::Unusable;
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != geteuid()) {
    close(fd);
    return LockResult::Unusable;
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    bool held = errno == EWOULDBLOCK;
    close(fd);
    return held ? LockResult::Held : LockResult::Unusable;
  }
  lockDescriptor = fd;
  lockOwner = getpid();
  return LockResult::Taken;
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

bool AcquireSingleInstanceLock(const std::string& name, const std::string& fallbackFolder) {
  if (lockDescriptor >= 0 && lockOwner == getpid() && lockName == name) return true; // already ours
  std::vector<std::string> places;
  std::string runtime = EnvOr("XDG_RUNTIME_DIR", "");
  if (IsFolder(runtime)) places.push_back(runtime + "/" + name + ".lock");
  places.push_back("/tmp/" + name + "-" + std::to_string(getuid()) + ".lock");
  if (!fallbackFolder.empty()) {
    std::string folder = fallbackFolder.back() == '/' ? fallbackFolder : fallbackFolder + "/";
    // The data folder is made at start-up anyway; here it may be new.
    for (size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1))
      mkdir(folder.substr(0, slash).c_str(), 0755);
    places.push_back(folder + name + ".lock");
  }
  for (const std::string& place : places) {
    switch (TakeLock(place)) {
    case LockResult::Taken: lockName = name; return true;
    case LockResult::Held: return false;
    case LockResult::Unusable: break;
    }
  }
  // No lock anywhere: better one game too many than none.
  std::fprintf(stderr, "Marrowdeck: no single-instance lock could be made\n");
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

namespace {

int startNice = 0;
bool startNiceKnown = false;

// Whether this process may raise its priority back to `nice` later.
bool CanReturnTo(int nice) {
  if (geteuid() == 0) return true;
  rlimit limit{};
  if (getrlimit(RLIMIT_NICE, &limit) != 0) return false;
  return limit.rlim_cur == RLIM_INFINITY || 20 - long(limit.rlim_cur) <= nice;
}

} // namespace

void SetProcessPriority(int processClass, int threadPriority) {
  // Positive sums ask for more time, negative for less, 0 for normal: the
  // niceness the game started with. Raising needs privileges, so a refusal
  // is simply ignored; lowering is skipped when it could not be undone.
  if (!startNiceKnown) {
    errno = 0;
    int nice = getpriority(PRIO_PROCESS, 0);
    startNice = errno == 0 ? nice : 0;
    startNiceKnown = true;
  }
  const long long level = static_cast<long long>(processClass) + threadPriority; // cannot overflow
  const int wanted = std::clamp(startNice + (level > 0 ? -5 : level < 0 ? 5 : 0), -20, 19);
  if (wanted > startNice && !CanReturnTo(startNice)) return;
  errno = 0;
  int now = getpriority(PRIO_PROCESS, 0);
  if (errno == 0 && now == wanted) return;
  setpriority(PRIO_PROCESS, 0, wanted);
}

bool HasDisplay() {
  if (!EnvOr("SDL_VIDEODRIVER", "").empty()) return true; // a driver chosen on purpose
  return !EnvOr("DISPLAY", "").empty() || !EnvOr("WAYLAND_DISPLAY", "").empty();
}

void SetApplicationId(const std::string& id) {
  setenv("SDL_VIDEO_X11_WMCLASS", id.c_str(), 0);
  setenv("SDL_VIDEO_WAYLAND_WMCLASS", id.c_str(), 0);
}

bool IsHeadless() {
  // Once the video is up, its driver says so (asked every frame, this must be cheap).
  if (const char* current = SDL_GetCurrentVideoDriver())
    return std::strcmp(current, "dummy") == 0 || std::strcmp(current, "offscreen") == 0;
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
