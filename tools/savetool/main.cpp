// savetool: saved games from the command line.
//
//   savetool deal --variant klondike --layout FILE --seed N --out PATH
//       writes the saved game of a fresh deal, as the game saves it right after dealing
//   savetool check FILE
//       loads FILE with the game's reader: exit 0 and a summary line, or exit 1 and why not
//
// The card pictures come from the game data (--data DIR, else MARROWDECK_DATA);
// without them a plain 72 x 96 card outline stands in.
#include "app/Clock.h"
#include "platform/ErrorReport.h"
#include "platform/Files.h"
#include "platform/Picture.h"
#include "platform/Pixmap.h"
#include "resources/TImageBank.h"
#include "solitaire/CardPictures.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeKlondike.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/TState.h"
#include "solitaire/TStock.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {

int Usage() {
  std::fprintf(stderr, "usage: savetool deal --variant klondike --layout FILE --seed N --out PATH [--data DIR]\n"
                       "       savetool check FILE [--data DIR]\n");
  return 2;
}

void PrintError(const std::string& message, int /*fatal*/) {
  std::fprintf(stderr, "savetool: %s\n", message.c_str());
  std::exit(1);
}

void LoadPictures(const std::string& dataFolder) {
  Images = std::make_shared<TImageBank>();
  HeartsImages.reset(), DiamondsImages.reset(), SpadesImages.reset(), ClubsImages.reset(); // no faces needed
  const std::string folder = dataFolder.empty() ? "" : platform::ResolvePath(dataFolder + "/data/graphics/");
  for (const char* name : {"cardback1", "cardempty"}) {
    if (!folder.empty() && platform::FileExists(platform::ResolvePath(folder + name + ".png"))) {
      Images->SetPath(folder);
      Images->Load(name);
      continue;
    }
    platform::Pixmap pixmap;
    pixmap.width = 72, pixmap.height = 96;
    pixmap.rgba.assign(size_t(72 * 96 * 4), 255);
    std::string key = name;
    for (char& c : key) c = char(std::toupper(static_cast<unsigned char>(c)));
    Images->Insert(TGameImage::CreateFromImage(platform::Picture::FromPixmap(pixmap), key, 1));
  }
}

std::shared_ptr<TGameModeKlondike> NewKlondike() {
  GamePlay = std::make_shared<TGamePlay>();
  GameState = std::make_shared<TState>();
  auto mode = std::make_shared<TGameModeKlondike>();
  GamePlay->GameMode = mode;
  return mode;
}

int Deal(const std::map<std::string, std::string>& options) {
  for (const char* needed : {"variant", "layout", "seed", "out"})
    if (!options.count(needed)) return Usage();
  if (options.at("variant") != "klondike") {
    std::fprintf(stderr, "savetool: unknown variant %s\n", options.at("variant").c_str());
    return 2;
  }
  auto mode = NewKlondike();
  mode->Seed(uint32_t(std::strtoul(options.at("seed").c_str(), nullptr, 10)));
  if (!mode->Init(options.at("layout"), 0)) return 1;
  for (int tick = 0; tick < 100000 && mode->IsBusy(); ++tick) mode->Logic(); // the deal's flights
  std::string out = options.at("out");
  if (out.size() > 6 && out.compare(out.size() - 6, 6, ".ksave") == 0) out.resize(out.size() - 6);
  if (!mode->SaveGame(out)) {
    std::fprintf(stderr, "savetool: %s\n", mode->FileMessage.c_str());
    return 1;
  }
  return 0;
}

int Check(const std::string& file) {
  auto mode = NewKlondike();
  if (!mode->LoadGame(file)) {
    std::fprintf(stderr, "%s\n", mode->FileMessage.c_str());
    return 1;
  }
  int onFoundations = 0;
  for (const auto& place : mode->Foundation) onFoundations += place->CardNumber;
  std::printf("klondike: score %d, %d tableau cards, %d stock cards (P %d), %d on foundations\n", GamePlay->Score,
              mode->Cards->Count(), mode->Stock->Cards->Count(), mode->Stock->Cards->CurrentPosition, onFoundations);
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  SetErrorHandler(&PrintError);
  SetClockSource([] { return 0.0; }); // a fresh deal has taken no time
  const std::string command = argv[1];
  std::map<std::string, std::string> options;
  std::string file;
  for (int i = 2; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg.rfind("--", 0) == 0 && i + 1 < argc)
      options[arg.substr(2)] = argv[++i];
    else if (file.empty())
      file = arg;
    else
      return Usage();
  }
  const char* env = std::getenv("MARROWDECK_DATA");
  LoadPictures(options.count("data") ? options["data"] : env ? env : "");
  if (command == "deal") return Deal(options);
  if (command == "check" && !file.empty()) return Check(file);
  return Usage();
}
