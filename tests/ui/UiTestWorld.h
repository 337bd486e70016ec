#pragma once
#include "app/Delta.h"
#include "app/InputTables.h"
#include "app/TGame.h"
#include "platform/Pixmap.h"
#include "resources/TGameImage.h"
#include "support/Pictures.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// A fresh application object with its pointer for widget tests, whole ticks,
// empty key tables, and helpers for pictures and sounds in a temporary folder
// that the game's picture, menu and sound folders point at.
class UiTestWorld : public ::testing::Test {
public:
  static platform::Pixmap SolidPixmap(int w, int h, uint8_t r, uint8_t g, uint8_t b) {
    return test_support::SolidPixmap(w, h, r, g, b);
  }
  static std::shared_ptr<TGameImage> SolidImage(int w, int h, int midHandle = 0, uint8_t shade = 200) {
    auto picture = platform::Picture::FromPixmap(SolidPixmap(w, h, shade, shade, shade));
    return TGameImage::CreateFromImage(picture, "SOLID", midHandle);
  }

protected:
  void SetUp() override {
    Game = std::make_shared<TGame>();
    Game->MenuPath = folder.Path();
    Game->ImagePath = folder.Path();
    Game->SoundPath = folder.Path();
    Delta = 1.0f;
    FlushKeys();
  }
  void TearDown() override {
    FlushKeys();
    Game.reset();
    Delta = 1.0f;
  }

  TMousePointer& Mouse() { return *Game->Mouse; }
  void PointAt(int x, int y) { Mouse().MoveTo(x, y); }
  void Press(int button = 1) {
    Mouse().ButtonDown(button);
    Mouse().ButtonUp(button);
  }

  // Writes name.png (w x h) into the temporary folder.
  void WritePicture(const std::string& name, int w, int h) {
    ASSERT_TRUE(platform::SavePng(SolidPixmap(w, h, 90, 120, 200), folder.File(name + ".png")));
  }
  // Writes a short silent 16-bit mono WAV as name.wav.
  void WriteSound(const std::string& name) {
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

  test_support::TempFolder folder;
};
