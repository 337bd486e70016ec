#include "TripeaksSoak.h"

#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeTripeaks.h"
#include "solitaire/TTripeaksStock.h"

#include <algorithm>
#include <cstdio>

TripeaksSoak::TripeaksSoak(SoakWorld& world) : LayoutSoak(world, "Tri Peaks") {
  mode_ = world.Create<TGameModeTripeaks>();
}

TGameMode& TripeaksSoak::Mode() { return *mode_; }

std::string TripeaksSoak::LayoutOf(int index) const {
  char name[64];
  std::snprintf(name, sizeof(name), "layouts/tripeaks/%03d.layout", index % 32 + 1);
  return test_support::DataPath(name);
}

void TripeaksSoak::Seed(uint32_t seed) { mode_->Random.Seed(seed); }

bool TripeaksSoak::Busy() { return LayoutBusy(*mode_, mode_->IsAnyCardMoving() != 0); }

std::string TripeaksSoak::Table() {
  const auto& open = mode_->Stock->StockCard1;
  // The pile's fan is laid out afresh by a load, so its cards count by order and side.
  return Cards(*mode_->Cards) + " | " + Cards(*mode_->Stock->Cards, false) + " | " + (open ? open->ToString() : "-");
}

void TripeaksSoak::Dealt() {
  dealt_ = Count(*mode_->Cards, *mode_->Stock->Cards);
  stockDealt_ = mode_->Stock->Cards->Count();
}

std::string TripeaksSoak::Check() {
  const auto& stock = *mode_->Stock->Cards;
  if (std::string fault = Conserved(*mode_->Cards, stock, dealt_, Count(*mode_->Cards, stock)); !fault.empty())
    return fault;
  if (stock.Count() != stockDealt_) return "the stock holds " + std::to_string(stock.Count()) + " cards, not " + std::to_string(stockDealt_);
  std::vector<std::shared_ptr<TCard>> uncovered;
  return Uncovered(*mode_->Cards, uncovered);
}

int TripeaksSoak::UndoCount() { return mode_->UndoList ? int(mode_->UndoList->size()) : 0; }

// How many plays in a row `card` starts among the uncovered cards, not
// counting `used` ones (a short look ahead: cards it uncovers are not known).
int TripeaksSoak::RunFrom(const std::shared_ptr<TCard>& card, const std::vector<std::shared_ptr<TCard>>& uncovered,
                          std::vector<bool>& used, int depth) const {
  int best = 0;
  if (depth < 6)
    for (size_t i = 0; i < uncovered.size(); ++i) {
      if (used[i] || !mode_->CheckIfMatchingCards(card, uncovered[i])) continue;
      used[i] = true;
      best = std::max(best, RunFrom(uncovered[i], uncovered, used, depth + 1));
      used[i] = false;
    }
  return 1 + best;
}

// Plays whenever a card fits, the one that starts the longest run (the
// top-most of equals, which uncovers most); the stock turns only when no
// card fits, or now and then.
int TripeaksSoak::Play() {
  std::vector<std::shared_ptr<TCard>> uncovered;
  Uncovered(*mode_->Cards, uncovered);
  const auto open = mode_->Stock->StockCard1;
  std::shared_ptr<TCard> best;
  int bestRun = 0;
  std::vector<bool> used(uncovered.size(), false);
  for (size_t i = 0; i < uncovered.size(); ++i) {
    if (!open || !mode_->CheckIfMatchingCards(open, uncovered[i])) continue;
    used[i] = true;
    int run = RunFrom(uncovered[i], uncovered, used, 0);
    used[i] = false;
    if (Exploring()) run = Pick(100); // any card alike
    if (run >= bestRun) best = uncovered[i], bestRun = run;
  }
  const bool canTurn = mode_->Stock->Cards->CurrentPosition >= 0;
  if (best && (!canTurn || !Chance(Exploring() ? 15 : 2))) {
    Click(*best);
  } else if (canTurn) {
    TurnStock();
  } else {
    return 0;
  }
  return 1;
}
