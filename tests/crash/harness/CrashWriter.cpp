// crash_writer: kills the game's writers in the middle of their writes and
// checks what they leave behind.
//
//   crash_writer [--kills N] [--kind NAME] [--seed S] [--data DIR] [--folder DIR]
//
// For every kind of file the game writes (settings, "config", high scores, a
// player marker, each variant's saved game, a custom layout, completion
// marks) and N times over: a previous version of the file is in place (every
// tenth time none is); a fresh process starts as the game does, removing the
// temporary files a killed write left behind, then writes the file over and
// over through the game's own writer until it is killed with SIGKILL at a
// random moment. The file must then be a whole version, byte for byte, and
// never be missing when a previous one existed; no temporary file may
// outlive the next start. Prints the outcomes per kind; exits 1 on any lost
// or damaged file.
//
// The processes it starts are itself, with --child KIND SHARED DATA MODE.
#include "WriterKinds.h"

#include "platform/Files.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using crash_test::Temporaries;
using crash_test::WriterKind;

namespace {

std::string AddSlash(std::string path) { return path.empty() || path.back() == '/' ? path : path + "/"; }

const WriterKind* FindKind(const std::vector<WriterKind>& kinds, const std::string& name) {
  for (const auto& kind : kinds)
    if (kind.Name == name) return &kind;
  return nullptr;
}

// ---- the child: one start of the game's writer ----

double MicrosecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
}

// write V: writes version V ten times, checks the game reads it, prints the
// mean microseconds of one write. loop: starts as the game does, says
// "ready", then writes versions 1, 0, 1, ... until killed. check: starts,
// then the file must read as one of the versions.
int Child(const std::string& kindName, const std::string& shared, const std::string& data, const std::string& mode,
          int version) {
  auto kinds = crash_test::WriterKinds();
  const WriterKind* kind = FindKind(kinds, kindName);
  if (!kind || !kind->Setup(shared, data)) {
    std::fprintf(stderr, "crash_writer: %s: cannot set up the writer\n", kindName.c_str());
    return 2;
  }
  auto failed = [&](const crash_test::WriteResult& result) {
    std::fprintf(stderr, "crash_writer: %s: the write failed: %s\n", kindName.c_str(), result.Message.c_str());
    return 3;
  };
  if (mode == "write") {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 10; ++i)
      if (auto result = kind->Write(version); !result.Done) return failed(result);
    std::printf("%.1f\n", MicrosecondsSince(start) / 10);
    return kind->Reads(version) ? 0 : 4;
  }
  // The game's start removes what killed writes left in the folders it writes.
  platform::RemoveStaleTemporaryFiles(shared);
  platform::RemoveStaleTemporaryFiles(shared + "profiles/");
  if (mode == "check") return (kind->Reads(0) || kind->Reads(1)) && Temporaries(shared).empty() ? 0 : 4;
  // The parent looks at the folders before the writes begin.
  std::printf("ready\n");
  std::fflush(stdout);
  char go = 0;
  if (read(STDIN_FILENO, &go, 1) != 1) return 5;
  for (int v = 1;; v ^= 1)
    if (auto result = kind->Write(v); !result.Done) return failed(result);
}

// ---- the parent ----

// Removes a folder tree (the harness's own scratch folders).
int RemoveTree(const std::string& folder) {
  for (const std::string& name : platform::ListFolder(folder, "", true)) {
    const std::string path = AddSlash(folder) + name;
    if (platform::FolderExists(path)) RemoveTree(path);
    else unlink(path.c_str());
  }
  rmdir(folder.c_str());
  return 0;
}


struct Process {
  pid_t pid = -1;
  int output = -1; // the child's standard output
  int input = -1;  // its standard input
};

Process Start(const std::vector<std::string>& args) {
  int fds[2], in[2];
  if (pipe(fds) != 0) return {};
  if (pipe(in) != 0) {
    close(fds[0]);
    close(fds[1]);
    return {};
  }
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(fds[1], STDOUT_FILENO);
    dup2(in[0], STDIN_FILENO);
    for (int fd : {fds[0], fds[1], in[0], in[1]}) close(fd);
    std::vector<char*> argv;
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv("/proc/self/exe", argv.data());
    _exit(127);
  }
  close(fds[1]);
  close(in[0]);
  return {pid, fds[0], in[1]};
}

void Finish(Process& child, int* status) {
  waitpid(child.pid, status, 0);
  close(child.output);
  close(child.input);
}

// Reads the child's output until it holds `wanted` (with "" until its end);
// false when that did not come within the time.
bool ReadUntil(int fd, const std::string& wanted, std::string& text, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  char buffer[256];
  while (wanted.empty() || text.find(wanted) == std::string::npos) {
    const int left = int(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count());
    if (left <= 0) return false;
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, left) <= 0) continue;
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) return wanted.empty();
    text.append(buffer, size_t(n));
  }
  return true;
}

// Runs a child to its end; its exit status (-1 when it did not end normally).
int Run(const std::vector<std::string>& args, std::string& output) {
  Process child = Start(args);
  if (child.pid < 0) return -1;
  ReadUntil(child.output, "", output, 120000);
  int status = 0;
  Finish(child, &status);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadFile(const std::string& path, bool& exists) {
  std::string bytes;
  exists = platform::ReadWholeFile(path, bytes);
  return bytes;
}

struct Figures {
  int Kills = 0;
  int MidWrite = 0;     // a temporary file was left: the kill came during a write
  int Same = 0;         // the file held the version it held before
  int Other = 0;        // the file held the other, complete version
  int NoneYet = 0;      // no previous file and the first write not finished
  int Damaged = 0;      // torn, missing or foreign bytes: a lost file
  int Outlived = 0;     // a temporary file still there after the next start
  int WriterErrors = 0; // the writer failed or the process ended by itself
};

class Harness {
public:
  Harness(std::string self, std::string data, std::string root, uint32_t seed)
      : self_(std::move(self)), data_(std::move(data)), root_(std::move(root)), random_(seed) {}

  bool RunKind(const WriterKind& kind, int kills, Figures& figures) {
    const std::string shared = root_ + Slug(kind.Name) + "/";
    RemoveTree(shared);
    platform::CreateFolders(shared + "profiles");
    const std::string file = shared + kind.File;

    // The two versions, as the game writes them, and how long one write takes.
    std::string versions[2];
    double writeUs = 0;
    for (int v : {1, 0}) {
      std::string output;
      if (Run(Child("write", kind, shared, v), output) != 0) {
        std::fprintf(stderr, "crash_writer: %s: version %d could not be written and read back\n", kind.Name.c_str(), v);
        return false;
      }
      writeUs = std::max(writeUs, std::atof(output.c_str()));
      bool exists = false;
      versions[v] = ReadFile(file, exists);
    }
    // Kills land from the start of the first write to a few writes later.
    std::uniform_int_distribution<int> delay(0, int(writeUs * 3) + 50);

    for (int k = 0; k < kills; ++k) {
      const bool fresh = k % 10 == 9;
      if (fresh) unlink(file.c_str());
      bool existed = false;
      const std::string before = ReadFile(file, existed);

      Process child = Start(Child("loop", kind, shared, 0));
      std::string output;
      if (!ReadUntil(child.output, "ready\n", output, 60000)) {
        kill(child.pid, SIGKILL);
        Finish(child, nullptr);
        ++figures.WriterErrors;
        continue;
      }
      // The start removed what the last kill left.
      if (!Temporaries(shared).empty()) ++figures.Outlived;
      const timespec pause{0, long(delay(random_)) * 1000};
      const bool started = write(child.input, "g", 1) == 1;
      nanosleep(&pause, nullptr);
      kill(child.pid, SIGKILL);
      int status = 0;
      Finish(child, &status);
      if (!started) ++figures.WriterErrors;
      ++figures.Kills;
      if (!WIFSIGNALED(status)) ++figures.WriterErrors;

      if (!Temporaries(shared).empty()) ++figures.MidWrite;
      bool exists = false;
      const std::string after = ReadFile(file, exists);
      if (!exists && !existed) ++figures.NoneYet;
      else if (exists && existed && after == before) ++figures.Same;
      else if (exists && (after == versions[0] || after == versions[1])) ++figures.Other;
      else Damage(kind, after, exists, figures);
    }
    // One more start: it clears the last leftover and reads the file.
    std::string output;
    if (platform::FileExists(file) && Run(Child("check", kind, shared, 0), output) != 0) {
      if (!Temporaries(shared).empty()) ++figures.Outlived;
      else ++figures.Damaged; // the game's reader refused the last file
    }
    RemoveTree(shared);
    return true;
  }

private:
  std::vector<std::string> Child(const std::string& mode, const WriterKind& kind, const std::string& shared, int v) {
    return {self_, "--child", kind.Name, shared, data_, mode, std::to_string(v)};
  }

  static std::string Slug(const std::string& name) {
    std::string slug = name;
    std::replace(slug.begin(), slug.end(), ' ', '-');
    return slug;
  }

  void Damage(const WriterKind& kind, const std::string& after, bool exists, Figures& figures) {
    ++figures.Damaged;
    const std::string keep = root_ + "damaged-" + Slug(kind.Name) + "-" + std::to_string(figures.Damaged);
    if (exists) platform::WriteFileAtomic(keep, after);
    std::fprintf(stderr, "crash_writer: %s: after kill %d the file is %s (kept as %s)\n", kind.Name.c_str(),
                 figures.Kills, exists ? "damaged" : "missing", keep.c_str());
  }

  std::string self_, data_, root_;
  std::mt19937 random_;
};

int Usage() {
  std::fprintf(stderr, "usage: crash_writer [--kills N] [--kind NAME] [--seed S] [--data DIR] [--folder DIR]\n");
  return 2;
}

} // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 6 && args[0] == "--child")
    return Child(args[1], args[2], args[3], args[4], std::atoi(args[5].c_str()));

  int kills = 100;
  uint32_t seed = uint32_t(std::time(nullptr));
  std::string only, data, folder;
  if (const char* env = std::getenv("MARROWDECK_DATA")) data = env;
  for (size_t i = 0; i + 1 < args.size(); i += 2) {
    if (args[i] == "--kills") kills = std::atoi(args[i + 1].c_str());
    else if (args[i] == "--kind") only = args[i + 1];
    else if (args[i] == "--seed") seed = uint32_t(std::strtoul(args[i + 1].c_str(), nullptr, 10));
    else if (args[i] == "--data") data = args[i + 1];
    else if (args[i] == "--folder") folder = args[i + 1];
    else return Usage();
  }
  if (args.size() % 2 != 0 || data.empty() || kills < 1) return Usage();
  if (folder.empty()) {
    char scratch[] = "/tmp/crash_writer-XXXXXX";
    if (!mkdtemp(scratch)) return 2;
    folder = scratch;
  }

  std::printf("crash_writer: %d kills per kind, seed %u\n", kills, seed);
  std::printf("%-17s %6s %9s %6s %6s %7s %8s %9s %7s\n", "kind", "kills", "mid-write", "same", "other", "none-yet",
              "damaged", "outlived", "errors");
  Harness harness(argv[0], AddSlash(data), AddSlash(folder), seed);
  bool ok = true;
  int total = 0, midWrite = 0;
  for (const auto& kind : crash_test::WriterKinds()) {
    if (!only.empty() && kind.Name != only) continue;
    Figures f;
    if (!harness.RunKind(kind, kills, f)) {
      ok = false;
      continue;
    }
    total += f.Kills;
    std::printf("%-17s %6d %9d %6d %6d %7d %8d %9d %7d\n", kind.Name.c_str(), f.Kills, f.MidWrite, f.Same, f.Other,
                f.NoneYet, f.Damaged, f.Outlived, f.WriterErrors);
    std::fflush(stdout);
    midWrite += f.MidWrite;
    ok = ok && f.Kills == kills && f.Damaged == 0 && f.Outlived == 0 && f.WriterErrors == 0;
  }
  // Kills that never came during a write would prove nothing.
  if (midWrite == 0) {
    std::printf("crash_writer: no kill came in the middle of a write\n");
    ok = false;
  }
  RemoveTree(folder);
  std::printf("crash_writer: %d kills, %s\n", total, ok ? "no file lost or damaged" : "FAILED");
  return ok ? 0 : 1;
}
