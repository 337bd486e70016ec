#pragma once
#include <cstdint>
#include <memory>

class TCard;
class TCardList;
class TGameModeKlondike;

// The Klondike stock and waste: face-down cards fanned left of (230, 70), one
// card turned at a time onto the waste at (330, 70), the waste sent back once
// the stock is used up. Cards holds both: indices 0 .. P (its CurrentPosition)
// are the stock with P on top, P + 1 .. end the waste with P + 1 the latest
// turned. The waste cards are never drawn; StockCardTop (and, while that one
// is dragged or flying, StockCardBottom) stand for them.
class TStock {
public:
  static constexpr float StockX = 230, StockY = 70; // the stock's top card
  static constexpr float WasteX = 330, WasteY = 70; // the turned-up card
  static constexpr float FanStep = 5;

  // The owning mode, not owned (nullptr in undo snapshots until restored).
  explicit TStock(TGameModeKlondike* mode) : GameMode(mode) {}

  // An empty stock with its empty place; n + 1 face-down blank cards added (P on the last).
  void Clear();
  void AddCards(int32_t n);
  // Per tick: flying stock cards, then clicks, the D key, double clicks and drags.
  void Manage();
  void ManageCards();
  void ManageMovingCard(const std::shared_ptr<TCard>& card);
  void ManageStock();
  // The waste top was played: drop it and show the next (turning a stock card when the waste is empty).
  void RemoveCurrentStockCard();
  void SetNextStockCard();
  void SetStockCard(const TCard& card);
  // The card under the waste top (nullptr when none).
  std::shared_ptr<TCard> GetPreviousStockCard() const;
  // Every stock card flies from (230, 70) to its place in the fan.
  void StartResetStockAnimation();
  // Re-fans the stock cards 0 .. P.
  void UpdateFan();
  // True while any stock or waste card flies.
  bool IsAnyCardMoving() const;

  // Drawing: hint lifts, the waste top, the stock fan or its empty / denied place.
  void Draw();
  void DrawCards(int32_t mouseOver);
  void DrawHintCards();
  void DrawStock();
  void DrawStockCards();

  TGameModeKlondike* GameMode = nullptr;
  std::shared_ptr<TCardList> Cards;
  std::shared_ptr<TCard> StockCardTop;
  std::shared_ptr<TCard> StockCardBottom;
  std::shared_ptr<TCard> StockEmptyCard;
};
