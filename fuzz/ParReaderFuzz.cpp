// Feeds arbitrary bytes to the particle-effect reader. Whatever the bytes,
// every emitter left on must draw a frame of the sheet with a known blend and
// finite values at a bounded rate; the effect reads back the same after being
// written; and a few ticks of rendering stay bounded.
#include "effects/TSmashParticleFX.h"
#include "platform/ErrorReport.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void Ignore(const std::string&, int) {}

constexpr float MaxRenderedRate = 8.0f;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SetErrorHandler(&Ignore);
  TSmashParticleFX fx;
  fx.ParseFX(data, size);
  for (const auto& e : fx.Emitter) {
    Check(e.RenderType >= RENDER_ALPHA && e.RenderType <= RENDER_OFF);
    if (e.RenderType == RENDER_OFF) continue;
    Check(e.Image >= 0 && e.Image < TSmashParticle::SheetFrames);
    Check(e.EmissionRate <= TEmitter::MaxEmissionRate);
    Check(std::isfinite(e.LifeTime) && std::isfinite(e.EmissionEachFrame) && std::isfinite(e.LaunchSize));
  }
  const std::string written = fx.FormatFX();
  TSmashParticleFX again;
  again.ParseFX(reinterpret_cast<const uint8_t*>(written.data()), written.size());
  Check(again.FormatFX() == written);
  // Rendering runs the same steps for every particle of a burst: a few per
  // emission tick cover them, and keep runs with the largest rates fast.
  for (auto& e : fx.Emitter) e.EmissionRate = std::min(e.EmissionRate, MaxRenderedRate);
  fx.MoveTo(400, 300);
  constexpr int ticks = 8;
  for (int tick = 0; tick < ticks; ++tick) {
    fx.Render(1.0f, 1);
    fx.Finished();
  }
  // One burst of rate + 1 particles at most per tick.
  for (const auto& e : fx.Emitter) Check(e.Particles.size() <= size_t(ticks * (MaxRenderedRate + 1)));
  return 0;
}
