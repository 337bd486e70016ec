// savetool: saved games from the command line.
//
//   savetool deal --variant klondike|tripeaks|matching --layout FILE --seed N --out PATH
//       writes the saved game of a fresh deal (".ksave", ".tsave", ".msave"), as the
//       game saves it once the deal has landed
//   savetool check FILE
//       loads FILE with the reader of the variant its ending names: exit 0 and a
//       summary line, or exit 1 and why not
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
#include "solitaire/TGameModeMatching.h"
#include "solitaire/TGameModeTripeaks.h"
#include "solitaire/TGamePlay.h"
#include "solitaire/TState.h"
#include "solitaire/TMatchingStock.h"
#include "solitaire/TStock.h"
#include "solitaire/TTripeaksStock.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {

int Usage() {
  std::fprintf(stderr, "usage: savetool deal --variant klondike|tripeaks|matching --layout FILE --seed N --out PATH"
                       " [--data DIR]\n"
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
  for (const char* name : {"cardback1", "cardempty", "carddenied"}) {
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

// A fresh session with a new mode of the variant on the table.
template <class Mode> std::shared_ptr<Mode> NewGame() {
  GamePlay = std::make_shared<TGamePlay>();
  GameState = std::make_shared<TState>();
  auto mode = std::make_shared<Mode>();
  GamePlay->GameMode = mode;
  return mode;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Deals, lets the deal land (until the game may be saved) and saves under `out` without its ending.
int SaveFreshDeal(TGameMode& mode, const std::string& layout, std::string out, const std::string& ending) {
  if (!mode.Init(layout, 0)) {
    std::fprintf(stderr, "savetool: %s %s\n", mode.IsDealUnsolvable() ? "no deal fits" : "could not deal", layout.c_str());
    return 1;
  }
  for (int tick = 0; tick < 100000 && !mode.CanSaveGame(); ++tick) mode.Logic(); // the deal's flights
  if (EndsWith(out, ending)) out.resize(out.size() - ending.size());
  if (!mode.SaveGame(out)) {
    std::fprintf(stderr, "savetool: %s\n", mode.FileMessage.empty() ? "the deal never came to rest" : mode.FileMessage.c_str());
    return 1;
  }
  return 0;
}

int Deal(const std::map<std::string, std::string>& options) {
  for (const char* needed : {"variant", "layout", "seed", "out"})
    if (!options.count(needed)) return Usage();
  const std::string& variant = options.at("variant");
  const std::string& layout = options.at("layout");
  const uint32_t seed = uint32_t(std::strtoul(options.at("seed").c_str(), nullptr, 10));
  if (variant == "klondike") {
    auto mode = NewGame<TGameModeKlondike>();
    mode->Seed(seed);
    return SaveFreshDeal(*mode, layout, options.at("out"), ".ksave");
  }
  if (variant == "tripeaks") {
    auto mode = NewGame<TGameModeTripeaks>();
    mode->Random.Seed(seed);
    return SaveFreshDeal(*mode, layout, options.at("out"), ".tsave");
  }
  if (variant == "matching") {
    auto mode = NewGame<TGameModeMatching>();
    mode->Random.Seed(seed);
    return SaveFreshDeal(*mode, layout, options.at("out"), ".msave");
  }
  std::fprintf(stderr, "savetool: unknown variant %s\n", variant.c_str());
  return 2;
}

int Refused(const TGameMode& mode) {
  std::fprintf(stderr, "%s\n", mode.FileMessage.c_str());
  return 1;
}

int CheckKlondike(const std::string& file) {
  auto mode = NewGame<TGameModeKlondike>();
  if (!mode->LoadGame(file)) return Refused(*mode);
  int onFoundations = 0;
  for (const auto& place : mode->Foundation) onFoundations += place->CardNumber;
  std::printf("klondike: score %d, %d tableau cards, %d stock cards (P %d), %d on foundations\n", GamePlay->Score,
              mode->Cards->Count(), mode->Stock->Cards->Count(), mode->Stock->Cards->CurrentPosition, onFoundations);
  return 0;
}

int CheckTripeaks(const std::string& file) {
  auto mode = NewGame<TGameModeTripeaks>();
  if (!mode->LoadGame(file)) return Refused(*mode);
  const auto& open = mode->Stock->StockCard1;
  std::printf("tripeaks: score %d, %d layout cards, %d stock cards (P %d), open card %d-%d\n", GamePlay->Score,
              mode->Cards->Count(), mode->Stock->Cards->Count(), mode->Stock->Cards->CurrentPosition,
              open ? open->CardSuit : 0, open ? open->CardNumber : 0);
  return 0;
}

int CheckMatching(const std::string& file) {
  auto mode = NewGame<TGameModeMatching>();
  if (!mode->LoadGame(file)) return Refused(*mode);
  std::printf("matching: score %d, %d layout cards, %d stock cards (P %d)\n", GamePlay->Score, mode->Cards->Count(),
              mode->Stock->Cards->Count(), mode->Stock->Cards->CurrentPosition);
  return 0;
}

// The reader is chosen by the file's ending; anything else is read as Klondike's.
int Check(const std::string& file) {
  if (EndsWith(file, ".tsave")) return CheckTripeaks(file);
  if (EndsWith(file, ".msave")) return CheckMatching(file);
  return CheckKlondike(file);
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
