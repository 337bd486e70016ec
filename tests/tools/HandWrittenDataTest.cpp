// Checks of the hand-written data files the game ships: the default settings,
// the Klondike table layout and the bonus-flight particle effect.
#include "support/TestPaths.h"
#include "platform/Files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string ReadText(const std::string& relative) {
  std::string text;
  EXPECT_TRUE(platform::ReadWholeFile(test_support::SourcePath(relative), text)) << relative;
  return text;
}

// Lines of a file whose every line must end in CR LF.
std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "last line has no CR LF";
    if (end == std::string::npos) break;
    std::string line = text.substr(start, end - start);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "bare CR or LF in \"" << line << "\"";
    lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

TEST(DefaultIni, HoldsTheSettingsKeysInTheirOrderWithFirstRunValues) {
  const std::vector<std::string> expected = {
      "FULL SCREEN=0", "SOUND=1", "MUSIC=1", "SPEECH=1", "SOUND VOLUME=50", "MUSIC VOLUME=50",
      "SPEECH VOLUME=100", "FADE=1", "PARTICLES=80", "PORTAL SPLASH=0", "PORTAL SPLASH2=0", "INTRO=0",
      "VSYNC=1", "DRIVER=0", "SOUND DRIVER=FreeAudio", "FULL SCREEN PROCESS PRIORITY=0",
      "FULL SCREEN THREAD PRIORITY=0", "WINDOWED PROCESS PRIORITY=0", "WINDOWED THREAD PRIORITY=0",
      "PROFILE NAME=", "REGION=0", "SUB-REGION=0"};
  std::vector<std::string> lines = CrLfLines(ReadText("data/Default.ini"));
  EXPECT_EQ(lines, expected);
  for (const std::string& line : lines) {
    size_t eq = line.find('=');
    ASSERT_NE(eq, std::string::npos) << line;
    // A space beside "=" would become part of the key or the value.
    EXPECT_NE(line[eq - 1], ' ') << line;
    if (eq + 1 < line.size()) {
      EXPECT_NE(line[eq + 1], ' ') << line;
    }
  }
}

struct LayoutCard {
  int x, y;
  std::string angle;
};

TEST(KlondikeLayout, SevenColumnsDealtRowByRowOntoTheEmptyColumnPlaces) {
  std::vector<std::string> lines = CrLfLines(ReadText("data/layouts/klondike/klondike.layout"));
  ASSERT_EQ(lines.size(), 29u) << "header and 28 cards";
  EXPECT_EQ(lines[0], "Ostrelle Card Layout");
  std::vector<LayoutCard> cards;
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    size_t a = line.find(','), b = line.find(',', a + 1);
    ASSERT_TRUE(a != std::string::npos && b != std::string::npos) << line;
    cards.push_back({std::atoi(line.substr(0, a).c_str()), std::atoi(line.substr(a + 1, b - a - 1).c_str()),
                     line.substr(b + 1)});
  }
  // Row r holds one card for each column k > r; the game loads the file with
  // origin (25, 125), putting column k's first card on its place at
  // (120 + 90 (k - 1), 205).
  size_t index = 0;
  for (int r = 0; r < 7; ++r) {
    for (int k = r + 1; k <= 7; ++k, ++index) {
      EXPECT_EQ(cards[index].x, 95 + 90 * (k - 1)) << "card " << index;
      EXPECT_EQ(cards[index].y, 80 + 20 * r) << "card " << index;
      EXPECT_EQ(cards[index].angle, "0.00000000") << "card " << index;
    }
  }
  int columnSize[7] = {};
  for (const LayoutCard& c : cards) ++columnSize[(c.x - 95) / 90];
  for (int k = 0; k < 7; ++k) EXPECT_EQ(columnSize[k], k + 1) << "column " << k + 1;
  // Within a column each later card lies lower, so the last one is on top.
  for (size_t i = 0; i < cards.size(); ++i)
    for (size_t j = i + 1; j < cards.size(); ++j)
      if (cards[i].x == cards[j].x) {
        EXPECT_GT(cards[j].y, cards[i].y);
      }
}

// One emitter of a particle-effect file: 34 little-endian words, of which
// #28 (RenderType) and #29 (Image) are integers and the rest floats.
struct Emitter {
  float f[34];
  int32_t RenderType() const { int32_t v; std::memcpy(&v, &f[27], 4); return v; }
  int32_t Image() const { int32_t v; std::memcpy(&v, &f[28], 4); return v; }
  float Delay() const { return f[0]; }
  float Duration() const { return f[1]; }
  float LaunchSize() const { return f[9]; }
  float Alpha() const { return f[13]; }
  float AlphaVar() const { return f[14]; }
  float AlphaChange() const { return f[15]; }
  float LifeTime() const { return f[26]; }
};

TEST(BonusFlyEffect, TenEmittersWithAShortLivedActiveFirstEmitter) {
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(platform::ReadWholeFile(test_support::SourcePath("data/resources/bonusfly.par"), bytes));
  ASSERT_EQ(bytes.size(), 1360u);
  std::vector<Emitter> emitters(10);
  for (size_t e = 0; e < 10; ++e)
    for (size_t v = 0; v < 34; ++v) {
      const uint8_t* p = &bytes[e * 136 + v * 4];
      uint32_t word = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
      std::memcpy(&emitters[e].f[v], &word, 4);
    }
  // The bonus leaves the table only once emitter 0 reports it has finished,
  // which an emitter switched off never does.
  int32_t first = emitters[0].RenderType();
  EXPECT_TRUE(first >= 0 && first <= 2) << first;
  int active = 0;
  for (const Emitter& e : emitters) {
    ASSERT_TRUE(e.RenderType() >= 0 && e.RenderType() <= 3) << e.RenderType();
    if (e.RenderType() == 3) continue;
    ++active;
    EXPECT_TRUE(e.Image() >= 0 && e.Image() <= 8) << e.Image();
    EXPECT_GT(e.LaunchSize(), 0.0f);
    EXPECT_GT(e.LifeTime(), 0.0f);
    // Once looping stops the emitter is finished after delay + duration +
    // lifetime ticks: well within the ~120 ticks the flight allows.
    EXPECT_LE(e.Delay() + e.Duration() + e.LifeTime(), 120.0f);
    // Particles fade out completely before they are dropped (no popping).
    EXPECT_LE(e.Alpha() + e.AlphaVar() + e.AlphaChange() * e.LifeTime(), 0.05f);
  }
  // The effect counts as finished when more than eight emitters are.
  EXPECT_LE(active, 2) << "only two emitters may hold the effect open";
  EXPECT_GE(active, 1);
}

} // namespace
