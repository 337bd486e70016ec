#pragma once
#include <memory>

// A text style's drop shadow: offset in pixels and opacity. ApplyToText makes
// it the shadow the shared text-drawing functions use.
class TShadow {
public:
  float X = 1.0f, Y = 1.0f, Alpha = 0.5f;

  static std::shared_ptr<TShadow> Create(float x = 1.0f, float y = 1.0f, float alpha = 0.5f);
  void Init(float x, float y, float alpha);
  void Copy(const TShadow& other);

  void ApplyToText() const;
  void Apply() const;   // black with alpha Alpha
  static void Restore(); // white, alpha 1
};
