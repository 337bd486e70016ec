#include "KlondikeSoak.h"

#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeKlondike.h"
#include "solitaire/TStock.h"
#include "support/KlondikeMoves.h"
#include "ui/TButton.h"

#include <random>
#include <vector>

namespace {

std::string Where(const TCard& card) {
  return card.ToString() + "@" + std::to_string(int(card.x)) + "," + std::to_string(int(card.y)) +
         (card.Opened ? "" : "*");
}

} // namespace

KlondikeSoak::KlondikeSoak(SoakWorld& world) : SoakVariant(world, "Klondike") {
  mode_ = world.Create<TGameModeKlondike>();
}

TGameMode& KlondikeSoak::Mode() { return *mode_; }

std::string KlondikeSoak::LayoutOf(int) const { return test_support::DataPath("layouts/klondike/klondike.layout"); }

void KlondikeSoak::Seed(uint32_t seed) { mode_->Seed(seed); }

bool KlondikeSoak::Busy() { return mode_->IsBusy(); }

std::string KlondikeSoak::Table() {
  std::string table;
  for (const auto& card : *mode_->Cards) table += Where(*card) + " ";
  table += "| ";
  for (const auto& place : mode_->Foundation) table += place->ToString() + " ";
  table += "| " + std::to_string(mode_->Stock->Cards->CurrentPosition) + ":";
  for (const auto& card : *mode_->Stock->Cards) table += " " + card->ToString();
  return table;
}

std::string KlondikeSoak::Check() {
  bool seen[5][14] = {};
  int count = 0;
  auto take = [&](const TCard& card, int rank) {
    if (card.CardSuit < 1 || card.CardSuit > 4 || rank < 1 || rank > 13 || seen[card.CardSuit][rank]) return false;
    seen[card.CardSuit][rank] = true;
    return ++count, true;
  };
  for (const auto& place : mode_->Foundation)
    for (int rank = 1; rank <= place->CardNumber; ++rank)
      if (!take(*place, rank)) return "a foundation card twice";
  for (const auto& card : *mode_->Cards) {
    if (!take(*card, card->CardNumber)) return "a tableau card twice: " + card->ToString();
    if (!card->HasCardsOnTop && !card->Opened) return "a column's top card face down: " + card->ToString();
  }
  for (const auto& card : *mode_->Stock->Cards) {
    if (!take(*card, card->CardNumber)) return "a stock card twice: " + card->ToString();
    if (card->Opened) return "a stock card face up: " + card->ToString();
  }
  if (count != 52 && !mode_->AutoCompleteAnimationFinished) return std::to_string(count) + " cards on the table";
  return "";
}

int KlondikeSoak::UndoCount() { return mode_->UndoList ? int(mode_->UndoList->size()) : 0; }

// The moves a player out to win likes best, the stock only when nothing else
// moves (or now and then).
int KlondikeSoak::Play() {
  if (mode_->AutoCompleteButton && Chance(50)) {
    const auto& button = *mode_->AutoCompleteButton;
    world_.Click(int(button.x) + button.w / 2, int(button.y) + button.h / 2);
    return 1;
  }
  std::string fault;
  const auto table = test_support::ReadKlondikeTable(*mode_, fault);
  const auto moves = test_support::LegalKlondikeMoves(table, false);
  // A turn with nothing in the stock would leave its D pressed for the next game.
  if (moves.empty() || (Chance(Exploring() ? 10 : 3) && !mode_->Stock->Cards->IsEmpty())) {
    if (test_support::LegalKlondikeMoves(table, true).empty()) return 0; // lost: nothing to do, ever
    if (Chance(50)) {
      world_.Click(int(TStock::StockX), int(TStock::StockY));
    } else {
      world_.TapKey("D");
      world_.Tick();
    }
    return 1;
  }
  const auto& move = test_support::ChooseKlondikeMove(moves, random_, Exploring());
  const auto gesture = test_support::GestureOf(table, move);
  if (move.kind == test_support::KlondikeMoveKind::ToFoundation && Chance(40))
    world_.DoubleClick(gesture.fromX, gesture.fromY); // sends it to its foundation
  else
    world_.Drag(gesture.fromX, gesture.fromY, gesture.toX, gesture.toY, 6);
  return 1;
}
