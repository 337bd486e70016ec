#include "SoakVariant.h"

#include <algorithm>

#include "solitaire/TGameMode.h"
#include "solitaire/TGamePlay.h"


SoakFigures SoakVariant::Run(int games, uint32_t seed) {
  for (int game = 0; game < games; ++game) {
    random_.seed(seed + uint32_t(game) * 7919u);
    Seed(seed * 31u + uint32_t(game));
    layout_ = game;
    exploring_ = game % 4 == 3;
    std::string fault = StartLayout(layout_);
    if (fault.empty()) fault = PlayGame();
    ++figures_.games;
    if (!fault.empty()) figures_.failures.push_back("game " + std::to_string(game) + ": " + fault);
  }
  return figures_;
}

void SoakVariant::Settle() {
  world_.TickUntil([&] { return !Busy(); }, 40000);
  world_.Wait(550);
  world_.Tick();
}

std::string SoakVariant::StartLayout(int index) {
  if (Mode().Init(LayoutOf(index), 0) != 1) return "the layout " + LayoutOf(index) + " did not start";
  Settle();
  if (Busy()) return "the deal never came to rest";
  Dealt();
  dealtTable_ = Table();
  return "";
}

std::string SoakVariant::PlayGame() {
  std::string beforeMove; // the table before the last move that can be taken back
  // How often each action comes, as percent thresholds of one roll: undo,
  // hint, restart, new deal, save and load, next layout, quit; the rest plays.
  struct Rates {
    double undo, hint, restart, deal, save, layout, quit;
  };
  static constexpr Rates Careless{4, 8, 9, 10, 15, 15.5, 16}, ToWin{3, 6, 6.2, 6.4, 10, 10.1, 10.2};
  const Rates& rates = exploring_ ? Careless : ToWin;
  for (int step = 0; step < MaxSteps; ++step) {
    Settle();
    const std::string at = "step " + std::to_string(step) + ": ";
    if (Busy()) return at + "the table never came to rest";
    if (std::string fault = Check(); !fault.empty()) return at + fault;
    if (Mode().IsGameFinished()) return ++figures_.won, "";
    const double roll = std::uniform_real_distribution<double>(0, 100)(random_);
    if (roll < rates.undo && UndoCount() > 0) {
      Mode().Undo();
      Settle();
      ++figures_.undos;
      if (!beforeMove.empty() && Table() != beforeMove)
        return at + "undo did not bring back the table:\n  before " + beforeMove + "\n  undone " + Table();
      beforeMove.clear();
    } else if (roll < rates.hint) {
      // The hint button: the hint shows at once and runs its glows.
      Mode().ResetHintTimer(0);
      world_.Tick(300);
      ++figures_.hints;
    } else if (roll < rates.restart) {
      Mode().Reset();
      Settle();
      ++figures_.restarts;
      if (Table() != dealtTable_)
        return at + "restart did not bring back the deal:\n  dealt     " + dealtTable_ + "\n  restarted " + Table();
      beforeMove.clear();
    } else if (roll < rates.deal) {
      Mode().Shuffle();
      Settle();
      ++figures_.deals;
      if (Mode().IsDealUnsolvable()) return at + "a standard layout found no deal";
      Dealt();
      dealtTable_ = Table();
      beforeMove.clear();
    } else if (roll < rates.save) {
      if (std::string fault = SaveAndLoad(); !fault.empty()) return at + fault;
      beforeMove.clear();
    } else if (roll < rates.layout) {
      ++figures_.layouts;
      if (std::string fault = StartLayout(++layout_); !fault.empty()) return at + fault;
      beforeMove.clear();
    } else if (roll < rates.quit) {
      return ""; // the player quits this game
    } else {
      const std::string table = Table();
      const int undos = UndoCount();
      if (Play() == 0) return ""; // lost: nothing left to do
      ++figures_.moves;
      if (UndoCount() > undos) beforeMove = table;
    }
  }
  return "";
}

static int32_t SettledScore() { return std::max(0, GamePlay->Score + GamePlay->ScoreAdder); }

// Saves the table, plays on a little, loads the save back: the same table and score.
std::string SoakVariant::SaveAndLoad() {
  if (!Mode().CanSaveGame()) return "";
  const std::string path = world_.File("soak");
  const std::string table = Table();
  // What the shown score settles at: it counts towards Score + ScoreAdder
  // and never goes below 0 on the way.
  const int32_t score = SettledScore();
  if (Mode().SaveGame(path) != 1) return "save failed: " + Mode().FileMessage;
  ++figures_.saves;
  if (Chance(50) && Play() != 0) Settle();
  if (Mode().LoadGame(path + SaveExtension()) != 1) return "its own save was refused: " + Mode().FileMessage;
  ++figures_.loads;
  Settle();
  if (Table() != table) return "the loaded game differs from the saved one:\n  saved  " + table + "\n  loaded " + Table();
  if (SettledScore() != score)
    return "the loaded score " + std::to_string(SettledScore()) + " is not the saved " + std::to_string(score);
  return "";
}
