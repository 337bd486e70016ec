#include "screens/TLevelPlayScreen.h"

#include "app/InputTables.h"
#include "app/TGame.h"
#include "app/TMousePointer.h"
#include "effects/ParticleEffects.h"
#include "effects/ParticleRandom.h"
#include "platform/Graphics.h"
#include "player/PlayerProfiles.h"
#include "player/TSaveGameManager.h"
#include "resources/TGameText.h"
#include "resources/TImageBank.h"
#include "screens/LevelFiles.h"
#include "screens/LevelThumbnails.h"
#include "screens/ScreenBackground.h"
#include "screens/TGameGUI.h"
#include "screens/TGameScreen.h"
#include "screens/TPlayScreen.h"
#include "screens/VQGenerateScreen.h"
#include "screens/VQLevelList.h"
#include "solitaire/LevelTimer.h"
#include "solitaire/TCardLayoutFile.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameMode.h"
#include "solitaire/TGamePlay.h"
#include "ui/DialogFactories.h"
#include "ui/TDialogOK.h"
#include "ui/TMenu.h"
#include "ui/TSprite.h"
#include "ui/TextDraw.h"

std::shared_ptr<TMatchingPlayScreen> MatchingPlayScreen;
std::shared_ptr<TTripeaksPlayScreen> TripeaksPlayScreen;

namespace {

constexpr float ButtonGrowth = 1.15f;

std::string Text(const std::string& key) { return GameText ? GameText->FindString(key) : std::string(); }

const TLevelPlayConfig MatchingConfig{3, "layouts/matching/", "msave", "Matching Name", "matching"};
const TLevelPlayConfig TripeaksConfig{4, "layouts/tripeaks/", "tsave", "Tripeaks Name", "tripeaks"};

} // namespace

TMatchingPlayScreen::TMatchingPlayScreen() : TLevelPlayScreen(MatchingConfig) {}
TTripeaksPlayScreen::TTripeaksPlayScreen() : TLevelPlayScreen(TripeaksConfig) {}

std::shared_ptr<TScreen> PlayScreenOfGameType(int32_t gameType) {
  if (gameType == 3 && MatchingPlayScreen) return MatchingPlayScreen;
  if (gameType == 4 && TripeaksPlayScreen) return TripeaksPlayScreen;
  return PlayScreen;
}

TLevelPlayScreen::TLevelPlayScreen(const TLevelPlayConfig& config) : Config(config) { name = config.ScreenName; }

int TLevelPlayScreen::Load() {
  Image = Images->Find("playscreen");
  x = y = 0;
  HeaderSprite = CreateGlowingHeader("selectlevel.png", 400, 45);

  MainMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
  MainMenu->AddQuick("playsmall")->OKButton = 1;
  MainMenu->AddQuick("load");
  MainMenu->AddQuick("backsmall", "back");
  MainMenu->MakeRow(15);
  MainMenu->CentreHoriz();
  MainMenu->SetY(520);

  LevelTypeMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
  LevelTypeMenu->AddQuick("standardlevel");
  LevelTypeMenu->AddQuick("customlevel");
  LevelTypeMenu->MakeRow(50);
  LevelTypeMenu->CentreHoriz();
  LevelTypeMenu->SetY(85);
  for (const auto& button : LevelTypeMenu->Items) button->SetupScaleOnMO(ButtonGrowth, 0.03f, 0.01f);
  CurrentLevelType = "standardlevel";

  PointerSparkleOn(*Game->Mouse, Images->Find("particle1"));
  if (GenerateScreen) GenerateScreen->Load();
  return 1;
}

int TLevelPlayScreen::Start() {
  TScreen::Start();
  Game->GameFade.Init(500.0f, 0);
  if (Game->Mouse) Game->Mouse->On();
  Game->FixedRateLogic.Init();
  Game->IgnoreEscapeKey = 0;
  ErrorDialog.reset();
  // Back from a game: the list it was chosen from.
  if (GamePlay->IsCustomLevel) {
    CurrentLevelType = "customlevel";
    ShowCustomLevelList();
  } else {
    CurrentLevelType = "standardlevel";
    ShowStandardLevelList();
  }
  ShowLevelType();
  return 1;
}

void TLevelPlayScreen::ShowLevelType() {
  if (!LevelTypeMenu) return;
  for (const char* type : {"standardlevel", "customlevel"}) {
    auto button = LevelTypeMenu->FindButton(type);
    if (!button) continue;
    const std::string shown = CurrentLevelType == type ? std::string(type) + "On" : std::string(type);
    button->LoadImages(shown, shown + "MO", 0, 0, 1);
  }
}

void TLevelPlayScreen::DropLists() {
  for (auto* list : {&StandardLevelList, &CustomLevelList}) {
    if (*list) (*list)->Kill();
    list->reset();
  }
}

std::shared_ptr<VQLevelList> TLevelPlayScreen::MakeList(int32_t custom) {
  DropLists();
  const std::string profile = ProfileFolder();
  // The marks file by the players' one rule, split into folder and name.
  std::string marks = PlayerCompletedFile(Game->ProfileName, Config.GameModeNumber, custom);
  if (marks.compare(0, profile.size(), profile) == 0) marks.erase(0, profile.size());
  auto list = VQLevelList::Create(custom ? profile : Game->DataPrefix + Config.LayoutFolder, "layout", "",
                                  Text("Cards Field"), Text("No Levels"), custom ? 0 : 1, 7, 11, marks, profile);
  list->CreateLevelImageFunction = CreateLevelThumbnail;
  list->Init();
  // The layout played last is preselected, on its page.
  list->CurrentLevel = LevelName(GamePlay->CurrentLevel);
  list->CreateImages(1);
  return list;
}

void TLevelPlayScreen::ShowStandardLevelList() { StandardLevelList = MakeList(0); }

void TLevelPlayScreen::ShowCustomLevelList() { CustomLevelList = MakeList(1); }

std::shared_ptr<VQLevelList> TLevelPlayScreen::CurrentList() const {
  return CustomLevelList ? CustomLevelList : StandardLevelList;
}

void TLevelPlayScreen::FadeTo(const std::shared_ptr<TScreen>& destination) {
  Game->DestinationTScreen = destination;
  Game->GameFade.Init(500.0f, 1, Game->MusicChannel);
}

int TLevelPlayScreen::Logic() {
  if (HeaderSprite) HeaderSprite->ManageGlow();
  // The overlay fades out before a message about the layout takes the input.
  if (GenerateScreen) {
    GenerateScreen->Logic();
    if (GenerateScreen->Active) return 1;
  }
  if (ErrorDialog) {
    if (ErrorDialog->Manage() != 0) {
      ErrorDialog->Kill();
      ErrorDialog.reset();
      FlushMouse();
    }
    return 1;
  }
  if (SaveGameManager) {
    const int32_t result = SaveGameManager->Manage();
    if (result != 0) {
      const std::string chosen = SaveGameManager->SelectedName();
      SaveGameManager->Kill();
      SaveGameManager.reset();
      FlushMouse();
      if (result == 1) ResumeSavedGame(chosen);
      return 1;
    }
    if (SaveGameManager->Active) return 1;
  }
  if (!MainMenu || !LevelTypeMenu) return 1;
  MainMenu->Manage();
  LevelTypeMenu->Manage();
  if (Game->GameFade.Active) return 1;
  if (MainMenu->Clicked("playsmall")) StartLevel();
  if (MainMenu->Clicked("load")) ShowSaveGameManager();
  if (MainMenu->Clicked("back")) FadeTo(PlayScreen);
  for (const char* type : {"standardlevel", "customlevel"}) {
    if (!LevelTypeMenu->Clicked(type)) continue;
    CurrentLevelType = type;
    if (CurrentLevelType == "customlevel") ShowCustomLevelList();
    else ShowStandardLevelList();
    ShowLevelType();
  }
  if (SaveGameManager || (GenerateScreen && GenerateScreen->Active)) return 1;
  if (auto list = CurrentList()) {
    list->Manage();
    if (list->StartLevel) StartLevel();
  }
  return 1;
}

int32_t TLevelPlayScreen::StartLevel() {
  if (Game->GameFade.Active || (GenerateScreen && GenerateScreen->Active)) return 0;
  // An empty list (a new player's own layouts) has nothing to start.
  const auto list = CurrentList();
  if (!list || list->LevelList.empty() || list->CurrentLevel.empty()) return 0;
  if (Game->Mouse) Game->Mouse->Off();
  GenerateScreen = std::make_shared<VQGenerateScreen>();
  GenerateScreen->GenerateFunction = [this] { LevelStarter(); };
  GenerateScreen->Load();
  GenerateScreen->Show();
  return 1;
}

void TLevelPlayScreen::LevelStarter() {
  const auto list = CurrentList();
  const int32_t custom = list && list == CustomLevelList ? 1 : 0;
  const std::string path = list && !list->CurrentLevel.empty() ? list->LevelPath(list->CurrentLevel) : "";
  // A layout that cannot be read (the player's folder may hold anything)
  // says so and the list stays; so does one without a card, which would be
  // won, marked and cheered before a move.
  TCardList readable;
  if (path.empty() || !ReadLevelLayout(path, readable, 0, 0) || readable.Count() == 0) {
    if (GenerateScreen) GenerateScreen->Hide();
    ErrorDialog = CreateErrorOKDialog(TCardLayoutFile::FileMessage("Could Not Read File", path));
    return;
  }
  const int32_t position = list->CurrentLevelID + list->CurrentPagePosition;
  GamePlay->Init(Config.GameModeNumber, (position % 6 + 6) % 6 + 1);
  GameGUI->Start(0);
  GamePlay->GameMode->Init(path, custom);
  StartLevelTimer();
  FadeTo(GameScreen);
}

void TLevelPlayScreen::ResumeSavedGame(const std::string& name) {
  StartLevelTimer();
  GamePlay->Init(Config.GameModeNumber, ParticleRandomInt(1, 6));
  GameGUI->Start(0);
  auto& mode = *GamePlay->GameMode;
  if (!mode.LoadGame(ProfileFolder() + name + "." + Config.SaveExtension)) {
    ErrorDialog = CreateErrorOKDialog(mode.FileMessage);
    return;
  }
  // A saved game carries no layout file: winning it marks nothing.
  GamePlay->CurrentLevel.clear();
  GamePlay->IsCustomLevel = 0;
  FadeTo(GameScreen);
}

void TLevelPlayScreen::ShowSaveGameManager() {
  SaveGameManager = OpenSaveGameManager("Choose Savegame", Config.SaveExtension);
}

int TLevelPlayScreen::Draw() {
  DrawScreenBackground(Image, x, y);
  if (HeaderSprite) HeaderSprite->Draw();
  if (MainMenu) MainMenu->Draw(0, 0);
  if (LevelTypeMenu) LevelTypeMenu->Draw(0, 0);
  if (auto list = CurrentList()) list->Draw();
  if (SaveGameManager) SaveGameManager->Draw();
  if (GenerateScreen) GenerateScreen->Draw();
  const float shadowX = TextShadowX, shadowY = TextShadowY, shadowAlpha = TextShadowAlpha;
  TextShadowX = TextShadowY = 1.0f;
  TextShadowAlpha = 0.6f;
  SetImageFont(FontOfSize(20));
  platform::SetColor(255, 255, 255);
  DrawTextAligned(Text(Config.TitleKey), 10, 10, 1, 0);
  TextShadowX = shadowX;
  TextShadowY = shadowY;
  TextShadowAlpha = shadowAlpha;
  if (ErrorDialog) ErrorDialog->Draw();
  return 1;
}

int TLevelPlayScreen::Kill() {
  TScreen::Kill();
  if (HeaderSprite) HeaderSprite->Kill();
  HeaderSprite.reset();
  MainMenu.reset();
  LevelTypeMenu.reset();
  DropLists();
  if (SaveGameManager) SaveGameManager->Kill();
  SaveGameManager.reset();
  ErrorDialog.reset();
  return 1;
}

int TLevelPlayScreen::SetEscDestination() {
  Game->DestinationTScreen = PlayScreen;
  return 0;
}
