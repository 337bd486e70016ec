#pragma once
#include "solitaire/TRandom.h"

#include <cstdint>
#include <memory>
#include <string>

class TGameMode;
class TSolitaireHighScoreList;

// The running game's session record shared by the session screens and the
// game modes: the mode being played, the layout it plays and the score. The
// modes write CurrentLevel, IsCustomLevel, Score and ScoreAdder and read
// ShowTimer. One exists, `GamePlay`, built at start-up.
class TGamePlay {
public:
  // The deal stream is seeded from the system's entropy: every player's game is new.
  TGamePlay();
  // Clears the session flags and makes a new mode of the kind (1 editor, 2
  // Klondike, 3 Matching, 4 Tri Peaks); Klondike and the editor pick their
  // own table design, Matching and Tri Peaks use `background`; the editor
  // also starts the custom state. The layout is loaded by the caller (the
  // mode's Init or LoadGame). 0 for an unknown kind (GameMode stays empty).
  int32_t Init(int32_t mode, int32_t background);
  // One tick and one frame of the running mode, when there is one.
  int32_t Logic();
  int32_t Draw();
  // Every mode Init makes deals from a seed drawn here, so that one seed
  // replays a whole run of games (a soak, a test); the player's stays random.
  void SeedDeals(uint32_t seed) { DealSeeds.Seed(seed); }

  std::shared_ptr<TGameMode> GameMode;
  int32_t SelectedGameMode = 2; // 1 editor, 2 Klondike, 3 Matching, 4 Tri Peaks
  std::string CurrentLevel;     // layout file being played
  int32_t IsCustomLevel = 0;
  int32_t ShowVictoryParticles = 0;
  int32_t ShowTimer = 0;
  int32_t FirstRun = 1;
  int32_t Score = 0;
  int32_t ScoreAdder = 0; // score still counting up; a level ends only at 0
  // The variants' high-score tables (filled once the tables are loaded).
  std::shared_ptr<TSolitaireHighScoreList> HighscoreListSolitaire;
  std::shared_ptr<TSolitaireHighScoreList> HighscoreListMatching;
  std::shared_ptr<TSolitaireHighScoreList> HighscoreListTripeaks;

private:
  TRandom DealSeeds;
};

extern std::shared_ptr<TGamePlay> GamePlay;
