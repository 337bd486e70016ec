// Writes the particle effect that trails each flying 50-point bonus: a warm
// golden sparkle (emitter 0) with small white twinkles (emitter 1). Both emit
// for short bursts that the game repeats while the bonus flies, so the effect
// finishes well within a second once the flight ends.
//
// File layout: ten emitter records of 34 little-endian 4-byte values, no
// header (1360 bytes). Values 28 and 29 (RenderType, Image) are int32, the
// rest float.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

enum RenderType : int32_t { RenderAlpha = 0, RenderAdd = 1, RenderMul = 2, RenderOff = 3 };

// One emitter, in file order.
struct EmitterRecord {
  float EmitterDelay = 0, EmitterDuration = 10, EmissionRate = 1, EmissionEachFrame = 1;
  float SpeedX = 0, SpeedY = 0, SpeedVarX = 0, SpeedVarY = 0;
  float SizeVar = 0, LaunchSize = 1, Grow = 0, MinSize = 0, MaxSize = 1;
  float Alpha = 1, AlphaVar = 0, AlphaChange = 0;
  float RotationSpeed = 0, RotationVar = 0, RotationStart = 0;
  float StartOffsetX = 0, StartOffsetY = 0, StartOffsetVarX = 0, StartOffsetVarY = 0;
  float ColorChangeR = 0, ColorChangeG = 0, ColorChangeB = 0;
  float LifeTime = 100;
  int32_t Render = RenderOff;
  int32_t Image = 4;
  float ColorR = 255, ColorG = 255, ColorB = 255;
  float GravityX = 0, GravityY = 0;
};

void PutWord(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}
void PutFloat(std::vector<uint8_t>& out, float f) {
  uint32_t v;
  std::memcpy(&v, &f, 4);
  PutWord(out, v);
}

void PutRecord(std::vector<uint8_t>& out, const EmitterRecord& e) {
  const float head[] = {e.EmitterDelay, e.EmitterDuration, e.EmissionRate, e.EmissionEachFrame,
                        e.SpeedX, e.SpeedY, e.SpeedVarX, e.SpeedVarY,
                        e.SizeVar, e.LaunchSize, e.Grow, e.MinSize, e.MaxSize,
                        e.Alpha, e.AlphaVar, e.AlphaChange,
                        e.RotationSpeed, e.RotationVar, e.RotationStart,
                        e.StartOffsetX, e.StartOffsetY, e.StartOffsetVarX, e.StartOffsetVarY,
                        e.ColorChangeR, e.ColorChangeG, e.ColorChangeB, e.LifeTime};
  for (float f : head) PutFloat(out, f);
  PutWord(out, uint32_t(e.Render));
  PutWord(out, uint32_t(e.Image));
  const float tail[] = {e.ColorR, e.ColorG, e.ColorB, e.GravityX, e.GravityY};
  for (float f : tail) PutFloat(out, f);
}

std::vector<uint8_t> BonusFly() {
  EmitterRecord sparkle; // golden glow drifting slightly downwards
  sparkle.SpeedVarX = 0.5f;
  sparkle.SpeedVarY = 0.5f;
  sparkle.SizeVar = 0.05f;
  sparkle.LaunchSize = 0.25f;
  sparkle.Grow = -0.004f;
  sparkle.AlphaVar = 0.1f;
  sparkle.AlphaChange = -0.0275f; // even the brightest (1.1) fades out by the end of its life
  sparkle.RotationVar = 3;
  sparkle.StartOffsetVarX = 4;
  sparkle.StartOffsetVarY = 4;
  sparkle.LifeTime = 40;
  sparkle.Render = RenderAdd;
  sparkle.ColorR = 255;
  sparkle.ColorG = 220;
  sparkle.ColorB = 120;
  sparkle.GravityY = 0.01f;

  EmitterRecord twinkle; // a few small, quick white specks thrown wider
  twinkle.EmissionRate = 0;
  twinkle.EmissionEachFrame = 2;
  twinkle.SpeedVarX = 1.2f;
  twinkle.SpeedVarY = 1.2f;
  twinkle.SizeVar = 0.04f;
  twinkle.LaunchSize = 0.12f;
  twinkle.Grow = -0.002f;
  twinkle.AlphaVar = 0.15f;
  twinkle.AlphaChange = -0.046f;
  twinkle.RotationVar = 6;
  twinkle.StartOffsetVarX = 6;
  twinkle.StartOffsetVarY = 6;
  twinkle.LifeTime = 25;
  twinkle.Render = RenderAdd;
  twinkle.ColorB = 230;
  twinkle.GravityY = 0.02f;

  std::vector<uint8_t> out;
  PutRecord(out, sparkle);
  PutRecord(out, twinkle);
  for (int i = 2; i < 10; ++i) PutRecord(out, EmitterRecord{}); // unused: off
  return out;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: makebonusfly OUTPUT.par\n");
    return 2;
  }
  std::vector<uint8_t> bytes = BonusFly();
  std::FILE* f = std::fopen(argv[1], "wb");
  if (!f) {
    std::fprintf(stderr, "makebonusfly: cannot write %s\n", argv[1]);
    return 1;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fclose(f) == 0 && ok;
  if (!ok) {
    std::fprintf(stderr, "makebonusfly: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
