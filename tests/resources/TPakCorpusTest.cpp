// Replays the pack reader's fuzzing corpus (fuzz/corpus/pak_reader/) in the
// ordinary build: seeds named "valid-*" must read and survive a rewrite,
// "bad-*" must be refused, and anything else (inputs a fuzzing run found)
// must simply be handled without a crash.
#include "support/TestPaths.h"
#include "resources/PakWriter.h"
#include "resources/TPakFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

TEST(TPakCorpusTest, SeedsReadOrAreRefusedAsNamed) {
  const fs::path folder = test_support::SourcePath("fuzz/corpus/pak_reader");
  ASSERT_TRUE(fs::is_directory(folder)) << folder;
  int valid = 0, bad = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    TPakFile pak;
    ByteReader reader(bytes.data(), bytes.size());
    std::string error;
    const bool ok = pak.ReadFromStream(reader, &error);
    if (name.rfind("valid-", 0) == 0) {
      ++valid;
      ASSERT_TRUE(ok) << error;
      std::vector<PakWriterItem> items;
      for (const auto& item : pak.Items) items.push_back({item->Name, item->VarType, item->Data});
      std::vector<uint8_t> rewritten;
      ASSERT_TRUE(BuildPak11(items, rewritten, &error)) << error;
      TPakFile again;
      ByteReader reader2(rewritten.data(), rewritten.size());
      ASSERT_TRUE(again.ReadFromStream(reader2, &error)) << error;
      ASSERT_EQ(again.Items.size(), pak.Items.size());
      for (size_t i = 0; i < items.size(); ++i) EXPECT_EQ(again.Items[i]->Data, pak.Items[i]->Data);
    } else if (name.rfind("bad-", 0) == 0) {
      ++bad;
      EXPECT_FALSE(ok);
      EXPECT_TRUE(pak.Items.empty());
      EXPECT_FALSE(error.empty());
    } else if (!ok) {
      EXPECT_TRUE(pak.Items.empty());
    }
  }
  EXPECT_GE(valid, 3);
  EXPECT_GE(bad, 3);
}

} // namespace
