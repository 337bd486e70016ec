#include "screens/TOptionsScreen.h"

#include "app/Clock.h"
#include "app/TGame.h"
#include "platform/Graphics.h"
#include "resources/TGameImage.h"
#include "resources/TImageBank.h"
#include "screens/SessionSettings.h"
#include "screens/TTitleScreen.h"
#include "solitaire/TGamePlay.h"
#include "ui/TMenu.h"
#include "ui/TSlider.h"

std::shared_ptr<TOptionsScreen> OptionsScreen;

namespace {

void DrawLabel(const std::string& picture, float atX, float atY) {
  const auto label = Images->Find(picture);
  if (label && label->image) platform::DrawPicture(*label->image, atX, atY);
}

} // namespace

void TOptionsScreen::ShowToggle(TButton& button, const std::string& picture, int32_t on) {
  const std::string shown = on ? picture + "On" : picture;
  button.LoadImages(shown, shown + "MO", 0, 0, 1);
}

int TOptionsScreen::Load() {
  LoadPage("optionsheader", 400, 50);

  OkMenu = CreateOkRow();

  OptionsMenu = TMenu::Create("buttonMO", "buttonclick", 0, 240, 10);
  ShowToggle(*OptionsMenu->AddQuick("fullscreen"), "fullscreen", Game->FullScreen);
  ShowToggle(*OptionsMenu->AddQuick("showtimer"), "showtimer", GamePlay->ShowTimer);
  Grow(*OptionsMenu);

  MusicSlider = TSlider::CreateSpecial("slider", "marker", 346, 138, 22, ".png", 0);
  MusicSlider->SetName("musicslider");
  MusicSlider->SetValue(Game->MusicVolume);
  SoundSlider = TSlider::CreateSpecial("slider", "marker", 346, 194, 22, ".png", 0);
  SoundSlider->SetName("soundslider");
  SoundSlider->SetValue(Game->SoundVolume);
  // The first change of the sound slider clicks at once.
  LastClickTime = int64_t(AppMillisecs()) - ClickInterval;
  return 1;
}

int TOptionsScreen::Logic() {
  OkMenu->Manage();
  if (HeaderSprite) HeaderSprite->ManageGlow();
  OptionsMenu->Manage();

  if (OkMenu->Clicked("ok")) {
    WriteSessionSettings();
    Game->IniUpdate(1);
    FadeTo(TitleScreen);
  }
  if (MusicSlider->Manage() && MusicSlider->Value != Game->MusicVolume) Game->MusicSetVolume(MusicSlider->Value, 0);
  if (SoundSlider->Manage() && SoundSlider->Value != Game->SoundVolume) {
    Game->SoundSetVolume(SoundSlider->Value, 0);
    const auto now = int64_t(AppMillisecs());
    const auto ok = OkMenu->FindButton("ok");
    if (now - LastClickTime >= ClickInterval && ok && ok->SoundClick) {
      Game->SoundPlay(ok->SoundClick->sound);
      LastClickTime = now;
    }
  }
  if (OptionsMenu->Clicked("showtimer")) {
    GamePlay->ShowTimer = GamePlay->ShowTimer ? 0 : 1;
    ShowToggle(*OptionsMenu->FindButton("showtimer"), "showtimer", GamePlay->ShowTimer);
  }
  if (OptionsMenu->Clicked("fullscreen")) {
    // The toggle shows what the window became: a full screen that could not
    // be opened leaves the game windowed and the toggle off.
    Game->ToggleFullScreen();
    ShowToggle(*OptionsMenu->FindButton("fullscreen"), "fullscreen", Game->FullScreen);
  }
  return 1;
}

int TOptionsScreen::Draw() {
  DrawBackdrop();
  DrawLabel("music", 242, 151);
  DrawLabel("sound", 242, 207);
  MusicSlider->Draw();
  SoundSlider->Draw();
  platform::SetBlend(platform::Blend::Alpha);
  DrawHeader();
  OkMenu->Draw(0, 0);
  OptionsMenu->Draw(0, 0);
  return 1;
}

int TOptionsScreen::Kill() {
  TMenuScreen::Kill();
  if (OptionsMenu) OptionsMenu->Kill();
  OptionsMenu.reset();
  OkMenu.reset();
  if (MusicSlider) MusicSlider->Kill();
  if (SoundSlider) SoundSlider->Kill();
  MusicSlider.reset();
  SoundSlider.reset();
  return 1;
}
