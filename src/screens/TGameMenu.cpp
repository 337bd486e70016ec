#include "screens/TGameMenu.h"

#include "app/InputTables.h"
#include "app/TAnimation.h"
#include "app/TGame.h"
#include "app/TMousePointer.h"
#include "app/TSoundBank.h"
#include "platform/Graphics.h"
#include "platform/Keys.h"
#include "resources/TGameImage.h"
#include "resources/TGameText.h"
#include "resources/TImageBank.h"
#include "screens/TGameGUI.h"
#include "solitaire/TGameMode.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/TState.h"
#include "ui/DialogFactories.h"
#include "ui/TDialogTextInput.h"
#include "ui/TDialogYesNo.h"
#include "ui/TMenu.h"
#include "ui/UiSound.h"

std::shared_ptr<TGameMenu> GameMenu;

namespace {

std::string Text(const char* key) { return GameText ? GameText->FindString(key) : std::string(); }

// Saving is offered only while the table is at rest and the level runs.
bool CanSaveNow() {
  if (GameState && GameState->stateFinished) return false;
  return GamePlay && GamePlay->GameMode && GamePlay->GameMode->CanSaveGame();
}

} // namespace

int TGameMenu::Load() {
  Buttons = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
  Buttons->AddQuick("resume")->OKButton = 1;
  Buttons->AddQuick("restartpuzzle");
  Buttons->AddQuick("shufflepuzzle");
  Buttons->AddQuick("savegame")->ClickDisabled = 0;
  if (GamePlay && GamePlay->SelectedGameMode == 2) Buttons->AddQuick("loadgame");
  Buttons->AddQuick("backtomenu");
  Buttons->Centre();
  Buttons->ResetShadow(1, 3, 3, 0.4f);
  Menu = Buttons;
  ActivateSound = Sounds && Sounds->Contains("buttonclick") ? Sounds->Find("buttonclick") : nullptr;
  DeactivateSound.reset();
  FadeIn = TAnimation::Create(200);
  FadeOut = TAnimation::Create(200);
  Active = 0;
  return 1;
}

void TGameMenu::Show(int32_t playSound) {
  Active = 1;
  MouseState = Game->Mouse && Game->Mouse->Active ? 1 : 0;
  if (Game->Mouse) Game->Mouse->On();
  if (playSound == 1) PlayUiSound(ActivateSound, SoundChannel);
  FadeOut->Active = 0;
  FadeIn->Reset();
  FadeIn->Start();
  FlushKeys();
  FlushMouse();
}

void TGameMenu::Hide() {
  if (!MouseState && Game->Mouse) Game->Mouse->Off();
  // The fade out starts where the fade in stood, so a quick toggle does not jump.
  const float shown = FadeIn->Active ? FadeIn->GetRatio() : 1.0f;
  FadeIn->Active = 0;
  FadeOut->Reset();
  FadeOut->Start();
  FadeOut->Counter = (1.0f - shown) * FadeOut->PhaseLength();
  FlushKeys();
  FlushMouse();
}

float TGameMenu::FadeValue() const {
  if (FadeIn && FadeIn->Active) return FadeIn->GetRatio();
  if (FadeOut && FadeOut->Active) return 1.0f - FadeOut->GetRatio();
  return Active ? 1.0f : 0.0f;
}

void TGameMenu::ManageFades() {
  if (FadeIn->Active) FadeIn->Manage();
  if (FadeOut->Active && FadeOut->Manage() == 1) Active = 0;
  if (FadeOut->Active && FadeOut->Finished) Active = 0;
}

int TGameMenu::Logic() {
  ManageFades();
  const bool closing = FadeOut->Active != 0;

  if (KeyHit(platform::keys::Escape)) {
    if (Active && !closing) {
      Game->EscapeSoundPlay();
      Hide();
    } else {
      Show(1);
    }
    return 1;
  }
  if (!Active || closing) return 1;

  if (auto save = Buttons->FindButton("savegame")) save->Disabled = CanSaveNow() ? 0 : 1;
  Buttons->Manage();
  if (Buttons->Clicked("resume")) Hide();
  else if (Buttons->Clicked("restartpuzzle")) GameGUI->RestartInput = CreateYesNoDialog(Text("Restart Puzzle"));
  else if (Buttons->Clicked("shufflepuzzle")) GameGUI->ShuffleInput = CreateYesNoDialog(Text("Reshuffle Puzzle"));
  else if (Buttons->Clicked("savegame") && CanSaveNow())
    GameGUI->SaveGameNameInput = CreateNameInputDialog(2, Text("Enter Save Name"));
  else if (Buttons->Clicked("loadgame")) GameGUI->ShowSaveGameManager();
  else if (Buttons->Clicked("backtomenu")) GameGUI->QuitInput = CreateYesNoDialog(Text("Exit Playing"));
  return 1;
}

int TGameMenu::Draw() {
  if (!Active) return 1;
  const float fade = FadeValue();
  platform::SetBlend(platform::Blend::Alpha);
  platform::SetColor(0, 0, 0);
  platform::SetAlpha(0.7f * fade);
  platform::DrawRect(0, 0, 800, 600);
  Buttons->CalcCoords();
  if (Images) {
    if (auto picture = Images->FindTImage("menu")) {
      platform::SetColor(255, 255, 255);
      platform::SetAlpha(fade);
      platform::DrawPicture(*picture, 400.0f, Buttons->y - 50.0f);
    }
  }
  Buttons->SetAlpha(fade);
  Buttons->Draw(0, 0);
  platform::SetAlpha(1.0f);
  return 1;
}
