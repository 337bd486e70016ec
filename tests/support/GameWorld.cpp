#include "support/GameWorld.h"

#include "app/AppGlobals.h"
#include "app/Delta.h"
#include "app/InputTables.h"
#include "app/TGame.h"
#include "platform/Audio.h"
#include "platform/Collision.h"
#include "platform/Input.h"
#include "platform/Picture.h"
#include "resources/TGameImage.h"
#include "resources/TImageBank.h"
#include "screens/GameGlobals.h"
#include "support/Pictures.h"
#include "support/TestPaths.h"

namespace test_support {

std::shared_ptr<TGameImage> GameWorld::SolidImage(int w, int h, int midHandle, uint8_t shade) {
  auto picture = platform::Picture::FromPixmap(SolidPixmap(w, h, shade, shade, shade));
  return TGameImage::CreateFromImage(picture, "SOLID", midHandle);
}

void GameWorld::SetUp() {
  GameDriver::SetUp();
  platform::audio::SelectDriver("None");
  platform::FlushEvents();
  platform::ResetCollisions();
  now = 0;
  UseTestClock();
  CreateGameGlobals();
  Game->VSync = 0;
  Game->ImagePath = folder.Path();
  Game->MenuPath = folder.Path();
  Game->SoundPath = folder.Path();
  Game->SetWindowCoords();
  Game->SetClientCoords();
  Game->FixedRateLogic.Create();
  Game->FixedRateLogic.Init();
  FlushKeys();
  // Start-up ended long ago: the product's tick no longer runs while paused.
  SetupTime = -10000;
}

void GameWorld::TearDown() {
  ResetGameGlobals();
  UseRealClock();
  platform::FlushEvents();
  platform::ResetCollisions();
}

TMousePointer& GameWorld::Mouse() { return *Game->Mouse; }

void GameWorld::PointAt(int x, int y) { Mouse().MoveTo(x, y); }

void GameWorld::Press(int button) {
  Mouse().ButtonDown(button);
  Mouse().ButtonUp(button);
}

void GameWorld::WritePicture(const std::string& name, int w, int h) {
  ASSERT_TRUE(platform::SavePng(SolidPixmap(w, h, 90, 120, 200), folder.File(name + ".png")));
}

void GameWorld::WriteSound(const std::string& name) {
  const uint32_t samples = 64, dataBytes = samples * 2;
  std::string wav = "RIFF";
  auto u32 = [&wav](uint32_t v) {
    for (int i = 0; i < 4; ++i) wav += char((v >> (8 * i)) & 0xFF);
  };
  auto u16 = [&wav](uint16_t v) {
    wav += char(v & 0xFF);
    wav += char(v >> 8);
  };
  u32(36 + dataBytes);
  wav += "WAVEfmt ";
  u32(16);
  u16(1);
  u16(1);
  u32(22050);
  u32(44100);
  u16(2);
  u16(16);
  wav += "data";
  u32(dataBytes);
  wav += std::string(dataBytes, '\0');
  folder.Write(name + ".wav", wav);
}

void GameWorld::LoadCardPictures() {
  const std::string pictures = DataPath("data/graphics/");
  Images->SetPath(pictures);
  for (const char* name : {"cardback1", "cardback2", "cardback3", "cardback4", "cardback5", "cardback6", "cardempty",
                           "cardfoundationempty", "cardstockempty", "carddenied", "cardflip", "cardhint1",
                           "cardhint2", "cardmarked", "cardmo"})
    Images->Load(name);
  const std::shared_ptr<TImageBank> banks[] = {HeartsImages, DiamondsImages, SpadesImages, ClubsImages};
  const char* words[] = {"hearts", "diamonds", "spades", "clubs"};
  for (int suit = 0; suit < 4; ++suit) {
    banks[suit]->SetPath(pictures);
    for (int rank = 1; rank <= 13; ++rank) banks[suit]->Load(words[suit] + std::to_string(rank));
  }
}

} // namespace test_support
