// soak: plays the game's variants headless with a seeded bot and prints what
// it did and what broke.
//   soak [--games N] [--seed S] [--variant klondike|tripeaks|matching|editor]...
//   soak --screens [--games N] [--seed S] [--draw-every N]   the real game walked
//        through its screens, one frame in N drawn (default 32; 1 draws every frame);
//        SOAK_TRACE=1 prints every table the bot came to rest on
// One seed plays the same games every time.
// Exits 1 when any invariant failed.
#include "EditorSoak.h"
#include "KlondikeSoak.h"
#include "MatchingSoak.h"
#include "ScreenSoak.h"
#include "SoakWorld.h"
#include "TripeaksSoak.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

std::unique_ptr<SoakVariant> MakeVariant(const std::string& name, SoakWorld& world) {
  if (name == "klondike") return std::make_unique<KlondikeSoak>(world);
  if (name == "tripeaks") return std::make_unique<TripeaksSoak>(world);
  if (name == "matching") return std::make_unique<MatchingSoak>(world);
  if (name == "editor") return std::make_unique<EditorSoak>(world);
  return nullptr;
}

} // namespace

int main(int argc, char** argv) {
  int games = 20;
  uint32_t seed = 1;
  std::vector<std::string> variants;
  bool screens = false;
  int drawEvery = 32;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--screens") screens = true;
    else if (arg == "--games" && i + 1 < argc) games = std::atoi(argv[++i]);
    else if (arg == "--seed" && i + 1 < argc) seed = uint32_t(std::strtoul(argv[++i], nullptr, 10));
    else if (arg == "--variant" && i + 1 < argc) variants.push_back(argv[++i]);
    else if (arg == "--draw-every" && i + 1 < argc) drawEvery = std::atoi(argv[++i]);
    else {
      std::fprintf(stderr, "usage: soak [--screens [--draw-every N]] [--games N] [--seed S] "
                           "[--variant klondike|tripeaks|matching|editor]...\n");
      return 2;
    }
  }
  if (screens) return RunScreenSoak(games, seed, drawEvery);
  if (variants.empty()) variants = {"klondike", "tripeaks", "matching", "editor"};

  std::vector<SoakFigures> figures;
  for (const auto& name : variants) {
    SoakWorld world;
    world.Open();
    auto variant = MakeVariant(name, world);
    if (!variant) {
      std::fprintf(stderr, "soak: no variant %s\n", name.c_str());
      return 2;
    }
    figures.push_back(variant->Run(games, seed));
    variant.reset();
    world.Close();
    std::fflush(stdout);
  }

  int failures = 0;
  std::printf("%-10s %6s %6s %7s %6s %6s %8s %6s %7s %6s %6s %9s\n", "variant", "games", "won", "moves", "undos",
              "hints", "restarts", "deals", "layouts", "saves", "loads", "failures");
  for (const auto& f : figures) {
    std::printf("%-10s %6d %6d %7d %6d %6d %8d %6d %7d %6d %6d %9zu\n", f.name.c_str(), f.games, f.won, f.moves,
                f.undos, f.hints, f.restarts, f.deals, f.layouts, f.saves, f.loads, f.failures.size());
    failures += int(f.failures.size());
  }
  for (const auto& f : figures)
    for (const auto& failure : f.failures) std::printf("%s %s\n", f.name.c_str(), failure.c_str());
  return failures ? 1 : 0;
}
