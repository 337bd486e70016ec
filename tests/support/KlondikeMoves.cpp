#include "support/KlondikeMoves.h"

#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeKlondike.h"
#include "solitaire/TStock.h"

#include <algorithm>

namespace test_support {

namespace {

bool Red(int suit) { return suit == 1 || suit == 2; }

// Every legal move of a card that is free to move from `fromColumn` (its run lies on it).
void MovesOf(const KlondikeTable& table, const KlondikeCard& card, int fromColumn, bool single, bool uncovers,
             std::vector<KlondikeMove>& out) {
  if (single)
    for (int f = 0; f < 4; ++f)
      if (BuildsOnFoundation(*card, *table.mode->Foundation[size_t(f)])) {
        out.push_back({card, fromColumn, KlondikeMoveKind::ToFoundation, f, uncovers});
        break; // the first place that takes it
      }
  for (int c = 0; c < 7; ++c) {
    if (c == fromColumn) continue;
    const auto& column = table.columns[size_t(c)];
    if (column.empty() ? card->CardNumber == 13 : GoesOnInColumn(*card, *column.back()))
      out.push_back({card, fromColumn, KlondikeMoveKind::ToColumn, c, uncovers});
    if (column.empty() && card->CardNumber == 13) break; // one free column stands for all
  }
}

} // namespace

KlondikeTable ReadKlondikeTable(const TGameModeKlondike& mode, std::string& fault) {
  KlondikeTable table;
  table.mode = &mode;
  for (const auto& card : *mode.Cards) {
    int column = -1;
    for (int c = 0; c < 7; ++c)
      if (card->x == TGameModeKlondike::EmptyColumnX[c]) column = c;
    if (column < 0) {
      fault = "a tableau card off every column: " + card->ToString();
      return table;
    }
    table.columns[size_t(column)].push_back(card);
  }
  for (auto& column : table.columns) {
    std::sort(column.begin(), column.end(), [](const KlondikeCard& a, const KlondikeCard& b) { return a->y < b->y; });
    for (size_t k = 0; k < column.size(); ++k)
      if (column[k]->y != TGameModeKlondike::EmptyColumnY + 20.0f * float(k))
        fault = "a column with a gap at " + column[k]->ToString() + " y " + std::to_string(column[k]->y);
  }
  return table;
}

bool BuildsOnFoundation(const TCard& card, const TCard& place) {
  return card.CardNumber == 1 ? place.CardNumber == 0 : place.CardSuit == card.CardSuit && place.CardNumber == card.CardNumber - 1;
}
bool GoesOnInColumn(const TCard& card, const TCard& top) {
  return Red(card.CardSuit) != Red(top.CardSuit) && top.CardNumber == card.CardNumber + 1;
}

std::vector<KlondikeMove> LegalKlondikeMoves(const KlondikeTable& table, bool withStockTurns) {
  std::vector<KlondikeMove> moves;
  for (int c = 0; c < 7; ++c) {
    const auto& column = table.columns[size_t(c)];
    for (size_t k = 0; k < column.size(); ++k) {
      if (!column[k]->Opened) continue;
      const bool uncovers = k > 0 && !column[k - 1]->Opened;
      // A king already at the bottom of its column changes nothing by moving to another free one.
      std::vector<KlondikeMove> found;
      MovesOf(table, column[k], c, k + 1 == column.size(), uncovers, found);
      // Nor does a run lifted off a face-up card onto a card of the same rank and colour, unless
      // that frees the card below for its foundation.
      const bool onOpenCard = k > 0 && column[k - 1]->Opened;
      bool freesParent = false;
      if (onOpenCard)
        for (const auto& place : table.mode->Foundation) freesParent |= BuildsOnFoundation(*column[k - 1], *place);
      for (auto& move : found) {
        const bool toColumn = move.kind == KlondikeMoveKind::ToColumn;
        if (k == 0 && toColumn && table.columns[size_t(move.target)].empty()) continue;
        if (onOpenCard && toColumn && !freesParent) continue;
        moves.push_back(move);
      }
    }
  }
  const auto& stock = *table.mode->Stock;
  const int p = stock.Cards->CurrentPosition;
  for (int i = 0; i < stock.Cards->Count(); ++i)
    if (i == p + 1 || withStockTurns) MovesOf(table, stock.Cards->ValueAtIndex(i), -1, true, false, moves);
  return moves;
}

const KlondikeMove& ChooseKlondikeMove(const std::vector<KlondikeMove>& moves, std::mt19937& random, bool anyAlike) {
  std::vector<double> weights;
  for (const auto& move : moves)
    weights.push_back(anyAlike                                   ? 1.0
                      : move.kind == KlondikeMoveKind::ToFoundation ? 20.0
                      : move.uncovers                            ? 10.0
                      : move.fromColumn < 0                      ? 5.0
                                                                 : 1.0);
  return moves[std::discrete_distribution<size_t>(weights.begin(), weights.end())(random)];
}

KlondikeGesture GestureOf(const KlondikeTable& table, const KlondikeMove& move) {
  const TCard& card = *move.card;
  const bool fromWaste = move.fromColumn < 0;
  const int fromX = fromWaste ? int(TStock::WasteX) : int(card.x);
  // A card under a run shows only its top strip.
  const int fromY = fromWaste ? int(TStock::WasteY) : int(card.y) - (card.HasCardsOnTop ? 38 : 0);
  if (move.kind == KlondikeMoveKind::ToFoundation)
    return {fromX, fromY, int(TGameModeKlondike::FoundationX[move.target]), int(TGameModeKlondike::FoundationY)};
  const auto& column = table.columns[size_t(move.target)];
  if (column.empty())
    return {fromX, fromY, int(TGameModeKlondike::EmptyColumnX[move.target]), int(TGameModeKlondike::EmptyColumnY)};
  return {fromX, fromY, int(column.back()->x), int(column.back()->y)};
}

} // namespace test_support
