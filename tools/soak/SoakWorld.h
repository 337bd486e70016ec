#pragma once
#include "support/GameModeWorld.h"

#include <string>

// The headless game world the soak plays in: the process-wide objects built
// as at program entry on the dummy video driver and the silent audio driver,
// the card pictures and the table's pictures from the build's data tree, a
// fresh folder for saved games, and the player's pointer and keys.
class SoakWorld : public test_support::GameModeWorld {
public:
  void Open() { SetUp(); }
  void Close() { TearDown(); }
  // A file in the world's own temporary folder.
  std::string File(const std::string& name) const { return folder.File(name); }
  void TestBody() override {}
};
