#include "platform/System.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;

namespace {

// Restores an environment variable when the test ends.
class ScopedEnv {
public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    const char* old = std::getenv(name);
    hadValue_ = old != nullptr;
    if (old) old_ = old;
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }
  ~ScopedEnv() {
    if (hadValue_) setenv(name_, old_.c_str(), 1);
    else unsetenv(name_);
  }

private:
  const char* name_;
  bool hadValue_;
  std::string old_;
};

TEST(SystemTest, ClockIsMonotonicAndDelaySleeps) {
  int64_t before = Millisecs();
  Delay(20);
  int64_t after = Millisecs();
  EXPECT_GE(after - before, 19);
  EXPECT_GE(before, 0);
}

TEST(SystemTest, SecondInstanceSeesTheLock) {
  test_support::TempFolder runtime;
  ScopedEnv env("XDG_RUNTIME_DIR", runtime.Path().c_str());
  std::string name = "marrowdeck-test-" + std::to_string(getpid());
  ASSERT_TRUE(AcquireSingleInstanceLock(name));
  EXPECT_TRUE(AcquireSingleInstanceLock(name)); // the holder asking again
  // Another process is refused while this one holds the lock.
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) _exit(AcquireSingleInstanceLock(name) ? 1 : 0);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  // A different name is free.
  child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) _exit(AcquireSingleInstanceLock(name + "-other") ? 0 : 1);
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// Runs `body` in a child process (so the lock it takes goes with it) and
// returns its exit status.
int InChild(const std::function<int()>& body) {
  pid_t child = fork();
  if (child == 0) _exit(body());
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

// Without a runtime folder the lock lives in /tmp, where another user could
// plant a link or a file of their own: neither is used, and the lock moves
// into the game's data folder, where it still keeps a second copy out.
TEST(SystemTest, ALockPlantedInTmpIsRefusedAndTheDataFolderHoldsTheLock) {
  test_support::TempFolder data;
  ScopedEnv env("XDG_RUNTIME_DIR", nullptr);
  const std::string name = "marrowdeck-test-planted-" + std::to_string(getpid());
  const std::string planted = "/tmp/" + name + "-" + std::to_string(getuid()) + ".lock";
  const std::string fallback = data.Path() + "shared/";
  const std::string target = data.Path() + "victim";
  ASSERT_EQ(symlink(target.c_str(), planted.c_str()), 0);
  auto takeAndHold = [&] {
    if (!AcquireSingleInstanceLock(name, fallback)) return 1;
    int second = InChild([&] { return AcquireSingleInstanceLock(name, fallback) ? 1 : 0; });
    return second == 0 ? 0 : 2;
  };
  EXPECT_EQ(InChild(takeAndHold), 0);
  struct stat info {};
  EXPECT_NE(lstat(target.c_str(), &info), 0) << "the link was followed";
  EXPECT_EQ(stat((fallback + name + ".lock").c_str(), &info), 0);
  unlink(planted.c_str());

  // A file of another user (only root can make one here).
  int fd = open(planted.c_str(), O_CREAT | O_WRONLY, 0666);
  ASSERT_GE(fd, 0);
  close(fd);
  if (geteuid() == 0 && chown(planted.c_str(), 4242, 4242) == 0) {
    unlink((fallback + name + ".lock").c_str());
    EXPECT_EQ(InChild(takeAndHold), 0);
    EXPECT_EQ(stat((fallback + name + ".lock").c_str(), &info), 0);
  }
  unlink(planted.c_str());
}

// The priorities of the settings file are summed without overflow, and
// normal priority is the one the game started with.
TEST(SystemTest, PriorityFollowsTheSignOfItsSumAndReturnsToNormal) {
  EXPECT_EQ(InChild([] {
              errno = 0;
              const int start = getpriority(PRIO_PROCESS, 0);
              SetProcessPriority(2147483647, 2147483647); // wrapped, this once asked for less time
              if (getpriority(PRIO_PROCESS, 0) > start) return 1;
              SetProcessPriority(0, 0);
              if (getpriority(PRIO_PROCESS, 0) != start) return 2;
              SetProcessPriority(-2147483647 - 1, -1);
              if (getpriority(PRIO_PROCESS, 0) < start) return 3;
              SetProcessPriority(0, 0);
              return getpriority(PRIO_PROCESS, 0) == start ? 0 : 4;
            }),
            0);
}

TEST(SystemTest, CommonAppDataFolderFollowsXdg) {
  {
    ScopedEnv data("XDG_DATA_HOME", "/srv/data");
    EXPECT_EQ(CommonAppDataFolder(), "/srv/data/");
  }
  {
    ScopedEnv data("XDG_DATA_HOME", nullptr);
    ScopedEnv home("HOME", "/home/player");
    EXPECT_EQ(CommonAppDataFolder(), "/home/player/.local/share/");
  }
  {
    ScopedEnv data("XDG_DATA_HOME", "relative/path"); // ignored, as the XDG rules say
    ScopedEnv home("HOME", "/home/player");
    EXPECT_EQ(CommonAppDataFolder(), "/home/player/.local/share/");
  }
}

TEST(SystemTest, FullAccessNeverMakesAFolderWorldWritable) {
  test_support::TempFolder folder;
  std::string path = folder.Path() + "shared";
  ASSERT_EQ(mkdir(path.c_str(), 0777), 0);
  chmod(path.c_str(), 0557); // owner cannot write, world can
  EXPECT_TRUE(SetFolderFullAccess(path));
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & S_IRWXU, mode_t(S_IRWXU));
  EXPECT_EQ(info.st_mode & S_IWOTH, 0u);
  EXPECT_FALSE(SetFolderFullAccess(folder.Path() + "missing"));
}

TEST(SystemTest, ExecutableAndHeadlessness) {
  EXPECT_NE(ExecutablePath().find("platform_tests"), std::string::npos);
  EXPECT_EQ(ExecutableFolder().back(), '/');
  EXPECT_EQ(GetOSVersionName(), "");
  {
    ScopedEnv driver("SDL_VIDEODRIVER", "dummy");
    EXPECT_TRUE(IsHeadless());
    ShowSystemMessage("Marrowdeck", "a headless message goes to standard error"); // must not block
  }
  {
    ScopedEnv driver("SDL_VIDEODRIVER", nullptr);
    ScopedEnv display("DISPLAY", nullptr);
    ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    EXPECT_TRUE(IsHeadless());
  }
}

} // namespace
