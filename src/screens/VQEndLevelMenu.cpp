#include "screens/VQEndLevelMenu.h"

#include "app/TGame.h"
#include "platform/Graphics.h"
#include "resources/TGameImage.h"
#include "resources/TImageBank.h"
#include "ui/TMenu.h"

void VQEndLevelMenu::Init(int32_t x, int32_t y) {
  Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
  Menu->AddQuick("nextpuzzle");
  Menu->AddQuick("restartpuzzle");
  Menu->AddQuick("backtomenu");
  orgX = x;
  orgY = y;
  PositionMenu();
  if (!Images->FindTImage("endlevelback")) Images->Load("endlevelback");
  Panel = Images->Find("endlevelback");
  Show = 1;
}

void VQEndLevelMenu::PositionMenu() {
  if (!Menu) return;
  if (orgX < 0) {
    X = 400;
    Y = 300;
    Menu->Centre();
  } else {
    X = orgX;
    Y = orgY;
    Menu->SetX(float(X));
    Menu->SetY(float(Y));
  }
}

int32_t VQEndLevelMenu::Logic(int32_t next, int32_t restart, int32_t back) {
  Selected = 0;
  if (!Show || !Menu) return 0;
  if (auto button = Menu->FindButton("nextpuzzle")) button->Active = next ? 1 : 0;
  Menu->Manage();
  if (next && Menu->Clicked("nextpuzzle")) Selected = 1;
  else if (restart && Menu->Clicked("restartpuzzle")) Selected = 2;
  else if (back && Menu->Clicked("backtomenu")) Selected = 3;
  return Selected;
}

void VQEndLevelMenu::Draw(int32_t next, int32_t restart, int32_t back) {
  if (!Show || !Menu) return;
  if (Panel && Panel->image) {
    platform::SetBlend(platform::Blend::Alpha);
    platform::SetAlpha(1.0f);
    platform::SetColor(255, 255, 255);
    platform::DrawPicture(*Panel->image, float(X), float(Y));
  }
  const int32_t offered[3] = {next, restart, back};
  const char* names[3] = {"nextpuzzle", "restartpuzzle", "backtomenu"};
  for (int i = 0; i < 3; ++i)
    if (auto button = Menu->FindButton(names[i])) button->Active = offered[i] ? 1 : 0;
  Menu->Draw(0, 0);
}
