#include "app/TLoadingScreen.h"

#include "app/AppGlobals.h"
#include "app/InputTables.h"
#include "app/TGame.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/System.h"

namespace {

// A companion picture beside the bar, or null when there is none.
std::shared_ptr<TGameImage> Companion(const std::string& folder, const std::string& barName,
                                      const std::string& suffix) {
  size_t dot = barName.find_last_of('.');
  std::string stem = dot == std::string::npos ? barName : barName.substr(0, dot);
  std::string ext = dot == std::string::npos ? std::string() : barName.substr(dot);
  std::string path = folder + stem + suffix + ext;
  if (!platform::FileExists(path)) return nullptr;
  return TGameImage::Create(path, -1, 0);
}

} // namespace

int TLoadingScreen::SpecialLoad(const std::string& backgroundImage, const std::string& barImage,
                                const std::string& loadingImage) {
  name = "loading";
  if (LoadBackgroundAlways || !backgroundImage.empty()) ImageLoad(backgroundImage);
  if (!barImage.empty()) {
    auto bar = TGameImage::Create(Game->ImagePath + barImage, -1, 0);
    LoadingBar.Init(bar, Companion(Game->ImagePath, barImage, "empty"), Companion(Game->ImagePath, barImage, "final"));
  }
  if (!loadingImage.empty()) LoadingTextImage = TGameImage::Create(Game->ImagePath + loadingImage, -1, 1);
  LoadingX = ScreenWidth / 2;
  LoadingY = ScreenHeight / 2;
  Finished = 0;
  Game->MusicNone();
  return 1;
}

int TLoadingScreen::SetSteps(int n) { return LoadingBar.SetSteps(n); }

int TLoadingScreen::SetClickHereButton(std::shared_ptr<TScreenMenu> button) {
  ClickHereButton = std::move(button);
  return 1;
}

int TLoadingScreen::DrawLoading(int flag) {
  DrawLoadingTextImage2 = flag;
  return 1;
}

int TLoadingScreen::Progress() {
  LoadingBar.Progress();
  Finished = LoadingBar.Finished;
  if (Finished == 1) {
    FlushKeys();
    FlushMouse();
    int x = 0, y = 0;
    if (platform::GraphicsOpen()) {
      platform::GetMousePosition(x, y);
      Game->Mouse->x = x;
      Game->Mouse->y = y;
    }
  }
  return 1;
}

int TLoadingScreen::Draw() {
  TScreen::Draw();
  bool waitingForButton = Finished == 1 && ClickHereButton;
  platform::SetBlend(platform::Blend::Alpha);
  platform::SetAlpha(1.0f);
  platform::SetColor(255, 255, 255);
  if (!waitingForButton) {
    LoadingBar.Draw();
    if (Finished == 0) {
      auto& picture = DrawLoadingTextImage2 == 1 && LoadingTextImage2 ? LoadingTextImage2 : LoadingTextImage;
      if (picture && picture->image) platform::DrawPicture(*picture->image, float(LoadingX), float(LoadingY));
    }
  } else {
    if (LoadingBar.FinalImage) LoadingBar.Draw();
    ClickHereButton->Draw(0, 0);
  }
  if (CustomDrawFunction) CustomDrawFunction();
  return 1;
}

int TLoadingScreen::Logic() {
  bool go = !ClickHereButton;
  if (!go) {
    if (ClickHereButton->Manage() == 1) go = true;
    else if (Game->Mouse->GetMh(1) > 0) go = true;
  }
  if (go && Game->Fading() == 0) {
    Game->GameFade.Init(500.0f, 1, nullptr, FadeAllowAnim);
    Game->DestinationTScreen = Destination;
  }
  return 1;
}

int TLoadingScreen::Kill() {
  TScreen::Kill();
  LoadingBar = TLoadingBar();
  LoadingTextImage2.reset();
  if (ClickHereButton) {
    ClickHereButton->Kill();
    ClickHereButton.reset();
  }
  if (CustomKillFunction) CustomKillFunction();
  return 1;
}

int VQLoadingScreen::MoveBar() {
  Progress();
  if (platform::GraphicsOpen()) {
    Draw();
    platform::Flip(FlipSync != 0);
  }
  if (StepWaitMs > 0) platform::Delay(StepWaitMs);
  return 1;
}

int LoadingStepWait(const char* text) {
  if (!text || !*text) return 0;
  long long ms = 0;
  for (const char* c = text; *c; ++c) {
    if (*c < '0' || *c > '9') return 0;
    // Stop counting once past the cap, so long digit strings cannot overflow.
    if (ms <= MaxLoadingStepWaitMs) ms = ms * 10 + (*c - '0');
  }
  return ms > MaxLoadingStepWaitMs ? MaxLoadingStepWaitMs : int(ms);
}
