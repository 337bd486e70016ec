#pragma once
#include "app/TScreen.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TAnimation;

// The dimmed "generating" overlay that covers a screen while one piece of
// work runs (a reshuffle, the next layout, starting a level). The work starts
// once the overlay is fully shown. The hosting screen runs it and runs
// nothing else while it is active. `GenerateScreen` is the one in use, null
// when none.
class VQGenerateScreen : public TScreen {
public:
  VQGenerateScreen() { name = "generate"; }
  int Load() override;
  void Show();
  void Hide();
  int Logic() override;
  int Draw() override;

  int32_t Active = 0;
  int32_t MouseState = 0;
  std::shared_ptr<TAnimation> FadeIn, FadeOut;
  int32_t HasGenerated = 0;
  std::string HeaderImage = "generating";
  std::function<void()> GenerateFunction = [] {};
};

extern std::shared_ptr<VQGenerateScreen> GenerateScreen;
