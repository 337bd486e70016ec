#include "solitaire/TCardLayoutFile.h"

#include "CardTestWorld.h"
#include "platform/Files.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "support/TempFolder.h"
#include "support/ThrowingErrorHandler.h"

#include <cmath>
#include <stdexcept>
#include <tuple>

namespace {

class CardLayoutFileTest : public CardTestWorld {
protected:
  test_support::TempFolder folder;

  std::string ReadBack(const std::string& name) {
    std::string text;
    EXPECT_TRUE(platform::ReadWholeFile(folder.File(name), text));
    return text;
  }
  // Loads `bytes` as a layout with origin (25, 125) without ending the test on a refusal.
  int32_t LoadText(TCardList& list, const std::string& bytes) {
    folder.Write("test.layout", bytes);
    test_support::ThrowingErrorHandler throwing;
    try {
      return list.LoadCards(folder.File("test.layout"), 25, 125, 0);
    } catch (const std::runtime_error&) {
      return -1; // reported
    }
  }
};

TEST_F(CardLayoutFileTest, SavedLayoutBytesAreExact) {
  TCardList list;
  Put(list, 125.9f, 225.2f, 0);
  Put(list, 24.5f, 100, -12.5f);
  Put(list, 400, 300, 33.3333333f);
  ASSERT_EQ(list.SaveCards(folder.File("out.layout"), 25, 125), 1);
  EXPECT_EQ(ReadBack("out.layout"), "Ostrelle Card Layout\r\n"
                                    "100,100,0.00000000\r\n"
                                    "0,-25,-12.5000000\r\n"
                                    "375,175,33.3333321\r\n");
  // Written through a temporary file: nothing else is left in the folder.
  EXPECT_EQ(platform::ListFolder(folder.Path()), std::vector<std::string>{"out.layout"});
}

TEST_F(CardLayoutFileTest, RoundTripKeepsWholePixelsAndAnglesAndDealsNothing) {
  TCardList list;
  list.AddNew(100.75f, 200.5f, Back(), 3, 7, 1, 10.125f);
  list.AddNew(-3.9f, 99.99f, Back(), 2, 2, 0, -170.5f);
  ASSERT_EQ(list.SaveCards(folder.File("trip.layout"), 25, 125), 1);
  TCardList loaded;
  ASSERT_EQ(loaded.LoadCards(folder.File("trip.layout"), 25, 125), 1);
  ASSERT_EQ(loaded.Count(), 2);
  // x - origin truncated towards zero, then the origin added back.
  EXPECT_FLOAT_EQ(loaded.ValueAtIndex(0)->x, 100);
  EXPECT_FLOAT_EQ(loaded.ValueAtIndex(0)->y, 200);
  EXPECT_FLOAT_EQ(loaded.ValueAtIndex(1)->x, -3); // -28.9 -> -28, + 25
  EXPECT_FLOAT_EQ(loaded.ValueAtIndex(1)->y, 100); // -25.01 -> -25, + 125
  EXPECT_FLOAT_EQ(loaded.ValueAtIndex(0)->RotationAngle, 10.125f);
  EXPECT_FLOAT_EQ(loaded.ValueAtIndex(1)->RotationAngle, -170.5f);
  for (const auto& card : loaded) {
    EXPECT_EQ(card->Opened, 0);
    EXPECT_EQ(card->ToString(), "H1");
    EXPECT_EQ(card->Cards, &loaded);
    EXPECT_EQ(card->image->name, "CARDBACK1");
  }
  EXPECT_EQ(loaded.ValueAtIndex(1)->Position, 1);
}

TEST_F(CardLayoutFileTest, LenientLinesHeaderOnlyAndLineEnds) {
  TCardList list;
  EXPECT_EQ(LoadText(list, "Ostrelle Card Layout\r\n"), 1);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(LoadText(list, "anything at all"), 1); // no line after the header
  EXPECT_EQ(list.Count(), 0);
  // LF only, stray CRs, a line without comma, a two-field line, junk numbers, extra fields.
  EXPECT_EQ(LoadText(list, "whatever\n10,2\r0\n\r\nno comma here\n5,6\nabc,-7,xyz\n 8,+9,45.5,extra\n1.9,2e3,1e3"), 1);
  ASSERT_EQ(list.Count(), 5);
  auto at = [&](int i) {
    auto c = list.ValueAtIndex(i);
    return std::tuple(c->x, c->y, c->RotationAngle);
  };
  EXPECT_EQ(at(0), std::tuple(35.0f, 145.0f, 0.0f)); // "10,20" once the CR is dropped
  EXPECT_EQ(at(1), std::tuple(30.0f, 131.0f, 0.0f)); // two fields: no rotation
  EXPECT_EQ(at(2), std::tuple(25.0f, 118.0f, 0.0f)); // text that is no number reads 0
  EXPECT_EQ(at(3), std::tuple(33.0f, 134.0f, 45.5f));
  EXPECT_EQ(at(4), std::tuple(26.0f, 127.0f, 1000.0f)); // integers stop at the first non-digit
}

TEST_F(CardLayoutFileTest, HostileNumbersAreTamed) {
  TCardList list;
  ASSERT_EQ(LoadText(list, "h\r\n99999999999999999999999,-99999999999999999999999,nan\r\n"
                           "2147483647,-2147483648,inf\r\n0,0,-inf\r\n0,0,1e39\r\n0,0,-nan\r\n"),
            1);
  ASSERT_EQ(list.Count(), 5);
  for (const auto& card : list) {
    EXPECT_TRUE(std::isfinite(card->x) && std::fabs(card->x) <= 100025) << card->x;
    EXPECT_TRUE(std::isfinite(card->y) && std::fabs(card->y) <= 100125) << card->y;
    EXPECT_EQ(card->RotationAngle, 0.0f);
  }
  // Such cards still take part in overlap tests without harm.
  list.UpdateCardsOnTop();
  EXPECT_FALSE(list.ValueAtIndex(0)->IsPointOver(0, 0));
}

TEST_F(CardLayoutFileTest, TooManyCardsOrBinaryGarbage) {
  TCardList list;
  Put(list, 1, 2);
  std::string many = "Ostrelle Card Layout\r\n";
  for (int i = 0; i < TCardLayoutFile::MaxCards; ++i) many += "1,2,3\r\n";
  EXPECT_EQ(LoadText(list, many), 1);
  EXPECT_EQ(list.Count(), TCardLayoutFile::MaxCards);
  EXPECT_EQ(LoadText(list, "Ostrelle Card Layout\r\n1,1,1\r\n"), 1);
  EXPECT_EQ(LoadText(list, many + "1,2,3\r\n"), -1); // refused and reported
  EXPECT_EQ(list.Count(), 1);                        // the list is left as it was
  EXPECT_EQ(LoadText(list, std::string(2 << 20, ',')), -1); // over 1 MiB
  std::string garbage;
  for (int i = 0; i < 5000; ++i) garbage += char((i * 7919 + 13) % 256);
  EXPECT_EQ(LoadText(list, garbage), 1); // a handful of lines of junk numbers
  EXPECT_LE(list.Count(), TCardLayoutFile::MaxCards);
}

TEST_F(CardLayoutFileTest, UnreadableAndUnwritableFilesAreFatalWithTheirMessages) {
  TCardList list;
  test_support::ThrowingErrorHandler throwing;
  const std::string missing = folder.File("missing.layout");
  try {
    list.LoadCards(missing, 25, 125);
    FAIL() << "no error reported";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(missing + "'"), std::string::npos) << error.what();
  }
  const std::string unwritable = folder.File("no/such/folder/x.layout");
  EXPECT_THROW(list.SaveCards(unwritable, 25, 125), std::runtime_error);
}

TEST_F(CardLayoutFileTest, PlayersOwnFilesMayFailWithoutEndingTheGame) {
  TCardList list;
  Put(list, 1, 1);
  int reports = 0;
  static int* counter = nullptr;
  counter = &reports;
  ErrorHandler previous = GetErrorHandler();
  SetErrorHandler([](const std::string&, int fatal) {
    EXPECT_EQ(fatal, 0);
    ++*counter;
  });
  EXPECT_EQ(list.LoadCards(folder.File("missing.layout"), 25, 125, 0), 0);
  EXPECT_EQ(list.SaveCards(folder.File("no/such/x.layout"), 25, 125, 0), 0);
  SetErrorHandler(previous);
  EXPECT_EQ(reports, 2);
  EXPECT_EQ(list.Count(), 1);
}

TEST_F(CardLayoutFileTest, ShippedKlondikeLayoutLoads) {
  TCardList list;
  ASSERT_EQ(list.LoadCards(test_support::DataPath("layouts/klondike/klondike.layout"), 25, 125), 1);
  ASSERT_EQ(list.Count(), 28);
  EXPECT_FLOAT_EQ(list.ValueAtIndex(0)->x, 120);
  EXPECT_FLOAT_EQ(list.ValueAtIndex(0)->y, 205);
  list.UpdateCardsOnTop();
  // Seven columns: only the last card of each is uncovered.
  int uncovered = 0;
  for (const auto& card : list) uncovered += card->HasCardsOnTop == 0;
  EXPECT_EQ(uncovered, 7);
}

} // namespace

namespace {

// Replays the layout reader's fuzzing seeds: each loads, and what loads is
// written and read back unchanged.
TEST_F(CardLayoutFileTest, FuzzSeedsLoadAndRoundTrip) {
  const std::string seeds = test_support::SourcePath("fuzz/corpus/layout_reader/");
  const auto names = platform::ListFolder(seeds, "layout");
  ASSERT_GE(names.size(), 5u);
  for (const auto& name : names) {
    SCOPED_TRACE(name);
    std::string bytes;
    ASSERT_TRUE(platform::ReadWholeFile(seeds + name, bytes));
    TCardList list;
    ASSERT_EQ(TCardLayoutFile::Parse(bytes, list, 25, 125), 1);
    TCardList again;
    ASSERT_EQ(TCardLayoutFile::Parse(TCardLayoutFile::Format(list, 25, 125), again, 25, 125), 1);
    ASSERT_EQ(again.Count(), list.Count());
    for (int i = 0; i < list.Count(); ++i) {
      EXPECT_EQ(again.ValueAtIndex(i)->x, list.ValueAtIndex(i)->x);
      EXPECT_EQ(again.ValueAtIndex(i)->y, list.ValueAtIndex(i)->y);
      EXPECT_EQ(again.ValueAtIndex(i)->RotationAngle, list.ValueAtIndex(i)->RotationAngle);
    }
  }
}

} // namespace
