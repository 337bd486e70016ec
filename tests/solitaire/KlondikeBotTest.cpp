// A seeded bot plays Klondike games to their end through the pointer and
// checks, after every move, the table against its own reading of the rules:
// every card once, face up where it must be, hints that are real moves and
// "No Moves Left" only when nothing can be done, now or after stock turns.
#include "solitaire/TGameModeKlondike.h"

#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TSolitaireHint.h"
#include "solitaire/TStock.h"
#include "support/GameModeWorld.h"
#include "support/KlondikeMoves.h"
#include "ui/TButton.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

namespace {

using Table = test_support::KlondikeTable;
using Move = test_support::KlondikeMove;
using Kind = test_support::KlondikeMoveKind;
using test_support::BuildsOnFoundation;
using test_support::GoesOnInColumn;
using test_support::LegalKlondikeMoves;
using test_support::ReadKlondikeTable;

// True when the hint names a move of the brute-force list (stock turns allowed).
bool HintIsLegal(const Table& table, const TSolitaireHint& hint) {
  for (const auto& move : LegalKlondikeMoves(table, true)) {
    if (move.card->CardNumber != hint.FirstCard->CardNumber || move.card->CardSuit != hint.FirstCard->CardSuit) continue;
    const TCard& second = *hint.SecondCard;
    if (move.kind == Kind::ToFoundation) {
      if (&second == table.mode->Foundation[size_t(move.target)].get()) return true;
    } else {
      const auto& column = table.columns[size_t(move.target)];
      if (column.empty() ? &second == table.mode->EmptyColumnCard[size_t(move.target)].get()
                         : &second == column.back().get())
        return true;
    }
  }
  return false;
}

// The table's invariants; "" when they hold.
std::string CheckTable(const TGameModeKlondike& mode) {
  std::string fault;
  const Table table = ReadKlondikeTable(mode, fault);
  if (!fault.empty()) return fault;
  bool seen[5][14] = {};
  int count = 0;
  auto take = [&](int suit, int rank) {
    if (suit < 1 || suit > 4 || rank < 1 || rank > 13 || seen[suit][rank]) return false;
    seen[suit][rank] = true;
    return ++count, true;
  };
  for (const auto& place : mode.Foundation)
    for (int rank = 1; rank <= place->CardNumber; ++rank)
      if (!take(place->CardSuit, rank)) return "a foundation card twice";
  for (const auto& card : *mode.Cards)
    if (!take(card->CardSuit, card->CardNumber)) return "a tableau card twice: " + card->ToString();
  for (const auto& card : *mode.Stock->Cards) {
    if (!take(card->CardSuit, card->CardNumber)) return "a stock card twice: " + card->ToString();
    if (card->Opened) return "a stock card face up";
  }
  if (count != 52 && !mode.AutoCompleteAnimationFinished) return "cards missing: " + std::to_string(count);
  for (int c = 0; c < 7; ++c) {
    const auto& column = table.columns[size_t(c)];
    if ((mode.EmptyColumnCard[size_t(c)]->HasCardsOnTop == 0) != column.empty()) return "a free column flag wrong";
    for (size_t k = 0; k < column.size(); ++k) {
      const bool top = k + 1 == column.size();
      if (top && !column[k]->Opened) return "a column top face down";
      if (k > 0 && column[k - 1]->Opened && !column[k]->Opened) return "a face-down card on a face-up one";
      if (k > 0 && column[k - 1]->Opened && !GoesOnInColumn(*column[k], *column[k - 1])) return "a run out of order";
      if (column[k]->HasCardsOnTop != (top ? 0 : 1)) return "cover relation wrong";
    }
  }
  const auto& stock = *mode.Stock;
  const int p = stock.Cards->CurrentPosition;
  if (p < -1 || p >= stock.Cards->Count()) return "stock position out of range";
  if (p + 1 < stock.Cards->Count()) {
    const auto& waste = *stock.Cards->ValueAtIndex(p + 1);
    if (!stock.StockCardTop || stock.StockCardTop->CardNumber != waste.CardNumber ||
        stock.StockCardTop->CardSuit != waste.CardSuit)
      return "the waste top shows the wrong card";
  } else if (stock.StockCardTop) {
    return "a waste top over an empty waste";
  }
  if (mode.HintList) {
    for (const auto& hint : *mode.HintList)
      if (!HintIsLegal(table, *hint)) return "a hint that is no move: " + hint->FirstCard->ToString();
    if (mode.ShowsNoMovesLeft() && !LegalKlondikeMoves(table, true).empty()) {
      const auto move = LegalKlondikeMoves(table, true).front();
      std::string where;
      for (int c = 0; c < 7; ++c) {
        where += "\n col" + std::to_string(c) + ":";
        for (const auto& card : table.columns[size_t(c)]) where += " " + card->ToString() + (card->Opened ? "" : "*");
      }
      where += "\n found:";
      for (const auto& f : mode.Foundation) where += " " + f->ToString();
      return "\"No Moves Left\" with a move at hand: " + move.card->ToString() + " from " +
             std::to_string(move.fromColumn) + (move.kind == Kind::ToFoundation ? " to foundation " : " to column ") +
             std::to_string(move.target) + where;
    }
  }
  return "";
}

struct Totals {
  int games = 0, won = 0, wonByAutoComplete = 0, moves = 0;
};

class KlondikeBot {
public:
  KlondikeBot(test_support::GameModeWorld& play, TGameModeKlondike& mode, uint32_t seed)
      : play_(play), mode_(mode), random_(seed) {}

  // Plays one game; "" or the first fault found.
  std::string PlayGame(Totals& totals) {
    for (int step = 0; step < 600; ++step) {
      Settle();
      if (std::string fault = CheckTable(mode_); !fault.empty()) return fault;
      if (mode_.IsGameFinished()) return ++totals.won, "";
      if (mode_.AutoCompleteButton && Chance(25)) {
        const auto& button = *mode_.AutoCompleteButton;
        play_.Click(int(button.x) + 20, int(button.y) + 10);
        Settle();
        if (!mode_.IsGameFinished()) return "auto-complete did not win";
        ++totals.won, ++totals.wonByAutoComplete;
        return "";
      }
      if (Chance(2) && mode_.UndoList && !mode_.UndoList->empty()) {
        mode_.Undo();
        continue;
      }
      if (Chance(0.2)) {
        mode_.Reset();
        continue;
      }
      std::string fault;
      const Table table = ReadKlondikeTable(mode_, fault);
      auto now = LegalKlondikeMoves(table, false);
      if (now.empty() && LegalKlondikeMoves(table, true).empty()) return ""; // lost: nothing to do, ever
      ++totals.moves;
      if (now.empty() || Chance(12)) {
        TurnStock();
        continue;
      }
      if (std::string error = Make(Choose(now)); !error.empty()) return error;
    }
    return "";
  }

private:
  bool Chance(double percent) { return std::uniform_real_distribution<double>(0, 100)(random_) < percent; }

  const Move& Choose(const std::vector<Move>& moves) {
    std::vector<double> weights;
    for (const auto& move : moves)
      weights.push_back(move.kind == Kind::ToFoundation ? 8.0 : move.uncovers ? 6.0 : move.fromColumn < 0 ? 3.0 : 1.0);
    std::discrete_distribution<size_t> pick(weights.begin(), weights.end());
    return moves[pick(random_)];
  }

  // Waits for the table to come to rest, and long enough that the next press is no double click.
  void Settle() {
    play_.TickUntil([&] { return !mode_.IsBusy(); }, 20000);
    // 550 ms pass before the next press, so it is no double click (one jump:
    // the mouse counts a gap of over a second as no time at all).
    play_.Wait(550);
    play_.Tick();
  }

  void TurnStock() {
    if (Chance(50))
      play_.Click(int(TStock::StockX), int(TStock::StockY));
    else {
      play_.TapKey("D");
      play_.Tick();
    }
  }

  std::string Make(const Move& move) {
    const int fromX = move.fromColumn < 0 ? int(TStock::WasteX) : int(move.card->x);
    const int fromY = move.fromColumn < 0 ? int(TStock::WasteY) : int(move.card->y) - 38;
    const int before = TableSize();
    int toX, toY;
    if (move.kind == Kind::ToFoundation) {
      toX = int(TGameModeKlondike::FoundationX[move.target]), toY = int(TGameModeKlondike::FoundationY);
      if (Chance(50)) {
        // A double click sends it to the first foundation that takes it.
        const int x = move.fromColumn < 0 ? fromX : int(move.card->x), y = move.fromColumn < 0 ? fromY : int(move.card->y);
        play_.DoubleClick(x, y);
        Settle();
        return Landed(move, before) ? "" : "double click refused " + move.card->ToString();
      }
    } else {
      toX = int(TGameModeKlondike::EmptyColumnX[move.target]);
      toY = int(TGameModeKlondike::EmptyColumnY);
      std::string fault;
      const Table table = ReadKlondikeTable(mode_, fault);
      if (!table.columns[size_t(move.target)].empty()) toY = int(table.columns[size_t(move.target)].back()->y);
    }
    play_.MoveMouse(fromX, fromY);
    play_.Tick();
    play_.PressButton();
    play_.Tick(2);
    play_.MoveMouse(fromX + 3, fromY); // past the 2 pixels that start a drag, still on the card
    play_.Tick();
    for (int i = 1; i <= 6; ++i) {
      play_.MoveMouse(fromX + 3 + (toX - fromX - 3) * i / 6, fromY + (toY - fromY) * i / 6);
      play_.Tick();
    }
    play_.ReleaseButton();
    play_.Tick();
    Settle();
    return Landed(move, before) ? "" : "drop refused " + move.card->ToString();
  }

  int TableSize() const {
    int onFoundations = 0;
    for (const auto& place : mode_.Foundation) onFoundations += place->CardNumber;
    return onFoundations;
  }

  bool Landed(const Move& move, int foundationCardsBefore) const {
    if (move.kind == Kind::ToFoundation) return TableSize() == foundationCardsBefore + 1;
    // A waste card is played as the waste-top object, so look for its rank and suit.
    for (const auto& card : *mode_.Cards)
      if (card->CardNumber == move.card->CardNumber && card->CardSuit == move.card->CardSuit)
        return card->x == TGameModeKlondike::EmptyColumnX[move.target];
    return false;
  }

  test_support::GameModeWorld& play_;
  TGameModeKlondike& mode_;
  std::mt19937 random_;
};

class KlondikeBotTest : public test_support::GameModeWorld {};

TEST_F(KlondikeBotTest, ThousandSeededGamesKeepTheRulesHintsAndNoMovesMessageHonest) {
  auto mode = Create<TGameModeKlondike>();
  const std::string layout = test_support::DataPath("layouts/klondike/klondike.layout");
  const char* count = std::getenv("KLONDIKE_BOT_GAMES");
  const int games = count ? std::atoi(count) : 1000;
  Totals totals;
  for (int game = 0; game < games; ++game) {
    mode->Seed(uint32_t(game) * 7919u + 1u);
    ASSERT_EQ(mode->Init(layout, 0), 1);
    KlondikeBot bot(*this, *mode, uint32_t(game));
    const std::string fault = bot.PlayGame(totals);
    ++totals.games;
    ASSERT_EQ(fault, "") << "game " << game;
  }
  std::printf("klondike bot: %d games, %d won, %d of them through auto-complete, %d moves\n", totals.games,
              totals.won, totals.wonByAutoComplete, totals.moves);
  EXPECT_GT(totals.won, 0);
}

} // namespace
