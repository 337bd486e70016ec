#pragma once
#include <memory>

class TCard;
class TCardList;

// Deep copies for the undo snapshots of the layout games.
// A copy of a card in no list (the original may lie in a list the copy will outlive).
std::shared_ptr<TCard> CopyLooseCard(const std::shared_ptr<TCard>& card);
// A copy of a list with its CurrentPosition (nullptr stays nullptr).
std::shared_ptr<TCardList> CopyCardList(const std::shared_ptr<TCardList>& list);
// The card of `copy` at the index `card` has in `original`, else a loose copy of it.
std::shared_ptr<TCard> CopyCardOf(const std::shared_ptr<TCard>& card, const TCardList* original, const TCardList* copy);
