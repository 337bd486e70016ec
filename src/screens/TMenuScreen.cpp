#include "screens/TMenuScreen.h"

#include "app/TGame.h"
#include "effects/ParticleEffects.h"
#include "platform/Graphics.h"
#include "resources/TGameImage.h"
#include "resources/TImageBank.h"
#include "screens/ScreenBackground.h"
#include "screens/TTitleScreen.h"
#include "ui/TMenu.h"
#include "ui/TSprite.h"

#include <vector>

namespace {

// Every button of these pages grows to this size under the pointer.
constexpr float ButtonGrowth = 1.15f;

} // namespace

void TMenuScreen::LoadPage(const std::string& header, float headerX, float headerY) {
  Image = Images->Find("titlescreen");
  x = y = 0;
  HeaderSprite = CreateGlowingHeader(header + Ext, headerX, headerY);
  PointerSparkleOn(*Game->Mouse, Images->Find("particle1"));
  Game->FadeMusic = 0;
}

std::shared_ptr<TMenu> TMenuScreen::CreateRow(const std::vector<std::pair<const char*, const char*>>& buttons,
                                             int gap) {
  auto menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
  for (const auto& [picture, key] : buttons) menu->AddQuick(picture, key ? key : "");
  menu->MakeRow(gap);
  Grow(*menu);
  return menu;
}

void TMenuScreen::Grow(TMenu& menu) {
  for (const auto& button : menu.Items) button->SetupScaleOnMO(ButtonGrowth, 0.03f, 0.01f);
}

std::shared_ptr<TMenu> TMenuScreen::CreateVariantRow() {
  auto menu = CreateRow({{"matchingbutton", "matching"}, {"tripeaksbutton", "tripeaks"}, {"klondikebutton", "klondike"}},
                        15);
  menu->SetY(115);
  return menu;
}

std::shared_ptr<TMenu> TMenuScreen::CreateOkRow(
    const std::initializer_list<std::pair<const char*, const char*>>& more) {
  std::vector<std::pair<const char*, const char*>> buttons{{"oksmall", "ok"}};
  buttons.insert(buttons.end(), more.begin(), more.end());
  auto menu = CreateRow(buttons, 15);
  menu->FindButton("ok")->OKButton = 1;
  menu->Centre();
  menu->SetY(menu->y + 260);
  Menu = menu;
  return menu;
}

int TMenuScreen::Start() {
  TScreen::Start();
  Game->GameFade.Init(500.0f, 0);
  return 1;
}

void TMenuScreen::FadeTo(const std::shared_ptr<TScreen>& destination) {
  if (Game->GameFade.Active) return;
  Game->DestinationTScreen = destination;
  Game->GameFade.Init(500.0f, 1, Game->MusicChannel);
}

void TMenuScreen::DrawBackdrop() {
  DrawScreenBackground(Image, x, y);
  const auto panel = Images->Find("blackback");
  if (panel && panel->image) platform::DrawPicture(*panel->image, 400, 284);
}

void TMenuScreen::DrawHeader() {
  if (HeaderSprite) HeaderSprite->Draw();
}

int TMenuScreen::Kill() {
  TScreen::Kill();
  if (HeaderSprite) HeaderSprite->Kill();
  HeaderSprite.reset();
  return 1;
}

int TMenuScreen::SetEscDestination() {
  Game->DestinationTScreen = TitleScreen;
  return 0;
}
