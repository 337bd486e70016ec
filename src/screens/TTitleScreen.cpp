#include "screens/TTitleScreen.h"

#include "app/TGame.h"
#include "app/TLoadingScreen.h"
#include "resources/TImageBank.h"

std::shared_ptr<TTitleScreen> TitleScreen;

int TTitleScreen::Load() {
  Image = Images->Find("titlescreen");
  return 1;
}

int TTitleScreen::Start() {
  TScreen::Start();
  // Entered from the loading screen (the first screen): the music rotation starts.
  if (Game->LastTScreen && Game->LastTScreen == Game->LoadingScreen) {
    MusicRotationOn = 1;
    Game->NextMusicTrack(1);
  }
  Game->GameFade.Init(500.0f, 0);
  return 1;
}
