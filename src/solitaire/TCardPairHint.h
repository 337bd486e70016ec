#pragma once
#include <memory>

class TCard;

// One hint of a layout game: two cards that can be played together.
class TCardPairHint {
public:
  void SetHint(const std::shared_ptr<TCard>& first, const std::shared_ptr<TCard>& second) {
    FirstCard = first;
    SecondCard = second;
  }

  std::shared_ptr<TCard> FirstCard;
  std::shared_ptr<TCard> SecondCard;
};
