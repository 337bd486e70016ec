// Feeds arbitrary bytes to the particle-effect reader. Whatever the bytes,
// every emitter left on must draw a frame of the sheet with a known blend and
// finite values at a bounded rate; a few ticks of rendering stay bounded; and
// the effect reads back the same after being written.
#include "effects/TSmashParticleFX.h"
#include "platform/ErrorReport.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void Ignore(const std::string&, int) {}

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
  fx.MoveTo(400, 300);
  for (int tick = 0; tick < 8; ++tick) {
    fx.Render(1.0f, 1);
    fx.Finished();
  }
  for (const auto& e : fx.Emitter) Check(e.Particles.size() <= TEmitter::MaxLiveParticles);
  return 0;
}
