#include "KlondikeSoak.h"

#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeKlondike.h"
#include "solitaire/TSolitaireHint.h"
#include "solitaire/TStock.h"
#include "ui/TButton.h"

#include <algorithm>

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

void KlondikeSoak::Drag(int fromX, int fromY, int toX, int toY) {
  world_.MoveMouse(fromX, fromY);
  world_.Tick();
  world_.PressButton();
  world_.Tick(2);
  world_.MoveMouse(fromX + 3, fromY); // past the pixels that start a drag, still on the card
  world_.Tick();
  for (int i = 1; i <= 6; ++i) {
    world_.MoveMouse(fromX + 3 + (toX - fromX - 3) * i / 6, fromY + (toY - fromY) * i / 6);
    world_.Tick();
  }
  world_.ReleaseButton();
  world_.Tick();
}

int KlondikeSoak::Play() {
  if (mode_->AutoCompleteButton && Chance(25)) {
    const auto& button = *mode_->AutoCompleteButton;
    world_.Click(int(button.x) + button.w / 2, int(button.y) + button.h / 2);
    return 1;
  }
  mode_->CreateHints();
  const auto hints = mode_->HintList ? *mode_->HintList : std::vector<std::shared_ptr<TSolitaireHint>>{};
  if (hints.empty()) return 0;
  const auto& hint = *hints[size_t(Pick(int(hints.size())))];
  const auto& first = *hint.FirstCard;
  const auto& top = mode_->Stock->StockCardTop;
  const bool onTableau = std::any_of(mode_->Cards->begin(), mode_->Cards->end(),
                                     [&](const std::shared_ptr<TCard>& card) { return card.get() == &first; });
  const bool onWaste = top && top->CardNumber == first.CardNumber && top->CardSuit == first.CardSuit;
  if ((!onTableau && !onWaste) || Chance(10)) {
    if (Chance(50)) {
      world_.Click(int(TStock::StockX), int(TStock::StockY));
    } else {
      world_.TapKey("D");
      world_.Tick();
    }
    return 1;
  }
  const int fromX = onWaste ? int(TStock::WasteX) : int(first.x);
  // A card under a run shows only its top strip.
  const int fromY = onWaste ? int(TStock::WasteY) : int(first.y) - (first.HasCardsOnTop ? 38 : 0);
  const bool toFoundation = std::any_of(mode_->Foundation.begin(), mode_->Foundation.end(),
                                        [&](const std::shared_ptr<TCard>& place) { return place == hint.SecondCard; });
  if (toFoundation && !first.HasCardsOnTop && Chance(40)) {
    world_.DoubleClick(fromX, fromY); // sends it to its foundation
    return 1;
  }
  Drag(fromX, fromY, int(hint.SecondCard->x), int(hint.SecondCard->y));
  return 1;
}
