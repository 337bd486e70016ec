#include "screens/TGameScreen.h"

#include "app/Clock.h"
#include "app/InputTables.h"
#include "app/TCrossFade.h"
#include "app/TGame.h"
#include "app/TMousePointer.h"
#include "effects/ParticleEffects.h"
#include "effects/ParticleRandom.h"
#include "effects/TParticleList.h"
#include "platform/Graphics.h"
#include "resources/TGameImage.h"
#include "resources/TGameText.h"
#include "resources/TImageBank.h"
#include "screens/ScreenBackground.h"
#include "screens/TGameGUI.h"
#include "screens/TGameMenu.h"
#include "screens/VQGenerateScreen.h"
#include "solitaire/LevelTimer.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/TState.h"
#include "solitaire/VictoryParticles.h"
#include "ui/TextDraw.h"

std::shared_ptr<TGameScreen> GameScreen;

namespace {

constexpr int64_t BackgroundChangeMs = 150000;
constexpr float BackgroundCrossFadeMs = 2000;

int64_t Now() { return int64_t(AppMillisecs()); }

std::shared_ptr<TGameImage> Background(int32_t number) { return Images->Find("gamescreen" + std::to_string(number)); }

std::string Text(const char* key) { return GameText ? GameText->FindString(key) : std::string(); }

} // namespace

int TGameScreen::Load() {
  LastImage = ParticleRandomInt(1, 5);
  Image = Background(LastImage);
  if (Game->Mouse) {
    if (Game->Mouse->ParticleList) Game->Mouse->ParticleList->Clear();
    PointerSparkleOff(*Game->Mouse);
  }
  VictoryParticles.reset();
  CrossFade.reset();
  Game->FadeMusic = 0;
  GameGUI->Load();
  if (GenerateScreen) GenerateScreen->Load();
  GameMenu->Load();
  return 1;
}

int TGameScreen::Start() {
  TScreen::Start();
  Game->GameFade.Init(500.0f, 0);
  LastMouseZ = Game->Mouse ? Game->Mouse->z : 0;
  LastTime = 0;
  DidPauseOrSuspend = -1;
  if (Game->Mouse) Game->Mouse->On();
  Game->IgnoreEscapeKey = 1;
  FlushKeys();
  FlushMouse();
  LastFade = Now();
  LastBurst = Now();
  Game->FixedRateLogic.Init();
  // A deal the mode could not make (a new layout, a reshuffle) is said at once.
  GameGUI->ShowDealMessage();
  return 1;
}

int TGameScreen::Logic() {
  const int64_t now = Now();
  if ((GameState->stateFinished || GamePlay->ShowVictoryParticles) && VictoryParticles) {
    if (now - LastBurst >= ParticleRandomInt(250, 750)) {
      LastBurst = now;
      SpawnVictoryBurst(*VictoryParticles, float(ParticleRandomInt(100, 700)), float(ParticleRandomInt(100, 500)),
                        Images->Find("particle2"), 50);
    }
  }
  if (VictoryParticles) VictoryParticles->Manage();

  if (now - LastFade >= BackgroundChangeMs) {
    const int32_t next = LastImage % 5 + 1;
    CrossFade = std::make_shared<TCrossFade>();
    CrossFade->Create(Background(LastImage), Background(next), BackgroundCrossFadeMs);
    // Both fill the screen from its top-left corner, wherever their handles are.
    if (CrossFade->Image1 && CrossFade->Image1->image)
      CrossFade->SetImage1Coords(int(CrossFade->Image1->image->HandleX()), int(CrossFade->Image1->image->HandleY()));
    if (CrossFade->Image2 && CrossFade->Image2->image)
      CrossFade->SetImage2Coords(int(CrossFade->Image2->image->HandleX()), int(CrossFade->Image2->image->HandleY()));
    LastImage = next;
    Image = Background(next);
    LastFade = now;
  }
  if (CrossFade && CrossFade->Manage() == 1) CrossFade.reset();

  if (GenerateScreen) {
    GenerateScreen->Logic();
    if (GenerateScreen->Active) return 1;
  }
  GameGUI->Logic();
  if (!GameState->disableButtons && !GameState->stateCustomMode) GameMenu->Logic();
  else GameMenu->ManageFades();
  if (!GameMenu->Active) GamePlay->Logic();
  return 1;
}

void TGameScreen::PauseBookkeeping() {
  const bool finished = GameState->stateFinished != 0;
  if (LastTime == 0) {
    int32_t cause = -1;
    if (Game->Paused) cause = 0;
    else if (Game->Suspended) cause = 1;
    else if (GameMenu->Active) cause = 2;
    if (cause < 0) return;
    if (!finished) {
      PauseLevelTimer();
      LastTime = LevelPauseTime;
    } else {
      LastTime = Now();
    }
    DidPauseOrSuspend = cause;
    return;
  }
  const bool over = (DidPauseOrSuspend == 0 && !Game->Paused) || (DidPauseOrSuspend == 1 && !Game->Suspended) ||
                    (DidPauseOrSuspend == 2 && !GameMenu->Active);
  if (!over) return;
  if (!finished) ResumeLevelTimer();
  DidPauseOrSuspend = -1;
  LastTime = 0;
}

void TGameScreen::DrawScore() {
  if (GameState->stateCustomMode) return;
  auto font = FontOfSize(34);
  if (!font) return;
  SetImageFont(font);
  const float oldX = TextShadowX, oldY = TextShadowY, oldAlpha = TextShadowAlpha;
  TextShadowX = TextShadowY = 2;
  TextShadowAlpha = 0.6f;
  platform::SetBlend(platform::Blend::Alpha);
  platform::SetAlpha(1.0f);
  platform::SetColor(255, 255, 255);
  const bool klondike = GamePlay->SelectedGameMode == 2;
  const float x = klondike ? 110.0f : 500.0f;
  DrawTextAligned(Text("Score Field") + std::to_string(GamePlay->Score), x, klondike ? 557.0f : 25.0f, 1, 0);
  if (GamePlay->ShowTimer)
    DrawTextAligned(Text("Time Field") + LevelTimeText(), x, klondike ? 517.0f : 65.0f, 1, 0);
  TextShadowX = oldX;
  TextShadowY = oldY;
  TextShadowAlpha = oldAlpha;
}

int TGameScreen::Draw() {
  if (CrossFade) {
    CrossFade->Draw();
  } else {
    DrawScreenBackground(Image);
  }
  platform::SetBlend(platform::Blend::Alpha);
  DrawScore();
  PauseBookkeeping();
  if (GameState->stateCustomMode) {
    GamePlay->Draw();
    GameGUI->DrawMenus();
  } else {
    GameGUI->DrawMenus();
    GamePlay->Draw();
  }
  if (VictoryParticles) VictoryParticles->Draw();
  GameMenu->Draw();
  GameGUI->Draw();
  if (GenerateScreen) GenerateScreen->Draw();
  return 1;
}
