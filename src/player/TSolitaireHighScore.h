#pragma once
#include <cstdint>
#include <string>

// One line of a variant's high-score table: the player's profile name and the score.
class TSolitaireHighScore {
public:
  TSolitaireHighScore() = default;
  TSolitaireHighScore(std::string name, int32_t score) : name(std::move(name)), score(score) {}

  std::string name;
  int32_t score = 0;
};
