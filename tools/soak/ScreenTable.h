#pragma once
#include <string>

class ScreenWorld;
class TGameModeEditor;
class TGameModeKlondike;
class TGameModeMatching;
class TGameModeTripeaks;

// The cards of the session's running mode as the screens soak sees them:
// one random legal move chosen by the variant's rules and made with the
// pointer (drags, clicks and double clicks on the cards and the stock), and
// what the table holds, for comparing a saved game with its load.
class ScreenTable {
public:
  explicit ScreenTable(ScreenWorld& world) : world_(world) {}

  // One move or stock turn: 1 made, 0 nothing is left to do. The editor
  // places or takes away a card.
  int Play();
  // A game played to be won: Klondike plays the moves a winning player likes
  // best instead of any of the game's hints.
  void PlayToWin(bool toWin) { toWin_ = toWin; }
  bool PlaysToWin() const { return toWin_; }
  // True while cards deal or fly or the score still counts.
  bool Busy() const;
  // What keeps it busy, in words.
  std::string Why() const;
  // The table's cards and the stock, by card (equal strings: the same game).
  std::string Cards() const;
  // How many cards lie on the table (the editor's layout included).
  int CardCount() const;

private:
  int PlayKlondike(TGameModeKlondike& mode);
  int PlayTripeaks(TGameModeTripeaks& mode);
  int PlayMatching(TGameModeMatching& mode);
  int PlayEditor(TGameModeEditor& mode);
  ScreenWorld& world_;
  bool toWin_ = false;
};
