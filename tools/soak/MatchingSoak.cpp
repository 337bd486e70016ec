#include "MatchingSoak.h"

#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeMatching.h"
#include "solitaire/TMatchingStock.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

MatchingSoak::MatchingSoak(SoakWorld& world) : LayoutSoak(world, "Matching") {
  mode_ = world.Create<TGameModeMatching>();
}

TGameMode& MatchingSoak::Mode() { return *mode_; }

std::string MatchingSoak::LayoutOf(int index) const {
  char name[64];
  std::snprintf(name, sizeof(name), "layouts/matching/%03d.layout", index % 80 + 1);
  return test_support::DataPath(name);
}

void MatchingSoak::Seed(uint32_t seed) { mode_->Random.Seed(seed); }

bool MatchingSoak::Busy() { return LayoutBusy(*mode_, mode_->IsAnyCardMoving() != 0); }

// A saved game (and an undo) keeps the pile's order, not which of the two
// open places each open card lay on, so the two open cards are compared as
// a pair and the pile without its places.
std::string MatchingSoak::Table() {
  std::vector<std::string> open;
  for (const auto& card : {mode_->Stock->StockCard1, mode_->Stock->StockCard2})
    open.push_back(card && card->CardNumber != 0 ? card->ToString() : "-");
  std::sort(open.begin(), open.end());
  return Cards(*mode_->Cards) + " | " + Cards(*mode_->Stock->Cards, false) + " | " + open[0] + " " + open[1];
}

void MatchingSoak::Dealt() { dealt_ = Count(*mode_->Cards, *mode_->Stock->Cards); }

std::string MatchingSoak::Check() {
  const auto now = Count(*mode_->Cards, *mode_->Stock->Cards);
  if (std::string fault = Conserved(*mode_->Cards, *mode_->Stock->Cards, dealt_, now); !fault.empty()) return fault;
  // What left the table left it in pairs of one rank.
  int gone[14] = {};
  for (const auto& [id, n] : dealt_) {
    const auto it = now.find(id);
    gone[std::stoi(id.substr(1)) % 14] += n - (it == now.end() ? 0 : it->second);
  }
  for (int rank = 1; rank <= 13; ++rank)
    if (gone[rank] % 2) return "an odd number of rank " + std::to_string(rank) + " cards left the table";
  std::vector<std::shared_ptr<TCard>> uncovered;
  return Uncovered(*mode_->Cards, uncovered);
}

int MatchingSoak::UndoCount() { return mode_->UndoList ? int(mode_->UndoList->size()) : 0; }

int MatchingSoak::Play() {
  std::vector<std::shared_ptr<TCard>> clickable;
  Uncovered(*mode_->Cards, clickable);
  bool stockFits = false;
  for (const auto& card : clickable)
    for (const auto& stockCard : *mode_->Stock->Cards) stockFits |= stockCard->CardNumber == card->CardNumber;
  const size_t layoutCards = clickable.size(); // the open stock cards follow
  for (const auto& open : {mode_->Stock->StockCard1, mode_->Stock->StockCard2})
    if (open && open->CardNumber != 0) clickable.push_back(open);
  std::vector<std::pair<std::shared_ptr<TCard>, std::shared_ptr<TCard>>> pairs;
  std::vector<double> weights;
  for (size_t i = 0; i < clickable.size(); ++i)
    for (size_t j = 0; j < clickable.size(); ++j)
      if (i != j && clickable[i]->CardNumber == clickable[j]->CardNumber) {
        pairs.push_back({clickable[i], clickable[j]});
        // Pairs that clear layout cards first: two open stock cards paired
        // may be the partners the layout still needs.
        weights.push_back(Exploring() ? 1.0 : 1.0 + 2.0 * double((i < layoutCards) + (j < layoutCards)));
      }
  if (!pairs.empty() && (!stockFits || !Chance(15))) {
    const auto& [a, b] = pairs[std::discrete_distribution<size_t>(weights.begin(), weights.end())(random_)];
    const auto second = b; // the first click may change the open places
    Click(*a);
    Click(*second);
  } else if (stockFits) {
    TurnStock(); // a turn, or the used-up pile face down again
  } else {
    return 0;
  }
  return 1;
}
