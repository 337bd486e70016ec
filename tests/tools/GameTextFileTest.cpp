// Checks of the shipped game text, data/text/gametext.txt: the file format the
// game's reader expects, every key the game looks up, and that each line fits
// the place it is drawn in at its font size (measured with the game's font).
#include "support/TestPaths.h"
#include "platform/Files.h"
#include "platform/FontRaster.h"
#include "resources/TGameText.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const char* const AllKeys[] = {
    "Data Pak Error", "Enter Name", "Could Not Create File", "Could Not Read File", "Failed Read Directory",
    "Could Not Delete File", "Name Empty", "Name Too Long", "Name Bad End", "Name Bad Character",
    "Choose Player", "Player No More", "Player One Player", "Player Delete Player",
    "Highscore Name 1", "Highscore Name 2", "Highscore Name 3", "Highscore Name 4", "Highscore Name 5",
    "Highscore Name 6", "Highscore Name 7", "Highscore Name 8", "Highscore Name 9", "Highscore Name 10",
    "Highscore Place", "Failed Save File", "No Moves Left", "Tripeaks Information", "Matching Information",
    "Bonus Points", "Bonus Counter", "Editor Error Equal Number", "Editor Error Two Opened",
    "Editor Error Unsolvable", "Editor Error Not Valid", "Editor Message 1", "Editor Message 2", "Angle Field",
    "Enter Card Name", "Enter Save Name", "Clear Puzzle", "Exit Editor", "Restart Puzzle", "Reshuffle Puzzle",
    "Exit Playing", "Finished Puzzle Message", "Score Field", "Time Field", "Choose Savegame", "Choose Layout",
    "Delete File", "Klondike Message 1", "Klondike Message 2", "Matching Message 1", "Matching Message 2",
    "Tripeaks Message 1", "Tripeaks Message 2", "Custom Message 1", "Custom Message 2", "Matching Name",
    "Tripeaks Name", "Cards Field", "No Levels", "Version", "Welcome Message", "Help Message Klondike",
    "Help Message Matching", "Help Message Tripeaks", "Clear Highscore", "Name", "Score"};

// Keys whose text may run over several lines; every other key is one line.
const std::set<std::string> MultiLineKeys = {"DATA PAK ERROR", "FINISHED PUZZLE MESSAGE", "NO LEVELS",
                                             "HELP MESSAGE KLONDIKE", "HELP MESSAGE MATCHING",
                                             "HELP MESSAGE TRIPEAKS"};

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return s;
}

// The file split the strict way: at every "\n", dropping one "\r" before it.
// A final line end would leave an empty last line (which the game would keep
// as a text line of the last entry).
std::vector<std::string> StrictLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (true) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      return lines;
    }
    size_t length = end - start;
    if (length > 0 && text[end - 1] == '\r') --length;
    lines.push_back(text.substr(start, length));
    start = end + 1;
  }
}

struct Entry {
  std::string key;
  std::vector<std::string> lines;
};

class GameTextFile : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(platform::ReadWholeFile(test_support::SourcePath("data/text/gametext.txt"), Raw()));
    std::vector<std::string> lines = StrictLines(Raw());
    size_t i = 0;
    while (i < lines.size()) {
      ASSERT_EQ(Upper(lines[i]), "[TEXT]") << "line " << i + 1;
      ++i;
      ASSERT_LT(i, lines.size()) << "a header without a key at the end";
      Entry entry{lines[i++], {}};
      while (i < lines.size() && (lines[i].empty() || lines[i][0] != '[')) entry.lines.push_back(lines[i++]);
      Entries().push_back(entry);
    }
    for (const Entry& e : Entries()) ByKey()[Upper(e.key)] = e.lines;
  }
  static std::string& Raw() {
    static std::string raw;
    return raw;
  }
  static std::vector<Entry>& Entries() {
    static std::vector<Entry> entries;
    return entries;
  }
  static std::map<std::string, std::vector<std::string>>& ByKey() {
    static std::map<std::string, std::vector<std::string>> map;
    return map;
  }
  static const std::vector<std::string>& Lines(const std::string& key) {
    static const std::vector<std::string> none;
    auto it = ByKey().find(Upper(key));
    return it == ByKey().end() ? none : it->second;
  }
  static std::string One(const std::string& key) {
    const auto& lines = Lines(key);
    return lines.empty() ? std::string() : lines.front();
  }
};

TEST_F(GameTextFile, FollowsTheFileFormat) {
  const std::string& raw = Raw();
  ASSERT_GE(raw.size(), 3u);
  EXPECT_FALSE(raw[0] == '\xEF' && raw[1] == '\xBB' && raw[2] == '\xBF') << "no byte-order mark";
  EXPECT_EQ(raw.substr(0, 6), "[TEXT]");
  for (size_t i = 0; i < raw.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(raw[i]);
    if (c == '\r') {
      EXPECT_TRUE(i + 1 < raw.size() && raw[i + 1] == '\n') << "lone carriage return at byte " << i;
    } else {
      EXPECT_TRUE(c == '\n' || (c >= 32 && c != 127)) << "control byte " << int(c) << " at byte " << i;
    }
  }
  for (const Entry& e : Entries()) {
    EXPECT_FALSE(e.key.empty());
    EXPECT_FALSE(e.lines.empty()) << e.key << " has no text";
    for (const std::string& line : e.lines) {
      // A blank line would become a trailing text line of this entry.
      EXPECT_FALSE(line.empty()) << "blank line in or after " << e.key;
      EXPECT_NE(line.front(), '[') << e.key;
    }
  }
}

TEST_F(GameTextFile, HoldsEveryKeyOnceAndTheGameReadsThemAll) {
  std::set<std::string> expected;
  for (const char* key : AllKeys) expected.insert(Upper(key));
  ASSERT_EQ(expected.size(), 71u);
  std::multiset<std::string> inFile;
  for (const Entry& e : Entries()) inFile.insert(Upper(e.key));
  for (const std::string& key : expected) EXPECT_EQ(inFile.count(key), 1u) << key;
  EXPECT_EQ(inFile.size(), 71u) << "unknown or repeated keys";

  TGameText table;
  ASSERT_TRUE(table.Parse(Raw()));
  for (const char* key : AllKeys) EXPECT_EQ(table.Find(key), Lines(key)) << key;
  EXPECT_EQ(table.FindString("No Levels"), Lines("No Levels")[0] + "\r\n" + Lines("No Levels")[1]);
}

TEST_F(GameTextFile, PlaceholdersPrefixesAndLineCounts) {
  for (const char* key : {"Bonus Points", "Bonus Counter"}) {
    std::string text = One(key);
    size_t at = text.find("NNN");
    ASSERT_NE(at, std::string::npos) << key;
    EXPECT_EQ(text.find("NNN", at + 1), std::string::npos) << key;
  }
  // The game appends a path and a closing quote to these...
  for (const char* key : {"Could Not Create File", "Could Not Read File", "Failed Read Directory",
                          "Could Not Delete File"})
    EXPECT_EQ(One(key).back(), '\'') << key;
  // ...and a value to these.
  for (const char* key : {"Highscore Place", "Failed Save File", "Editor Message 1", "Angle Field", "Score Field",
                          "Time Field", "Version", "Welcome Message", "Name Bad Character"})
    EXPECT_EQ(One(key).back(), ' ') << key;
  EXPECT_NE(One("Cards Field").back(), ' ') << "the game adds \": \" itself";

  for (const char* key : AllKeys) {
    if (MultiLineKeys.count(Upper(key))) continue;
    EXPECT_EQ(Lines(key).size(), 1u) << key;
  }
  for (int n = 1; n <= 10; ++n) {
    std::string name = One("Highscore Name " + std::to_string(n));
    EXPECT_GE(name.size(), 1u);
    EXPECT_LE(name.size(), 10u) << name;
  }
  // Help pages end at y 424 with a line every 25 px and must stay below the
  // variant buttons (y 115 + button height), so at most 8 lines.
  for (const char* key : {"Help Message Klondike", "Help Message Matching", "Help Message Tripeaks"}) {
    EXPECT_GE(Lines(key).size(), 3u) << key;
    EXPECT_LE(Lines(key).size(), 8u) << key;
  }
}

// Text widths in the game's font (Carlito, served as calibri.ttf).
class TextWidth {
public:
  explicit TextWidth(int size) {
    std::vector<uint8_t> data;
    ok_ = platform::ReadWholeFile("/usr/share/fonts/truetype/crosextra/Carlito-Regular.ttf", data) &&
          platform::RasterizeFont(data.data(), data.size(), size, font_);
  }
  bool Ok() const { return ok_; }
  float operator()(const std::string& text) const {
    float width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      unsigned char c = static_cast<unsigned char>(text[i]);
      width += font_.glyphs[c].advance;
      if (i + 1 < text.size() && !font_.kerning.empty())
        width += font_.kerning[c * 256u + static_cast<unsigned char>(text[i + 1])];
    }
    return width;
  }
private:
  bool ok_ = false;
  platform::RasterFont font_;
};

struct Fit {
  const char* key;
  int fontSize;
  float maxWidth;
  const char* appended; // what the game adds when drawing (widest realistic value)
};

TEST_F(GameTextFile, EveryLineFitsWhereItIsDrawn) {
  const Fit fits[] = {
      // Dialogs on the "input" panel (caption 20 px, 20 px borders).
      {"Enter Name", 20, 300, ""}, {"Player Delete Player", 20, 380, ""},
      {"Editor Error Equal Number", 20, 380, ""}, {"Editor Error Two Opened", 20, 380, ""},
      {"Editor Error Unsolvable", 20, 380, ""}, {"Editor Error Not Valid", 20, 380, ""},
      {"Enter Card Name", 20, 380, ""}, {"Enter Save Name", 20, 380, ""}, {"Clear Puzzle", 20, 380, ""},
      {"Exit Editor", 20, 380, ""}, {"Restart Puzzle", 20, 380, ""}, {"Reshuffle Puzzle", 20, 380, ""},
      {"Exit Playing", 20, 380, ""}, {"Delete File", 20, 380, ""}, {"Clear Highscore", 20, 380, ""},
      // Long and error dialogs on "inputlong"; error prefixes leave room for a path.
      {"Player No More", 20, 380, ""}, {"Player One Player", 20, 380, ""}, {"Highscore Place", 20, 560, "10!"},
      {"Could Not Create File", 20, 280, ""}, {"Could Not Read File", 20, 280, ""},
      {"Failed Read Directory", 20, 280, ""}, {"Failed Save File", 20, 280, ""},
      {"Could Not Delete File", 20, 280, ""}, {"Name Empty", 20, 560, ""}, {"Name Too Long", 20, 560, ""},
      {"Name Bad End", 20, 560, ""}, {"Name Bad Character", 20, 540, "W"},
      // Manager captions.
      {"Choose Player", 20, 400, ""}, {"Choose Savegame", 20, 400, ""}, {"Choose Layout", 20, 400, ""},
      // In-game help strips (about 600 px wide), in the larger game font.
      {"No Moves Left", 25, 580, ""}, {"Tripeaks Information", 25, 580, ""},
      {"Matching Information", 25, 580, ""}, {"Bonus Points", 25, 580, ""}, {"Bonus Counter", 25, 580, ""},
      // Editor texts: the instructions span the screen, the fields sit at the left.
      {"Editor Message 2", 25, 760, ""}, {"Editor Message 1", 25, 200, "104"}, {"Angle Field", 25, 200, "-359"},
      {"Finished Puzzle Message", 25, 520, ""},
      // Score and time: the Klondike score starts at x 110 and must end before
      // the auto-complete button at x 336.
      {"Score Field", 34, 220, "12345"}, {"Time Field", 34, 220, "59:59"},
      // Play screen descriptions on "textback".
      {"Klondike Message 1", 20, 560, ""}, {"Klondike Message 2", 20, 560, ""},
      {"Matching Message 1", 20, 560, ""}, {"Matching Message 2", 20, 560, ""},
      {"Tripeaks Message 1", 20, 560, ""}, {"Tripeaks Message 2", 20, 560, ""},
      {"Custom Message 1", 20, 560, ""}, {"Custom Message 2", 20, 560, ""},
      {"Matching Name", 20, 300, ""}, {"Tripeaks Name", 20, 300, ""},
      {"Cards Field", 25, 170, ": 104"}, {"No Levels", 25, 700, ""},
      {"Version", 18, 300, "1.11"}, {"Welcome Message", 20, 700, "MMMMMMMMMM!"},
      // Help pages from x 285 to the panel's edge.
      {"Help Message Klondike", 25, 450, ""}, {"Help Message Matching", 25, 450, ""},
      {"Help Message Tripeaks", 25, 450, ""},
      // High-score table: names from x 150, scores right-aligned at 650.
      {"Name", 34, 200, ""}, {"Score", 34, 200, ""},
  };
  std::map<int, TextWidth> widths;
  for (int size : {18, 20, 25, 34}) widths.emplace(size, TextWidth(size));
  for (auto& [size, width] : widths) ASSERT_TRUE(width.Ok()) << "Carlito at " << size;

  EXPECT_GT(widths.at(20)("Leave this game"), 100.0f) << "the measure itself works";
  for (const Fit& fit : fits) {
    for (std::string line : Lines(fit.key)) {
      size_t at = line.find("NNN");
      if (at != std::string::npos) line.replace(at, 3, "1250");
      line += fit.appended;
      EXPECT_LE(widths.at(fit.fontSize)(line), fit.maxWidth) << fit.key << ": \"" << line << "\"";
    }
  }
  for (int n = 1; n <= 10; ++n) {
    std::string name = One("Highscore Name " + std::to_string(n));
    EXPECT_LE(widths.at(34)(name), 300.0f) << name;
  }
}

} // namespace
