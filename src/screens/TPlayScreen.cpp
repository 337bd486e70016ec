#include "screens/TPlayScreen.h"

#include "app/TGame.h"
#include "app/TMousePointer.h"
#include "effects/ParticleEffects.h"
#include "platform/Graphics.h"
#include "resources/TGameImage.h"
#include "resources/TGameText.h"
#include "resources/TImageBank.h"
#include "screens/ScreenBackground.h"
#include "screens/TGameGUI.h"
#include "screens/TGameScreen.h"
#include "screens/TLevelPlayScreen.h"
#include "screens/TTitleScreen.h"
#include "solitaire/LevelTimer.h"
#include "solitaire/TGameMode.h"
#include "solitaire/TGamePlay.h"
#include "ui/TMenu.h"
#include "ui/TSprite.h"
#include "ui/TextDraw.h"

std::shared_ptr<TPlayScreen> PlayScreen;

namespace {

constexpr float ButtonGrowth = 1.15f;

std::string Text(const std::string& key) { return GameText ? GameText->FindString(key) : std::string(); }

} // namespace

int TPlayScreen::Load() {
  Image = Images->Find("playscreen");
  x = y = 0;
  HeaderSprite = CreateGlowingHeader("playoptionsheader.png", 400, 100);

  GameMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
  GameMenu->AddQuick("matching")->OKButton = 1;
  GameMenu->AddQuick("tripeaks");
  GameMenu->AddQuick("klondike");
  GameMenu->MakeRow(40);
  GameMenu->CentreHoriz();
  GameMenu->SetY(200);

  MainMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
  MainMenu->AddNew("customsmall", "customsmallMO", "custom", 0, 0, 1);
  MainMenu->AddNew("backsmall", "backsmallMO", "back", 0, 0, 1);
  MainMenu->MakeRow(15);
  MainMenu->CentreHoriz();
  MainMenu->SetY(520);
  for (const auto& menu : {GameMenu, MainMenu})
    for (const auto& button : menu->Items) button->SetupScaleOnMO(ButtonGrowth, 0.03f, 0.01f);

  PointerSparkleOn(*Game->Mouse, Images->Find("particle1"));
  Game->FadeMusic = 0;
  return 1;
}

int TPlayScreen::Start() {
  TScreen::Start();
  Game->GameFade.Init(500.0f, 0);
  if (Game->Mouse) Game->Mouse->On();
  Game->FixedRateLogic.Init();
  Game->IgnoreEscapeKey = 0;
  GamePlay->IsCustomLevel = 0;
  GamePlay->CurrentLevel.clear();
  return 1;
}

void TPlayScreen::FadeTo(const std::shared_ptr<TScreen>& destination) {
  Game->DestinationTScreen = destination;
  Game->GameFade.Init(500.0f, 1, Game->MusicChannel);
}

int TPlayScreen::Logic() {
  if (HeaderSprite) HeaderSprite->ManageGlow();
  if (!GameMenu || !MainMenu) return 1;
  GameMenu->Manage();
  MainMenu->Manage();
  if (Game->GameFade.Active) return 1;
  if (GameMenu->Clicked("klondike")) {
    StartLevelTimer();
    GamePlay->Init(2, -1);
    GameGUI->Start(1);
    GamePlay->GameMode->Init(KlondikeLayoutPath(), 0);
    FadeTo(GameScreen);
  }
  if (GameMenu->Clicked("matching")) FadeTo(MatchingPlayScreen);
  if (GameMenu->Clicked("tripeaks")) FadeTo(TripeaksPlayScreen);
  if (MainMenu->Clicked("custom")) {
    GamePlay->Init(1, -1);
    GameGUI->Start(0);
    GamePlay->GameMode->Init("", 0);
    FadeTo(GameScreen);
  }
  if (MainMenu->Clicked("back")) FadeTo(TitleScreen);
  return 1;
}

int TPlayScreen::Draw() {
  DrawScreenBackground(Image, x, y);
  if (HeaderSprite) HeaderSprite->Draw();
  if (GameMenu) GameMenu->Draw(0, 0);
  if (MainMenu) MainMenu->Draw(0, 0);

  const char* about = nullptr;
  if (GameMenu && GameMenu->MouseOver("klondike")) about = "Klondike";
  else if (GameMenu && GameMenu->MouseOver("matching")) about = "Matching";
  else if (GameMenu && GameMenu->MouseOver("tripeaks")) about = "Tripeaks";
  else if (MainMenu && MainMenu->MouseOver("custom")) about = "Custom";
  if (about) {
    if (auto panel = Images->FindTImage("textback")) {
      platform::SetColor(255, 255, 255);
      platform::SetAlpha(1.0f);
      platform::DrawPicture(*panel, 400, 465);
    }
    SetImageFont(FontOfSize(20));
    platform::SetColor(255, 255, 255);
    DrawTextCentreX(Text(std::string(about) + " Message 1"), 443, 1);
    DrawTextCentreX(Text(std::string(about) + " Message 2"), 468, 1);
  }
  return 1;
}

int TPlayScreen::Kill() {
  TScreen::Kill();
  if (HeaderSprite) HeaderSprite->Kill();
  HeaderSprite.reset();
  GameMenu.reset();
  MainMenu.reset();
  return 1;
}

int TPlayScreen::SetEscDestination() {
  Game->DestinationTScreen = TitleScreen;
  return 0;
}
