#include "screens/GameSetup.h"

#include "app/AppGlobals.h"
#include "app/Clock.h"
#include "app/ErrorReporter.h"
#include "app/InputTables.h"
#include "app/TGame.h"
#include "app/TLoadingScreen.h"
#include "app/TSoundBank.h"
#include "app/TSplashScreen.h"
#include "app/VQMouse.h"
#include "effects/TSmashParticle.h"
#include "platform/ErrorReport.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Pixmap.h"
#include "platform/System.h"
#include "player/TSolitaireHighScoreList.h"
#include "resources/TGameText.h"
#include "resources/TImageBank.h"
#include "resources/TPakFileManager.h"
#include "screens/SessionSettings.h"
#include "screens/TTitleScreen.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/TSmashBonusEffect.h"
#include "solitaire/TState.h"
#include "ui/TextDraw.h"

#include <cstdlib>

std::string FindDataPrefix(const std::string& commandLineFolder) {
  if (!commandLineFolder.empty()) return AddSlash(commandLineFolder);
  if (const char* env = std::getenv("MARROWDECK_DATA"); env && *env) return AddSlash(env);
  std::string beside = platform::ExecutableFolder() + "gamedata/";
  if (platform::FolderExists(beside)) return beside;
  return platform::ExecutableFolder() + "../share/marrowdeck/";
}

void GameSetup(const TRunOptions& options) {
  // The application object and its fixed choices: windowed unless the
  // settings say otherwise, half volume until they are read, and closing
  // the window is never refused.
  Game->DataPrefix = FindDataPrefix(options.DataFolder);
  Game->FullScreen = 0;
  Game->MusicSetVolume(50, 0);
  Game->SoundSetVolume(50, 0);
  Game->TerminatedUserFunction = [] { return 0; };

  // Folders, then crash recovery before the settings are read.
  Game->SetSubPathWrapper(SharedDataFolder);
  // A settings or player write killed half-way leaves its temporary file.
  platform::RemoveStaleTemporaryFiles(Game->SubPath);
  platform::RemoveStaleTemporaryFiles(Game->ProfilePath);
  Game->CheckGoodExit();
  Game->Init(0);
  if (options.FullScreen >= 0) {
    Game->SavedFullScreen = Game->FullScreen;
    Game->FullScreen = options.FullScreen;
  }

  // Audio, the product's key choices (no developer or debug keys), and the
  // start time; from here on errors use the system message box.
  Game->ChannelsCreate(16);
  if (Game->Channels) Game->Channels->MaxVol = 16.0f;
  Game->SetEscapeSound("buttonclick");
  Game->IgnoreDebugKey = 1;
  Game->IgnoreFrameworkKeys = 1;
  SetupTime = int64_t(AppMillisecs());
  ErrorsInGraphics = 0;

  // The particle sheet of every particle effect (missing is fatal).
  TSmashParticle::SetImage(Game->ImagePath + "particles.png");

  // Game text first, so a missing data pack can be reported in the
  // player's words; then the pack set every later load looks in.
  TGameText::SetFolder(Game->TextPath);
  GameText->Read("gametext.txt");
  if (!platform::FileExists(Game->DataPrefix + "data/resources/" + "data.pak")) {
    // A damaged or partial text file may lack the entry: the message is never empty.
    std::string message = GameText->FindString("Data Pak Error");
    if (message.empty()) message = DataPakErrorFallback;
    ShowError(message, 0);
    ExitProgram(1);
  }
  PakFiles->Open(platform::ResolvePath(Game->DataPrefix + "data/resources/"), ".pak");
  // The trail of every flying bonus (missing is fatal).
  TSmashBonusEffect::Install(Game->DataPrefix + "data/resources/bonusfly.par");

  // Fonts and the banks' folders.
  LoadGameFonts();
  for (const auto& bank : {Images, HeartsImages, DiamondsImages, SpadesImages, ClubsImages})
    bank->SetPath(Game->ImagePath);
  Sounds->SetPath(Game->SoundPath);
  MusicBank->SetPath(Game->MusicPath);
  GameMouse->DraggingPixels = 2; // the card games start a drag after 2 pixels of movement

  // The session options; from here on the orderly end writes them back.
  LoadSessionSettings(Game->SubPath);
  ExitProgramHook = [] {
    GamePlay->FirstRun = 0;
    WriteSessionSettings();
  };

  // The three high-score tables, read from the profile folder.
  GamePlay->HighscoreListSolitaire->Create("klondike", 10);
  GamePlay->HighscoreListSolitaire->Load();
  GamePlay->HighscoreListMatching->Create("matching", 10);
  GamePlay->HighscoreListMatching->Load();
  GamePlay->HighscoreListTripeaks->Create("tripeaks", 10);
  GamePlay->HighscoreListTripeaks->Load();

  // The window (the game draws its own pointer), then the logo splash.
  Game->GraphicsCreate();
  platform::ShowSystemCursor(false);
  Game->PortalSplash = 0;
  if (Game->Fade == 1) ShowLogoSplash(Game->Sound, 0);

  // Everything else under the loading screen, then a fresh frame timer so
  // the loading time is not taken for one long frame.
  LoadGameResources();
  Game->FixedRateLogic.Init();

  // The session flags start cleared.
  *GameState = TState();
}

void LoadGameResources() {
  platform::SetMaskColor(255, 0, 255);
  auto loading = Game->LoadingScreen;
  loading->StepWaitMs = LoadingStepWait(std::getenv("MARROWDECK_LOADING_STEP_MS"));
  loading->SpecialLoad("loading.png", "loadingbar.png", "");
  loading->LoadingBar.Mode = 1;
  loading->LoadingBar.Centre(ScreenHeight - 175);
  loading->SetSteps(24);
  loading->Draw();
  Game->PostDraw();

  LoadSoundEffects();
  LoadMusicTracks();
  LoadInterfaceImages();
  for (const char* name : {"gamescreen1.jpg", "gamescreen2.jpg", "gamescreen3.jpg", "gamescreen4.jpg",
                           "gamescreen5.jpg", "playscreen.jpg", "titlescreen.jpg", "particle1.png", "particle2.png"}) {
    auto picture = PakFiles->GetImage(name, -1);
    if (!picture) ShowError(std::string("Error loading bitmap ") + Game->DataPrefix + "data/resources/" + name, 1);
    std::string key(name);
    AddImageToBank(picture, key.substr(0, key.find('.')), 1, nullptr);
    Game->MoveBar();
  }

  Game->CurrentTScreen = loading;
  loading->Destination = TitleScreen;
  platform::SetMaskColor(0, 0, 0);
  if (platform::GraphicsOpen() && !platform::AppHasFocus()) Game->SuspendedEvent = 1;
}

void LoadSoundEffects() {
  for (const char* name : {"buttonclick", "buttonmo", "bonus.ogg", "buttonclick2", "buttonclick3.ogg", "applause.ogg",
                           "applause2.ogg", "invalid", "swish", "hint1", "hint2"}) {
    Sounds->Load(name, 1.0f, 1.0f);
    Game->MoveBar();
  }
}

void LoadMusicTracks() {
  for (const char* name : {"music1.ogg", "music2.ogg"}) {
    MusicBank->Load(name, 0.0f, 1.0f);
    Game->MoveBar();
  }
}

void LoadInterfaceImages() {
  Game->Mouse->Load("pointer");
  for (int i = 1; i <= 6; ++i) Images->Load("cardback" + std::to_string(i));
  for (const char* name :
       {"carddenied", "cardmo", "cardempty", "cardfoundationempty", "cardstockempty", "cardhint1", "cardhint2",
        "cardmarked", "cardflip", "levelback", "levelhighlight", "check", "textback", "helptextback", "helptextback2",
        "scoreplus", "scoreminus1", "scoreminus2", "paused", "generating", "music", "sound", "blackback", "input",
        "inputlong", "helpimage", "helpimage2", "helpimage3", "manager", "menu", "scrollslider"})
    Images->Load(name);
  const std::pair<const char*, std::shared_ptr<TImageBank>*> suits[] = {
      {"hearts", &HeartsImages}, {"diamonds", &DiamondsImages}, {"spades", &SpadesImages}, {"clubs", &ClubsImages}};
  for (const auto& [suit, bank] : suits)
    for (int rank = 1; rank <= 13; ++rank) (*bank)->Load(suit + std::to_string(rank));
  Game->SpritePausedCreate(Images->Find("paused"));
  Game->MoveBar();
}
