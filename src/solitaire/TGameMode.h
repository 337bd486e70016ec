#pragma once
#include <cstdint>
#include <memory>
#include <string>

class TCard;
class TSolitaireHighScoreList;

// The base of every way of playing the table: the Klondike, Matching and Tri
// Peaks variants and the layout editor. The session (GamePlay) holds one mode
// and talks to it only through these twelve operations; a mode owns its card
// lists, stock, undo history, hints and animations. Every operation does
// nothing and answers 0 here (GetHighscoreList: nullptr), except Init, which
// clears the table. Variants override what they play.
class TGameMode {
public:
  // Every mode reads its layout files with this origin.
  static constexpr int32_t LayoutOriginX = 25;
  static constexpr int32_t LayoutOriginY = 125;

  virtual ~TGameMode() = default;

  // Table: empty it; draw it once per frame; one logic tick.
  virtual int32_t Clear();
  virtual int32_t Draw();
  virtual int32_t Logic();
  // Game: start on a layout file, won yet?, the variant's high-score table.
  virtual int32_t Init(const std::string& layoutPath, int32_t isCustomLevel);
  virtual int32_t IsGameFinished();
  virtual std::shared_ptr<TSolitaireHighScoreList> GetHighscoreList();
  // Saved games. A refused load or failed save answers 0 and leaves its
  // sentence in FileMessage for the caller to show; CanSaveGame is 1 only
  // while the table is at rest (nothing flying, dragged, dealt or auto-completed).
  virtual int32_t LoadGame(const std::string& path);
  virtual int32_t SaveGame(const std::string& path);
  virtual int32_t CanSaveGame();
  // Player commands: restart the deal, new deal, take back, show a hint after delayMs.
  virtual int32_t Reset();
  virtual int32_t Shuffle();
  virtual int32_t Undo();
  virtual int32_t ResetHintTimer(int32_t delayMs);
  // Rules the cards ask while drawing a dragged card over a place: may `card`
  // go onto this free place, or onto this foundation place? 1 yes, 0 no.
  virtual int32_t AcceptsOnEmptyPlace(const TCard& card, const TCard& place);
  virtual int32_t AcceptsOnFoundation(const TCard& card, const TCard& place);

  int32_t GameType = 0;       // 1 editor, 2 Klondike, 3 Matching, 4 Tri Peaks
  int32_t CardBackground = 0; // 1..6: "cardback" + number and the matching table
  std::string FileMessage;    // why the last LoadGame or SaveGame failed ("" after a success)
  // Why the last Init, Reset or Shuffle could not deal a playable table ("" when
  // it did); the session shows it in an OK dialog and the player chooses again.
  std::string DealMessage;

protected:
  TGameMode() = default;
  // Stores the layout being played in the session, so a later
  // Init(GamePlay->CurrentLevel, 0) replays it.
  static void RememberLevel(const std::string& layoutPath, int32_t isCustomLevel);
};
