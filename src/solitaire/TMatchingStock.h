#pragma once
#include <cstdint>
#include <memory>

class TCard;
class TCardList;
class TGameModeMatching;

// The Matching stock: the face-down pile fanned out left of (230, 70) and two
// open places, (330, 70) and (420, 70). Cards 0..CurrentPosition of Cards are
// face down (the top at CurrentPosition); turned cards stay in the list above
// it, the newest nearest. A click on the pile or the D key turns two cards;
// once the pile is used up a click on its empty place (or D) turns every
// remaining card face down again, as often as the player likes.
class TMatchingStock {
public:
  static constexpr int32_t SecondCardX = 420, SecondCardY = 70;

  // Takes the session's mode when it is a Matching one.
  TMatchingStock();

  // Pile: count + 1 face-down cards (tests and tools); empty pile and fresh place card.
  void AddCards(int32_t count);
  void Clear();
  // A random card of the whole stock list of the same number as `card` (nullptr: none).
  std::shared_ptr<TCard> DoesAnyCardMatch(const std::shared_ptr<TCard>& card) const;
  // The pile card at CurrentPosition (which != 1) or CurrentPosition - 1 (which == 1).
  std::shared_ptr<TCard> GetNextStockCard(int32_t which) const;
  // The turned card at CurrentPosition + 2, the next to come back into view.
  std::shared_ptr<TCard> GetPreviousStockCard(int32_t which) const;
  // Into an empty pile appended, else directly before a random card.
  void InsertCardAtRandomPosition(const std::shared_ptr<TCard>& card);

  // Drawing: hinted turned cards, the pile and open cards, matched cards flying away.
  void Draw();
  void DrawCards();
  void DrawHintCards();
  void DrawMovingCards();

  // One logic step: flights, then turning, recycling and clicks on open cards.
  void Manage();
  void ManageCards();
  void ManageMovingCards();
  void ManageMovingCard(const std::shared_ptr<TCard>& card);
  void ManageStock();

  // A matched open card leaves the stock; an older turned card takes its place.
  void ProcessMatchedCard(const std::shared_ptr<TCard>& card);
  // A turned card lands on open place `which` (1 or 2) and leaves the pile;
  // the open cards stay the two turned cards nearest the pile.
  void SetStockCard(const std::shared_ptr<TCard>& card, int32_t which);
  // The pile fans out from the stock point (after the deal and after recycling).
  void StartResetStockAnimation();

  // The open cards as the list says they are: CurrentPosition + 1 and + 2 (after undo and load).
  void ShowOpenCardsFromList();
  // 1 while any stock card is in flight.
  int32_t IsAnyCardMoving() const;

  TGameModeMatching* GameMode = nullptr; // the owning mode; not owned
  std::shared_ptr<TCardList> Cards;
  std::shared_ptr<TCardList> MovingCards;
  std::shared_ptr<TCard> StockCard1;
  std::shared_ptr<TCard> StockCard2;
  std::shared_ptr<TCard> StockEmptyCard;

private:
  void TurnPair();
  // After a turn has landed: the open cards are the list's CurrentPosition + 1 and + 2.
  void KeepOpenCardsNewest(int32_t which);
  void Recycle();
  bool IsOpenCard(const std::shared_ptr<TCard>& card) const { return card && (card == StockCard1 || card == StockCard2); }
};
