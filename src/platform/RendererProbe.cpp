#include "platform/RendererProbe.h"
#include "platform/Graphics.h"

#include <SDL.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {

namespace {

// Long enough for a slow driver to load, short enough that a hanging one
// only delays the start.
constexpr int ProbeTimeoutMs = 5000;

pid_t probePid = -1;
int probePipe = -1;
OpenGlKind probeAnswer = OpenGlKind::Unknown;
bool probeDone = false;

// A renderer explicitly asked for, or a video driver without OpenGL: nothing to find out.
bool ProbeWanted() {
  if (std::getenv("SDL_RENDER_DRIVER")) return false;
  const char* video = std::getenv("SDL_VIDEODRIVER");
  return !(video && (std::strcmp(video, "dummy") == 0 || std::strcmp(video, "offscreen") == 0));
}

bool NamesCpuRasteriser(const char* renderer) {
  const std::string text(renderer);
  return text.find("llvmpipe") != std::string::npos || text.find("softpipe") != std::string::npos ||
         text.find("Software Rasterizer") != std::string::npos || text.find("SWR") != std::string::npos;
}

// Hardware OpenGL needs a graphics device: a DRM node (Mesa and most
// drivers) or an NVIDIA node. Without one OpenGL can only rasterise on the
// processor, and that is known without asking a driver at all.
bool GraphicsDevicePresent() {
  for (const char* folder : {"/dev/dri", "/dev"}) {
    DIR* dir = opendir(folder);
    if (!dir) continue;
    bool found = false;
    while (dirent* entry = readdir(dir)) {
      const char* name = entry->d_name;
      const bool device = std::strcmp(folder, "/dev") == 0
                              ? std::strncmp(name, "nvidia", 6) == 0
                              : std::strncmp(name, "card", 4) == 0 || std::strncmp(name, "renderD", 7) == 0;
      if (device && access((std::string(folder) + "/" + name).c_str(), R_OK | W_OK) == 0) found = true;
    }
    closedir(dir);
    if (found) return true;
  }
  return false;
}

// Runs in the child: a hidden window (never mapped) with an OpenGL context.
char ProbeHere() {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 'N';
  SDL_Window* window = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (!window) return 'N';
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (!context) return 'N';
  using GetString = const unsigned char* (*)(unsigned int);
  auto glGetString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = glGetString ? glGetString(0x1F01) : nullptr; // GL_RENDERER
  if (!name) return 'N';
  return NamesCpuRasteriser(reinterpret_cast<const char*>(name)) ? 'C' : 'G';
}

} // namespace

void BeginRendererProbe() {
  // A child of a process whose video is up would share its display connection.
  if (probeDone || probePid > 0 || !ProbeWanted() || SDL_WasInit(SDL_INIT_VIDEO)) return;
  if (!GraphicsDevicePresent()) {
    probeDone = true;
    probeAnswer = OpenGlKind::Cpu;
    return;
  }
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return;
  std::fflush(nullptr); // nothing buffered is written twice
  pid_t pid = fork();
  if (pid == 0) {
    // The child only answers; drivers may be chatty, and it must not run the
    // parent's exit handlers.
    int quiet = open("/dev/null", O_WRONLY);
    if (quiet >= 0) {
      dup2(quiet, STDOUT_FILENO);
      dup2(quiet, STDERR_FILENO);
    }
    char answer = ProbeHere();
    ssize_t written = write(fds[1], &answer, 1);
    _exit(written == 1 ? 0 : 1);
  }
  close(fds[1]);
  if (pid < 0) {
    close(fds[0]);
    return;
  }
  probePid = pid;
  probePipe = fds[0];
}

OpenGlKind RendererProbeResult() {
  if (probeDone) return probeAnswer;
  BeginRendererProbe();
  if (probePid <= 0) return OpenGlKind::Unknown;
  pollfd ready{probePipe, POLLIN, 0};
  int polled;
  do polled = poll(&ready, 1, ProbeTimeoutMs);
  while (polled < 0 && errno == EINTR);
  char answer = 0;
  if (polled <= 0 || read(probePipe, &answer, 1) != 1) answer = 'N';
  // A driver that hangs or dies in the child would do the same here.
  if (polled <= 0) kill(probePid, SIGKILL);
  while (waitpid(probePid, nullptr, 0) < 0 && errno == EINTR) {
  }
  close(probePipe);
  probePid = -1;
  probePipe = -1;
  probeDone = true;
  probeAnswer = answer == 'G' ? OpenGlKind::Gpu : answer == 'C' ? OpenGlKind::Cpu : OpenGlKind::None;
  return probeAnswer;
}

} // namespace platform
