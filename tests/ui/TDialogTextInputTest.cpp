#include "ui/TDialogTextInput.h"

#include "DialogTestWorld.h"
#include "platform/Files.h"
#include "platform/Keys.h"
#include "ui/DialogFactories.h"
#include "ui/NameCheck.h"
#include "ui/TDialogOK.h"
#include "ui/TColor.h"
#include "ui/TTextInput.h"
#include "ui/TextDraw.h"
#include "TextTestHelpers.h"
#include "WidgetScreen.h"

namespace {

namespace keys = platform::keys;

class TextInputTest : public DialogTestWorld {
protected:
  std::shared_ptr<TDialogTextInput> OpenPlain(int withCancel = 1, int maxLength = 10) {
    auto dialog = TDialogTextInput::Create("Name?", "", maxLength, nullptr, 300, 0, 0);
    dialog->MenuCreate(withCancel, 20);
    dialog->Start();
    return dialog;
  }
  // Ticks through the opening transition of a factory dialog.
  template <typename Dialog>
  void Show(Dialog& dialog) {
    for (int i = 0; i < 1000 && dialog.Transitioning; ++i) ASSERT_EQ(Tick(dialog), 0);
  }
  std::string TypedText(TDialogTextInput& dialog) const { return dialog.TextInput->Text; }
};

TEST_F(TextInputTest, TypingBackspaceLimitsAndEnterGiveTheNameWithACapital) {
  auto dialog = OpenPlain(1, 5);
  QueueChars("ab");
  Tick(*dialog);
  Tick(*dialog);
  EXPECT_EQ(TypedText(*dialog), "ab");
  Key(keys::Backspace);
  Tick(*dialog);
  EXPECT_EQ(TypedText(*dialog), "a");
  QueueChars("bcdefg"); // one character a tick; the sixth does not fit
  TickQuietly(*dialog, 6);
  EXPECT_EQ(TypedText(*dialog), "abcde");
  for (int i = 0; i < 7; ++i) {
    Key(keys::Backspace);
    Tick(*dialog);
  }
  EXPECT_EQ(TypedText(*dialog), "") << "Backspace on an empty text does nothing";
  QueueChars("\xF6"); // "ö" in Latin-1
  TickQuietly(*dialog, 1);
  EXPECT_EQ(TypedText(*dialog), "") << "extended characters are off by default";
  dialog->TextInput->AllowExtendedChars = 1;
  QueueChars("\xF6l\x9F");
  TickQuietly(*dialog, 3);
  EXPECT_EQ(TypedText(*dialog), "\xF6l") << "code 159 is a control code";
  CharQueue.Put(0x20AC); // beyond Latin-1
  TickQuietly(*dialog, 1);
  QueueChars("\r");
  EXPECT_EQ(Tick(*dialog), 1);
  EXPECT_EQ(dialog->Value(), "\xD6l") << "the first letter is made upper case";
  EXPECT_EQ(Game->BlockKeys, 0) << "framework keys are given back";
}

TEST_F(TextInputTest, EscapeAndCancelAbandonAndAnEmptyNameIsRefused) {
  auto escaped = OpenPlain();
  QueueChars("abc");
  TickQuietly(*escaped, 3);
  EXPECT_EQ(Game->BlockKeys, 1) << "no framework keys while typing";
  QueueChars("\x1B");
  EXPECT_EQ(Tick(*escaped), -1);
  EXPECT_EQ(TypedText(*escaped), "");

  auto cancelled = OpenPlain();
  ClickOn(*cancelled->Menu, "Cancel");
  EXPECT_EQ(Tick(*cancelled), -1);

  auto empty = OpenPlain();
  QueueChars("\r");
  EXPECT_EQ(Tick(*empty), 0);
  ClickOn(*empty->Menu, "OK");
  EXPECT_EQ(Tick(*empty), 0);
  EXPECT_EQ(empty->Active, 1);
  QueueChars("x");
  Tick(*empty);
  EXPECT_EQ(TypedText(*empty), "x") << "typing goes on after a refused empty name";
  Key(keys::Space); // a space is typed, not a press of OK
  QueueChars(" ");
  EXPECT_EQ(Tick(*empty), 0);
  ClickOn(*empty->Menu, "OK");
  EXPECT_EQ(Tick(*empty), 1);
  EXPECT_EQ(empty->Value(), "X ");
}

TEST_F(TextInputTest, HeldKeysRepeatWithTheGamesOwnTiming) {
  auto dialog = OpenPlain(1, 14);
  const int keyA = keys::A;
  Hold(keyA);
  QueueChars("a");
  Tick(*dialog);
  EXPECT_EQ(TypedText(*dialog), "a");
  TickQuietly(*dialog, 79);
  EXPECT_EQ(TypedText(*dialog), "a") << "nothing during the 400 ms delay";
  Tick(*dialog);
  EXPECT_EQ(TypedText(*dialog), "aa");
  TickQuietly(*dialog, 40);
  EXPECT_EQ(TypedText(*dialog), "aaaa") << "then one every 100 ms";
  Release(keyA);
  TickQuietly(*dialog, 100);
  EXPECT_EQ(TypedText(*dialog), "aaaa");

  Hold(keys::Backspace);
  QueueChars("\b\b\b"); // the system's own repeat of Backspace is not used
  Tick(*dialog);
  EXPECT_EQ(TypedText(*dialog), "aaa");
  TickQuietly(*dialog, 80);
  EXPECT_EQ(TypedText(*dialog), "aa");
  TickQuietly(*dialog, 20);
  EXPECT_EQ(TypedText(*dialog), "a");
  Release(keys::Backspace);
}

TEST_F(TextInputTest, TypedThroughTheWindowSystemWithTheFrameworkKeysOff) {
  auto screen = HostWidget(CreateNameInputDialog(2, "Name your saved game"));
  Ticks(80); // slides in
  // "p" would pause the game, "/" is banned, the euro sign is not Latin-1.
  Type("pr/\xC3\xBCn\xE2\x82\xAC");
  Ticks(10);
  EXPECT_EQ(screen->widget->TextInput->Text, "pr\xFCn");
  EXPECT_EQ(Game->Paused, 0);
  TapKey("Backspace");
  Ticks(2);
  TapKey("Return");
  Ticks(100);
  EXPECT_EQ(screen->Results, std::vector<int>{1});
  EXPECT_EQ(screen->widget->Value(), "Pr\xFC");
}

TEST(NameCheck, RefusesWhatCannotBeAFileNameAndAcceptsLatin1Letters) {
  std::string message;
  for (const char* bad : {"../x", "a/b", "a:b", "abc.", "  ", ".", "..", "", "a\\b", "a*b", "a?", "<a>", "a|b",
                          "a\"b", "a;b", "a~b", "a ", "a\xA0", "\x80" "b", "a\tb", "12345678901234" "5"})
    EXPECT_EQ(CheckName(bad, TNameKind::SavedGame, message), -1) << '"' << bad << '"';
  EXPECT_EQ(CheckName("a=b", TNameKind::Layout, message), -1);
  EXPECT_EQ(CheckName("a=b", TNameKind::SavedGame, message), 1);
  EXPECT_EQ(CheckName("\xD6l", TNameKind::SavedGame, message), 1) << "\"Öl\"";
  EXPECT_EQ(CheckName(" My game 2", TNameKind::Layout, message), 1);
  EXPECT_EQ(CheckName("12345678901234", TNameKind::Layout, message), 1);
  EXPECT_EQ(CheckName("12345678901", TNameKind::Player, message), -1) << "players have 10 characters";
  EXPECT_EQ(NameMaxLength(TNameKind::Player), 10);
  EXPECT_EQ(NameMaxLength(TNameKind::SavedGame), 14);
}

TEST_F(TextInputTest, NameDialogShowsTheErrorDialogStaysOpenAndCreatesNoFile) {
  auto dialog = CreateNameInputDialog(2, "Name your saved game", TNameKind::Layout);
  Show(*dialog);
  EXPECT_EQ(dialog->TextInput->MaxLength, 14);

  // Banned characters and codes beyond Latin-1 are not typed at all.
  QueueChars("a/b:c=");
  CharQueue.Put(0x141);
  TickQuietly(*dialog, 7);
  EXPECT_EQ(TypedText(*dialog), "abc");

  for (const char* refused : {"abc.", "  ", "a=b", "../x"}) {
    dialog->TextInput->Text = refused; // as a pre-filled name would be
    QueueChars("\r");
    EXPECT_EQ(Tick(*dialog), 0) << refused;
    ASSERT_TRUE(dialog->DialogOK) << refused;
    EXPECT_EQ(dialog->Active, 1);
    Show(*dialog->DialogOK);
    Key(keys::Escape); // closes the error dialog, not the name dialog
    for (int i = 0; i < 200 && dialog->DialogOK; ++i) ASSERT_EQ(Tick(*dialog), 0);
    EXPECT_FALSE(dialog->DialogOK);
    EXPECT_EQ(dialog->Active, 1);
  }
  EXPECT_TRUE(platform::ListFolder(folder.Path(), "layout").empty());

  dialog->TextInput->Text.clear();
  QueueChars("x");
  Tick(*dialog);
  EXPECT_EQ(TypedText(*dialog), "x") << "typing goes on";
  dialog->TextInput->Text = "\xF6l";
  QueueChars("\r");
  EXPECT_EQ(Tick(*dialog), 0) << "the answer comes when the dialog has slid out";
  EXPECT_EQ(RunUntilResult(*dialog), 1);
  EXPECT_EQ(dialog->Value(), "\xD6l");
}

TEST_F(TextInputTest, AFadingFinishedEntryLeavesTheNextTextOpaque) {
  // A name dialog closing with a fade draws its finished entry half clear;
  // text drawn after it (the title's welcome and version lines) stays opaque.
  TTextInput entry;
  entry.Init(text_test::Carlito(20), "Anna", 10, 10);
  entry.TextCol->Alpha = 0.2f;
  entry.Finish();
  entry.Draw();
  EXPECT_FLOAT_EQ(TextAlpha, 1.0f);
}

} // namespace
