#pragma once
#include <cstdint>
#include <string>

// The layout timer: when the running layout started and, while it is paused
// or finished, when it stopped (0: running). Clock values are the game's
// millisecond clock.
extern int64_t LevelStartTime;
extern int64_t LevelPauseTime;

void StartLevelTimer();
void PauseLevelTimer();
void ResumeLevelTimer();
// Play time so far in ms, pauses not counted.
int64_t LevelElapsedMs();
// "MM:SS" of LevelElapsedMs (minutes past 99 keep their last two digits).
std::string LevelTimeText();
