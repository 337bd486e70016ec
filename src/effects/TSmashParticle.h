#pragma once
#include <cstdint>
#include <memory>
#include <string>

class TGameImage;

// One live particle of a particle effect (TEmitter): a plain value kept in
// its emitter's reused storage. The picture is one frame of the shared
// 3-by-3 particle sheet, which start-up loads once for every effect.
class TSmashParticle {
public:
  // Loads the shared sheet: 9 frames of 128 x 128, handles at their centres.
  // A missing or too small picture is fatal.
  static void SetImage(const std::string& path);
  // The shared sheet (null until loaded); tests may install their own.
  static std::shared_ptr<TGameImage>& Sheet();

  static TSmashParticle Create(float x, float y, float zoom, float dx, float dy, float alpha, float r, float g,
                               float b, float rotationSpeed, float gravityX, float gravityY, float rotation);

  static constexpr int32_t SheetFrames = 9;
  static constexpr int32_t FrameSize = 128;

  float x = 0, y = 0;
  float zoom = 1.0f;
  float alpha = 0;
  float gravityX = 0, gravityY = 0; // as created; the emitter's gravity moves it
  float dx = 0, dy = 0;
  float r = 0, g = 0, b = 0;
  float rotation = 0;
  float rotation_speed = 0;
  int32_t frame = 0; // age in ticks
};
