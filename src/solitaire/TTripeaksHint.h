#pragma once
#include <memory>

class TCard;

// One Tri Peaks hint: the card to play on (the open stock card or a
// face-down stock card) and the layout card to play.
class TTripeaksHint {
public:
  void SetHint(const std::shared_ptr<TCard>& first, const std::shared_ptr<TCard>& second) {
    FirstCard = first;
    SecondCard = second;
  }

  std::shared_ptr<TCard> FirstCard;
  std::shared_ptr<TCard> SecondCard;
};
