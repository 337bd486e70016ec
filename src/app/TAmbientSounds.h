#pragma once
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/TGameSound.h"

// Random background sounds: every SoundCounterMax ticks one roll of Chance
// percent plays one of the sounds through the game's effect pool.
class TAmbientSounds {
public:
  static constexpr int MAX_SOUNDS = 20;

  int Chance = 0;          // percent per roll
  float SoundCounter = 0;  // ticks until the next roll
  int SoundCounterMax = 0; // ticks between rolls
  std::vector<std::shared_ptr<TGameSound>> Sounds;
  int TotalSounds = 0;

  int AddSound(const std::shared_ptr<TGameSound>& gameSound);
  // Loads the files prefix + 0 + suffix ... prefix + (count - 1) + suffix.
  int Fill(const std::string& prefix, int count, const std::string& suffix);
  int Init(float ms, int chance);
  int Kill();
  // Per tick; returns 1 when a sound was started.
  int Manage();

  std::mt19937 Random{std::random_device{}()};
};
