#include "screens/VQGenerateScreen.h"

#include "app/InputTables.h"
#include "app/TAnimation.h"
#include "app/TGame.h"
#include "app/TMousePointer.h"
#include "platform/Graphics.h"
#include "resources/TGameImage.h"
#include "resources/TImageBank.h"

std::shared_ptr<VQGenerateScreen> GenerateScreen;

int VQGenerateScreen::Load() {
  FadeIn = TAnimation::Create(500);
  FadeOut = TAnimation::Create(500);
  Active = 0;
  HasGenerated = 0;
  Game->FadeMusic = 0;
  return 1;
}

void VQGenerateScreen::Show() {
  Active = 1;
  MouseState = Game->Mouse && Game->Mouse->Active ? 1 : 0;
  FadeIn->Reset();
  FadeIn->Start();
  FlushKeys();
  FlushMouse();
}

void VQGenerateScreen::Hide() {
  if (!MouseState && Game->Mouse) Game->Mouse->Off();
  FadeOut->Reset();
  FadeOut->Start();
}

int VQGenerateScreen::Logic() {
  if (FadeIn->Active) FadeIn->Manage();
  if (FadeOut->Active) {
    FadeOut->Manage();
    if (!FadeOut->Active) Active = 0;
  }
  return 1;
}

int VQGenerateScreen::Draw() {
  if (!Active) return 1;
  float fade = 1.0f;
  if (FadeIn->Active) fade = FadeIn->GetRatio();
  else if (FadeOut->Active) fade = 1.0f - FadeOut->GetRatio();
  platform::SetBlend(platform::Blend::Alpha);
  platform::SetColor(0, 0, 0);
  platform::SetAlpha(0.5f * fade);
  platform::DrawRect(0, 0, 800, 600);
  if (auto picture = Images ? Images->FindTImage(HeaderImage) : nullptr) {
    platform::SetAlpha(0.4f * fade);
    platform::DrawPicture(*picture, 403, 303);
    platform::SetColor(255, 255, 255);
    platform::SetAlpha(fade);
    platform::DrawPicture(*picture, 400, 300);
  }
  platform::SetAlpha(1.0f);
  // The work runs once the overlay covers the screen completely.
  if (!FadeIn->Active && !FadeOut->Active && !HasGenerated) {
    HasGenerated = 1;
    GenerateFunction();
    if (Game->Mouse) Game->Mouse->On();
  }
  return 1;
}
