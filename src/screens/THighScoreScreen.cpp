#include "screens/THighScoreScreen.h"

#include "app/TGame.h"
#include "effects/TSlideLineList.h"
#include "platform/Graphics.h"
#include "player/TSolitaireHighScoreList.h"
#include "resources/TGameText.h"
#include "screens/TTitleScreen.h"
#include "solitaire/TGamePlay.h"
#include "ui/DialogFactories.h"
#include "ui/TDialogYesNo.h"
#include "ui/TMenu.h"
#include "ui/TextDraw.h"

#include <string>

std::shared_ptr<THighScoreScreen> HighScoreScreen;

namespace {

std::string Text(const std::string& key) { return GameText ? GameText->FindString(key) : std::string(); }

// The row's colour: white, and during the stay phase from white towards
// green as the phase runs (progress 0 to 1).
void ApplyLineColour(const TSlideLine& line) {
  constexpr int32_t StayPhase = 2;
  if (line.Active && line.CurrentPhase == StayPhase) {
    const float r = 1.0f - line.GetRatio();
    platform::SetColor(int(255 - 155 * r), 255, int(255 - 255 * r));
  } else {
    platform::SetColor(255, 255, 255);
  }
}

} // namespace

int THighScoreScreen::Load() {
  LoadPage("highscoresheader", 400, 50);
  GameMenu = CreateVariantRow();
  OkMenu = CreateOkRow({{"clear", nullptr}});
  CurrentHighScoreList = GamePlay->HighscoreListMatching;
  SetSlideLines();
  ClearHighscore.reset();
  ShowingInput = 0;
  return 1;
}

void THighScoreScreen::SetSlideLines() {
  w = col3 - col1;
  height = 0;
  SlideLines = std::make_shared<TSlideLineList>();
  if (CurrentHighScoreList) {
    int32_t k = 0;
    for (const auto& entry : CurrentHighScoreList->Items) {
      const float lineY = float(StartY + LineStep * k);
      const float from = k % 2 == 0 ? float(-w) : 800.0f;
      auto line = SlideLines->Add(entry->name, float(-w), lineY, float(-w), lineY, LineDelayMs * float(k));
      line->AddPhaseSpecial(from, lineY, float(col1), lineY, SlideMs);
      line->AddPhaseSpecial(float(col1), lineY, float(col1), lineY, StayMs);
      line->AttachObject(entry);
      height += LineStep;
      ++k;
    }
  }
  SlideLines->Start();
}

int THighScoreScreen::Logic() {
  if (HeaderSprite) HeaderSprite->ManageGlow();
  if (ClearHighscore) {
    ShowingInput = 1;
    const int32_t answer = ClearHighscore->Manage();
    if (answer == 1 && CurrentHighScoreList) {
      CurrentHighScoreList->Items.clear();
      CurrentHighScoreList->CreateDefault();
      SetSlideLines();
    }
    if (answer != 0) {
      // The dialog has given Escape back to the page, so Escape leaves it again.
      ClearHighscore->Kill();
      ClearHighscore.reset();
      ShowingInput = 0;
    }
  }
  if (!ShowingInput) {
    OkMenu->Manage();
    GameMenu->Manage();
    if (OkMenu->Clicked("ok")) FadeTo(TitleScreen);
    if (OkMenu->Clicked("clear")) ClearHighscore = CreateYesNoDialog(Text("Clear Highscore"));
    const std::pair<const char*, std::shared_ptr<TSolitaireHighScoreList>> tables[] = {
        {"klondike", GamePlay->HighscoreListSolitaire},
        {"matching", GamePlay->HighscoreListMatching},
        {"tripeaks", GamePlay->HighscoreListTripeaks}};
    for (const auto& [button, table] : tables) {
      if (!GameMenu->Clicked(button)) continue;
      CurrentHighScoreList = table;
      SetSlideLines();
    }
  }
  if (SlideLines) SlideLines->Manage();
  return 1;
}

int THighScoreScreen::Draw() {
  DrawBackdrop();
  DrawHeader();
  OkMenu->Draw(0, 0);
  GameMenu->Draw(0, 0);

  platform::SetBlend(platform::Blend::Alpha);
  SetImageFont(FontOfSize(34));
  platform::SetColor(255, 255, 0);
  DrawText(Text("Name"), float(col1), float(StartY - 30));
  DrawTextAligned(Text("Score"), float(col2), float(StartY - 30), 0, 2);
  DrawLines();
  platform::SetColor(255, 255, 255);

  if (ClearHighscore) ClearHighscore->Draw();
  return 1;
}

void THighScoreScreen::DrawLines() {
  if (!SlideLines) return;
  // The rows are 25 pixels apart: the 25-point font fits them, as the help text's lines.
  SetImageFont(FontOfSize(25));
  for (const auto& line : SlideLines->Items) {
    const auto entry = std::static_pointer_cast<TSolitaireHighScore>(line->AttachedObject);
    if (!entry) continue;
    const float lineX = line->GetX(), lineY = line->GetY();
    ApplyLineColour(*line);
    DrawText(entry->name, lineX, lineY);
    DrawTextAligned(std::to_string(entry->score), lineX + float(col2 - col1), lineY, 0, 2);
  }
}

int THighScoreScreen::Kill() {
  TMenuScreen::Kill();
  if (GameMenu) GameMenu->Kill();
  GameMenu.reset();
  OkMenu.reset();
  SlideLines.reset();
  if (ClearHighscore) ClearHighscore->Kill();
  ClearHighscore.reset();
  ShowingInput = 0;
  CurrentHighScoreList.reset();
  return 1;
}
