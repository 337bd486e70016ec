#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The ".tsave" file of a Tri Peaks game: text, one byte per character, CR LF
// after every line. The header, the play time in ms, the score, then the deal
// as first dealt and the position now, each as the stock position, the stock
// cards, the open stock card (an empty line when there is none) and the layout
// cards, separated by "-" lines. A card line is "x,y,suit,number,opened,angle"
// with the angle printed "%#.9g". Reading checks everything before anything
// is used, so a damaged or hostile file is refused as a whole.
class TTripeaksSaveFile {
public:
  static constexpr const char* Header = "Marrowdeck Tri Peaks Savegame";
  static constexpr int64_t MaxBytes = 1 << 20;
  static constexpr int32_t MaxCoordinate = 100000;

  struct CardLine {
    int32_t x = 0, y = 0;
    int32_t suit = 0, number = 0, opened = 0;
    float angle = 0;
  };
  // One position of the game: stock (bottom first) with its position, open card, layout.
  struct Position {
    int32_t StockPosition = -1;
    std::vector<CardLine> Stock;
    bool HasOpenCard = false;
    CardLine OpenCard;
    std::vector<CardLine> Layout;
  };

  int64_t ElapsedMs = 0;
  int64_t Score = 0;
  Position Original; // the deal as first dealt
  Position Current;

  std::string Format() const;
  // 1 and this filled when `text` is a sound save; 0 (this unchanged) otherwise.
  int32_t Parse(const std::string& text);
  // 1 when every number is in range and no card appears more often than the decks allow.
  int32_t IsValid() const;
  // Decks the layout as first dealt needs (1 for an empty one).
  int32_t Decks() const;
};
