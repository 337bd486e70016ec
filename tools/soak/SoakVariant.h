#pragma once
#include "SoakWorld.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

class TGameMode;

// What one variant's soak counted.
struct SoakFigures {
  std::string name;
  int games = 0, won = 0, moves = 0, undos = 0, hints = 0, restarts = 0, deals = 0, layouts = 0, saves = 0,
      loads = 0;
  std::vector<std::string> failures; // "game N step M: what broke"
};

// A seeded bot playing one variant game after game as a player would:
// legal moves (chosen to win, or carelessly), undo, hint requests, restart,
// new deal, save and load, next layout and quitting, the table checked after
// every step. The variant
// says what its table is, what must hold of it, and what a legal move is.
class SoakVariant {
public:
  SoakVariant(SoakWorld& world, std::string name) : world_(world) { figures_.name = std::move(name); }
  virtual ~SoakVariant() = default;

  // Plays `games` games from `seed`; the figures.
  SoakFigures Run(int games, uint32_t seed);

protected:
  // The mode on the table; the layout file of the index-th layout (wrapping round).
  virtual TGameMode& Mode() = 0;
  virtual std::string LayoutOf(int index) const = 0;
  // The deal's generator seeded; true while anything flies, deals or counts out.
  virtual void Seed(uint32_t seed) = 0;
  virtual bool Busy() = 0;
  // Every card where it lies, face up or down (equal strings: the same table).
  virtual std::string Table() = 0;
  // Remembers the cards just dealt; the table's invariants against them ("" when they hold).
  virtual void Dealt() = 0;
  virtual std::string Check() = 0;
  virtual int UndoCount() = 0;
  // The name ending SaveGame gives the saved game (".ksave", ".tsave", ".msave").
  virtual std::string SaveExtension() const { return ""; }
  // One random legal move or stock turn through the pointer or keys: 1 made, 0 none is left.
  virtual int Play() = 0;

  // Waits until the table is at rest, and long enough that the next press is no double click.
  void Settle();
  bool Chance(double percent) { return std::uniform_real_distribution<double>(0, 100)(random_) < percent; }
  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

  SoakWorld& world_;
  std::mt19937 random_;
  SoakFigures figures_;

  // Steps a game may take; restarts, new deals, next layouts and quits are
  // rare enough that most games run until won or lost.
  static constexpr int MaxSteps = 1000;
  // Every fourth game is played carelessly, the way that reaches odd tables:
  // any legal move alike, frequent stock turns, saves, restarts and quits.
  // The others are played to win, so that games end in wins.
  bool Exploring() const { return exploring_; }

  // One game from its deal to its end: "" or what broke.
  virtual std::string PlayGame();

private:
  std::string StartLayout(int index);
  std::string SaveAndLoad();

  int layout_ = 0;
  bool exploring_ = false;
  std::string dealtTable_;
};
