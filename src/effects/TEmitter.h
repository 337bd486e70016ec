#pragma once
#include "effects/TSmashParticle.h"

#include <cstdint>
#include <vector>

// How an emitter's particles are blended; RENDER_OFF switches it off.
enum : int32_t { RENDER_ALPHA = 0, RENDER_ADD = 1, RENDER_MUL = 2, RENDER_OFF = 3 };

// One of the ten emitters of a particle effect: during its emission window it
// spawns particles from one frame of the shared sheet, then moves, tints,
// fades, spins, grows and draws them each tick until they reach their
// lifetime. The particles live in storage that is reused from tick to tick.
class TEmitter {
public:
  // One tick scaled by delta; spawning only while `emit` is set.
  void Render(float delta, uint8_t emit);
  // Restarts emission once the emission window is over.
  void Loop();
  // True once the window and the last particle's lifetime are over.
  uint8_t Finished() const;
  // Removes every live particle.
  void Reset();
  // Makes damaged values harmless: a frame outside the sheet, an unknown
  // render type or any value that is not a finite number switches the emitter
  // off; the emission rate is capped.
  void Sanitize();

  // Most particles spawned per emission tick, and most alive at once.
  static constexpr float MaxEmissionRate = 1000.0f;
  static constexpr size_t MaxLiveParticles = 20000;

  int32_t Frame = 0;
  std::vector<TSmashParticle> Particles;
  float X = 220.0f, Y = 330.0f;
  float EmitterDelay = 0;
  float EmitterDuration = 10.0f;
  float EmissionRate = 1.0f;
  float EmissionEachFrame = 1.0f;
  int32_t Image = 4;
  float SpeedX = 0, SpeedY = 0;
  float SpeedVarX = 0, SpeedVarY = 0;
  float LaunchSize = 1.0f;
  float SizeVar = 0;
  float Grow = 0;
  float MinSize = 0, MaxSize = 1.0f;
  float Alpha = 1.0f, AlphaVar = 0, AlphaChange = 0;
  float RotationSpeed = 0, RotationVar = 0, RotationStart = 0;
  float ColorR = 255, ColorG = 255, ColorB = 255;
  float ColorChangeR = 0, ColorChangeG = 0, ColorChangeB = 0;
  float StartOffsetX = 0, StartOffsetY = 0;
  float StartOffsetVarX = 0, StartOffsetVarY = 0;
  float GravityX = 0, GravityY = 0;
  float LifeTime = 100.0f;
  int32_t RenderType = RENDER_OFF;
  double StartTime = 0, CurrTime = 0;

private:
  void Spawn();
};
