#pragma once
#include "app/TGameSound.h"
#include "solitaire/TGameMode.h"

#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

class TAnimation;
class TButton;
class TCard;
class TCardList;
class TSolitaireHint;
class TSolitaireUndo;
class TStock;

// Klondike: seven tableau columns from a 28-card layout, a 24-card stock
// (TStock), four foundations built up by suit from ace to king. Face-up runs
// are dragged onto a card one rank higher of the other colour, kings onto
// free columns; a double click sends a card to its foundation. Owns the
// table, its undo snapshots, hints, flights and the score count-up; writes
// GamePlay's score and reads GameState's flags. Rules are plain predicates
// of this class (TGameModeKlondike.cpp, with the deal and the moves); undo,
// hints, auto-complete and score are in TGameModeKlondikeHelp.cpp, drawing in
// TGameModeKlondikeDraw.cpp, and the saved game's format in TKlondikeSaveFile.
class TGameModeKlondike : public TGameMode {
public:
  // Table geometry (card centres).
  static constexpr int32_t LayoutCards = 28;
  static constexpr float FoundationX[4] = {460, 550, 640, 730};
  static constexpr float FoundationY = 70;
  static constexpr float EmptyColumnX[7] = {120, 210, 300, 390, 480, 570, 660};
  static constexpr float EmptyColumnY = 205;
  static constexpr float StackStep = 20; // a card put on another lies this much lower
  // AnimationType of a flying card.
  enum Flight { DealFlight = 0, FoundationFlight = 1, StockToFoundation = 2, StockTurn = 3, StockRecycle = 4,
                StockFan = 5, TableauBack = 6, StockBack = 7 };

  TGameModeKlondike();
  ~TGameModeKlondike() override;

  // The contract.
  int32_t Clear() override;
  int32_t Draw() override;
  int32_t Logic() override;
  int32_t Init(const std::string& layoutPath, int32_t isCustomLevel) override;
  int32_t IsGameFinished() override;
  std::shared_ptr<TSolitaireHighScoreList> GetHighscoreList() override;
  int32_t LoadGame(const std::string& path) override;
  int32_t SaveGame(const std::string& path) override;
  int32_t Reset() override;
  int32_t Shuffle() override;
  int32_t Undo() override;
  int32_t ResetHintTimer(int32_t delayMs) override;
  int32_t AcceptsOnEmptyPlace(const TCard& card, const TCard& place) override;
  int32_t AcceptsOnFoundation(const TCard& card, const TCard& place) override;
  int32_t CanSaveGame() override;

  // Deals draw from this generator; seeding it reproduces a deal.
  void Seed(uint32_t seed) { Random.seed(seed); }
  int32_t Rand(int32_t low, int32_t high); // uniform, both bounds included

  // Move rules.
  int32_t CanMoveOnCard(const TCard& card, const TCard& target) const;
  std::shared_ptr<TCard> CanMoveOnEmptyColumn(const TCard& card, int32_t useMouse) const;
  std::shared_ptr<TCard> PlaceOnFoundation(const TCard& card) const;
  std::shared_ptr<TCard> CanMoveOnFoundationCard(const TCard& card) const;
  // True while a card flies or is dragged, while dealing and while auto-completing.
  bool IsBusy() const;

  // Deal.
  int32_t GenerateCards();
  static std::pair<int32_t, int32_t> GetCardNumberAndSuitFromID(int32_t id);
  int32_t StartDealAnimation();
  int32_t ManageDealAnimation();
  // Play, once per tick.
  int32_t ManageAnimations();
  int32_t ManagePlayingCards();
  int32_t ManageMovingCard(const std::shared_ptr<TCard>& card);
  int32_t ManageDraggingCards();
  int32_t ManageStock();
  // The topmost face-up card (its index) lying still under (px, py); -1 when none or while cards fly back.
  int32_t PlayingCardAt(int32_t px, int32_t py) const;
  int32_t AddDraggingCards(int32_t index);
  int32_t AddStockDraggingCard(const std::shared_ptr<TCard>& card);
  int32_t CanMoveCards(const std::shared_ptr<TCardList>& cards);
  int32_t SetCardAsFoundationCard(const std::shared_ptr<TCard>& card);
  int32_t CheckIfEmptyColumn(int32_t x, int32_t y);
  int32_t CheckWhichEmptyColumnCard(int32_t x, int32_t y);
  int32_t StopHelpMessage();
  // Undo.
  int32_t AddUndo(int32_t points);
  int32_t AddOriginalUndo();
  int32_t ClearUndoes();
  // Hints.
  int32_t CreateHints();
  std::shared_ptr<TSolitaireHint> GetRandomHint();
  int32_t ManageHint();
  int32_t ResetHint();
  int32_t ResetCurrentHint();
  // Auto-complete.
  int32_t CheckAutoComplete();
  int32_t ManageAutoComplete();
  int32_t StartAutoCompleteAnimation();
  int32_t ManageAutoCompleteAnimation();
  // Score.
  int32_t ManageScore();
  int32_t ScorePlus(int32_t x, int32_t y);
  int32_t ScoreMinus(int32_t points);
  int32_t ResetScore();
  // Saved games: LoadSaveGame reads and checks the file, then commits it to the table.
  int32_t LoadSaveGame(const std::string& path);
  // Sounds.
  int32_t PlayDealSound();
  int32_t PlayHint1Sound();
  int32_t PlayHint2Sound();
  int32_t PlayInvalidSound();
  int32_t PlayMoveSound();
  int32_t PlayValidSound();
  // Drawing.
  int32_t DrawAutoComplete();
  int32_t DrawDealAnimation();
  int32_t DrawDraggingCards(const TCardList& cards);
  int32_t DrawEmptyColumnCards();
  int32_t DrawHelpMessage();
  int32_t DrawPlayingCards(int32_t mouseOver);
  int32_t DrawScorePopup();

  std::shared_ptr<TCardList> Cards;
  std::shared_ptr<TStock> Stock;
  std::array<std::shared_ptr<TCard>, 4> Foundation;      // Foundation1 .. Foundation4
  std::array<std::shared_ptr<TCard>, 7> EmptyColumnCard; // EmptyColumnCard1 .. 7; HasCardsOnTop 0: free
  std::shared_ptr<TCardList> DraggingCards;              // first: the grabbed card; nullptr when not dragging
  std::shared_ptr<std::vector<std::shared_ptr<TSolitaireHint>>> HintList;
  std::shared_ptr<TSolitaireHint> CurrentHint;
  int32_t HoldingMouseDown = 0;
  std::shared_ptr<TSolitaireUndo> OriginalPuzzle;
  std::shared_ptr<std::vector<std::shared_ptr<TSolitaireUndo>>> UndoList;
  int32_t LastPlayingCardMouseOverPosition = -1;
  int32_t DraggingOffsetX = 0, DraggingOffsetY = 0;
  int32_t IsDraggingCardsMoving = 0;
  int32_t DraggingCardsOverPosition = -1;
  int32_t ShowHelpMessage = 0;
  std::shared_ptr<TAnimation> FadeOutAnimation;
  int32_t DoingDealAnimation = 0, StartedDeal = 0, DealNumber = -1, DealAnimationFinished = 0;
  std::shared_ptr<TButton> AutoCompleteButton;
  int32_t StartedAutoCompleteDeal = 0, DoingAutoCompleteAnimation = 0, AutoCompleteNumber = -1,
          AutoCompleteAnimationFinished = 0, AutoCompleteFoundation = 0;
  std::shared_ptr<TAnimation> HintAnimation;
  int32_t HasCreatedHints = 0, HasPlayedHint1Sound = 0, HasPlayedHint2Sound = 0, HasPlayedStockSliderSound = 0;
  std::shared_ptr<TAnimation> Hint1Animation, Hint2Animation, StockSliderAnimation, ScoreAnimation;
  int32_t ScorePoints = 0;
  int32_t ScorePlusX = -1, ScorePlusY = -1;

  std::mt19937 Random{std::random_device{}()};

  // "No Moves Left" is up: a search found nothing on a table that still has cards.
  bool ShowsNoMovesLeft() const;
  // The name of the last sound played (for checks; "" before any).
  std::string LastSoundPlayed;

private:
  bool FoundationTakes(const TCard& card, const TCard& place) const;
  void PlaySound(const char* name);
  ChannelRef SoundChannel; // used when the game has no channel pool
  // Drops the drag, the flights back and the auto-complete run (a new or restored table has none).
  void ResetTransientState();
  void CreatePlaces();
};
