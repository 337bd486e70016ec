#pragma once

// Platform-private: what OpenGL offers on this display, found out in a
// short-lived child process so that the game's own process never loads an
// OpenGL driver it will not use (a CPU rasteriser maps tens of megabytes and
// runs threads of its own) and its window is made once, for the right renderer.
namespace platform {

enum class OpenGlKind {
  Unknown, // not probed (a headless or explicitly chosen renderer), or the probe could not start
  None,    // no OpenGL context can be made
  Cpu,     // OpenGL rasterised on the processor (no graphics card)
  Gpu,     // a graphics card
};

// The probe's answer; waits for it (a few seconds at most). Unknown when the
// probe was not begun before the video system started (EnsureVideo begins it).
OpenGlKind RendererProbeResult();

} // namespace platform
