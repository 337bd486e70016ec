#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TCard;
class TCardList;

// The saved game of a layout game (".tsave", ".msave"): text, one byte per
// character, CR LF after every line. The header, the play time in ms, the
// score, then the deal as first dealt and the position now, each as the stock
// position, the stock cards, in a Tri Peaks file the open stock card (an empty
// line when there is none), and the layout cards, separated by "-" lines. A card line is "x,y,suit,number,opened,angle"
// with the angle printed "%#.9g". Reading checks everything before anything
// is used, so a damaged or hostile file is refused as a whole.
class TLayoutSaveFile {
public:
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

  // The header line written; whether each position has its open-card line.
  TLayoutSaveFile(const char* header, bool openCardLine) : Header(header), OpenCardLine(openCardLine) {}

  const char* Header;
  bool OpenCardLine;
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

  // A card as its line (position clamped to whole numbers in range), and
  // back: a new card of `list` (or in no list when it is nullptr).
  static CardLine LineOf(const TCard& card);
  static std::shared_ptr<TCard> CardFrom(TCardList* list, const CardLine& line);
};

// A Tri Peaks game's ".tsave".
class TTripeaksSaveFile : public TLayoutSaveFile {
public:
  static constexpr const char* TripeaksHeader = "Marrowdeck Tri Peaks Savegame";
  TTripeaksSaveFile() : TLayoutSaveFile(TripeaksHeader, true) {}
};

// A Matching game's ".msave": no open-card lines, the open cards are read
// from the stock list (CurrentPosition + 1 and + 2).
class TMatchingSaveFile : public TLayoutSaveFile {
public:
  static constexpr const char* MatchingHeader = "Marrowdeck Matching Savegame";
  TMatchingSaveFile() : TLayoutSaveFile(MatchingHeader, false) {}
};
