#pragma once
#include <memory>

class TCard;

// One Klondike hint: the card to move and where it may go (a tableau card,
// an empty-column place or a foundation).
class TSolitaireHint {
public:
  void SetHint(const std::shared_ptr<TCard>& first, const std::shared_ptr<TCard>& second);

  std::shared_ptr<TCard> FirstCard;
  std::shared_ptr<TCard> SecondCard;
};
