#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TCard;
class TGameImage;

// An ordered list of cards: a pile, a stock or a whole table layout. The
// order is the drawing order (later cards lie on top). The list owns its
// cards; cards added with AddNew point back at it. LoadCards and SaveCards
// read and write the card-layout file (TCardLayoutFile).
class TCardList {
public:
  TCardList() = default;
  ~TCardList();
  TCardList(const TCardList&) = delete;
  TCardList& operator=(const TCardList&) = delete;

  static std::shared_ptr<TCardList> Create() { return std::make_shared<TCardList>(); }

  // The list itself: add, insert, remove, count, index, enumerate, clear. Null cards are not added;
  // a card in no list joins this one as its own (Cards), and leaves it when removed.
  void AddLast(const std::shared_ptr<TCard>& card);
  void AddFirst(const std::shared_ptr<TCard>& card);
  void InsertAt(int32_t index, const std::shared_ptr<TCard>& card);
  int32_t Remove(const TCard* card); // 1 when the card was in the list
  std::shared_ptr<TCard> RemoveAt(int32_t index);
  std::shared_ptr<TCard> RemoveFirst();
  std::shared_ptr<TCard> RemoveLast();
  void Clear();
  int32_t Count() const { return int32_t(items_.size()); }
  bool IsEmpty() const { return items_.empty(); }
  std::shared_ptr<TCard> ValueAtIndex(int32_t index) const; // nullptr outside the list
  std::shared_ptr<TCard> First() const;
  std::shared_ptr<TCard> Last() const;
  int32_t IndexOf(const TCard* card) const; // -1 when absent
  const std::vector<std::shared_ptr<TCard>>& Items() const { return items_; }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

  // A new card of this list at the end: Position, suit, rank, face and rotation as given.
  std::shared_ptr<TCard> AddNew(float x, float y, const std::shared_ptr<TGameImage>& image, int32_t suit,
                                int32_t rank, int32_t opened, float rotation);
  // 1 when no card lies face down (an empty list too).
  int32_t AreAllCardsOpened() const;
  // Whether any card is in flight (its landing may change the list).
  bool AnyMoving() const;
  // Clones of every card, in order, belonging to the new list.
  std::shared_ptr<TCardList> Clone() const;

  // Layout files, positions relative to the origin (TCardLayoutFile): failing
  // to read, refusing or failing to write is reported with ShowError, fatal
  // unless failureFatal is 0; then the result is 0 and the list unchanged.
  int32_t LoadCards(const std::string& file, int32_t originX, int32_t originY, int32_t failureFatal = 1);
  int32_t SaveCards(const std::string& file, int32_t originX, int32_t originY, int32_t failureFatal = 1) const;

  // Per tick: every card's Manage. Debug: one line of "suit-rank " items (also returned).
  void Manage();
  std::string PrintContent() const;
  // Rank and suit 0 on every card (a layout before the deal).
  void SetAsEmptyCards();
  // HasCardsOnTop of every card from the overlaps (flying cards count).
  void UpdateCardsOnTop();
  // A fan: cards 0..CurrentPosition, `step` pixels apart, the last at (endX, endY).
  // The game mode that owns the pile chooses the place (Klondike's stock).
  void UpdateLocation(float endX, float endY, float step);
  // Opened = 1 exactly for the uncovered cards.
  void UpdateOpenedBasedOnCardsOnTop();
  // Position = index for every card.
  void UpdatePosition();
  // Turns every uncovered face-down card face up with the flip flash.
  void UpdateSetOpenedIfNoCardsOnTop();

  int32_t CurrentPosition = 0;

private:
  void Adopt(TCard& card);
  void Release(TCard& card);

  std::vector<std::shared_ptr<TCard>> items_;
};
