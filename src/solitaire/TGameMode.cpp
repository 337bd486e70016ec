#include "solitaire/TGameMode.h"

#include "solitaire/TGamePlay.h"

int32_t TGameMode::Clear() { return 0; }
int32_t TGameMode::Draw() { return 0; }
int32_t TGameMode::Logic() { return 0; }

int32_t TGameMode::Init(const std::string& /*layoutPath*/, int32_t /*isCustomLevel*/) {
  Clear();
  return 0;
}

int32_t TGameMode::IsGameFinished() { return 0; }
std::shared_ptr<TSolitaireHighScoreList> TGameMode::GetHighscoreList() { return nullptr; }
int32_t TGameMode::LoadGame(const std::string& /*path*/) { return 0; }
int32_t TGameMode::SaveGame(const std::string& /*path*/) { return 0; }
int32_t TGameMode::CanSaveGame() { return 0; }
int32_t TGameMode::Reset() { return 0; }
int32_t TGameMode::Shuffle() { return 0; }
int32_t TGameMode::Undo() { return 0; }
int32_t TGameMode::ResetHintTimer(int32_t /*delayMs*/) { return 0; }
int32_t TGameMode::IsDealUnsolvable() { return 0; }
int32_t TGameMode::AcceptsOnEmptyPlace(const TCard& /*card*/, const TCard& /*place*/) { return 0; }
int32_t TGameMode::AcceptsOnFoundation(const TCard& /*card*/, const TCard& /*place*/) { return 0; }

void TGameMode::RememberLevel(const std::string& layoutPath, int32_t isCustomLevel) {
  if (!GamePlay) return;
  GamePlay->CurrentLevel = layoutPath;
  GamePlay->IsCustomLevel = isCustomLevel;
}
