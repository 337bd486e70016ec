// Saving and loading a Klondike game through TKlondikeSaveFile.
#include "solitaire/TGameModeKlondike.h"

#include "app/Clock.h"
#include "platform/Files.h"
#include "solitaire/CardPictures.h"
#include "solitaire/LevelTimer.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardLayoutFile.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/TKlondikeSaveFile.h"
#include "solitaire/TSolitaireUndo.h"
#include "solitaire/TStock.h"

#include <algorithm>

int32_t TGameModeKlondike::SaveGame(const std::string& path) {
  FileMessage.clear();
  if (!CanSaveGame()) return 0; // a card in the air would come back floating
  const int32_t score = GamePlay ? std::max(0, GamePlay->Score + GamePlay->ScoreAdder) : 0;
  const std::string file = path + ".ksave";
  if (!platform::WriteFileAtomic(platform::ResolvePath(file), TKlondikeSaveFile::Format(*this, LevelElapsedMs(), score))) {
    FileMessage = TCardLayoutFile::FileMessage("Could Not Create File", file);
    return 0;
  }
  return 1;
}

int32_t TGameModeKlondike::LoadSaveGame(const std::string& path) {
  std::string text;
  TKlondikeSaveFile saved;
  if (!platform::ReadWholeFile(platform::ResolvePath(path), text, TKlondikeSaveFile::MaxBytes) || !saved.Parse(text)) {
    FileMessage = TCardLayoutFile::FileMessage("Could Not Read File", path);
    return 0;
  }
  Clear();
  TKlondikeSaveFile::Apply(saved.Deal, *this);
  if (!OriginalPuzzle) OriginalPuzzle = std::make_shared<TSolitaireUndo>();
  OriginalPuzzle->SetFromCurrentValues(*this, 0);
  Clear();
  LevelStartTime = int64_t(AppMillisecs()) - saved.ElapsedMs;
  if (GamePlay) GamePlay->Score = saved.Score;
  TKlondikeSaveFile::Apply(saved.Current, *this);
  FileMessage.clear();
  return 1;
}

int32_t TGameModeKlondike::LoadGame(const std::string& path) {
  if (!LoadSaveGame(path)) return 0;
  const auto& stock = *Stock->Cards;
  if (stock.CurrentPosition + 1 < stock.Count()) {
    const auto& waste = *stock.ValueAtIndex(stock.CurrentPosition + 1);
    Stock->StockCardTop = TCard::Create(GetCardPicture(CardPicture::Back1), TStock::WasteX, TStock::WasteY);
    Stock->StockCardTop->Opened = 1;
    Stock->StockCardTop->CardSuit = waste.CardSuit;
    Stock->StockCardTop->CardNumber = waste.CardNumber;
    Stock->StockCardTop->UpdateCardImage();
  } else {
    Stock->StockCardTop.reset();
  }
  Cards->UpdateCardsOnTop();
  Cards->UpdatePosition();
  StartDealAnimation();
  CreateHints();
  AutoCompleteButton.reset();
  ResetHint();
  return 1;
}
