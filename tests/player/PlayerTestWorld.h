#pragma once
#include "ui/DialogTestWorld.h"

#include "app/TGame.h"
#include "platform/Files.h"
#include "platform/Keys.h"
#include "resources/TGameText.h"
#include "support/TestPaths.h"

#include <string>

// The dialog world with a shared data folder of its own: the settings file
// "marrowdeck.ini" and the profile folder "profiles/" in `shared`, the game's
// own texts, and the "create" button beside the other dialog buttons.
class PlayerTestWorld : public DialogTestWorld {
protected:
  void SetUp() override {
    DialogTestWorld::SetUp();
    WritePicture("create", 96, 34);
    WritePicture("createMO", 96, 34);
    Game->SubPath = shared.Path();
    Game->ProfilePath = shared.Path() + "profiles/";
    Game->Ini.FileName = shared.Path() + "marrowdeck";
    ASSERT_TRUE(platform::CreateFolder(Game->ProfilePath));
    GameText = TGameText::Create(test_support::SourcePath("data/text/gametext.txt"));
  }
  std::string Profiles(const std::string& name = "") const { return Game->ProfilePath + name; }
  void PlantPlayer(const std::string& name, const std::string& bytes = std::string("\x01\0\0\0", 4)) {
    ASSERT_TRUE(platform::WriteFileAtomic(Profiles(name + ".dat"), bytes));
  }
  std::string Bytes(const std::string& path) const {
    std::string bytes;
    platform::ReadWholeFile(path, bytes);
    return bytes;
  }
  // The value stored in the settings file under `key`, "(none)" without that line.
  std::string Setting(const std::string& key) const {
    const std::string text = Bytes(shared.Path() + "marrowdeck.ini");
    const size_t at = text.find(key + "=");
    if (at == std::string::npos) return "(none)";
    const size_t start = at + key.size() + 1;
    return text.substr(start, text.find("\r\n", start) - start);
  }
  static std::string Message(const std::string& key) { return GameText->FindString(key); }
  test_support::TempFolder shared;
};
