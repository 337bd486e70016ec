#include "PakTestHelpers.h"
#include "platform/ErrorReport.h"
#include "resources/PakWriter.h"
#include "resources/TPakFileManager.h"
#include "resources/TPakFileStreamFactory.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace paktest;

namespace {

std::vector<std::string> reported;
void RecordingHandler(const std::string& message, int fatal) {
  if (fatal) throw std::runtime_error(message);
  reported.push_back(message);
}

class TPakFileManagerTest : public ::testing::Test {
protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("pakman-" + std::to_string(::getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "data" / "resources");
    reported.clear();
    previous_ = GetErrorHandler();
    SetErrorHandler(RecordingHandler);
  }
  void TearDown() override {
    SetErrorHandler(previous_);
    fs::remove_all(root_);
  }
  fs::path Resources() const { return root_ / "data" / "resources"; }
  void WritePak(const std::string& name, const std::vector<PakWriterItem>& items) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(BuildPak11(items, bytes));
    WriteBytes(Resources() / name, bytes);
  }
  void WriteLoose(const std::string& relative, const std::string& text) { WriteBytes(Resources() / relative, Bytes(text)); }
  std::shared_ptr<TPakFileManager> Open() { return TPakFileManager::Create((root_ / "data" / "resources").string(), ".pak"); }

  fs::path root_;
  ErrorHandler previous_ = nullptr;
};

TEST_F(TPakFileManagerTest, ServesPackedAndLooseItemsByNameIgnoringCase) {
  WritePak("data.pak", {{"GameScreen1.JPG", 2, Bytes("jpeg bytes")}, {"calibri.ttf", 3, Bytes("font")}});
  WriteLoose("particles/bonusfly.par", "particle file");
  WriteLoose("notes.txt", "loose text");
  const auto pak = Open();
  EXPECT_EQ(pak->Path.back(), '/');
  EXPECT_EQ(pak->Map.size(), 4u);
  EXPECT_EQ(pak->GetString("gamescreen1.jpg"), "jpeg bytes");
  EXPECT_EQ(pak->GetString("GAMESCREEN1.jpg"), "jpeg bytes");
  EXPECT_EQ(pak->GetBinary("calibri.ttf"), Bytes("font"));
  EXPECT_EQ(pak->GetItem("Particles/BonusFly.par")->Name, "particles/bonusfly.par");
  EXPECT_EQ(pak->GetItem("notes.txt")->VarType, 1);
  EXPECT_EQ(pak->GetText("notes.txt"), "loose text");
  // Missing names give empty results, never a crash.
  EXPECT_EQ(pak->GetItem("missing.png"), nullptr);
  EXPECT_TRUE(pak->GetBinary("missing.png").empty());
  EXPECT_EQ(pak->GetString("missing.png"), "");
  EXPECT_EQ(pak->GetStream("missing.png"), nullptr);
  EXPECT_EQ(pak->GetBank("missing.png"), nullptr);
  auto stream = pak->GetStream("calibri.ttf");
  ASSERT_NE(stream, nullptr);
  std::string word;
  *stream >> word;
  EXPECT_EQ(word, "font");
}

TEST_F(TPakFileManagerTest, OverrideOrderLaterPacksThenLooseFiles) {
  WritePak("a.pak", {{"titlescreen.jpg", 2, Bytes("from a")}, {"shared.dat", 0, Bytes("from a")}});
  WritePak("B.pak", {{"Shared.DAT", 0, Bytes("from B")}});
  WriteLoose("titlescreen.jpg", "loose");
  const auto pak = Open();
  EXPECT_EQ(pak->GetString("shared.dat"), "from B");
  EXPECT_EQ(pak->GetString("titlescreen.jpg"), "loose");
  EXPECT_EQ(pak->GetItem("titlescreen.jpg")->VarType, 2);

  // Reload starts from scratch.
  fs::remove(Resources() / "titlescreen.jpg");
  pak->Reload();
  EXPECT_EQ(pak->GetString("titlescreen.jpg"), "from a");
}

TEST_F(TPakFileManagerTest, PackExtensionIsSkippedByTheLooseWalk) {
  WritePak("data.pak", {{"inner.txt", 1, Bytes("packed")}});
  // A folder named like a pack is not descended into, and is no pack.
  WriteLoose("old.pak/hidden.txt", "never loaded");
  WriteLoose("sub/deeper/found.txt", "found");
  // The extension is matched ignoring case, like every data-file name.
  WritePak("EXTRA.PAK", {{"extra.txt", 1, Bytes("from the upper-case pack")}});
  const auto pak = Open();
  EXPECT_EQ(pak->GetItem("old.pak/hidden.txt"), nullptr);
  EXPECT_EQ(pak->GetItem("data.pak"), nullptr);
  EXPECT_EQ(pak->GetString("sub/deeper/found.txt"), "found");
  EXPECT_EQ(pak->GetItem("extra.pak"), nullptr);
  EXPECT_EQ(pak->GetString("extra.txt"), "from the upper-case pack");
  EXPECT_EQ(pak->GetString("inner.txt"), "packed");
  EXPECT_TRUE(reported.empty());
}

TEST_F(TPakFileManagerTest, BadPacksAreReportedAndSkippedWhole) {
  WritePak("1good.pak", {{"kept.dat", 0, Bytes("kept")}});
  WriteBytes(Resources() / "2magic.pak", Bytes("NOPE and more bytes"));
  WriteBytes(Resources() / "3version.pak", Header(2));
  RawItem bad = Item("lost.dat", "twelve bytes");
  bad.Stream[bad.Stream.size() - 1] ^= 1; // its checksum
  WriteBytes(Resources() / "4damaged.pak", Pak11({Item("also-lost.dat", "x"), bad}));
  const auto pak = Open();
  EXPECT_EQ(pak->GetString("kept.dat"), "kept");
  EXPECT_EQ(pak->GetItem("lost.dat"), nullptr);
  EXPECT_EQ(pak->GetItem("also-lost.dat"), nullptr);
  ASSERT_EQ(reported.size(), 3u);
  EXPECT_EQ(reported[0].rfind("TPakFile::Invalid pak file", 0), 0u) << reported[0];
  EXPECT_NE(reported[0].find("2magic.pak"), std::string::npos);
  EXPECT_EQ(reported[1].rfind("TPakFile::Unsupported pakfile version 2.0", 0), 0u) << reported[1];
  EXPECT_EQ(reported[2].rfind("TPakFile::Corrupt pak file", 0), 0u) << reported[2];
}

// A damaged or hostile tree: pipes are skipped unread, and links back into
// the tree (to "." and "..") are walked once, so the walk ends at once.
TEST_F(TPakFileManagerTest, PipesAndLinkLoopsAreSkipped) {
  WriteLoose("a.txt", "first");
  fs::create_directories(Resources() / "sub");
  WriteLoose("sub/b.txt", "second");
  ASSERT_EQ(mkfifo((Resources() / "pipe.png").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo((Resources() / "sub" / "pipe.txt").c_str(), 0600), 0);
  for (const char* name : {"here1", "here2", "here3"}) fs::create_directory_symlink(".", Resources() / "sub" / name);
  for (const char* name : {"up1", "up2"}) fs::create_directory_symlink("..", Resources() / "sub" / name);
  auto manager = Open();
  EXPECT_EQ(manager->GetString("a.txt"), "first");
  EXPECT_EQ(manager->GetString("sub/b.txt"), "second");
  EXPECT_EQ(manager->Map.size(), 2u);
  EXPECT_TRUE(reported.empty());
}

TEST_F(TPakFileManagerTest, MissingFolderLoadsNothing) {
  const auto pak = TPakFileManager::Create((root_ / "nowhere").string(), ".pak");
  EXPECT_TRUE(pak->Map.empty());
  EXPECT_EQ(pak->LoadPakFile((root_ / "nowhere" / "x.pak").string()), 0);
  EXPECT_TRUE(reported.empty());
}

TEST_F(TPakFileManagerTest, FolderFoundWhateverTheCaseOfItsPath) {
  WritePak("data.pak", {{"x.dat", 0, Bytes("x")}});
  const auto pak = TPakFileManager::Create((root_ / "Data" / "Resources").string(), ".pak");
  EXPECT_EQ(pak->GetString("x.dat"), "x");
}

TEST_F(TPakFileManagerTest, PackedFolderIsServedItemByItem) {
  const fs::path source = root_ / "source";
  WriteBytes(source / "gamescreen1.jpg", std::vector<uint8_t>(4096, 7));
  WriteBytes(source / "Fonts" / "calibri.ttf", Bytes("ttf bytes"));
  WriteBytes(source / "particles" / "bonusfly.par", Bytes("par"));
  WriteBytes(source / "skip.pak", Bytes("not packed into the pack"));
  std::string error;
  ASSERT_TRUE(WritePakFromFolder(source.string(), (Resources() / "data.pak").string(), &error)) << error;
  const auto pak = Open();
  EXPECT_EQ(pak->Map.size(), 3u);
  EXPECT_EQ(pak->GetBinary("gamescreen1.jpg"), std::vector<uint8_t>(4096, 7));
  EXPECT_EQ(pak->GetItem("gamescreen1.jpg")->VarType, 2);
  EXPECT_EQ(pak->GetString("fonts/calibri.ttf"), "ttf bytes");
  EXPECT_EQ(pak->GetItem("fonts/calibri.ttf")->VarType, 3);
  EXPECT_EQ(pak->GetString("particles/bonusfly.par"), "par");
  EXPECT_FALSE(WritePakFromFolder((root_ / "absent").string(), (root_ / "out.pak").string(), &error));
}

TEST_F(TPakFileManagerTest, StreamFactoryAnswersOnlyItsSchemeForReading) {
  WritePak("data.pak", {{"level.txt", 1, Bytes("42")}});
  TPakFileStreamFactory factory;
  factory.Protocoll = "pak";
  EXPECT_EQ(factory.CreateStream("pak::level.txt", "pak", "level.txt", true, false), nullptr); // no manager yet
  factory.PakMan = Open();
  auto stream = factory.CreateStream("pak::level.txt", "pak", "LEVEL.TXT", true, false);
  ASSERT_NE(stream, nullptr);
  int value = 0;
  *stream >> value;
  EXPECT_EQ(value, 42);
  EXPECT_EQ(factory.CreateStream("", "zip", "level.txt", true, false), nullptr);
  EXPECT_EQ(factory.CreateStream("", "pak", "level.txt", true, true), nullptr);
  EXPECT_EQ(factory.CreateStream("", "pak", "missing.txt", true, false), nullptr);
}

TEST(TPakItemTest, TextDecodingAndKinds) {
  EXPECT_EQ(DecodeTextBytes(Bytes("plain \xE9")), "plain \xE9");
  EXPECT_EQ(DecodeTextBytes(Bytes("\xEF\xBB\xBF" "caf\xC3\xA9 \xE2\x82\xAC")), "caf\xE9 ?");
  EXPECT_EQ(DecodeTextBytes(Bytes(std::string("\xFF\xFE" "A\0\xE9\0", 6))), "A\xE9");
  EXPECT_EQ(DecodeTextBytes(Bytes(std::string("\xFE\xFF\0B\x20\xAC", 6))), "B?");
  EXPECT_EQ(DecodeTextBytes(Bytes("\xEF\xBB\xBF" "cut \xC3")), "cut ?");
  EXPECT_EQ(VarTypeForName("a/B.PNG"), 2);
  EXPECT_EQ(VarTypeForName("x.ogg"), 4);
  EXPECT_EQ(VarTypeForName("x.ttf"), 3);
  EXPECT_EQ(VarTypeForName("readme.TXT"), 1);
  EXPECT_EQ(VarTypeForName("x.par"), 0);
  EXPECT_EQ(VarTypeForName("folder.png/file"), 0);
  EXPECT_EQ(PakLowerCase("ABC-\xC4"), "abc-\xC4");
}

} // namespace
