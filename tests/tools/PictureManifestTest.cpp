// The generated picture tree against what the game loads: every file in its
// folder with a lower-case name, and the sizes the screens rely on.
#include "PictureTestHelpers.h"

#include "platform/Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

using picture_test::Load;

namespace {

std::vector<std::string> Graphics() {
  std::vector<std::string> names = picture_test::CardSized();
  for (const char* n :
       {"cardmo", "cardhint1", "cardhint2", "pointer", "levelback", "levelhighlight", "check", "textback",
        "helptextback", "helptextback2", "scoreplus", "scoreminus1", "scoreminus2", "paused", "generating", "music",
        "sound", "blackback", "input", "inputlong", "helpimage", "helpimage2", "helpimage3", "manager", "menu",
        "velquorlogo", "particles", "loading", "loadingbar", "loadingbarempty", "loadingbarfinal", "logo",
        "playoptionsheader", "selectlevel", "optionsheader", "helpheader", "highscoresheader", "entername",
        "endlevelback", "slider", "marker", "scrollslider", "icon"})
    names.push_back(n);
  return names;
}

TEST(PictureManifest, EveryPictureIsInItsFolderWithALowerCaseName) {
  std::vector<std::string> files;
  for (const std::string& n : Graphics()) files.push_back("data/graphics/" + n + ".png");
  for (const auto& b : picture_test::Buttons()) {
    files.push_back("data/menus/" + b.name + ".png");
    files.push_back("data/menus/" + b.name + "mo.png");
    if (b.toggle) {
      files.push_back("data/menus/" + b.name + "on.png");
      files.push_back("data/menus/" + b.name + "onmo.png");
    }
  }
  ASSERT_EQ(files.size(), 207u); // 216 pictures in all, less the 9 in the pack
  for (const std::string& f : files) {
    std::string path = test_support::DataPath(f);
    EXPECT_TRUE(std::filesystem::is_regular_file(path)) << f;
    // The game asks for mixed-case names ("exitMO", "arrowLeft"); the lookup
    // ignores case, so the files themselves are lower case.
    for (char c : f) EXPECT_FALSE(std::isupper(static_cast<unsigned char>(c))) << f;
  }
  EXPECT_EQ(platform::ResolvePath(test_support::DataPath("Data/menus/exitMO.png")),
            test_support::DataPath("data/menus/exitmo.png"));
  // Count the menu files: exactly the 100 button pictures, nothing stray.
  int menuFiles = 0;
  for (const auto& entry : std::filesystem::directory_iterator(test_support::DataPath("data/menus")))
    menuFiles += entry.path().extension() == ".png";
  EXPECT_EQ(menuFiles, 100);
}

TEST(PictureManifest, ButtonStatesShareOneSize) {
  for (const auto& b : picture_test::Buttons()) {
    auto normal = Load("data/menus/" + b.name + ".png");
    ASSERT_TRUE(normal) << b.name;
    std::vector<std::string> states = {"mo"};
    if (b.toggle) states.insert(states.end(), {"on", "onmo"});
    for (const std::string& s : states) {
      auto other = Load("data/menus/" + b.name + s + ".png");
      ASSERT_TRUE(other) << b.name << s;
      EXPECT_EQ(other->width, normal->width) << b.name << s;
      EXPECT_EQ(other->height, normal->height) << b.name << s;
      // A hover state that is pixel-identical would give no feedback.
      EXPECT_NE(other->rgba, normal->rgba) << b.name << s;
    }
  }
}

TEST(PictureManifest, ButtonsFitTheirPlacesOnScreen) {
  auto size = [](const std::string& name) { return Load("data/menus/" + name + ".png"); };
  // In-game column: three buttons and two gaps of 6 within 90 pixels.
  for (const char* n : {"undo", "hint", "menu"}) EXPECT_LE(size(n)->height * 3 + 12, 90) << n;
  // Editor row: four buttons, 20 apart, across 800 pixels; at most 35 tall.
  int row = 60;
  for (const char* n : {"savecustom", "loadcustom", "reset", "backtomenu"}) {
    row += size(n)->width;
    EXPECT_LE(size(n)->height, 35) << n;
  }
  EXPECT_LE(row, 800);
  EXPECT_LE(size("changeplayer")->height, 35);
  for (const char* n : {"standardlevel", "customlevel"}) EXPECT_LE(size(n)->height, 55) << n;
  for (const char* n : {"matching", "tripeaks", "klondike"}) {
    EXPECT_LE(size(n)->width, 230) << n;
    EXPECT_LE(size(n)->height, 220) << n;
  }
  EXPECT_EQ(size("autocomplete")->width, 128); // centred at x 400 from x 336
  EXPECT_LE(size("autocomplete")->height, 62);
}

TEST(PictureManifest, ScreenSizedPicturesAndSheets) {
  for (const char* n : {"gamescreen1.jpg", "gamescreen2.jpg", "gamescreen3.jpg", "gamescreen4.jpg",
                        "gamescreen5.jpg", "playscreen.jpg", "titlescreen.jpg"}) {
    auto p = Load(std::string("pak:") + n);
    ASSERT_TRUE(p) << n;
    EXPECT_EQ(p->width, 800) << n;
    EXPECT_EQ(p->height, 600) << n;
  }
  auto sheet = Load("data/graphics/particles.png");
  ASSERT_TRUE(sheet);
  EXPECT_EQ(sheet->width, 384);
  EXPECT_EQ(sheet->height, 384);
  // Each of the nine 128-pixel frames holds something, clear of its cell's
  // corners so neighbouring frames never bleed into each other.
  for (int frame = 0; frame < 9; ++frame) {
    int x0 = (frame % 3) * 128, y0 = (frame / 3) * 128, strongest = 0;
    for (int y = y0; y < y0 + 128; ++y)
      for (int x = x0; x < x0 + 128; ++x) strongest = std::max<int>(strongest, sheet->Pixel(x, y)[3]);
    EXPECT_GT(strongest, 100) << frame;
    for (int corner = 0; corner < 4; ++corner)
      EXPECT_EQ(sheet->Pixel(x0 + (corner % 2) * 127, y0 + (corner / 2) * 127)[3], 0) << frame;
  }
  for (const char* n : {"pak:particle1.png", "pak:particle2.png"}) {
    auto p = Load(n);
    ASSERT_TRUE(p) << n;
    EXPECT_GT(p->Pixel(p->width / 2, p->height / 2)[3], 200) << n;
  }
}

TEST(PictureManifest, PointerHasItsHotSpotAtTheTopLeft) {
  auto pointer = Load("data/graphics/pointer.png");
  ASSERT_TRUE(pointer);
  EXPECT_GE(pointer->width, 21);
  EXPECT_GE(pointer->height, 26);
  EXPECT_EQ(pointer->Pixel(0, 0)[3], 255); // the tip is the hot spot
}

TEST(PictureManifest, LoadingBarAndLoadingPictureLineUp) {
  auto bar = Load("data/graphics/loadingbar.png");
  ASSERT_TRUE(bar);
  EXPECT_EQ(bar->width % 24, 0);
  for (const char* n : {"data/graphics/loadingbarempty.png", "data/graphics/loadingbarfinal.png"}) {
    auto other = Load(n);
    ASSERT_TRUE(other) << n;
    EXPECT_EQ(other->width, bar->width) << n;
    EXPECT_EQ(other->height, bar->height) << n;
  }
  // The loading picture is a full screen with the bar's slot cut out, so it
  // works drawn either under or over the bar.
  auto loading = Load("data/graphics/loading.png");
  ASSERT_TRUE(loading);
  ASSERT_EQ(loading->width, 800);
  ASSERT_EQ(loading->height, 600);
  int x0 = (800 - bar->width) / 2;
  for (int y = 425; y < 425 + bar->height; ++y)
    for (int x = x0; x < x0 + bar->width; ++x) ASSERT_EQ(loading->Pixel(x, y)[3], 0) << x << "," << y;
  EXPECT_EQ(loading->Pixel(400, 100)[3], 255);
}

TEST(PictureManifest, PanelsHoldWhatTheyCarry) {
  auto size = [](const std::string& n) { return Load("data/graphics/" + n + ".png"); };
  // Level frames fit the 200 x 143 slot pitch and hold a 195 x 112 thumbnail.
  EXPECT_LE(size("levelback")->width, 200);
  EXPECT_LE(size("levelback")->height, 143);
  EXPECT_EQ(size("levelhighlight")->width, size("levelback")->width);
  EXPECT_EQ(size("levelhighlight")->height, size("levelback")->height);
  // The end-of-level panel stays above the message line at y 410.
  EXPECT_LE(300 + size("endlevelback")->height / 2, 405);
  // The score table (x 150..650, y 170..425) sits on blackback at (400, 284).
  EXPECT_GE(size("blackback")->width, 500);
  EXPECT_LE(284 - size("blackback")->height / 2, 160);
  EXPECT_GE(284 + size("blackback")->height / 2, 440);
  // Headers leave room for what sits under them.
  for (const char* n : {"optionsheader", "helpheader", "highscoresheader"}) EXPECT_LE(size(n)->height, 80) << n;
  EXPECT_LE(size("selectlevel")->height, 70);
  EXPECT_LE(size("logo")->height, 180);
  // Help pictures sit left of the help text at x 285.
  for (const char* n : {"helpimage", "helpimage2", "helpimage3"}) EXPECT_LE(175 + size(n)->width / 2, 285) << n;
  // The knob is no taller than the track.
  EXPECT_LE(size("marker")->height, size("slider")->height);
  // Dialogs hold a caption, a prompt, an entry line and two buttons in a row.
  auto ok = Load("data/menus/ok.png"), cancel = Load("data/menus/cancel.png");
  for (const char* n : {"input", "entername", "inputlong"}) EXPECT_GE(size(n)->width, ok->width + cancel->width + 60) << n;
  // The player manager holds OK, Create, Delete, Cancel 10 apart inside its 20-pixel border.
  int row = 30;
  for (const char* n : {"ok", "create", "delete", "cancel"}) row += Load(std::string("data/menus/") + n + ".png")->width;
  EXPECT_LE(row, size("manager")->width - 40);
}

} // namespace
