#pragma once
#include <cstdint>
#include <memory>

class TCard;
class TCardList;
class TGameModeTripeaks;

// The Tri Peaks stock: the face-down pile fanned out left of (230, 70) and
// the open stock card at (330, 70). Cards 0..CurrentPosition of Cards are
// still face down (the one at CurrentPosition on top); turned cards stay in
// the list above it. A click on the top card or the D key turns it over.
class TTripeaksStock {
public:
  // Takes the session's mode when it is a Tri Peaks one.
  TTripeaksStock();

  // Pile: count + 1 face-down cards (tests and tools); empty pile and fresh place cards.
  void AddCards(int32_t count);
  void Clear();
  // The face-down card matching `card` that will be turned soonest (nullptr: none).
  std::shared_ptr<TCard> DoesAnyCardMatch(const std::shared_ptr<TCard>& card) const;
  // Top face-down card; the card turned most recently (nullptr: none).
  std::shared_ptr<TCard> GetNextStockCard() const;
  std::shared_ptr<TCard> GetPreviousStockCard() const;
  // Into an empty pile appended, else directly before a random card.
  void InsertCardAtRandomPosition(const std::shared_ptr<TCard>& card);

  // Drawing: hinted turned cards, the pile and open card, cards flying outside the pile.
  void Draw();
  void DrawCards();
  void DrawHintCards();
  void DrawMovingCards();

  // One logic step: flights, then turning the stock on a click or D.
  void Manage();
  void ManageCards();
  void ManageMovingCards();
  void ManageMovingCard(const std::shared_ptr<TCard>& card);
  void ManageStock();

  // The open card: placed at (330, 70); SetStockCard also takes it off the pile.
  void SetStockCard(const std::shared_ptr<TCard>& card);
  void SetNewStockCard(const std::shared_ptr<TCard>& card);
  // The pile fans out from the stock point after the deal; one card flies to the open place.
  void StartResetStockAnimation();
  void StartStockDealAnimation(const std::shared_ptr<TCard>& card);

  // 1 while a stock card is in flight.
  int32_t IsAnyCardMoving() const;

  TGameModeTripeaks* GameMode = nullptr; // the owning mode; not owned
  std::shared_ptr<TCardList> Cards;
  std::shared_ptr<TCardList> MovingCards;
  std::shared_ptr<TCard> StockCard1;
  std::shared_ptr<TCard> StockEmptyCard;
  std::shared_ptr<TCard> StockDeniedCard;
};
