#pragma once
#include "app/InputTables.h"
#include "resources/TImageBank.h"
#include "ui/TButton.h"
#include "ui/TMenu.h"
#include "app/Delta.h"
#include "app/TGame.h"
#include "support/GameWorld.h"

#include <string>

// The test world with the pictures and sounds every dialog, list and manager
// loads (buttons from the menu folder, "buttonMO" and "buttonclick"), and
// input helpers: keys pressed, held and released, typed text, clicks on a
// named button, and logic ticks that drop the pointer's hits as the main loop does.
class DialogTestWorld : public test_support::GameWorld {
protected:
  void SetUp() override {
    GameWorld::SetUp();
    for (const char* name : {"ok", "yes", "no", "cancel", "delete", "load"}) {
      WritePicture(name, 96, 34);
      WritePicture(std::string(name) + "MO", 96, 34);
    }
    for (const char* name : {"up", "down"}) {
      WritePicture(name, 40, 30);
      WritePicture(std::string(name) + "MO", 40, 30);
    }
    WriteSound("buttonMO");
    WriteSound("buttonclick");
  }
  // A panel picture filed in the interface bank as the dialog factories find it.
  void PutPanel(const std::string& name, int w, int h) {
    auto image = SolidImage(w, h);
    image->name = UpperCaseName(name);
    Images->Insert(image);
  }

  // A press that stays down until Release (KeyHit and KeyDown both see it).
  void Hold(int code) {
    ++KeyHits[size_t(code)];
    KeyDowns[size_t(code)] = 1;
  }
  void Release(int code) { KeyDowns[size_t(code)] = 0; }
  void Key(int code) {
    Hold(code);
    Release(code);
  }
  // Typed characters put straight into the queue the event pump fills (Latin-1 codes).
  void QueueChars(const std::string& text) {
    for (char ch : text) CharQueue.Put(static_cast<unsigned char>(ch));
  }

  // Pointer over the middle of a button and one press of the left button.
  void ClickOn(const TButton& button) {
    PointAt(int(button.x) + button.w / 2, int(button.y) + button.h / 2);
    Press();
  }
  void ClickOn(const TMenu& menu, const std::string& name) {
    auto button = menu.FindButton(name);
    ASSERT_TRUE(button) << name;
    ClickOn(*button);
  }

  // Runs `manage` once as one logic tick; returns its result.
  template <typename Widget>
  int Tick(Widget& widget) {
    const int result = widget.Manage();
    Mouse().ClearMouseHit();
    return result;
  }
  // Ticks until a non-zero result or `limit` ticks; returns the result.
  template <typename Widget>
  int RunUntilResult(Widget& widget, int limit = 400) {
    for (int i = 0; i < limit; ++i)
      if (int result = Tick(widget)) return result;
    return 0;
  }
  // Ticks `count` times and fails on any non-zero result.
  template <typename Widget>
  void TickQuietly(Widget& widget, int count) {
    for (int i = 0; i < count; ++i) ASSERT_EQ(Tick(widget), 0) << "tick " << i;
  }
};
