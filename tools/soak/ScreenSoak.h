#pragma once
#include "ScreenGame.h"

#include <cstdint>
#include <memory>
#include <string>

class ScreenWorld;
class TLevelPlayScreen;
class TMenu;

// The screens soak in a fresh player's folder: plays, prints its figures and
// the failures; 1 when anything failed, else 0. One frame in `drawEvery` is drawn.
int RunScreenSoak(int games, uint32_t seed, int drawEvery);

// The whole game walked through its screens like a player, with seeded
// random choices: start-up to the title (the first player's name asked on
// the first run), the play screen, Klondike, Tri Peaks and Matching from
// their level lists (standard and custom pages, saved games loaded), the
// layout editor, the player manager, options, help, high scores, and the
// orderly quit; then the game is started again on the files it wrote, until
// every variant has had its games. After every step: the screen is the one
// expected, no error was reported or shown, and the files written read back.
class ScreenSoak {
public:
  explicit ScreenSoak(ScreenWorld& world) : world_(world), game_(world) {}

  // `games` games of each variant and as many editor visits, from `seed`.
  void Run(int games, uint32_t seed);

private:
  bool Done() const;
  // The variant (or "editor") furthest from its goal, sometimes another.
  std::string NextVariant();
  // Start-up up to the title screen, the player asked for or chosen.
  bool StartSession();
  void FirstPlayer();
  // One page visited from the title screen and left again; false when the
  // title screen was not reached again.
  bool TitleVisit();
  void Play();
  void LevelList(const std::string& variant);
  bool PlayFromList(TLevelPlayScreen& screen, const std::string& variant);
  bool LoadFromList(TLevelPlayScreen& screen, const std::string& variant);
  void Options();
  void MoveSlider(const std::string& which);
  void Help();
  void HighScores();
  void Players();
  // The title's "exit" or Escape, up to the orderly end; the files it leaves.
  void Quit();
  void CheckHealthy();
  // Leaves a page for the title screen with "ok", its Escape or (on the play screen) "back".
  void BackToTitle(const std::shared_ptr<TMenu>& menu, const std::string& button);

  ScreenWorld& world_;
  ScreenGame game_;
  int goal_ = 0;
  int playerNames_ = 0;
};
