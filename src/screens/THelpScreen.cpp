#include "screens/THelpScreen.h"

#include "app/TGame.h"
#include "platform/Graphics.h"
#include "resources/TGameImage.h"
#include "resources/TGameText.h"
#include "resources/TImageBank.h"
#include "screens/TTitleScreen.h"
#include "ui/TMenu.h"
#include "ui/TextDraw.h"

std::shared_ptr<THelpScreen> HelpScreen;

namespace {

struct HelpPage {
  int32_t mode;
  const char* button;
  const char* picture;
  const char* text;
};

constexpr HelpPage Pages[] = {{2, "klondike", "helpimage", "Help Message Klondike"},
                              {3, "matching", "helpimage2", "Help Message Matching"},
                              {4, "tripeaks", "helpimage3", "Help Message Tripeaks"}};

} // namespace

int THelpScreen::Load() {
  LoadPage("helpheader", 400, 50);
  GameMenu = CreateVariantRow();
  OkMenu = CreateOkRow();
  return 1;
}

int THelpScreen::Logic() {
  OkMenu->Manage();
  if (HeaderSprite) HeaderSprite->ManageGlow();
  GameMenu->Manage();
  if (OkMenu->Clicked("ok")) FadeTo(TitleScreen);
  for (const auto& page : Pages)
    if (GameMenu->Clicked(page.button)) CurrentGameMode = page.mode;
  return 1;
}

int THelpScreen::Draw() {
  DrawBackdrop();
  for (const auto& page : Pages) {
    if (page.mode != CurrentGameMode) continue;
    const auto picture = Images->Find(page.picture);
    if (picture && picture->image) platform::DrawPicture(*picture->image, 175, 310);
    // The text stands beside the picture, its last line at y 424.
    if (GameText) DrawTextLines(GameText->FindString(page.text), 285, 424, FontOfSize(25), 1, 1);
  }
  platform::SetBlend(platform::Blend::Alpha);
  platform::SetColor(255, 255, 255);
  DrawHeader();
  OkMenu->Draw(0, 0);
  GameMenu->Draw(0, 0);
  return 1;
}

int THelpScreen::Kill() {
  TMenuScreen::Kill();
  if (GameMenu) GameMenu->Kill();
  GameMenu.reset();
  OkMenu.reset();
  return 1;
}
