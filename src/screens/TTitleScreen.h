#pragma once
#include "app/TScreen.h"

#include <memory>

// The title screen: the "titlescreen" background; Escape leads to the exit.
class TTitleScreen : public TScreen {
public:
  TTitleScreen() { name = "title"; }
  int Load() override;
  int Start() override;
};

extern std::shared_ptr<TTitleScreen> TitleScreen;
