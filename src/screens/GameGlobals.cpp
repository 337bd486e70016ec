#include "screens/GameGlobals.h"

#include "app/AppGlobals.h"
#include "app/Delta.h"
#include "app/ErrorReporter.h"
#include "app/InputTables.h"
#include "app/TGameAudio.h"
#include "app/TSoundBank.h"
#include "app/TTrackingVar.h"
#include "app/TVelquorGame.h"
#include "app/VQMouse.h"
#include "effects/TSmashParticle.h"
#include "player/PlayerProfiles.h"
#include "player/TSolitaireHighScoreList.h"
#include "resources/TGameText.h"
#include "resources/TImageBank.h"
#include "resources/TPakFileManager.h"
#include "screens/SessionSettings.h"
#include "screens/THelpScreen.h"
#include "screens/THighScoreScreen.h"
#include "screens/TOptionsScreen.h"
#include "screens/TGameGUI.h"
#include "screens/TGameMenu.h"
#include "screens/TGameScreen.h"
#include "screens/TLevelPlayScreen.h"
#include "screens/TPlayScreen.h"
#include "screens/TTitleScreen.h"
#include "screens/VQGenerateScreen.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/TState.h"
#include "solitaire/VictoryParticles.h"
#include "ui/TextDraw.h"

#include <memory>

namespace {

// The input pump and mouse flush the key tables use, and error and debug text
// in the smallest game font once the fonts are loaded.
void InstallHooks() {
  SystemInputPump = [] { Game->DoPeekEvent(); };
  MouseFlushHook = [] {
    if (Game && Game->Mouse) Game->Mouse->ClearButtons();
    // The card games read their clicks of this tick from GameMouse, counted
    // before the screen's logic: a press that closed a dialog this tick is
    // forgotten there too, so it cannot place, pick up or turn a card.
    if (GameMouse) {
      GameMouse->MBL = GameMouse->MBR = GameMouse->MBLDC = 0;
      GameMouse->DragStartX = GameMouse->DragStartY = -1;
      GameMouse->IsDragging = 0;
    }
  };
  ErrorTextHook = [](int x, int y, const std::string& text) {
    if (!Fonts[0]) return;
    SetImageFont(Fonts[0]);
    DrawTextAligned(text, float(x), float(y), 0, 1);
  };
  DebugTextHook = [](int x, int y, const std::string& text) {
    if (!Fonts[0]) return;
    SetImageFont(Fonts[0]);
    DrawText(text, float(x), float(y));
  };
}

} // namespace

void CreateGameGlobals() {
  // What program entry makes before anything runs: the screens, the banks,
  // the session's options file and record.
  TitleScreen = std::make_shared<TTitleScreen>();
  OptionsScreen = std::make_shared<TOptionsScreen>();
  HelpScreen = std::make_shared<THelpScreen>();
  HighScoreScreen = std::make_shared<THighScoreScreen>();
  PlayScreen = std::make_shared<TPlayScreen>();
  MatchingPlayScreen = std::make_shared<TMatchingPlayScreen>();
  TripeaksPlayScreen = std::make_shared<TTripeaksPlayScreen>();
  GameScreen = std::make_shared<TGameScreen>();
  GameMenu = std::make_shared<TGameMenu>();
  Images = std::make_shared<TImageBank>();
  HeartsImages = std::make_shared<TImageBank>();
  DiamondsImages = std::make_shared<TImageBank>();
  SpadesImages = std::make_shared<TImageBank>();
  ClubsImages = std::make_shared<TImageBank>();
  Sounds = std::make_shared<TSoundBank>();
  MusicBank = std::make_shared<TSoundBank>();
  MusicBank->Stream = 1; // two long tracks are not kept decoded in memory
  ResetSessionSettings();
  GamePlay = std::make_shared<TGamePlay>();
  GameMouse = std::make_shared<VQMouse>();
  GamePlay->HighscoreListSolitaire = std::make_shared<TSolitaireHighScoreList>();
  GamePlay->HighscoreListMatching = std::make_shared<TSolitaireHighScoreList>();
  GamePlay->HighscoreListTripeaks = std::make_shared<TSolitaireHighScoreList>();
  GameGUI = std::make_shared<TGameGUI>();

  // What start-up then fills, in its order: the application object, the game
  // text, the pack set, and last the session flags.
  Game = std::make_shared<TVelquorGame>();
  GameText = std::make_shared<TGameText>();
  PakFiles = std::make_shared<TPakFileManager>();
  GameState = std::make_shared<TState>();
  InstallHooks();
}

void ResetGameGlobals() {
  GameState.reset();
  VictoryParticles.reset();
  TSmashParticle::Sheet().reset();
  KillFonts();
  TextShadowX = TextShadowY = 1.0f;
  TextShadowAlpha = 0.5f;
  TextAlpha = 1.0f;
  PakFiles.reset();
  GameText.reset();
  TGameText::SetFolder("");
  Game.reset();
  GameMouse.reset();
  GameGUI.reset();
  GamePlay.reset();
  CurrentProfile.reset();
  ResetSessionSettings();
  MusicBank.reset();
  Sounds.reset();
  CurrentMusicTrack = 1;
  MusicRotationOn = 0;
  ClubsImages.reset();
  SpadesImages.reset();
  DiamondsImages.reset();
  HeartsImages.reset();
  Images.reset();
  HighScoreScreen.reset();
  HelpScreen.reset();
  OptionsScreen.reset();
  GenerateScreen.reset();
  GameMenu.reset();
  GameScreen.reset();
  TripeaksPlayScreen.reset();
  MatchingPlayScreen.reset();
  PlayScreen.reset();
  TitleScreen.reset();

  // The hooks start-up installs, the input tables and the core's values.
  ExitProgramHook = nullptr;
  ErrorTextHook = nullptr;
  DebugTextHook = nullptr;
  SystemInputPump = nullptr;
  MouseFlushHook = nullptr;
  UseSystemInput = 0;
  FlushKeys();
  Delta = 1.0f;
  ResetAppGlobals();
}
