#include "screens/TTitleScreen.h"

#include "app/AppGlobals.h"
#include "app/InputTables.h"
#include "app/TGame.h"
#include "app/TLoadingScreen.h"
#include "effects/ParticleEffects.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "player/PlayerProfiles.h"
#include "player/VQPlayerManager.h"
#include "player/VQProfile.h"
#include "resources/TGameImage.h"
#include "resources/TGameText.h"
#include "resources/TImageBank.h"
#include "screens/THelpScreen.h"
#include "screens/THighScoreScreen.h"
#include "screens/TOptionsScreen.h"
#include "screens/ScreenBackground.h"
#include "screens/TPlayScreen.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogTextInput.h"
#include "ui/TMenu.h"
#include "ui/TSprite.h"
#include "ui/TextDraw.h"

std::shared_ptr<TTitleScreen> TitleScreen;

namespace {

// Every title button grows to this size under the pointer.
constexpr float ButtonGrowth = 1.15f;

} // namespace

int TTitleScreen::Load() {
  Image = Images->Find("titlescreen");
  x = y = 0;

  HeaderSprite = CreateGlowingHeader("logo.png", 400, 100);

  TitleMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
  TitleMenu->AddQuick("play")->OKButton = 1;
  TitleMenu->AddQuick("help");
  TitleMenu->AddQuick("options");
  TitleMenu->AddQuick("highscore");
  TitleMenu->AddNew("Exit", "exitMO", "exit", 0, 0, 1);
  TitleMenu->Centre();
  TitleMenu->SetY(TitleMenu->y + 50);
  if (platform::FileExists(Game->MenuPath + "changeplayer.png"))
    TitleMenu->DoAddNew("changeplayer", "changeplayerMO", "", 0, 0, 1)->CentreX(560);
  for (const auto& button : TitleMenu->Items) button->SetupScaleOnMO(ButtonGrowth, 0.03f, 0.01f);
  Menu = TitleMenu;

  PointerSparkleOn(*Game->Mouse, Images->Find("particle1"));
  Game->FadeMusic = 0;
  if (!PlayersChecked) {
    PlayersChecked = 1;
    PromptForName();
  }
  return 1;
}

void TTitleScreen::PromptForName() {
  switch (StartupPlayerCheck()) {
  case TPlayerStartup::AskName: SetupPrompt(); break;
  case TPlayerStartup::ChoosePlayer: ShowPlayerManager(); break;
  case TPlayerStartup::Ready: break;
  }
}

void TTitleScreen::SetupPrompt() {
  EnterName = CreatePlayerNamePrompt(0);
  // A player file that cannot be made keeps the prompt open under the error.
  EnterName->OKClickedFunc = [](TDialogTextInput& prompt) {
    if (SelectPlayer(prompt.Value())) return 1;
    prompt.DialogOK = TDialogOK::OpenOver(prompt.ErrorDialogFunc,
                                          PlayerFileErrorMessage("Could Not Create File", prompt.Value()));
    return 0;
  };
}

void TTitleScreen::ShowPlayerManager() {
  PlayerManager = VQPlayerManager::CreateForGame();
  FlushKeys();
  FlushMouse();
}

int32_t TTitleScreen::ManagePlayerDialogs() {
  TDialog* dialog = EnterName ? static_cast<TDialog*>(EnterName.get()) : PlayerManager.get();
  if (!dialog) return 0;
  // Any answer closes it (the first player's prompt has no cancel).
  if (dialog->Manage() != 0 || !dialog->Active) {
    dialog->Kill();
    if (EnterName) EnterName.reset();
    else PlayerManager.reset();
    if (TitleMenu) TitleMenu->ManageNoSound();
  }
  return 1;
}

int TTitleScreen::Start() {
  TScreen::Start();
  // Entered from the loading screen (the first screen): the music rotation starts.
  if (Game->LastTScreen && Game->LastTScreen == Game->LoadingScreen) {
    MusicRotationOn = 1;
    Game->NextMusicTrack(1);
  }
  Game->GameFade.Init(500.0f, 0);
  // Escape belongs to a player manager open from start-up (it cancels) and
  // to the title screen again once either player dialog has closed (the
  // first player's prompt ignores it: keys are the entry's while typing).
  if (PlayerManager) {
    PlayerManager->OldIgnoreEscapeKey = 0;
    Game->IgnoreEscapeKey = 1;
  }
  if (EnterName) EnterName->OldIgnoreEscapeKey = 0;
  return 1;
}

int TTitleScreen::Logic() {
  if (ManagePlayerDialogs()) return 1;
  if (HeaderSprite) HeaderSprite->ManageGlow();
  if (!TitleMenu) return 1;
  TitleMenu->Manage();
  if (TitleMenu->Clicked("exit")) FadeTo(Game->ExitScreen);
  if (TitleMenu->Clicked("play")) FadeTo(PlayScreen);
  if (TitleMenu->Clicked("help")) FadeTo(HelpScreen);
  if (TitleMenu->Clicked("options")) FadeTo(OptionsScreen);
  if (TitleMenu->Clicked("highscore")) FadeTo(HighScoreScreen);
  if (TitleMenu->Clicked("changeplayer")) ShowPlayerManager();
  return 1;
}

void TTitleScreen::FadeTo(const std::shared_ptr<TScreen>& destination) {
  if (Game->GameFade.Active) return;
  Game->DestinationTScreen = destination;
  Game->GameFade.Init(500.0f, 1, Game->MusicChannel);
}

int TTitleScreen::Draw() {
  DrawScreenBackground(Image, x, y);
  if (HeaderSprite) HeaderSprite->Draw();
  if (EnterName) EnterName->Draw();
  if (PlayerManager) PlayerManager->Draw();
  if (!(EnterName && EnterName->Active) && !(PlayerManager && PlayerManager->Active)) {
    DrawWelcome();
    if (TitleMenu) TitleMenu->Draw(0, 0);
  }
  DrawVersion();
  return 1;
}

void TTitleScreen::DrawWelcome() {
  if (!CurrentProfile) return;
  const std::string text = (GameText ? GameText->FindString("Welcome Message") : std::string()) +
                           CurrentProfile->Name + "!";
  DrawTextLines(text, -1, 535, FontOfSize(20), 1, 0);
}

void TTitleScreen::DrawVersion() {
  const auto font = FontOfSize(18);
  if (!font) return;
  const std::string text = (GameText ? GameText->FindString("Version") : std::string()) + GameVersion;
  SetImageFont(font);
  const float oldX = TextShadowX, oldY = TextShadowY, oldAlpha = TextShadowAlpha;
  TextShadowX = TextShadowY = 2;
  TextShadowAlpha = 0.6f;
  platform::SetBlend(platform::Blend::Alpha);
  platform::SetColor(255, 255, 255);
  DrawTextAligned(text, 790, 576, 1, 2);
  TextShadowX = oldX;
  TextShadowY = oldY;
  TextShadowAlpha = oldAlpha;
}

int TTitleScreen::Kill() {
  TScreen::Kill();
  if (HeaderSprite) HeaderSprite->Kill();
  HeaderSprite.reset();
  TitleMenu.reset();
  if (EnterName) EnterName->Kill();
  if (PlayerManager) PlayerManager->Kill();
  EnterName.reset();
  PlayerManager.reset();
  return 1;
}

int TTitleScreen::SetEscDestination() {
  Game->DestinationTScreen = Game->ExitScreen;
  return 0;
}
