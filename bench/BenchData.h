#pragma once
#include "resources/TImageBank.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <time.h>

// The data tree for the benchmarks that deal real layouts: MARROWDECK_DATA,
// or "gamedata" beside or above the build folder ("" when there is none).
inline std::string DataRoot() {
  const char* data = std::getenv("MARROWDECK_DATA");
  for (std::string root : {std::string(data ? data : ""), std::string("gamedata"), std::string("../gamedata")}) {
    if (root.empty()) continue;
    if (std::FILE* file = std::fopen((root + "/layouts/tripeaks/001.layout").c_str(), "rb")) {
      std::fclose(file);
      return root + "/";
    }
  }
  return "";
}

// The card pictures a deal touches: the outline, the stock places and the faces.
inline bool LoadPictures(const std::string& root) {
  const std::string folder = root + "data/graphics/";
  Images = std::make_shared<TImageBank>();
  Images->SetPath(folder);
  for (const char* name : {"cardback1", "cardempty", "carddenied"}) Images->Load(name);
  std::shared_ptr<TImageBank>* banks[] = {&HeartsImages, &DiamondsImages, &SpadesImages, &ClubsImages};
  const char* words[] = {"hearts", "diamonds", "spades", "clubs"};
  for (int suit = 0; suit < 4; ++suit) {
    *banks[suit] = std::make_shared<TImageBank>();
    (*banks[suit])->SetPath(folder);
    for (int rank = 1; rank <= 13; ++rank) (*banks[suit])->Load(words[suit] + std::to_string(rank));
  }
  return Images->FindTImage("cardback1") != nullptr;
}

// Milliseconds of CPU time this thread has used (what a wait is when the
// two cores are not shared with other programs).
inline double ThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}
