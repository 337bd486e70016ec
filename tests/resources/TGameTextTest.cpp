#include "resources/TGameText.h"

#include "platform/Files.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"
#include "support/ThrowingErrorHandler.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <stdexcept>

namespace {

std::string ParseError(TGameText& table, const std::string& text) {
  test_support::ThrowingErrorHandler throwing;
  try {
    table.Parse(text);
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "";
}

} // namespace

TEST(GameTextTest, EntriesAndJoinedLines) {
  TGameText table;
  ASSERT_TRUE(table.Parse("[TEXT]\r\nHelp Message Klondike\r\nFirst line\r\nSecond line\r\nThird line\r\n"
                          "[TEXT]\r\nData Pak Error\r\nThe data pack is missing.\r\n"));
  EXPECT_EQ(table.Find("help message klondike"),
            (std::vector<std::string>{"First line", "Second line", "Third line"}));
  EXPECT_EQ(table.FindString("Help Message Klondike"), "First line\r\nSecond line\r\nThird line");
  EXPECT_EQ(table.FindString("DATA PAK ERROR"), "The data pack is missing.");
  EXPECT_TRUE(table.Find("Not There").empty());
  EXPECT_EQ(table.FindString("Not There"), "");
}

TEST(GameTextTest, LineEndingsHeadersAndBlankLines) {
  TGameText lf, crlf;
  ASSERT_TRUE(lf.Parse("[text]\nkey\none\n\nthree\n[Text]\nother\n"));
  ASSERT_TRUE(crlf.Parse("[text]\r\nkey\r\none\r\n\r\nthree\r\n[Text]\r\nother\r\n"));
  EXPECT_EQ(lf.Map, crlf.Map);
  // Blank lines inside an entry are text; the final line break adds no line.
  EXPECT_EQ(lf.Find("KEY"), (std::vector<std::string>{"one", "", "three"}));
  // A key without lines is stored with none.
  ASSERT_EQ(lf.Map.count("OTHER"), 1u);
  EXPECT_TRUE(lf.Find("other").empty());
  // Without a final line break the last line is still read.
  TGameText unterminated;
  ASSERT_TRUE(unterminated.Parse("[TEXT]\nkey\nlast"));
  EXPECT_EQ(unterminated.FindString("key"), "last");
  // Trailing spaces are part of the text (values are appended to them).
  ASSERT_TRUE(unterminated.Parse("[TEXT]\nScore\nScore: \n"));
  EXPECT_EQ(unterminated.FindString("score"), "Score: ");
}

TEST(GameTextTest, LaterEntryReplacesAndEmptyHeaderStoresNothing) {
  TGameText table;
  ASSERT_TRUE(table.Parse("[TEXT]\nA\nold\n[TEXT]\n[TEXT]\nB\nb\n[TEXT]\na\nnew\n[TEXT]"));
  EXPECT_EQ(table.Map.size(), 2u);
  EXPECT_EQ(table.FindString("A"), "new");
  EXPECT_EQ(table.FindString("B"), "b");
}

TEST(GameTextTest, HeaderErrors) {
  TGameText table;
  EXPECT_EQ(ParseError(table, "TEXT\nkey\nline\n"), "[TEXT] header hot found");
  EXPECT_EQ(ParseError(table, "\n[TEXT]\nkey\nline\n"), "[TEXT] header hot found");
  // A text line starting with "[" ends the entry and is then read as a header.
  EXPECT_EQ(ParseError(table, "[TEXT]\nkey\nline\n[note] not a header\nmore\n"), "[TEXT] header hot found");
  EXPECT_EQ(ParseError(table, "[TEXT]\nkey\nline\n[TEXT]\nkey2\n["), "[TEXT] header hot found");
  EXPECT_EQ(ParseError(table, "[TEXT]\nkey\nline\n"), "");
}

TEST(GameTextTest, MalformedInputNeverOverruns) {
  // Fragments around the edges of the format: none may crash or hang, and
  // each either parses or reports the header error.
  const std::vector<std::string> inputs = {"",        "\n",          "\r",       "\r\n",          "[",
                                           "[TEXT]",  "[TEXT]\r",    "[TEXT]\n", "[TEXT]\n\n",    "[TEXT]\n\r\n",
                                           "[TEXT]\nk", "[TEXT]\nk\r", "[TEXT]\n[", std::string("[TEXT]\0\n", 8),
                                           std::string(1, '\0'), "\n\n\n[TEXT]"};
  for (const std::string& input : inputs) {
    TGameText table;
    const std::string error = ParseError(table, input);
    EXPECT_TRUE(error.empty() || error == "[TEXT] header hot found") << "input size " << input.size();
  }
  TGameText table;
  EXPECT_EQ(ParseError(table, "[TEXT]\n\n\nline"), "");
  EXPECT_EQ(table.FindString(""), "\r\nline"); // an empty key line is a key like any other
}

TEST(GameTextTest, ReadFromFolderAndMissingFile) {
  test_support::TempFolder folder;
  folder.Write("gametext.txt", "[TEXT]\nGreeting\nHello\n");
  const std::string previous = TGameText::Folder();
  TGameText::SetFolder(folder.Path());
  auto table = TGameText::Create("GameText.txt"); // found ignoring case
  EXPECT_EQ(table->FindString("greeting"), "Hello");

  // Read clears what was there before.
  folder.Write("other.txt", "[TEXT]\nFarewell\nBye\n");
  table->Read("other.txt");
  EXPECT_EQ(table->FindString("greeting"), "");
  EXPECT_EQ(table->FindString("farewell"), "Bye");

  test_support::ThrowingErrorHandler throwing;
  try {
    table->Read("absent.txt");
    ADD_FAILURE() << "a missing text file must be fatal";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), "Error loading file " + folder.Path() + "absent.txt");
  }
  // A named pipe in its place is the same error, not a start-up that waits for ever.
  ASSERT_EQ(mkfifo(folder.File("piped.txt").c_str(), 0600), 0);
  EXPECT_THROW(table->Read("piped.txt"), std::runtime_error);
  TGameText::SetFolder(previous);
}

TEST(GameTextTest, FuzzSeedsParseOrReportTheHeader) {
  const std::string seeds = test_support::SourcePath("fuzz/corpus/gametext_reader/");
  const auto names = platform::ListFolder(seeds);
  ASSERT_FALSE(names.empty());
  for (const std::string& name : names) {
    std::string text;
    ASSERT_TRUE(platform::ReadWholeFile(seeds + name, text)) << name;
    TGameText table;
    const std::string error = ParseError(table, text);
    EXPECT_TRUE(error.empty() || error == "[TEXT] header hot found") << name;
  }
}
