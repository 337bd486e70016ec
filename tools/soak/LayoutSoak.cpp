#include "LayoutSoak.h"

#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/TLayoutGameMode.h"

#include <set>

std::string LayoutSoak::Cards(const TCardList& list, bool withX) {
  std::string text = std::to_string(list.CurrentPosition) + ":";
  for (const auto& card : list)
    text += " " + card->ToString() + "@" + (withX ? std::to_string(int(card->x)) : "") + "," + std::to_string(int(card->y)) +
            (card->Opened ? "" : "*");
  return text;
}

std::map<std::string, int> LayoutSoak::Count(const TCardList& layout, const TCardList& stock) {
  std::map<std::string, int> count;
  for (const auto* list : {&layout, &stock})
    for (const auto& card : *list) ++count[card->ToString()];
  return count;
}

std::string LayoutSoak::Conserved(const TCardList& layout, const TCardList& stock,
                                  const std::map<std::string, int>& dealt, const std::map<std::string, int>& now) {
  std::set<const TCard*> seen;
  for (const auto* list : {&layout, &stock})
    for (const auto& card : *list)
      if (!seen.insert(card.get()).second) return "one card twice on the table: " + card->ToString();
  for (const auto& [id, n] : now) {
    const auto it = dealt.find(id);
    if (it == dealt.end() || it->second < n) return "a card that was not dealt: " + id;
  }
  return "";
}

std::string LayoutSoak::Uncovered(const TCardList& layout, std::vector<std::shared_ptr<TCard>>& uncovered) {
  uncovered.clear();
  for (const auto& card : layout) {
    const bool free = !card->IsAnyCardsOnTop();
    if (free != (card->Opened != 0)) return "a layout card " + std::string(free ? "free but face down: " : "covered but face up: ") + card->ToString();
    if (free) uncovered.push_back(card);
  }
  return "";
}

bool LayoutSoak::LayoutBusy(const TLayoutGameMode& mode, bool cardsMoving) const {
  return !mode.DealAnimationFinished || cardsMoving || GamePlay->ScoreAdder != 0;
}

void LayoutSoak::Click(const TCard& card) {
  world_.Click(int(card.x), int(card.y));
  world_.MoveMouse(-100, -100);
}

void LayoutSoak::TurnStock() {
  world_.MoveMouse(-100, -100);
  world_.TapKey("D");
  world_.Tick();
}
