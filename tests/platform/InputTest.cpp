#include "platform/Input.h"
#include "platform/Graphics.h"
#include "platform/Keys.h"
#include "support/HeadlessGraphics.h"

#include <gtest/gtest.h>

#include <vector>

using namespace platform;

namespace {

std::vector<Event> Drain() {
  std::vector<Event> events;
  Event event;
  while (PollEvent(event)) events.push_back(event);
  return events;
}

TEST(KeysTest, KeyNamesMapToTheClassicKeyNumbers) {
  struct Case {
    const char* name;
    int key;
  };
  const Case cases[] = {
      {"A", 65}, {"Z", 90}, {"P", 80}, {"0", 48}, {"9", 57}, {"F1", 112}, {"F12", 123},
      {"Left", 37}, {"Up", 38}, {"Right", 39}, {"Down", 40}, {"Left Shift", 160}, {"Right Shift", 161},
      {"Left Ctrl", 162}, {"Right Ctrl", 163}, {"Left Alt", 164}, {"Right Alt", 165}, {"-", 189}, {"=", 187},
      {"Return", 13}, {"Keypad Enter", 13}, {"Escape", 27}, {"Space", 32}, {"Backspace", 8}, {"Tab", 9},
      {"Delete", 46}, {"Insert", 45}, {"Home", 36}, {"End", 35}, {"PageUp", 33}, {"PageDown", 34},
      {"Keypad 0", 96}, {"Keypad 5", 101}, {"Keypad 9", 105}, {"Keypad *", 106}, {"Keypad +", 107},
      {"Keypad -", 109}, {"Keypad .", 110}, {"Keypad /", 111}, {";", 186}, {",", 188}, {".", 190}, {"/", 191},
      {"`", 192}, {"[", 219}, {"\\", 220}, {"]", 221}, {"'", 222}, {"CapsLock", 20}, {"Pause", 19},
  };
  for (const Case& c : cases) EXPECT_EQ(KeyFromKeyName(c.name), c.key) << c.name;
  EXPECT_EQ(KeyFromKeyName("no such key"), 0);
  // Letters follow what the layout types on the key.
  EXPECT_EQ(VirtualKeyFor(20 /* the key left of W on a US board */, 'a'), 65);
}

class InputTest : public test_support::HeadlessGraphics {
protected:
  void SetUp() override {
    HeadlessGraphics::SetUp();
    FlushEvents();
  }
};

TEST_F(InputTest, KeyPressesArriveAsKeyDownAndUp) {
  ASSERT_TRUE(SimulateKey("Left Shift", true));
  ASSERT_TRUE(SimulateKey("X", true));
  ASSERT_TRUE(SimulateKey("X", false));
  std::vector<Event> events = Drain();
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].type, EventType::KeyDown);
  EXPECT_EQ(events[0].key, keys::LeftShift);
  EXPECT_EQ(events[1].type, EventType::KeyDown);
  EXPECT_EQ(events[1].key, keys::A + ('X' - 'A'));
  EXPECT_EQ(events[2].type, EventType::KeyUp);
  EXPECT_EQ(events[2].key, 88);
  EXPECT_FALSE(SimulateKey("no such key", true));
}

TEST_F(InputTest, EditingKeysAlsoTypeTheirControlCharacter) {
  SimulateKey("Backspace", true);
  SimulateKey("Return", true);
  std::vector<Event> events = Drain();
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].key, keys::Backspace);
  EXPECT_EQ(events[1].type, EventType::Char);
  EXPECT_EQ(events[1].ch, 8);
  EXPECT_EQ(events[2].key, keys::Enter);
  EXPECT_EQ(events[3].ch, 13);
}

TEST_F(InputTest, TheSystemsAutoRepeatOfAHeldKeyIsDropped) {
  // A held "x": the first press types, the system's repeats neither press nor type.
  SimulateKey("X", true);
  SimulateText("x");
  SimulateKey("X", true, true);
  SimulateText("x");
  SimulateKey("Backspace", true, true);
  SimulateKey("X", false);
  SimulateText("y"); // typed after the release (a composed character, say)
  std::vector<Event> events = Drain();
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].type, EventType::KeyDown);
  EXPECT_EQ(events[1].ch, 'x');
  EXPECT_EQ(events[2].type, EventType::KeyUp);
  EXPECT_EQ(events[3].ch, 'y');
}

TEST_F(InputTest, TypedTextBecomesLatin1Characters) {
  // "Zoë€ß!" : e with diaeresis and sharp s are Latin-1, the euro sign is not.
  ASSERT_TRUE(SimulateText("Zo\xC3\xAB\xE2\x82\xAC\xC3\x9F!"));
  ASSERT_TRUE(SimulateText("\xF0\x9F\x82\xA1\xC3")); // a card symbol and a cut-off sequence: dropped
  std::vector<Event> events = Drain();
  std::vector<int> chars;
  for (const Event& e : events) {
    EXPECT_EQ(e.type, EventType::Char);
    chars.push_back(e.ch);
  }
  EXPECT_EQ(chars, (std::vector<int>{'Z', 'o', 0xEB, 0xDF, '!'}));
}

TEST_F(InputTest, MouseButtonsAndWheelArriveInLogicalCoordinates) {
  ASSERT_TRUE(SimulateMouseButton(1, true, 10, 20));
  ASSERT_TRUE(SimulateMouseButton(2, false, 799, 599));
  ASSERT_TRUE(SimulateWheel(-2));
  std::vector<Event> events = Drain();
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].type, EventType::MouseDown);
  EXPECT_EQ(events[0].button, 1);
  EXPECT_EQ(events[0].x * 1000 + events[0].y, 10020);
  EXPECT_EQ(events[1].type, EventType::MouseUp);
  EXPECT_EQ(events[1].button, 2);
  EXPECT_EQ(events[1].x * 1000 + events[1].y, 799599);
  EXPECT_EQ(events[2].type, EventType::MouseWheel);
  EXPECT_EQ(events[2].wheel + events[3].wheel, -2); // one event per notch
  int x, y;
  GetMousePosition(x, y);
  EXPECT_EQ(x * 1000 + y, events[3].x * 1000 + events[3].y);

  // Full screen scales the surface up: window pixels map back onto it.
  ASSERT_TRUE(SetFullScreen(true));
  int wx = DesktopWidth() / 2, wy = DesktopHeight() / 2;
  SimulateMouseButton(3, true, wx, wy);
  events = Drain();
  SetFullScreen(false);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].button, 3);
  EXPECT_NEAR(events[0].x, 400, 1);
  EXPECT_NEAR(events[0].y, 300, 1);
}

TEST_F(InputTest, PushedEventsComeBackInOrderAndTrackTheMouseAndFocus) {
  Event move;
  move.type = EventType::MouseMove;
  move.x = 123;
  move.y = 456;
  PushEvent(move);
  Event suspend;
  suspend.type = EventType::Suspend;
  PushEvent(suspend);
  std::vector<Event> events = Drain();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].type, EventType::MouseMove);
  int x, y;
  GetMousePosition(x, y);
  EXPECT_EQ(x * 1000 + y, 123456);
  EXPECT_FALSE(AppHasFocus());
  Event resume;
  resume.type = EventType::Resume;
  PushEvent(resume);
  Drain();
  EXPECT_TRUE(AppHasFocus());

  PushEvent(move);
  FlushEvents();
  EXPECT_TRUE(Drain().empty());
}

} // namespace
