#include "PakTestHelpers.h"
#include "resources/PakWriter.h"
#include "resources/TPakFile.h"

#include <gtest/gtest.h>

using namespace paktest;

namespace {

// Reads `bytes` as a pack; returns the error text ("" when it read).
std::string Read(const std::vector<uint8_t>& bytes, TPakFile& pak) {
  ByteReader in(bytes.data(), bytes.size());
  std::string error;
  const bool ok = pak.ReadFromStream(in, &error);
  EXPECT_EQ(ok, error.empty());
  if (!ok) {
    EXPECT_TRUE(pak.Items.empty());
  }
  return error;
}

std::string Read(const std::vector<uint8_t>& bytes) {
  TPakFile pak;
  return Read(bytes, pak);
}

std::vector<PakWriterItem> SampleItems() {
  std::vector<PakWriterItem> items;
  items.push_back({"gamescreen1.jpg", 2, std::vector<uint8_t>(5000, 0xAB)});
  items.push_back({"calibri.ttf", 3, Bytes("not really a font, but bytes")});
  items.push_back({"empty.dat", 0, {}});
  std::vector<uint8_t> noise(70000);
  uint32_t seed = 12345;
  for (auto& b : noise) {
    seed = seed * 1103515245u + 12345u;
    b = uint8_t(seed >> 16);
  }
  items.push_back({"sub/folder/noise.bin", 0, noise});
  return items;
}

void ExpectSameItems(const TPakFile& pak, const std::vector<PakWriterItem>& items) {
  ASSERT_EQ(pak.Items.size(), items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(pak.Items[i]->Name, items[i].Name);
    EXPECT_EQ(pak.Items[i]->VarType, items[i].VarType);
    EXPECT_EQ(pak.Items[i]->Data, items[i].Data) << items[i].Name;
  }
}

TEST(TPakFileTest, BothVersionsReadBackWhatTheWriterWrote) {
  const auto items = SampleItems();
  std::vector<uint8_t> v11, v10;
  ASSERT_TRUE(BuildPak11(items, v11));
  ASSERT_TRUE(BuildPak10(items, v10));
  EXPECT_EQ(v11[4], 1);
  EXPECT_EQ(v11[6], 1); // version word 0x00010001
  EXPECT_EQ(v10[4], 1);
  EXPECT_EQ(v10[6], 0);
  TPakFile a, b;
  EXPECT_EQ(Read(v11, a), "");
  EXPECT_EQ(Read(v10, b), "");
  ExpectSameItems(a, items);
  ExpectSameItems(b, items);

  // The writer records each stream's true offset in the 1.1 table.
  std::vector<uint8_t> table(items.size() * 272);
  int32_t tc = 0;
  std::memcpy(&tc, &v11[12], 4);
  ASSERT_EQ(platform::Inflate(&v11[20], size_t(tc), table.data(), table.size()), int64_t(table.size()));
  int32_t offset0 = 0, size0 = 0, offset1 = 0;
  std::memcpy(&size0, &table[0], 4);
  std::memcpy(&offset0, &table[4], 4);
  std::memcpy(&offset1, &table[272 + 4], 4);
  EXPECT_EQ(offset0, 20 + tc);
  EXPECT_EQ(offset1, offset0 + size0);
}

TEST(TPakFileTest, WriterRefusesNamesThatDoNotFit) {
  std::vector<uint8_t> out;
  std::string error;
  EXPECT_FALSE(BuildPak11({{std::string(257, 'a'), 0, {}}}, out, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(BuildPak10({{std::string(53, 'a'), 0, {}}}, out, &error));
  // A name filling its whole field reads back whole.
  ASSERT_TRUE(BuildPak11({{std::string(256, 'a'), 0, {}}}, out, &error));
  TPakFile pak;
  EXPECT_EQ(Read(out, pak), "");
  ASSERT_EQ(pak.Items.size(), 1u);
  EXPECT_EQ(pak.Items[0]->Name, std::string(256, 'a'));
  ASSERT_TRUE(BuildPak10({{std::string(52, 'b'), 0, {}}}, out, &error));
  EXPECT_EQ(Read(out, pak), "");
  ASSERT_EQ(pak.Items.size(), 1u);
  EXPECT_EQ(pak.Items[0]->Name, std::string(52, 'b'));
  EXPECT_FALSE(BuildPak11({{" padded", 0, {}}}, out, &error));
}

TEST(TPakFileTest, EmptyPacksAndPaddedNames) {
  TPakFile pak;
  EXPECT_EQ(Read(Pak10({}), pak), "");
  EXPECT_TRUE(pak.Items.empty());
  EXPECT_EQ(Read(Pak11({}), pak), "");
  EXPECT_TRUE(pak.Items.empty());

  std::string padded = "  Title Screen.JPG  ";
  padded += '\0';
  padded += '\t';
  EXPECT_EQ(Read(Pak10({Item(padded, "abc", 2)}), pak), "");
  ASSERT_EQ(pak.Items.size(), 1u);
  EXPECT_EQ(pak.Items[0]->Name, "Title Screen.JPG");
  EXPECT_EQ(pak.Items[0]->GetString(), "abc");
  EXPECT_EQ(Read(Pak11({Item(padded, "abc", 2)}), pak), "");
  ASSERT_EQ(pak.Items.size(), 1u);
  EXPECT_EQ(pak.Items[0]->Name, "Title Screen.JPG");
}

TEST(TPakFileTest, HeaderErrorsUseTheirTexts) {
  EXPECT_EQ(Read({}), "TPakFile::Invalid pak file");
  EXPECT_EQ(Read(Bytes("!PA")), "TPakFile::Invalid pak file");
  EXPECT_EQ(Read(Bytes("PAK!\x01\0\0\0\0\0\0\0")), "TPakFile::Invalid pak file");
  EXPECT_EQ(Read(Header(2)), "TPakFile::Unsupported pakfile version 2.0");
  EXPECT_EQ(Read(Header(0x00020001)), "TPakFile::Unsupported pakfile version 1.2");
  EXPECT_EQ(Read(Header(0)), "TPakFile::Unsupported pakfile version 0.0");
  EXPECT_NE(Read(Header(1)), ""); // no item count
}

TEST(TPakFileTest, EveryTruncationIsRejected) {
  const auto items = SampleItems();
  std::vector<uint8_t> v11, v10;
  ASSERT_TRUE(BuildPak11(items, v11));
  ASSERT_TRUE(BuildPak10(items, v10));
  for (const auto* whole : {&v11, &v10}) {
    for (size_t cut = 0; cut < whole->size(); cut += (cut < 400 ? 1 : 97)) {
      const std::vector<uint8_t> part(whole->begin(), whole->begin() + std::ptrdiff_t(cut));
      EXPECT_NE(Read(part), "") << "cut at " << cut << " of " << whole->size();
    }
  }
}

TEST(TPakFileTest, LyingCountsAndSizesAreRejected) {
  const RawItem good = Item("a.txt", "hello hello hello", 1);

  // Version 1.0: counts and sizes that do not fit the file.
  EXPECT_NE(Read(Pak10({good}, -2 & 0xFFFFFFFFll)), "");    // count -2
  EXPECT_NE(Read(Pak10({good}, 0x7FFFFFFF)), "");           // huge count
  EXPECT_NE(Read(Pak10({good}, 2)), "");                    // one item missing
  RawItem item = good;
  item.Size = good.Size + 1000;
  EXPECT_NE(Read(Pak10({item})), "");                       // data beyond the end
  item = good;
  item.Size = -1;
  EXPECT_NE(Read(Pak10({item})), "");
  item = good;
  item.RealSize = -5;
  EXPECT_NE(Read(Pak10({item})), "");
  item = good;
  item.RealSize = 0x7FFFFFFF;                               // far beyond 16 MiB
  EXPECT_NE(Read(Pak10({item})), "");
  item.RealSize = (16 << 20) + 1;                           // just beyond
  EXPECT_NE(Read(Pak10({item})).find("16 MiB"), std::string::npos);
  item.RealSize = 16 << 20;                                 // at the limit: padded and kept
  TPakFile atLimit;
  EXPECT_EQ(Read(Pak10({item}), atLimit), "");
  ASSERT_EQ(atLimit.Items.size(), 1u);
  EXPECT_EQ(atLimit.Items[0]->Data.size(), size_t(16) << 20);
  // Sizes that claim more than 64 MiB in all are refused before any is
  // allocated, though each item alone is within its limit.
  std::vector<RawItem> greedy(5, good);
  for (RawItem& each : greedy) each.RealSize = 15 << 20;
  EXPECT_NE(Read(Pak10(greedy)).find("64 MiB in all"), std::string::npos);
  EXPECT_NE(Read(Pak11(greedy)).find("64 MiB in all"), std::string::npos);

  // Version 1.1: table size, table stream and item sizes.
  EXPECT_NE(Read(Pak11({good}, -1, nullptr, 271)), "");    // table size not N x 272
  EXPECT_NE(Read(Pak11({good}, 2)), "");                    // count disagrees with the table
  EXPECT_NE(Read(Pak11({good}, 0x80000000ll)), "");         // negative count
  EXPECT_NE(Read(Pak11({good}, -1, nullptr, -1, 1 << 20)), ""); // table beyond the end
  const std::vector<uint8_t> garbage = Bytes("this is not a zlib stream at all");
  EXPECT_NE(Read(Pak11({good}, -1, &garbage)), "");
  item = good;
  item.Size = good.Size + 1;
  EXPECT_NE(Read(Pak11({item})), "");
  item = good;
  item.Size = -7;
  EXPECT_NE(Read(Pak11({item})), "");
  item = good;
  item.RealSize = -1;
  EXPECT_NE(Read(Pak11({item})), "");
  item = good;
  item.RealSize = (16 << 20) + 1;
  EXPECT_NE(Read(Pak11({item})).find("16 MiB"), std::string::npos);
}

TEST(TPakFileTest, ShortStreamsAreZeroPaddedAndDamagedOnesRefused) {
  // A complete stream that gives fewer bytes than declared keeps the pack:
  // the item has its declared size, the missing tail zero-filled.
  RawItem longer = Item("big.png", "twelve bytes", 2);
  longer.RealSize = 40;
  std::vector<uint8_t> padded = Bytes("twelve bytes");
  padded.resize(40, 0);
  for (const auto& bytes : {Pak10({longer}), Pak11({Item("first.txt", "one"), longer})}) {
    TPakFile pak;
    EXPECT_EQ(Read(bytes, pak), "");
    ASSERT_FALSE(pak.Items.empty());
    EXPECT_EQ(pak.Items.back()->Name, "big.png");
    EXPECT_EQ(pak.Items.back()->Data, padded);
  }
  // The same holds for an empty stream and for a size no deflate stream of
  // that length could reach.
  RawItem nothing = Item("zeros.bin", "", 0);
  nothing.RealSize = 3 << 20;
  TPakFile zeros;
  EXPECT_EQ(Read(Pak10({nothing}), zeros), "");
  ASSERT_EQ(zeros.Items.size(), 1u);
  EXPECT_EQ(zeros.Items[0]->Data, std::vector<uint8_t>(3 << 20, 0));

  // The version 1.1 table is not padded: one that holds fewer entries than
  // its count is a broken pack.
  const std::vector<uint8_t> oneEntry = Z(Table11({longer}));
  EXPECT_NE(Read(Pak11({longer, longer}, -1, &oneEntry)), "");

  // A smaller declared size keeps exactly that many bytes.
  RawItem shorter = Item("cut.txt", "twelve bytes", 1);
  shorter.RealSize = 6;
  TPakFile pak;
  EXPECT_EQ(Read(Pak11({shorter}), pak), "");
  ASSERT_EQ(pak.Items.size(), 1u);
  EXPECT_EQ(pak.Items[0]->GetString(), "twelve");

  // A damaged stream is rejected, wherever the damage is, even in the part
  // beyond the declared size or in the checksum.
  const RawItem good = Item("x.dat", std::string(3000, 'q') + "tail");
  for (size_t at = 0; at < good.Stream.size(); ++at) {
    RawItem bad = good;
    bad.Stream[at] ^= 0x5A;
    bad.RealSize = 100;
    TPakFile damaged;
    const std::string error = Read(Pak10({bad}), damaged);
    EXPECT_NE(error, "") << "damage at byte " << at;
  }

  // A pack whose second item is bad yields nothing at all.
  RawItem bad = Item("second", "data");
  bad.Stream[bad.Stream.size() - 1] ^= 1;
  TPakFile mixed;
  EXPECT_NE(Read(Pak11({good, bad}), mixed), "");
  EXPECT_TRUE(mixed.Items.empty());
}

TEST(TPakFileTest, ZeroByteItemsStoredWithoutAStream) {
  RawItem empty;
  empty.NameField = "nothing.dat";
  TPakFile pak;
  EXPECT_EQ(Read(Pak10({empty}), pak), "");
  ASSERT_EQ(pak.Items.size(), 1u);
  EXPECT_TRUE(pak.Items[0]->Data.empty());
}

} // namespace
