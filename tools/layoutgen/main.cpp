// Writes the standard layouts of a game (tripeaks, matching), 001.layout ..,
// into the folder given,
// after checking every design: outlines inside the editing area, no two cards
// so close that a whole-pixel overlap test could go either way.
#include "LayoutDesigns.h"

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
  const bool matching = argc == 3 && std::strcmp(argv[1], "matching") == 0;
  if (argc != 3 || (!matching && std::strcmp(argv[1], "tripeaks") != 0)) {
    std::fprintf(stderr, "usage: makelayouts tripeaks|matching <folder>\n");
    return 2;
  }
  const auto designs = matching ? layoutgen::MatchingDesigns() : layoutgen::TripeaksDesigns();
  int failures = 0;
  for (size_t i = 0; i < designs.size(); ++i) {
    const auto& design = designs[i];
    const auto check = layoutgen::CheckLayout(design.cards);
    for (const auto& problem : check.problems)
      std::fprintf(stderr, "%s: %s\n", design.name.c_str(), problem.c_str()), ++failures;
    char name[32];
    std::snprintf(name, sizeof(name), "/%03d.layout", int(i + 1));
    const std::string path = argv[2] + std::string(name);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
    const std::string text = layoutgen::LayoutFileText(design);
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    std::printf("%s %s: %zu cards\n", name + 1, design.name.c_str(), design.cards.size());
  }
  return failures ? 1 : 0;
}
