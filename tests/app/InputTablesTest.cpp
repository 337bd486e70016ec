#include <gtest/gtest.h>

#include "app/InputTables.h"

namespace {

class InputTablesTest : public testing::Test {
protected:
  void SetUp() override { FlushKeys(); }
  void TearDown() override { FlushKeys(); }
};

TEST_F(InputTablesTest, KeyHitIsConsumedAndCountsSeveralPressesOnce) {
  KeyHits[65] = 3;
  EXPECT_EQ(KeyHit(65), 1);
  EXPECT_EQ(KeyHit(65), 0);
  EXPECT_EQ(KeyHit(-1), 0);
  EXPECT_EQ(KeyHit(256), 0);
  EXPECT_EQ(KeyDown(-5), 0);
  KeyDowns[66] = 1;
  EXPECT_EQ(KeyDown(66), 1);
  EXPECT_EQ(KeyDown(66), 1) << "held state is not consumed";
}

TEST_F(InputTablesTest, FirstKeyHitFindsTheLowestPendingCode) {
  EXPECT_EQ(FirstKeyHit(), -1);
  KeyHits[90] = 1;
  KeyHits[40] = 2;
  EXPECT_EQ(FirstKeyHit(), 40);
  FlushKeys();
  EXPECT_EQ(FirstKeyHit(), -1);
}

TEST_F(InputTablesTest, CharacterQueueKeepsTheFirst256) {
  for (int i = 0; i < 300; ++i) CharQueue.Put(1 + i % 200);
  EXPECT_EQ(CharQueue.Count(), 256);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(GetChar(), 1 + i % 200) << i;
  EXPECT_EQ(GetChar(), 0) << "empty";
}

TEST_F(InputTablesTest, CharacterQueueWrapsAroundItsRing) {
  for (int round = 0; round < 5; ++round) {
    for (int i = 0; i < 200; ++i) ASSERT_TRUE(CharQueue.Put(32 + i % 90));
    for (int i = 0; i < 200; ++i) ASSERT_EQ(CharQueue.Get(), 32 + i % 90);
  }
  EXPECT_EQ(CharQueue.Count(), 0);
}

} // namespace
