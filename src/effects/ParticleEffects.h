#pragma once
#include <cstdint>
#include <memory>

class TGameImage;
class TMousePointer;
class TParticleList;

// The game's two particle showers.

// One firework burst at (x, y): count x the particle setting / 100 particles
// of `picture` thrown up and out under gravity, spinning, tinted at random,
// fading out over a second.
void SpawnVictoryBurst(TParticleList& particles, float x, float y, const std::shared_ptr<TGameImage>& picture,
                       int32_t count);

// The pointer's spawn function: every SparkleLength ticks one small tinted
// sparkle of `picture` near the pointer's tip, fading in and out.
void PointerSparkle(TMousePointer& mouse, const std::shared_ptr<TGameImage>& picture);
// Installs PointerSparkle with `picture` as the pointer's spawn function
// (giving the pointer its particle list when it has none), or removes it.
void PointerSparkleOn(TMousePointer& mouse, const std::shared_ptr<TGameImage>& picture);
void PointerSparkleOff(TMousePointer& mouse);
