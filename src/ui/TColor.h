#pragma once
#include <cstdint>
#include <memory>

// A drawing colour with its alpha, as text styles and widgets keep it.
class TColor {
public:
  int32_t R = 255, G = 255, B = 255; // 0..255
  float Alpha = 1.0f;                // 0..1

  static std::shared_ptr<TColor> Create(int32_t r, int32_t g, int32_t b, float alpha = 1.0f);
  void Set(int32_t r, int32_t g, int32_t b, float alpha = 1.0f);
  void Get(int32_t& r, int32_t& g, int32_t& b) const;
  void GetFull(int32_t& r, int32_t& g, int32_t& b, float& alpha) const;
  std::shared_ptr<TColor> Copy() const;

  // Drawing state: Apply sets colour and alpha, ApplyNoAlpha the colour only,
  // Restore goes back to white and alpha 1.
  void Apply() const;
  void ApplyNoAlpha() const;
  static void Restore();
};
