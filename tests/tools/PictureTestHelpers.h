#pragma once
#include "support/TestPaths.h"
#include "platform/Pixmap.h"
#include "resources/TPakFile.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

// Shared by the picture checks: the generated tree's pictures decoded once
// (loose files by relative path, pack items by "pak:" + name), and the names
// the game loads.
namespace picture_test {

// Decoded picture, or nullptr (with a test failure) when missing or broken.
inline std::shared_ptr<platform::Pixmap> Load(const std::string& relative) {
  static std::map<std::string, std::shared_ptr<platform::Pixmap>> cache;
  auto found = cache.find(relative);
  if (found != cache.end()) return found->second;
  auto pixmap = std::make_shared<platform::Pixmap>();
  std::string error;
  if (relative.rfind("pak:", 0) == 0) {
    static std::shared_ptr<TPakFile> pack = TPakFile::Create(test_support::DataPath("data/resources/data.pak"));
    pixmap = nullptr;
    for (const auto& item : pack ? pack->Items : std::vector<std::shared_ptr<TPakItem>>{}) {
      if (item->Name != relative.substr(4)) continue;
      pixmap = std::make_shared<platform::Pixmap>();
      if (!platform::DecodePicture(item->Data.data(), item->Data.size(), *pixmap, &error)) pixmap = nullptr;
      break;
    }
  } else if (!platform::LoadPixmap(test_support::DataPath(relative), *pixmap, &error)) {
    pixmap = nullptr;
  }
  if (!pixmap) ADD_FAILURE() << "cannot load " << relative << " " << error;
  cache[relative] = pixmap;
  return pixmap;
}

inline std::vector<std::string> SuitFaces() {
  std::vector<std::string> names;
  for (const char* suit : {"hearts", "diamonds", "spades", "clubs"})
    for (int rank = 1; rank <= 13; ++rank) names.push_back(std::string(suit) + std::to_string(rank));
  return names;
}

// Every card-sized picture of the image bank (faces, backs, places, overlays).
inline std::vector<std::string> CardSized() {
  std::vector<std::string> names = SuitFaces();
  for (int i = 1; i <= 6; ++i) names.push_back("cardback" + std::to_string(i));
  for (const char* n : {"cardempty", "cardfoundationempty", "cardstockempty", "carddenied", "cardmarked", "cardflip"})
    names.push_back(n);
  return names;
}

// Button base names (lower case) and whether they are toggles with On states.
struct ButtonName {
  std::string name;
  bool toggle;
};
inline std::vector<ButtonName> Buttons() {
  std::vector<ButtonName> out;
  for (const char* n :
       {"play", "help", "options", "highscore", "exit", "changeplayer", "matching", "tripeaks", "klondike",
        "customsmall", "backsmall", "playsmall", "load", "arrowleft", "arrowright", "oksmall", "matchingbutton",
        "tripeaksbutton", "klondikebutton", "clear", "undo", "hint", "menu", "savecustom", "loadcustom", "reset",
        "backtomenu", "nextpuzzle", "restartpuzzle", "resume", "shufflepuzzle", "savegame", "loadgame", "ok", "yes",
        "no", "cancel", "create", "delete", "up", "down", "autocomplete"})
    out.push_back({n, false});
  for (const char* n : {"standardlevel", "customlevel", "fullscreen", "showtimer"}) out.push_back({n, true});
  return out;
}

} // namespace picture_test
