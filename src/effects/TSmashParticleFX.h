#pragma once
#include "effects/TEmitter.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// A particle effect: ten emitters whose parameters come from a ".par" file
// (ten records of 34 little-endian 4-byte values, 1360 bytes, no header). It
// is positioned with MoveTo and rendered once per drawn frame by its owner.
class TSmashParticleFX {
public:
  static constexpr size_t EmitterCount = 10;
  static constexpr size_t RecordBytes = 136;
  static constexpr size_t FileBytes = EmitterCount * RecordBytes;

  // A new effect of ten default emitters loaded from `path`; a file that
  // cannot be read is fatal ("Could not load Particle FX").
  static std::shared_ptr<TSmashParticleFX> Load(const std::string& path, uint8_t loop);
  // A new effect with `source`'s settings, positions and flags, no particles.
  static std::shared_ptr<TSmashParticleFX> DuplicateFrom(const TSmashParticleFX& source);

  // The file, from the resource packs first (by file name), else from disk.
  void LoadFX(const std::string& path);
  // Reads the ten records from bytes; values past the end read as zero, and
  // damaged values are made harmless (TEmitter::Sanitize).
  void ParseFX(const uint8_t* data, size_t size);
  // Writes the ten records; failure is fatal ("Could not save Particle FX").
  void SaveFX(const std::string& path) const;
  std::string FormatFX() const;

  void MoveTo(float x, float y);
  void SetLoop(uint8_t flag) { LoopFX = flag; }
  // One tick of every emitter in order (looping each when LoopFX is set),
  // the drawing state kept.
  void Render(float delta, uint8_t emit);
  // True when nine or ten emitters are finished or switched off.
  uint8_t Finished() const;
  // Freeze (particles kept, not drawn), start emission over, drop particles.
  void Stop() { Running = 0; }
  void Restart();
  void Reset();
  // Live particles of all emitters.
  size_t ParticleCount() const;

  std::array<TEmitter, EmitterCount> Emitter;
  uint8_t LoopFX = 0;
  uint8_t Running = 1;
};
