#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

class TCard;
class TCardList;
class TGameModeKlondike;
class TStock;

// The Klondike saved game (".ksave"): header "Marrowdeck Klondike Savegame",
// the play time in ms, the score, then two tables - the deal (to restart
// from) and the current position - each as the stock's P, the seven
// empty-column flags, four foundation lines, the stock lines and the tableau
// lines, parted by "-" lines. A card line is "x,y,suit,rank,opened,angle".
// A saved game comes from the player's folder, so it is read into this
// record and checked whole before anything of it reaches the table.
class TKlondikeSaveFile {
public:
  static constexpr const char* Header = "Marrowdeck Klondike Savegame";
  static constexpr int64_t MaxBytes = 1 << 20;

  struct CardLine {
    int32_t x = 0, y = 0, suit = 0, rank = 0, opened = 1;
    float angle = 0;
  };
  struct Table {
    int32_t P = -1;
    std::array<int32_t, 7> EmptyColumns{1, 1, 1, 1, 1, 1, 1};
    std::array<CardLine, 4> Foundations{};
    std::array<bool, 4> HasFoundation{}; // the line was there (else the place stays as the mode made it)
    std::vector<CardLine> Stock, Tableau;
  };

  // The file's bytes for the mode's deal snapshot and live table.
  static std::string Format(const TGameModeKlondike& mode, int64_t elapsedMs, int32_t score);
  // Reads and checks `text`; 1 when it is a whole, consistent game (this record then holds it), 0 otherwise.
  int32_t Parse(const std::string& text);
  // Puts a table read by Parse onto the mode's freshly cleared table.
  static void Apply(const Table& table, TGameModeKlondike& mode);

  int64_t ElapsedMs = 0;
  int32_t Score = 0;
  Table Deal, Current;
};
