#pragma once
#include <cstdint>
#include <string>

// The layout timer: when the running layout began and, while the game is
// paused or finished, when the pause began (0 when running). Clock values
// in ms of the application clock.
extern int64_t LevelStartTime;
extern int64_t LevelPauseTime;

// Start from now; freeze; resume (the paused stretch does not count).
void StartLevelTimer();
void PauseLevelTimer();
void ResumeLevelTimer();
// Play time so far in ms: up to the pause when frozen, else up to now.
int64_t LevelElapsedMs();
// That time as "mm:ss" (minutes above 99 show their last two digits).
std::string LevelTimeText();
