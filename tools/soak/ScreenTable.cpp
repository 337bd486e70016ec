#include "ScreenTable.h"

#include "ScreenWorld.h"

#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeEditor.h"
#include "solitaire/TGameModeKlondike.h"
#include "solitaire/TGameModeMatching.h"
#include "solitaire/TGameModeTripeaks.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/TLayoutGameMode.h"
#include "solitaire/TMatchingStock.h"
#include "solitaire/TSolitaireHint.h"
#include "solitaire/TStock.h"
#include "solitaire/TTripeaksStock.h"
#include "support/KlondikeMoves.h"
#include "ui/TButton.h"

#include <algorithm>
#include <vector>

namespace {

TGameMode* Running() { return GamePlay ? GamePlay->GameMode.get() : nullptr; }

// Layout cards no other card covers.
std::vector<std::shared_ptr<TCard>> Free(const TCardList& cards) {
  std::vector<std::shared_ptr<TCard>> free;
  for (const auto& card : cards)
    if (!card->IsAnyCardsOnTop()) free.push_back(card);
  return free;
}

std::string Sorted(const TCardList& cards) {
  std::vector<std::string> ids;
  for (const auto& card : cards) ids.push_back(card->ToString() + (card->Opened ? "" : "*"));
  std::sort(ids.begin(), ids.end());
  std::string text;
  for (const auto& id : ids) text += id + " ";
  return text;
}

} // namespace

bool ScreenTable::Busy() const {
  auto* mode = Running();
  // The win waits for the score to count up.
  const bool counting = GamePlay && GamePlay->ScoreAdder != 0;
  if (auto* klondike = dynamic_cast<TGameModeKlondike*>(mode)) return klondike->IsBusy() || counting;
  // A cleared layout is won once its last streak bonus has flown: until then there is nothing to play.
  if (auto* layout = dynamic_cast<TLayoutGameMode*>(mode); layout && layout->Cards->IsEmpty()) return true;
  if (auto* tripeaks = dynamic_cast<TGameModeTripeaks*>(mode))
    return !tripeaks->DealAnimationFinished || tripeaks->IsAnyCardMoving() || counting;
  if (auto* matching = dynamic_cast<TGameModeMatching*>(mode))
    return !matching->DealAnimationFinished || matching->IsAnyCardMoving() || counting;
  return false;
}

std::string ScreenTable::Why() const {
  auto* mode = Running();
  std::string why = GamePlay && GamePlay->ScoreAdder != 0 ? "the score counts " + std::to_string(GamePlay->ScoreAdder) : "";
  auto add = [&](bool busy, const char* what) {
    if (busy) why += std::string(why.empty() ? "" : ", ") + what;
  };
  if (auto* layout = dynamic_cast<TLayoutGameMode*>(mode))
    add(layout->Cards->IsEmpty(), "the layout is cleared and not yet won");
  if (auto* tripeaks = dynamic_cast<TGameModeTripeaks*>(mode)) {
    add(!tripeaks->DealAnimationFinished, "the deal runs");
    add(tripeaks->IsAnyCardMoving(), "a card moves");
  }
  if (auto* matching = dynamic_cast<TGameModeMatching*>(mode)) {
    add(!matching->DealAnimationFinished, "the deal runs");
    add(matching->IsAnyCardMoving(), "a card moves");
    for (const auto& card : *matching->Cards)
      add(card->IsMoving, ("layout " + card->ToString()).c_str());
    const auto& stock = *matching->Stock;
    add(stock.StockCard1 && stock.StockCard1->IsMoving, "open card 1");
    add(stock.StockCard2 && stock.StockCard2->IsMoving, "open card 2");
    for (const auto& card : *stock.Cards) add(card->IsMoving, ("stock " + card->ToString()).c_str());
    for (const auto& card : *stock.MovingCards)
      add(true, ("in flight " + card->ToString() + (card->IsMoving ? " moving" : " still") + " type " +
                 std::to_string(card->AnimationType)).c_str());
  }
  if (auto* klondike = dynamic_cast<TGameModeKlondike*>(mode)) add(klondike->IsBusy(), "Klondike is busy");
  return why;
}

std::string ScreenTable::Cards() const {
  auto* mode = Running();
  if (auto* klondike = dynamic_cast<TGameModeKlondike*>(mode)) {
    std::string text = Sorted(*klondike->Cards) + "| ";
    for (const auto& place : klondike->Foundation) text += place->ToString() + " ";
    return text + "| " + Sorted(*klondike->Stock->Cards);
  }
  if (auto* tripeaks = dynamic_cast<TGameModeTripeaks*>(mode))
    return Sorted(*tripeaks->Cards) + "| " + Sorted(*tripeaks->Stock->Cards);
  if (auto* matching = dynamic_cast<TGameModeMatching*>(mode))
    return Sorted(*matching->Cards) + "| " + Sorted(*matching->Stock->Cards);
  if (auto* editor = dynamic_cast<TGameModeEditor*>(mode)) return Sorted(*editor->Cards);
  return "";
}

int ScreenTable::CardCount() const {
  auto* mode = Running();
  if (auto* klondike = dynamic_cast<TGameModeKlondike*>(mode)) return klondike->Cards->Count();
  if (auto* tripeaks = dynamic_cast<TGameModeTripeaks*>(mode)) return tripeaks->Cards->Count();
  if (auto* matching = dynamic_cast<TGameModeMatching*>(mode)) return matching->Cards->Count();
  if (auto* editor = dynamic_cast<TGameModeEditor*>(mode)) return editor->Cards->Count();
  return 0;
}

int ScreenTable::Play() {
  auto* mode = Running();
  if (auto* klondike = dynamic_cast<TGameModeKlondike*>(mode)) return PlayKlondike(*klondike);
  if (auto* tripeaks = dynamic_cast<TGameModeTripeaks*>(mode)) return PlayTripeaks(*tripeaks);
  if (auto* matching = dynamic_cast<TGameModeMatching*>(mode)) return PlayMatching(*matching);
  if (auto* editor = dynamic_cast<TGameModeEditor*>(mode)) return PlayEditor(*editor);
  return 0;
}

// The game's own hints are the legal moves: a drag to the card or place
// named, a double click for a foundation; else the stock turns.
int ScreenTable::PlayKlondike(TGameModeKlondike& mode) {
  if (mode.AutoCompleteButton && world_.Chance(30)) {
    const auto& button = *mode.AutoCompleteButton;
    world_.Click(int(button.x) + button.w / 2, int(button.y) + button.h / 2);
    return 1;
  }
  if (toWin_) {
    std::string fault;
    const auto table = test_support::ReadKlondikeTable(mode, fault);
    const auto moves = test_support::LegalKlondikeMoves(table, false);
    if (moves.empty()) {
      if (test_support::LegalKlondikeMoves(table, true).empty()) return 0; // lost: nothing to do, ever
      world_.Click(int(TStock::StockX), int(TStock::StockY));
      return 1;
    }
    const auto& move = test_support::ChooseKlondikeMove(moves, world_.random, false);
    const auto gesture = test_support::GestureOf(table, move);
    if (move.kind == test_support::KlondikeMoveKind::ToFoundation && world_.Chance(40))
      world_.DoubleClick(gesture.fromX, gesture.fromY);
    else
      world_.Drag(gesture.fromX, gesture.fromY, gesture.toX, gesture.toY);
    return 1;
  }
  mode.CreateHints();
  const auto hints = mode.HintList ? *mode.HintList : std::vector<std::shared_ptr<TSolitaireHint>>{};
  if (hints.empty()) return 0;
  const auto& hint = *hints[size_t(world_.Pick(int(hints.size())))];
  const auto& first = *hint.FirstCard;
  const auto& top = mode.Stock->StockCardTop;
  const bool onTableau = std::any_of(mode.Cards->begin(), mode.Cards->end(),
                                     [&](const std::shared_ptr<TCard>& card) { return card.get() == &first; });
  const bool onWaste = top && top->CardNumber == first.CardNumber && top->CardSuit == first.CardSuit;
  if ((!onTableau && !onWaste) || world_.Chance(10)) {
    world_.Click(int(TStock::StockX), int(TStock::StockY));
    return 1;
  }
  const int fromX = onWaste ? int(TStock::WasteX) : int(first.x);
  // A card under a run shows only its top strip.
  const int fromY = onWaste ? int(TStock::WasteY) : int(first.y) - (first.HasCardsOnTop ? 38 : 0);
  const bool toFoundation = std::any_of(mode.Foundation.begin(), mode.Foundation.end(),
                                        [&](const std::shared_ptr<TCard>& place) { return place == hint.SecondCard; });
  if (toFoundation && !first.HasCardsOnTop && world_.Chance(40)) world_.DoubleClick(fromX, fromY);
  else world_.Drag(fromX, fromY, int(hint.SecondCard->x), int(hint.SecondCard->y));
  return 1;
}

// A free card one rank from the open card, or the next stock card.
int ScreenTable::PlayTripeaks(TGameModeTripeaks& mode) {
  std::vector<std::shared_ptr<TCard>> playable;
  const auto open = mode.Stock->StockCard1;
  for (const auto& card : Free(*mode.Cards))
    if (open && mode.CheckIfMatchingCards(open, card)) playable.push_back(card);
  const auto next = mode.Stock->GetNextStockCard();
  const bool canTurn = next && mode.Stock->Cards->CurrentPosition >= 0;
  if (!playable.empty() && (!canTurn || world_.Chance(85))) {
    const auto& card = *playable[size_t(world_.Pick(int(playable.size())))];
    world_.Click(int(card.x), int(card.y));
  } else if (canTurn) {
    world_.Click(int(next->x), int(next->y));
  } else {
    return 0;
  }
  return 1;
}

// Two free cards of one rank (layout or open stock cards), or a stock turn.
int ScreenTable::PlayMatching(TGameModeMatching& mode) {
  auto clickable = Free(*mode.Cards);
  for (const auto& open : {mode.Stock->StockCard1, mode.Stock->StockCard2})
    if (open && open->CardNumber != 0) clickable.push_back(open);
  std::vector<std::pair<std::shared_ptr<TCard>, std::shared_ptr<TCard>>> pairs;
  for (const auto& a : clickable)
    for (const auto& b : clickable)
      if (a != b && a->CardNumber == b->CardNumber) pairs.push_back({a, b});
  std::shared_ptr<TCard> stock;
  if (!mode.Stock->Cards->IsEmpty())
    stock = mode.Stock->Cards->CurrentPosition < 0 ? mode.Stock->StockEmptyCard : mode.Stock->GetNextStockCard(2);
  if (!pairs.empty() && (!stock || world_.Chance(85))) {
    const auto [a, b] = pairs[size_t(world_.Pick(int(pairs.size())))];
    const int bx = int(b->x), by = int(b->y); // the first click may move the open cards
    world_.Click(int(a->x), int(a->y));
    world_.Click(bx, by);
  } else if (stock && world_.Chance(98)) {
    world_.Click(int(stock->x), int(stock->y));
  } else {
    return 0;
  }
  return 1;
}

// A card placed where the pointer is (clear of the editor's buttons at the
// foot), or the card under the pointer taken away with the right button.
int ScreenTable::PlayEditor(TGameModeEditor& mode) {
  if (!mode.Cards->IsEmpty() && world_.Chance(20)) {
    const auto& card = *mode.Cards->ValueAtIndex(world_.Pick(mode.Cards->Count()));
    world_.Click(int(card.x), int(card.y), 2);
    return 1;
  }
  const int x = 60 + world_.Pick(680), y = 60 + world_.Pick(440);
  world_.Click(x, y);
  return 1;
}
