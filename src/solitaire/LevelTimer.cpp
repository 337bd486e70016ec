#include "solitaire/LevelTimer.h"

#include "app/Clock.h"

int64_t LevelStartTime = 0;
int64_t LevelPauseTime = 0;

namespace {
int64_t Now() { return int64_t(AppMillisecs()); }

std::string TwoDigits(int64_t value) {
  const std::string text = "00" + std::to_string(value);
  return text.substr(text.size() - 2);
}
} // namespace

void StartLevelTimer() {
  LevelPauseTime = 0;
  LevelStartTime = Now();
}

void PauseLevelTimer() { LevelPauseTime = Now(); }

void ResumeLevelTimer() {
  if (LevelPauseTime == 0) return; // not paused: nothing to resume
  LevelStartTime += Now() - LevelPauseTime;
  LevelPauseTime = 0;
}

int64_t LevelElapsedMs() { return (LevelPauseTime != 0 ? LevelPauseTime : Now()) - LevelStartTime; }

std::string LevelTimeText() {
  const int64_t elapsed = LevelElapsedMs();
  const int64_t minutes = elapsed / 60000;
  const int64_t seconds = elapsed / 1000 - minutes * 60;
  return TwoDigits(minutes) + ":" + TwoDigits(seconds);
}
