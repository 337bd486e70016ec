#pragma once
#include <array>
#include <memory>
#include <random>
#include <string>
#include <vector>

class TCard;
class TGameModeKlondike;

// A Klondike table read the way a player reads it, and every legal move on
// it, for the bots that play Klondike (the rules test and the soak).
namespace test_support {

using KlondikeCard = std::shared_ptr<TCard>;

// The columns by position, bottom card first.
struct KlondikeTable {
  std::array<std::vector<KlondikeCard>, 7> columns;
  const TGameModeKlondike* mode = nullptr;
};

enum class KlondikeMoveKind { ToFoundation, ToColumn };
struct KlondikeMove {
  KlondikeCard card;     // the card moved (the lowest of a run)
  int fromColumn;        // -1: the waste (or, for reachable moves, any stock card)
  KlondikeMoveKind kind;
  int target;            // foundation 0..3 or column 0..6
  bool uncovers;         // leaves a face-down card on top of its column
};

// The table; `fault` says what does not lie in a column as it should.
KlondikeTable ReadKlondikeTable(const TGameModeKlondike& mode, std::string& fault);
bool BuildsOnFoundation(const TCard& card, const TCard& place);
bool GoesOnInColumn(const TCard& card, const TCard& top);
// Every legal move that changes something: from the columns and the waste
// top, and with `withStockTurns` from every stock card (moves a turn can reach).
std::vector<KlondikeMove> LegalKlondikeMoves(const KlondikeTable& table, bool withStockTurns);

// One of `moves` (not empty), as a player out to win chooses: foundation
// moves most often, then moves that turn a card face up, then the waste.
// With the stock turned only when nothing else moves, a bot that plays so
// wins a fair share of its deals. `anyAlike` picks each move as often.
const KlondikeMove& ChooseKlondikeMove(const std::vector<KlondikeMove>& moves, std::mt19937& random, bool anyAlike);

// Where the pointer takes a move's card and where it lets it go.
struct KlondikeGesture {
  int fromX, fromY, toX, toY;
};
KlondikeGesture GestureOf(const KlondikeTable& table, const KlondikeMove& move);

} // namespace test_support
