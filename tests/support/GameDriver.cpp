#include "support/GameDriver.h"

#include "app/Clock.h"
#include "app/TGame.h"
#include "platform/Input.h"
#include "screens/ProgramEntry.h"

#include <gtest/gtest.h>

namespace test_support {

void GameDriver::MoveMouse(int x, int y) {
  pointerX = x;
  pointerY = y;
  int wx = 0, wy = 0;
  platform::WindowPositionOf(x, y, wx, wy);
  EXPECT_TRUE(platform::SimulateMouseMove(wx, wy));
}

void GameDriver::PressButton(int button) {
  int wx = 0, wy = 0;
  platform::WindowPositionOf(pointerX, pointerY, wx, wy);
  EXPECT_TRUE(platform::SimulateMouseButton(button, true, wx, wy));
}

void GameDriver::ReleaseButton(int button) {
  int wx = 0, wy = 0;
  platform::WindowPositionOf(pointerX, pointerY, wx, wy);
  EXPECT_TRUE(platform::SimulateMouseButton(button, false, wx, wy));
}

void GameDriver::TurnWheel(int notches) { EXPECT_TRUE(platform::SimulateWheel(notches)); }

void GameDriver::HoldKey(const std::string& keyName) {
  EXPECT_TRUE(platform::SimulateKey(keyName, true)) << "unknown key " << keyName;
}

void GameDriver::ReleaseKey(const std::string& keyName) {
  EXPECT_TRUE(platform::SimulateKey(keyName, false)) << "unknown key " << keyName;
}

void GameDriver::TapKey(const std::string& keyName) {
  HoldKey(keyName);
  ReleaseKey(keyName);
}

void GameDriver::Type(const std::string& text) { EXPECT_TRUE(platform::SimulateText(text)); }

int GameDriver::Ticks(int count) {
  int result = 1;
  for (int i = 0; i < count; ++i) {
    Game->FixedRateLogic.SetDelta(1.0f);
    result = Game->LogicWrapper();
    if (result == -1) return -1;
  }
  return result;
}

void GameDriver::DrawFrame() { Game->ScreenDraw(); }

int GameDriver::Frames(int count, double frameMs) {
  for (int i = 0; i < count; ++i) {
    now += frameMs;
    if (RunFrame() == -1) return -1;
  }
  return 1;
}

void GameDriver::UseTestClock() {
  SetClockSource([this] { return now; });
}

void GameDriver::UseRealClock() { SetClockSource(nullptr); }

} // namespace test_support
