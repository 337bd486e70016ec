#pragma once
#include "effects/TSlideLine.h"

#include <memory>
#include <string>
#include <vector>

// Slide lines sharing one colour object: changing Color (its alpha, say)
// recolours every line at once. The list owns its lines.
class TSlideLineList {
public:
  TSlideLineList();

  std::shared_ptr<TSlideLine> Add(const std::string& text, float startX, float startY, float endX, float endY,
                                  float lengthMs);
  void Start();
  void Manage();
  // Every line, then the drawing colour back to white.
  void Draw();
  void Clear();

  std::vector<std::shared_ptr<TSlideLine>> Items;
  std::shared_ptr<TColor> Color;
};
