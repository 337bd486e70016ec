#include "screens/GameSetup.h"

#include "app/AppGlobals.h"
#include "app/Clock.h"
#include "app/ErrorReporter.h"
#include "app/InputTables.h"
#include "app/TGame.h"
#include "app/TLoadingScreen.h"
#include "app/TSoundBank.h"
#include "app/TSplashScreen.h"
#include "app/TVelquorGame.h"
#include "platform/ErrorReport.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Pixmap.h"
#include "platform/System.h"
#include "resources/TGameText.h"
#include "resources/TImageBank.h"
#include "resources/TPakFileManager.h"
#include "screens/SessionSettings.h"
#include "screens/TTitleScreen.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/TState.h"
#include "ui/TextDraw.h"

#include <cstdlib>

namespace {

// The particle sheet, kept until the particle effects take it over.
std::shared_ptr<TGameImage> ParticleSheet;

// Draws error and debug text with the smallest game font, once fonts exist.
void InstallTextHooks() {
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

std::string FindDataPrefix(const std::string& commandLineFolder) {
  if (!commandLineFolder.empty()) return AddSlash(commandLineFolder);
  if (const char* env = std::getenv("MARROWDECK_DATA"); env && *env) return AddSlash(env);
  std::string beside = platform::ExecutableFolder() + "gamedata/";
  if (platform::FolderExists(beside)) return beside;
  return platform::ExecutableFolder() + "../share/marrowdeck/";
}

void GameSetup(const TRunOptions& options) {
  // 1-3: the application object and its fixed choices.
  auto game = std::make_shared<TVelquorGame>();
  Game = game;
  Game->DataPrefix = FindDataPrefix(options.DataFolder);
  Game->FullScreen = 0;
  Game->MusicSetVolume(50, 0);
  Game->SoundSetVolume(50, 0);
  Game->TerminatedUserFunction = [] { return 0; };
  if (!GamePlay) GamePlay = std::make_shared<TGamePlay>();
  SystemInputPump = [] { Game->DoPeekEvent(); };
  MouseFlushHook = [] {
    if (Game && Game->Mouse) Game->Mouse->ClearButtons();
  };

  // 4-6: folders, crash recovery, settings.
  Game->SetSubPathWrapper("Velquor Games/Marrowdeck");
  Game->CheckGoodExit();
  Game->Init(0);
  if (options.FullScreen >= 0) {
    Game->SavedFullScreen = Game->FullScreen;
    Game->FullScreen = options.FullScreen;
  }

  // 7-10: audio, keys, start time.
  Game->ChannelsCreate(16);
  if (Game->Channels) Game->Channels->MaxVol = 16.0f;
  Game->SetEscapeSound("buttonclick");
  Game->IgnoreDebugKey = 1;
  Game->IgnoreFrameworkKeys = 1;
  SetupTime = int64_t(AppMillisecs());
  ErrorsInGraphics = 0;

  // 11: the particle sheet.
  std::string sheet = platform::ResolvePath(Game->ImagePath + "particles.png");
  if (platform::FileExists(sheet)) ParticleSheet = TGameImage::Create(sheet, -1, 1);

  // 12-14: game text, the data pack, the pack set.
  TGameText::SetFolder(Game->TextPath);
  GameText = TGameText::Create("gametext.txt");
  if (!platform::FileExists(Game->DataPrefix + "data/resources/" + "data.pak")) {
    ShowError(GameText->FindString("Data Pak Error"), 0);
    ExitProgram();
  }
  PakFiles = TPakFileManager::Create(platform::ResolvePath(Game->DataPrefix + "data/resources/"), ".pak");

  // 15-16: fonts and the banks' folders.
  LoadGameFonts();
  InstallTextHooks();
  for (auto* bank : {&Images, &HeartsImages, &DiamondsImages, &SpadesImages, &ClubsImages}) {
    if (!*bank) *bank = std::make_shared<TImageBank>();
    (*bank)->SetPath(Game->ImagePath);
  }
  Sounds.SetPath(Game->SoundPath);
  MusicBank.SetPath(Game->MusicPath);

  // 18: the session options; from here on the orderly end writes them back.
  LoadSessionSettings(Game->SubPath);
  ExitProgramHook = [] {
    GamePlay->FirstRun = 0;
    WriteSessionSettings();
  };

  // 20: the window, then the logo splash.
  Game->GraphicsCreate();
  platform::ShowSystemCursor(false);
  Game->PortalSplash = 0;
  if (Game->Fade == 1) ShowLogoSplash(Game->Sound, 0);

  // 21-22: everything else under the loading screen.
  LoadGameResources();
  Game->FixedRateLogic.Init();

  // 23: the session flags, cleared.
  GameState = std::make_shared<TState>();
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
  if (!TitleScreen) TitleScreen = std::make_shared<TTitleScreen>();
  loading->Destination = TitleScreen;
  platform::SetMaskColor(0, 0, 0);
  if (platform::GraphicsOpen() && !platform::AppHasFocus()) Game->SuspendedEvent = 1;
}

void LoadSoundEffects() {
  for (const char* name : {"buttonclick", "buttonmo", "bonus.ogg", "buttonclick2", "buttonclick3.ogg", "applause.ogg",
                           "applause2.ogg", "invalid", "swish", "hint1", "hint2"}) {
    Sounds.Load(name, 1.0f, 1.0f);
    Game->MoveBar();
  }
}

void LoadMusicTracks() {
  for (const char* name : {"music1.ogg", "music2.ogg"}) {
    MusicBank.Load(name, 0.0f, 1.0f);
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
        "inputlong", "helpimage", "helpimage2", "helpimage3", "manager", "menu"})
    Images->Load(name);
  const std::pair<const char*, std::shared_ptr<TImageBank>*> suits[] = {
      {"hearts", &HeartsImages}, {"diamonds", &DiamondsImages}, {"spades", &SpadesImages}, {"clubs", &ClubsImages}};
  for (const auto& [suit, bank] : suits)
    for (int rank = 1; rank <= 13; ++rank) (*bank)->Load(suit + std::to_string(rank));
  Game->SpritePausedCreate(Images->Find("paused"));
  Game->MoveBar();
}
